#pragma once
// The party's items and gold as the rest of the engine changes them. Every change goes through
// here so that the trace sees each new count ("item ID COUNT") and total ("gold TOTAL").
#include <cstdint>

struct Engine;

// How many of item `id` the party has; 0 for an id outside 1..999.
std::int32_t ItemCount(const Engine& engine, std::int32_t id);
std::int32_t Gold(const Engine& engine);

// Adds `delta` (negative takes) to the count of item `id`, kept within 0..99, and returns the new
// count. An id outside 1..999 changes nothing and gives 0. The trace line is written whenever the
// count changes.
std::int32_t ChangeItemCount(Engine& engine, std::int32_t id, std::int32_t delta);
// Adds `delta` to the gold, kept within 0..9,999,999, and returns the new total.
std::int32_t ChangeGold(Engine& engine, std::int32_t delta);
