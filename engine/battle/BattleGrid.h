#pragma once
#include <array>
#include <cstdint>
#include <optional>

inline constexpr int kGridSize = 7;
inline constexpr int kSlotCount = 11;
inline constexpr int kPartySlots = 4;

// Indexed [column][row]. The battle grid holds the occupying slot + 1 (0 when empty); the reach
// grid holds 1 where a skill can be aimed.
using CellGrid = std::array<std::array<std::int32_t, kGridSize>, kGridSize>;

struct GridCell {
    int column = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};

inline bool InsideGrid(int column, int row) {
    return column >= 0 && column < kGridSize && row >= 0 && row < kGridSize;
}

// The cells a combatant covers, from its horizontal centre x, bottom edge y and frame size.
struct CellBox {
    int left = 0;    // leftmost column
    int bottom = 0;  // lowest row
    int columns = 0;
    int rows = 0;
};

// Directions of steps, knock-backs and the cursor: 0 up, 1 down, 2 left, 3 right.
enum GridDirection : int { kDirUp = 0, kDirDown = 1, kDirLeft = 2, kDirRight = 3 };

int DivideFloor(int a, int b);

CellBox ActorCellBox(int x, int y, int width, int height);
CellBox Shifted(CellBox box, int dir);

// Writes value into every cell of the box that lies inside the grid.
void MarkBox(CellGrid& grid, const CellBox& box, std::int32_t value);

// True when every cell of the box lies inside the grid and is empty or held by the slot.
bool BoxFree(const CellGrid& grid, const CellBox& box, int slot);

// A slot's origin cell: its leftmost column and, there, its lowest row.
std::optional<GridCell> OriginCell(const CellGrid& grid, int slot);

// The first cell holding the slot scanning columns 0..6 and rows 0..6 within each.
std::optional<GridCell> FirstCell(const CellGrid& grid, int slot);

// The target cursor byte: column in bits 0..3, row in bits 4..7.
inline std::uint8_t PackCursor(GridCell c) {
    return static_cast<std::uint8_t>((c.column & 15) | ((c.row & 15) << 4));
}
inline GridCell UnpackCursor(std::uint8_t cursor) {
    return {cursor & 15, cursor >> 4};
}
