#include "engine/battle/BattleGrid.h"

int DivideFloor(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

CellBox ActorCellBox(int x, int y, int width, int height) {
    CellBox box;
    box.columns = width > 0 ? (width + 31) / 32 : 0;
    box.rows = (height + 12) / 24;
    box.left = DivideFloor(x - DivideFloor(width, 2) - 7, 32);
    box.bottom = (y - 268) / 24;
    return box;
}

CellBox Shifted(CellBox box, int dir) {
    switch (dir) {
        case kDirUp:
            --box.bottom;
            break;
        case kDirDown:
            ++box.bottom;
            break;
        case kDirLeft:
            --box.left;
            break;
        case kDirRight:
            ++box.left;
            break;
        default:
            break;
    }
    return box;
}

void MarkBox(CellGrid& grid, const CellBox& box, std::int32_t value) {
    for (int c = box.left; c < box.left + box.columns; ++c) {
        for (int r = box.bottom - box.rows + 1; r <= box.bottom; ++r) {
            if (InsideGrid(c, r)) grid[c][r] = value;
        }
    }
}

bool BoxFree(const CellGrid& grid, const CellBox& box, int slot) {
    for (int c = box.left; c < box.left + box.columns; ++c) {
        for (int r = box.bottom - box.rows + 1; r <= box.bottom; ++r) {
            if (!InsideGrid(c, r)) return false;
            if (grid[c][r] != 0 && grid[c][r] != slot + 1) return false;
        }
    }
    return true;
}

std::optional<GridCell> OriginCell(const CellGrid& grid, int slot) {
    for (int c = 0; c < kGridSize; ++c) {
        for (int r = kGridSize - 1; r >= 0; --r) {
            if (grid[c][r] == slot + 1) return GridCell{c, r};
        }
    }
    return std::nullopt;
}

std::optional<GridCell> FirstCell(const CellGrid& grid, int slot) {
    for (int c = 0; c < kGridSize; ++c) {
        for (int r = 0; r < kGridSize; ++r) {
            if (grid[c][r] == slot + 1) return GridCell{c, r};
        }
    }
    return std::nullopt;
}
