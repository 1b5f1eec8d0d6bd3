#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/core/Keys.h"

struct Engine;

// Called at the start of each frame with its number and the keys (and F12) that are down.
using FrameObserver = std::function<void(std::uint64_t frame, KeyMask down)>;

// One turn of the loop: drain the window's events (F12 runs QuitGame; a requested close
// releases the devices and ends the game), then run a frame, present it and wait out the rest
// of its 16 ms. Returns false once the game has ended.
bool LoopOnce(Engine& engine, const FrameObserver& observer = {});

// Runs the loop until the game ends or `frameLimit` frames have run; returns the exit code of an
// orderly end (1).
int RunGame(Engine& engine, std::optional<std::uint64_t> frameLimit,
            const FrameObserver& observer = {});
