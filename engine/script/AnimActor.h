#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/core/CDib.h"
#include "engine/script/QDCR.h"

struct Engine;

// One drawn square of an animation: a 48 x 48 frame of the actor's sheet placed around the
// actor's origin, mirrored by a negative step, blended at its level (0 hides it).
struct AnimCell {
    std::int32_t x = 0, y = 0;
    std::int32_t column = 0, row = 0;
    std::int32_t stepX = 1, stepY = 1;
    std::int32_t level = 0;
};

inline constexpr int kAnimCellCount = 8;
inline constexpr int kAnimCellFieldCount = 7;
inline constexpr int kAnimFrameSize = 48;

// An animation player for battle effects: its own script with the `a` instructions, eight cells
// and a picture sheet.
struct AnimActor {
    QDCR script;
    std::int32_t active = 0;
    std::int32_t originX = 0, originY = 0;
    std::array<AnimCell, kAnimCellCount> cells{};
    CDib picture;
    std::string pictureName;  // what `a` 1 loaded into picture (a saved game loads it again)

    void ResetCells() { cells.fill(AnimCell{}); }
    // Back to the state of a new actor: empty script, inactive, no picture.
    void Clear();
    // Field `field` (0 x, 1 y, 2 column, 3 row, 4 step x, 5 step y, 6 level) of a cell.
    static std::int32_t& CellField(AnimCell& cell, int field);
};

inline constexpr int kAnimActorCount = 12;

// Loads "ev\anm\NAME" into the actor's script, resets its cells and makes it active.
void LoadAnimActor(Engine& engine, AnimActor& actor, std::string_view name);

// Draws cells 0..7 of the actor around its origin moved by (pointX, pointY).
void DrawAnimActor(Engine& engine, const AnimActor& actor, int pointX, int pointY);

// Runs the actor's script (the animation runner), then draws its cells.
void RunAndDrawAnimActor(Engine& engine, int index, int pointX, int pointY);
