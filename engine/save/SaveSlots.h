#pragma once
#include <cstdint>
#include <string>

struct Engine;

// The four slots as the title and the save menu show them.

// Reads every slot again: empty, a save this game can resume (with its summary), or damaged.
void ScanSaveSlots(Engine& engine);
bool AnySlotUsed(const Engine& engine);

// Play time as "h:mm".
std::string PlayTimeText(std::uint64_t ms);

// Draws slot `slot`'s 220 x 45 box at (10, y), darkened unless `bright`. An empty slot reads
// "DATA X" on the title (as it always has) and "DATA n" in the save menu; a save shows "DATA n",
// the leader's name, the map and the play time; a damaged one "DATA n ── 読めません".
enum class SlotLabel { Title, SaveMenu };
void DrawSlotBox(Engine& engine, int slot, int y, bool bright, SlotLabel label);
