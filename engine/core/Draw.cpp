#include "engine/core/Draw.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/PixelRows.h"

namespace {

int ClampLevel(int level) {
    return std::clamp(level, 0, 32);
}

// Walks the clipped rows of a keyed copy, skipping rows outside the target.
template <typename RowOp>
void ForEachClippedRow(CDib& target, const ClippedBlt& c, const CDib& source, RowOp op) {
    if (c.Empty() || target.Empty()) return;
    const int firstRow = std::max(c.top, c.top - c.destY);
    const int lastRow = std::min(c.bottom, c.top - c.destY + target.Height());
    for (int row = firstRow; row < lastRow; ++row) {
        std::uint16_t* dst = target.Row(c.destY + row - c.top) + c.destX;
        op(dst, source.Row(row) + c.left, c.right - c.left);
    }
}

}  // namespace

ClippedBlt ClipBlt(int destX, int destY, const CDib& source, int left, int top, int right,
                   int bottom) {
    return ClipBltTo(kScreenWidth, destX, destY, source, left, top, right, bottom);
}

ClippedBlt ClipBltTo(int targetWidth, int destX, int destY, const CDib& source, int left, int top,
                     int right, int bottom) {
    ClippedBlt c{destX, destY, left, top, right, bottom};
    if (source.Empty() || right < left || bottom < top) return ClippedBlt{};
    // A rectangle starting outside the source is moved in with its destination.
    if (c.left < 0) {
        c.destX -= c.left;
        c.left = 0;
    }
    if (c.top < 0) {
        c.destY -= c.top;
        c.top = 0;
    }
    c.right = std::min(c.right, source.Width());
    c.bottom = std::min(c.bottom, source.Height());
    if (c.destX + (c.right - c.left) > targetWidth) c.right = c.left - c.destX + targetWidth;
    if (c.destX < 0) {
        c.left -= c.destX;
        c.destX = 0;
    }
    if (c.Empty()) return ClippedBlt{};
    return c;
}

void BltKeyed(Engine& engine, int destX, int destY, const CDib& source, int left, int top,
              int right, int bottom) {
    BltKeyed(engine.Screen, destX, destY, source, left, top, right, bottom);
}

void BltBlend(Engine& engine, int destX, int destY, const CDib& source, int left, int top,
              int right, int bottom, int level) {
    BltBlend(engine.Screen, destX, destY, source, left, top, right, bottom, level);
}

void BltCopy(Engine& engine, int destX, int destY, const CDib& source, int left, int top, int right,
             int bottom) {
    BltCopy(engine.Screen, destX, destY, source, left, top, right, bottom);
}

void BltKeyed(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
              int bottom) {
    ForEachClippedRow(target,
                      ClipBltTo(target.Width(), destX, destY, source, left, top, right, bottom),
                      source, [](std::uint16_t* dst, const std::uint16_t* src, int n) {
                          pixel_rows::Keyed(dst, src, n);
                      });
}

void BltBlend(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
              int bottom, int level) {
    level = ClampLevel(level);
    ForEachClippedRow(target,
                      ClipBltTo(target.Width(), destX, destY, source, left, top, right, bottom),
                      source, [level](std::uint16_t* dst, const std::uint16_t* src, int n) {
                          pixel_rows::Blend(dst, src, n, level);
                      });
}

void BltCopy(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
             int bottom) {
    if (source.Empty() || target.Empty()) return;
    int width = right - left;
    int height = bottom - top;
    if (width <= 0 || height <= 0) return;
    // Clip the copy to the source picture, then to the target, moving both origins together.
    const int skipX = std::max({0, -left, -destX});
    const int skipY = std::max({0, -top, -destY});
    left += skipX;
    destX += skipX;
    width -= skipX;
    top += skipY;
    destY += skipY;
    height -= skipY;
    width = std::min({width, source.Width() - left, target.Width() - destX});
    height = std::min({height, source.Height() - top, target.Height() - destY});
    if (width <= 0 || height <= 0) return;
    for (int row = 0; row < height; ++row)
        std::copy_n(source.Row(top + row) + left, width, target.Row(destY + row) + destX);
}

void FadeScreen(Engine& engine, int level) {
    if (engine.Screen.Empty()) return;
    level = ClampLevel(level);
    ChargeScriptWork(engine.Scripts, long{kScreenWidth} * kPageHeight * kPagePixelWork);
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y)
        pixel_rows::Shade(engine.Screen.Row(y), kScreenWidth, level);
}

void ClearScreen(Engine& engine) {
    if (engine.Screen.Empty()) return;
    for (int y = kVisibleTop; y < kVisibleTop + kPageHeight; ++y)
        std::fill_n(engine.Screen.Row(y), kScreenWidth, std::uint16_t{0});
}

void TintRect(Engine& engine, int x1, int y1, int x2, int y2, int level, std::uint16_t colour) {
    CDib& screen = engine.Screen;
    if (screen.Empty()) return;
    level = ClampLevel(level);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, screen.Width());
    y2 = std::min(y2, screen.Height());
    if (x2 <= x1) return;
    for (int y = y1; y < y2; ++y) pixel_rows::Tint(screen.Row(y) + x1, x2 - x1, level, colour);
}

namespace {

void FillClipped(CDib& screen, int x1, int y1, int x2, int y2, std::uint16_t colour) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, screen.Width());
    y2 = std::min(y2, screen.Height());
    if (x2 <= x1) return;
    for (int y = y1; y < y2; ++y) std::fill(screen.Row(y) + x1, screen.Row(y) + x2, colour);
}

}  // namespace

void FrameRect(Engine& engine, int left, int top, int right, int bottom, int penWidth,
               std::uint32_t colorRef) {
    CDib& screen = engine.Screen;
    if (screen.Empty()) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    const int pen = std::max(penWidth, 1);
    // A 1-pixel outline covers columns left..right-1 and rows top..bottom-1; a wider pen is
    // centred on that outline.
    const int outer = pen / 2;
    const int x1 = left - outer, y1 = top - outer;
    const int x2 = right - 1 - outer + pen, y2 = bottom - 1 - outer + pen;  // exclusive
    const std::uint16_t c = ColorRefTo555(colorRef);
    if (x2 - x1 <= 2 * pen || y2 - y1 <= 2 * pen) {
        FillClipped(screen, x1, y1, x2, y2, c);
        return;
    }
    FillClipped(screen, x1, y1, x2, y1 + pen, c);
    FillClipped(screen, x1, y2 - pen, x2, y2, c);
    FillClipped(screen, x1, y1 + pen, x1 + pen, y2 - pen, c);
    FillClipped(screen, x2 - pen, y1 + pen, x2, y2 - pen, c);
}

void DrawBevel(Engine& engine, int x, int y, int width, int height) {
    const int right = x + width;
    const int bottom = y + height;
    FrameRect(engine, x, y, right, bottom, 1, 0x202020);
    FrameRect(engine, x + 1, y + 1, right - 1, bottom - 1, 1, 0xD0D0D0);
    FrameRect(engine, x + 2, y + 2, right - 2, bottom - 2, 1, 0xFFFFFF);
    FrameRect(engine, x + 3, y + 3, right - 3, bottom - 3, 1, 0x202020);
}

void DrawWindowBox(Engine& engine, int x, int y, int width, int height) {
    DrawBevel(engine, x, y, width, height);
    TintRect(engine, x + 4, y + 4, x + width - 4, y + height - 4, 26, 31);
}
