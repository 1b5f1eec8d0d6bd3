#pragma once
#include <cstdint>

class CDib;
struct Engine;

// One frame of a picture sheet drawn blended onto Screen, each way mirrored or not.
struct SpriteFrame {
    int left = 0, top = 0;  // the frame's square in the sheet
    int width = 0, height = 0;
    int firstX = 0, firstY = 0;  // where the frame's first column and row land on Screen
    bool mirrorX = false;        // columns run leftwards from firstX
    bool mirrorY = false;        // rows run upwards from firstY
};

// Draws the frame's non-zero pixels as ShadeTable(32 - level, screen) + ShadeTable(level, pixel).
// Columns are clipped to 0..239, rows to Screen, and the frame to the sheet; level 0 draws
// nothing and levels above 32 draw opaquely.
void DrawSpriteFrame(Engine& engine, const CDib& sheet, const SpriteFrame& frame, int level);
