#include "mapeditor/core/TileEdits.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace tessel {

TileRect spanOf(int column0, int row0, int column1, int row1) {
    return TileRect{std::min(column0, column1), std::min(row0, row1),
                    std::abs(column1 - column0) + 1, std::abs(row1 - row0) + 1};
}

TileRect intersect(const TileRect& a, const TileRect& b) {
    const int left = std::max(a.column, b.column), top = std::max(a.row, b.row);
    const int right = std::min(a.column + a.width, b.column + b.width);
    const int bottom = std::min(a.row + a.height, b.row + b.height);
    if (right <= left || bottom <= top) return TileRect{};
    return TileRect{left, top, right - left, bottom - top};
}

TileRect unite(const TileRect& a, const TileRect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    const int left = std::min(a.column, b.column), top = std::min(a.row, b.row);
    const int right = std::max(a.column + a.width, b.column + b.width);
    const int bottom = std::max(a.row + a.height, b.row + b.height);
    return TileRect{left, top, right - left, bottom - top};
}

bool TilePatch::empty() const {
    return rect.empty() ||
           std::all_of(layers.begin(), layers.end(), [](const auto& l) { return l.empty(); });
}

TilePatch capture(const TileMap& map, const TileRect& rect, unsigned layerMask) {
    TilePatch patch;
    patch.rect = intersect(rect, TileRect{0, 0, map.width, map.height});
    if (patch.rect.empty()) return patch;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (!(layerMask & layerBit(layer))) continue;
        auto& values = patch.layers[static_cast<std::size_t>(layer)];
        values.reserve(static_cast<std::size_t>(patch.rect.width * patch.rect.height));
        for (int r = patch.rect.row; r < patch.rect.row + patch.rect.height; ++r)
            for (int c = patch.rect.column; c < patch.rect.column + patch.rect.width; ++c)
                values.push_back(map.at(layer, c, r));
    }
    return patch;
}

TilePatch apply(TileMap& map, const TilePatch& patch) {
    TilePatch old;
    old.rect = patch.rect;  // the patch's own shape, so that undo writes the same cells back
    for (int layer = 0; layer < kLayerCount; ++layer) {
        const auto& values = patch.layers[static_cast<std::size_t>(layer)];
        if (values.empty()) continue;
        auto& before = old.layers[static_cast<std::size_t>(layer)];
        before.resize(values.size());
        for (int r = 0; r < patch.rect.height; ++r)
            for (int c = 0; c < patch.rect.width; ++c) {
                const auto i = static_cast<std::size_t>(r * patch.rect.width + c);
                const int column = patch.rect.column + c, row = patch.rect.row + r;
                if (!map.inside(column, row)) continue;
                std::uint8_t& cell = map.at(layer, column, row);
                before[i] = cell;
                cell = values[i];
            }
    }
    return old;
}

bool changesMap(const TileMap& map, const TilePatch& patch) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (patch.layers[static_cast<std::size_t>(layer)].empty()) continue;
        for (int r = patch.rect.row; r < patch.rect.row + patch.rect.height; ++r)
            for (int c = patch.rect.column; c < patch.rect.column + patch.rect.width; ++c)
                if (map.inside(c, r) && map.at(layer, c, r) != patch.at(layer, c, r)) return true;
    }
    return false;
}

std::uint8_t paintedValue(int layer, std::uint8_t old, std::uint8_t value) {
    if (layer != 2) return value;
    return static_cast<std::uint8_t>((old & ~kMarkBits) | (value & kMarkBits));
}

namespace {

// A patch of one layer over `rect` (clipped to the map) whose cells start as the map's.
TilePatch layerPatch(const TileMap& map, int layer, const TileRect& rect) {
    return capture(map, rect, layerBit(layer));
}

std::uint8_t& cellOf(TilePatch& patch, int layer, int column, int row) {
    return patch.layers[static_cast<std::size_t>(layer)][static_cast<std::size_t>(
        (row - patch.rect.row) * patch.rect.width + column - patch.rect.column)];
}

// Paints every cell of the patch for which `wanted` holds with the brush repeated from the
// origin.
template <typename Wanted>
void paintRepeated(TilePatch& patch, int layer, const TileBlock& brush, int originColumn,
                   int originRow, Wanted wanted) {
    const TileRect& r = patch.rect;
    for (int row = r.row; row < r.row + r.height; ++row)
        for (int column = r.column; column < r.column + r.width; ++column) {
            if (!wanted(column, row)) continue;
            const int bc = ((column - originColumn) % brush.width + brush.width) % brush.width;
            const int br = ((row - originRow) % brush.height + brush.height) % brush.height;
            std::uint8_t& cell = cellOf(patch, layer, column, row);
            cell = paintedValue(layer, cell, brush.at(bc, br));
        }
}

std::uint8_t comparable(int layer, std::uint8_t value) {
    return layer == 2 ? static_cast<std::uint8_t>(value & kMarkBits) : value;
}

}  // namespace

TilePatch stampBrush(const TileMap& map, int layer, int column, int row, const TileBlock& brush) {
    return fillRect(map, layer, TileRect{column, row, brush.width, brush.height}, brush);
}

