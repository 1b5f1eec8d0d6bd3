#pragma once
// The battle's Shift-JIS symbols; its words are the game's (engine/words).

// ―― between the current and the maximum hit points.
inline constexpr const char* kHpBarText = "\x81\x5c\x81\x5c";
