#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/platform/InputScript.h"
#include "engine/platform/Options.h"
#include "engine/save/SaveStore.h"

class Platform;
struct Engine;

// What a game needs from the command line whichever platform plays it: the game directory, the
// replayed keys and the place of the saved games.
struct GameLaunch {
    std::filesystem::path gameDir;
    InputScript input;
    std::unique_ptr<save::SaveStore> saves;
};

// Checks the game directory (--game-dir, else the program's directory), reads --input and picks
// the save store: --save-dir, else memory for a headless run, else the user's data directory.
// On failure returns nothing and sets `error` to a message for the command line.
std::optional<GameLaunch> PrepareLaunch(const Options& options, std::string& error);

// Gives the engine the launch's saves and seed, opens the display and installs the start-up
// scene; false (after the message box) when the display cannot be opened.
bool StartEngine(Engine& engine, const Options& options, GameLaunch& launch);

// Opens the display, installs the start-up scene and runs the loop until the game ends or the
// frame limit; writes --record at the end. Returns the program's exit code.
int PlayGame(Platform& platform, const Options& options, GameLaunch launch);
