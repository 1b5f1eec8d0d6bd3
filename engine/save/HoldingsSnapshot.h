#pragma once
// The party's items, gold and growth in and out of a saved game.
#include "engine/save/SaveData.h"

struct Engine;

save::Holdings CaptureHoldings(const Engine& engine);
// A save without them (an older version) leaves no items, no gold and every character as its
// file describes it.
void RestoreHoldings(Engine& engine, const save::Holdings& h);
