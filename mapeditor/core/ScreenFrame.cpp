#include "mapeditor/core/ScreenFrame.h"

namespace tessel {

namespace {

constexpr int kVisibleTop = 210;  // the visible page's offset in the game's screen picture

// The game's camera clamp: raised to the low bound if below it, otherwise lowered to the high one.
int clampCamera(int v, int low, int high) {
    if (v < low) return low;
    return v > high ? high : v;
}

}  // namespace

FieldPosition fieldPositionOf(int column, int row) {
    return FieldPosition{16 * column + 8, 16 * row + 226};
}

ScreenFrame screenFrameAt(const TileMap& map, int column, int row) {
    const FieldPosition leader = fieldPositionOf(column, row);
    const int camX = clampCamera(leader.x - 120, 16, (map.width - 15) * 16);
    const int camY = clampCamera(leader.y - 324, 16, 16 * map.height - kVisibleTop);
    // A map pixel row py shows on the visible page at py - camY.
    return ScreenFrame{camX, camY};
}

}  // namespace tessel
