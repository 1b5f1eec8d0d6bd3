#include "tools/mapmake/MapText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <sstream>

#include "engine/field/MapFile.h"
#include "tools/common/TextLines.h"

namespace tools {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string w;
    while (in >> w) {
        if (w[0] == '#') break;
        out.push_back(w);
    }
    return out;
}

// A decimal number from lo to hi; leading zeros change nothing ("010" is ten).
std::optional<int> toInt(const std::string& s, int lo, int hi) {
    int v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v, 10);
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || v < lo || v > hi)
        return std::nullopt;
    return v;
}

struct Cell {
    std::uint8_t ground = 0, upper = kEmptyTile, overlay = kEmptyTile, mark = 0;
};

std::string at(std::size_t line) {
    return "line " + std::to_string(line + 1) + ": ";
}

}  // namespace

std::string makeMap(std::string_view text, std::vector<std::uint8_t>& out) {
    std::vector<std::string> lines = splitLines(text);
    std::optional<int> tileset;
    std::array<std::optional<Cell>, 256> legend{};
    std::vector<std::string> rows;
    enum { Top, Legend, Grid } section = Top;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (section == Grid) {
            std::string row = lines[i];
            while (!row.empty() && (row.back() == ' ' || row.back() == '\t')) row.pop_back();
            if (row.empty()) continue;
            rows.push_back(row);
            continue;
        }
        std::vector<std::string> w = words(lines[i]);
        if (w.empty()) continue;
        if (w[0] == "tileset" && w.size() == 2) {
            tileset = toInt(w[1], 0, 255);
            if (!tileset) return at(i) + "tileset must be 0..255";
        } else if (w[0] == "legend" && w.size() == 1) {
            section = Legend;
        } else if (w[0] == "grid" && w.size() == 1) {
            section = Grid;
        } else if (section == Legend) {
            if (w[0].size() != 1 || w.size() < 2) return at(i) + "legend lines are: C GROUND ...";
            Cell cell;
            auto g = toInt(w[1], 0, 255);
            if (!g) return at(i) + "ground tile must be 0..255";
            cell.ground = static_cast<std::uint8_t>(*g);
            for (std::size_t k = 2; k < w.size(); k += 2) {
                if (k + 1 >= w.size()) return at(i) + "'" + w[k] + "' needs a value";
                bool isMark = w[k] == "mark";
                auto v = toInt(w[k + 1], isMark ? 1 : 0, isMark ? 63 : 255);
                if (!v) return at(i) + "bad value for '" + w[k] + "'";
                auto b = static_cast<std::uint8_t>(*v);
                if (w[k] == "upper") {
                    cell.upper = b;
                } else if (w[k] == "overlay") {
                    cell.overlay = b;
                } else if (isMark) {
                    cell.mark = b;
                } else {
                    return at(i) + "unknown layer '" + w[k] + "'";
                }
            }
            legend[static_cast<unsigned char>(w[0][0])] = cell;
        } else {
            return at(i) + "unknown line '" + w[0] + "'";
        }
    }
    if (!tileset) return "no tileset given";
    if (rows.empty()) return "no grid given";
    const std::size_t width = rows[0].size();
    const std::size_t height = rows.size();
    if (width > 0xFFFF || height > 0xFFFF) return "map too large";
    for (std::size_t r = 0; r < height; ++r) {
        if (rows[r].size() != width)
            return "grid row " + std::to_string(r + 1) + " is " + std::to_string(rows[r].size()) +
                   " wide, the first is " + std::to_string(width);
        for (char c : rows[r])
            if (!legend[static_cast<unsigned char>(c)])
                return "grid row " + std::to_string(r + 1) + ": '" + c + "' is not in the legend";
    }
    MapData map{*tileset, static_cast<int>(width), static_cast<int>(height), {}};
    map.layers.reserve(4 * width * height);
    for (int layer = 0; layer < 4; ++layer)
        for (const std::string& row : rows)
            for (char c : row) {
                const Cell& cell = *legend[static_cast<unsigned char>(c)];
                const std::uint8_t v[4] = {cell.ground, cell.upper, cell.mark, cell.overlay};
                map.layers.push_back(v[layer]);
            }
    out = WriteMapFile(map);
    return "";
}

