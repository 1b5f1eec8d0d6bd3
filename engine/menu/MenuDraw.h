#pragma once
// The drawing the shop and the field menu share, in the window style of every menu of the game.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/menu/MenuState.h"

struct Engine;

inline constexpr std::uint32_t kMenuWhite = 0xFFFFFF;
inline constexpr std::uint32_t kMenuYellow = 0x00FFFF;
inline constexpr std::uint32_t kMenuGrey = 0x909090;

// Fills the view's box with `count` entries at (x, y), `width` wide, and `rows` visible.
void ResetListView(ListView& view, int count, int x, int y, int width, int rows);
// Keeps the cursor in view, then draws the window, the visible entries with their figures and the
// cursor picture.
void DrawListView(Engine& engine, ListView& view);

// Text whose right edge stands at `right` (12-pixel font, 6 pixels a byte).
void DrawRightAligned(Engine& engine, std::string_view text, int right, int y,
                      std::uint32_t colour = kMenuWhite);

// The party's gold in a one-line window.
void DrawGoldBox(Engine& engine, int x, int y, int width);

// The longest start of the Shift-JIS `text` that fits `bytes`, never cutting a character.
std::string_view CutToWidth(std::string_view text, std::size_t bytes);

// A one-line window about the page's middle at `y`, as wide as its text needs.
void DrawNoticeBox(Engine& engine, std::string_view text, int y);

// A key press a menu step acts on: Shift or Ctrl that went down after both were up, so that a key
// held from the step before never acts twice.
enum class MenuKey { None, Confirm, Back };
MenuKey ReadMenuKey(Engine& engine, bool& armed);
