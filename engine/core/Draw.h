#pragma once
#include <cstdint>
#include <string_view>

class CDib;
struct Engine;

// Drawing primitives. All draw into engine.Screen; y is a row of Screen (visible row r is
// r + 210). Source rectangles are left, top, right, bottom with right and bottom exclusive.
// Nothing is ever written outside Screen, and an empty source picture draws nothing.

// The source rectangle and destination after the keyed copies' clipping; empty when width <= 0.
struct ClippedBlt {
    int destX = 0, destY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};
// Clips horizontally to the 240 columns of Screen and to the source picture.
ClippedBlt ClipBlt(int destX, int destY, const CDib& source, int left, int top, int right,
                   int bottom);
// The same clipping for a target `targetWidth` pixels wide.
ClippedBlt ClipBltTo(int targetWidth, int destX, int destY, const CDib& source, int left, int top,
                     int right, int bottom);

// Copies the source rectangle, skipping source pixels of value 0.
void BltKeyed(Engine& engine, int destX, int destY, const CDib& source, int left, int top,
              int right, int bottom);
// Like BltKeyed, each copied pixel becoming ShadeTable(32 - level, dest) + ShadeTable(level,
// source): level 32 is an opaque keyed copy, 0 leaves Screen unchanged.
void BltBlend(Engine& engine, int destX, int destY, const CDib& source, int left, int top,
              int right, int bottom, int level);
// Opaque copy of the rectangle (size right - left by bottom - top from source origin left, top),
// clipped to both pictures.
void BltCopy(Engine& engine, int destX, int destY, const CDib& source, int left, int top, int right,
             int bottom);

// The three copies into any picture instead of Screen, clipped to its width and height the same
// way: the map editor draws whole maps with them.
void BltKeyed(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
              int bottom);
void BltBlend(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
              int bottom, int level);
void BltCopy(CDib& target, int destX, int destY, const CDib& source, int left, int top, int right,
             int bottom);

// Every pixel of the visible page becomes ShadeTable(level, pixel).
void FadeScreen(Engine& engine, int level);
// Every pixel of the visible page becomes 0.
void ClearScreen(Engine& engine);
// Pixels of rows y1..y2-1, columns x1..x2-1 become ShadeTable(32 - level, pixel) +
// ShadeTable(level, colour); colour is a 5-5-5 value.
void TintRect(Engine& engine, int x1, int y1, int x2, int y2, int level, std::uint16_t colour);
// A rectangle outline with a solid pen of the given width and colour (0x00BBGGRR); the inside
// is left alone.
void FrameRect(Engine& engine, int left, int top, int right, int bottom, int penWidth,
               std::uint32_t colorRef);
// Four nested 1-pixel outlines: 0x202020, 0xD0D0D0, 0xFFFFFF, 0x202020 from the outside in.
void DrawBevel(Engine& engine, int x, int y, int width, int height);
// The standard window of menus and messages: a bevel around a translucent dark blue panel.
void DrawWindowBox(Engine& engine, int x, int y, int width, int height);

// Outline mode of DrawString's colour: a dark outline instead of a drop shadow.
inline constexpr std::uint32_t kOutlineBit = 0x02000000;
// Shift-JIS text in the 12-pixel fonts with the cell's top at y: a shadow in 0x0F0F0F at
// (x + 1, y + 1), or with the outline bit the four neighbours, then the text in colour
// (0x00BBGGRR). Every caller passes height 12.
void DrawString(Engine& engine, std::string_view text, int height, int x, int y,
                std::uint32_t colour);
