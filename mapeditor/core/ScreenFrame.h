#pragma once
#include "mapeditor/core/TileMap.h"

namespace tessel {

inline constexpr int kScreenPixelsWide = 240;
inline constexpr int kScreenPixelsHigh = 210;

// Where an actor stands on a tile, in the field's coordinates (`f` 5 places it there).
struct FieldPosition {
    int x = 0, y = 0;
};
FieldPosition fieldPositionOf(int column, int row);

// The map pixels one screen of the game shows when the camera centres on a leader standing on
// (column, row): the camera's top-left corner, kept off the outermost row and column the way the
// game's camera is.
struct ScreenFrame {
    int left = 0, top = 0;
};
ScreenFrame screenFrameAt(const TileMap& map, int column, int row);

}  // namespace tessel