TilePatch fillRect(const TileMap& map, int layer, const TileRect& rect, const TileBlock& brush) {
    TilePatch patch = layerPatch(map, layer, rect);
    if (patch.rect.empty()) return patch;
    paintRepeated(patch, layer, brush, rect.column, rect.row, [](int, int) { return true; });
    return patch;
}

TilePatch floodFill(const TileMap& map, int layer, int column, int row, const TileBlock& brush) {
    if (!map.inside(column, row)) return TilePatch{};
    const std::uint8_t target = comparable(layer, map.at(layer, column, row));
    std::vector<bool> inRegion(static_cast<std::size_t>(map.width) *
                               static_cast<std::size_t>(map.height));
    auto flag = [&](int c, int r) {
        return inRegion[static_cast<std::size_t>(r) * static_cast<std::size_t>(map.width) +
                        static_cast<std::size_t>(c)];
    };
    std::vector<std::pair<int, int>> pending = {{column, row}};
    TileRect bounds{column, row, 1, 1};
    while (!pending.empty()) {
        const auto [c, r] = pending.back();
        pending.pop_back();
        if (!map.inside(c, r) || flag(c, r) || comparable(layer, map.at(layer, c, r)) != target)
            continue;
        flag(c, r) = true;
        bounds = unite(bounds, TileRect{c, r, 1, 1});
        pending.insert(pending.end(), {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}});
    }
    TilePatch patch = layerPatch(map, layer, bounds);
    paintRepeated(patch, layer, brush, column, row, [&](int c, int r) { return flag(c, r); });
    return patch;
}

std::uint8_t mapEmptyValue(const TileMap& map, int layer) {
    if (layer != 0 || map.width <= 0 || map.height <= 0) return emptyValue(layer);
    // The ground has no empty tile of its own: the one a map is mostly made of is its floor.
    std::array<std::size_t, 256> counts{};
    const auto first = map.layers.begin();
    std::for_each(first, first + static_cast<std::ptrdiff_t>(map.index(1, 0, 0)),
                  [&](std::uint8_t v) { ++counts[v]; });
    return static_cast<std::uint8_t>(std::max_element(counts.begin(), counts.end()) -
                                     counts.begin());
}

TilePatch eraseRect(const TileMap& map, const TileRect& rect, unsigned layerMask) {
    TilePatch patch = capture(map, rect, layerMask);
    for (int layer = 0; layer < kLayerCount; ++layer) {
        auto& values = patch.layers[static_cast<std::size_t>(layer)];
        if (values.empty()) continue;
        const std::uint8_t empty = mapEmptyValue(map, layer);
        for (auto& v : values) v = layer == 2 ? static_cast<std::uint8_t>(v & ~kMarkBits) : empty;
    }
    return patch;
}

std::uint8_t pickValue(const TileMap& map, int layer, int column, int row) {
    if (!map.inside(column, row)) return emptyValue(layer);
    return comparable(layer, map.at(layer, column, row));
}

TilePatch placedAt(const TileMap& map, const TilePatch& block, int column, int row) {
    const TileRect moved{column, row, block.rect.width, block.rect.height};
    TilePatch patch;
    patch.rect = intersect(moved, TileRect{0, 0, map.width, map.height});
    if (patch.rect.empty()) return TilePatch{};
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (block.layers[static_cast<std::size_t>(layer)].empty()) continue;
        auto& values = patch.layers[static_cast<std::size_t>(layer)];
        for (int r = patch.rect.row; r < patch.rect.row + patch.rect.height; ++r)
            for (int c = patch.rect.column; c < patch.rect.column + patch.rect.width; ++c)
                values.push_back(
                    block.at(layer, c - column + block.rect.column, r - row + block.rect.row));
    }
    return patch;
}

TilePatch moveRect(const TileMap& map, const TileRect& rect, unsigned layerMask, int dx, int dy) {
    const TilePatch block = capture(map, rect, layerMask);
    if (block.empty()) return TilePatch{};
    const TileRect whole = unite(block.rect, TileRect{block.rect.column + dx, block.rect.row + dy,
                                                      block.rect.width, block.rect.height});
    TileMap scratch = map;
    apply(scratch, eraseRect(map, block.rect, layerMask));
    apply(scratch, placedAt(scratch, block, block.rect.column + dx, block.rect.row + dy));
    return capture(scratch, whole, layerMask);
}

TileMap resized(const TileMap& map, int width, int height, Anchor anchor) {
    TileMap out = TileMap::blank(map.tileSet, width, height);
    out.trailing = map.trailing;
    const int a = static_cast<int>(anchor);
    // The old map's top-left corner in the new one: left, centred or right; top, middle, bottom.
    const int shiftX = (a % 3) * (width - map.width) / 2;
    const int shiftY = (a / 3) * (height - map.height) / 2;
    for (int layer = 0; layer < kLayerCount; ++layer)
        for (int row = 0; row < map.height; ++row)
            for (int column = 0; column < map.width; ++column)
                if (out.inside(column + shiftX, row + shiftY))
                    out.at(layer, column + shiftX, row + shiftY) = map.at(layer, column, row);
    return out;
}

}  // namespace tessel
