#include "engine/field/SpriteDraw.h"

#include <algorithm>

#include "engine/core/Engine.h"
#include "engine/core/PixelRows.h"

void DrawSpriteFrame(Engine& engine, const CDib& sheet, const SpriteFrame& frame, int level) {
    level = std::min(level, 32);
    if (level <= 0 || sheet.Empty()) return;
    CDib& screen = engine.Screen;
    const int dirX = frame.mirrorX ? -1 : 1;
    const int dirY = frame.mirrorY ? -1 : 1;
    const std::uint16_t* keep = engine.ShadeTable.Level(32 - level);
    const std::uint16_t* add = engine.ShadeTable.Level(level);
    // Source columns whose destination and source both exist.
    int firstColumn = 0, endColumn = frame.width;
    firstColumn = std::max(firstColumn, -frame.left);
    endColumn = std::min(endColumn, sheet.Width() - frame.left);
    if (dirX > 0) {
        firstColumn = std::max(firstColumn, -frame.firstX);
        endColumn = std::min(endColumn, kScreenWidth - frame.firstX);
    } else {
        firstColumn = std::max(firstColumn, frame.firstX - (kScreenWidth - 1));
        endColumn = std::min(endColumn, frame.firstX + 1);
    }
    if (firstColumn >= endColumn) return;
    for (int r = 0; r < frame.height; ++r) {
        const int sourceRow = frame.top + r;
        const int destRow = frame.firstY + dirY * r;
        if (sourceRow < 0 || sourceRow >= sheet.Height()) continue;
        if (destRow < 0 || destRow >= screen.Height()) continue;
        const std::uint16_t* src = sheet.Row(sourceRow);
        std::uint16_t* dst = screen.Row(destRow);
        if (dirX > 0) {
            pixel_rows::Blend(dst + frame.firstX + firstColumn, src + frame.left + firstColumn,
                              endColumn - firstColumn, level);
            continue;
        }
        for (int c = firstColumn; c < endColumn; ++c) {
            const std::uint16_t pixel = src[frame.left + c];
            if (pixel == 0) continue;
            std::uint16_t& out = dst[frame.firstX - c];
            out = static_cast<std::uint16_t>(keep[out] + add[pixel]);
        }
    }
}
