#pragma once
// A small game directory for battle tests: data files, pictures, sounds and skill scripts,
// and an engine on the headless platform to fight in it.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/headless/EngineHarness.h"

// A 24-bit bitmap file of one colour (the picture files of the engine).
std::string SolidBmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);
// A short silent 8-bit mono WAV file.
std::string TinyWav();
// The .sc bytes of script source.
std::string CompileScript(std::string_view source);

class BattleGame {
  public:
    BattleGame();
    // Fights in the files of another game's directory.
    explicit BattleGame(const std::filesystem::path& sharedGameDir);

    // Writes everything a battle needs; the files can be overwritten afterwards.
    void WriteStandardFiles();
    void WriteCharacter(int n, std::string_view name, int maxHp, std::initializer_list<int> stats);
    void WriteEnemy(int n, std::string_view name, int maxHp, std::initializer_list<int> stats,
                    std::string_view actions);
    void WriteSkillScript(int id, std::string_view source);

    // Loads the tables and the shared pictures and sounds, as the start of play does.
    void LoadGame();
    // Installs the battle for group g from the field (five field actors) and runs its intro
    // until the player can move.
    void StartBattle(int group);

    // Holds the keys ("shift", "left right", "" for none) for `frames` frames.
    void Hold(std::string_view keys, int frames);
    // Holds the keys until `done` or `limit` frames; returns whether done was reached.
    template <typename Done>
    bool HoldUntil(std::string_view keys, int limit, Done done) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Hold(keys, 1);
        }
        return done();
    }

    // Trace lines of message boxes.
    std::vector<std::string> Boxes() const;

    EngineHarness h;
    Engine& engine;
};