namespace {

// Legend characters: every printable character but '#', which starts a comment.
constexpr std::string_view kLegendCharacters =
    ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    ",:;=~-+*!\"$%&'()/<>?@[\\]^_`{|}";

std::string cellDescription(char c, const std::array<std::uint8_t, 4>& v) {
    std::string line(1, c);
    line += " " + std::to_string(v[0]);
    if (v[1] != kEmptyTile) line += " upper " + std::to_string(v[1]);
    if (v[3] != kEmptyTile) line += " overlay " + std::to_string(v[3]);
    if (v[2] != 0) line += " mark " + std::to_string(v[2]);
    return line + "\n";
}

}  // namespace

std::string writeMapText(int tileSet, int width, int height, std::span<const std::uint8_t> layers,
                         std::string& out) {
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width <= 0 || height <= 0) return "a map without tiles has no text form";
    if (layers.size() != 4 * area) return "the layers do not match the size";
    std::vector<std::array<std::uint8_t, 4>> cells;  // legend entry i is kLegendCharacters[i]
    std::string grid;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const std::size_t at = static_cast<std::size_t>(row * width + column);
            const std::array<std::uint8_t, 4> v = {layers[at], layers[area + at],
                                                   layers[2 * area + at], layers[3 * area + at]};
            if (v[2] > 63)
                return "the mark at column " + std::to_string(column) + ", row " +
                       std::to_string(row) + " is " + std::to_string(v[2]) +
                       "; the text form holds marks 1..63";
            auto found = std::find(cells.begin(), cells.end(), v);
            if (found == cells.end()) {
                if (cells.size() == kLegendCharacters.size())
                    return "the map has more than " + std::to_string(kLegendCharacters.size()) +
                           " different cells, more than the legend can name";
                found = cells.insert(cells.end(), v);
            }
            grid += kLegendCharacters[static_cast<std::size_t>(found - cells.begin())];
        }
        grid += '\n';
    }
    out = "tileset " + std::to_string(tileSet) + "\nlegend\n";
    for (std::size_t i = 0; i < cells.size(); ++i)
        out += cellDescription(kLegendCharacters[i], cells[i]);
    out += "grid\n" + grid;
    return "";
}

std::string makeAttributes(std::string_view text, std::vector<std::uint8_t>& out) {
    out.assign(256, 0);
    std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> w = words(lines[i]);
        if (w.empty()) continue;
        if (w[0] != "block") return at(i) + "unknown line '" + w[0] + "'";
        for (std::size_t k = 1; k < w.size(); ++k) {
            std::size_t dash = w[k].find('-', 1);
            auto lo = toInt(w[k].substr(0, dash), 0, 255);
            auto hi = dash == std::string::npos ? lo : toInt(w[k].substr(dash + 1), 0, 255);
            if (!lo || !hi || *hi < *lo) return at(i) + "bad tile number '" + w[k] + "'";
            for (int b = *lo; b <= *hi; ++b) out[TileAttributeOffset(b)] |= 0x20;
        }
    }
    return "";
}

std::string writeAttributesText(std::span<const std::uint8_t> bytes, std::string_view comments,
                                std::string& out) {
    if (bytes.size() != 256) return "an attribute file holds 256 bytes";
    std::string ranges;
    for (int tile = 0; tile < 256; ++tile) {
        const std::uint8_t b = bytes[TileAttributeOffset(tile)];
        if ((b & ~0x20) != 0)
            return "tile " + std::to_string(tile) + " has attribute bits the text form cannot say";
        if (b == 0) continue;
        int last = tile;
        while (last + 1 < 256 && bytes[TileAttributeOffset(last + 1)] == 0x20) ++last;
        ranges += " " + std::to_string(tile) + (last > tile ? "-" + std::to_string(last) : "");
        tile = last;
    }
    out = std::string(comments);
    if (!ranges.empty()) out += "block" + ranges + "\n";
    return "";
}

}  // namespace tools
