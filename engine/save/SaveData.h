#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A saved game as plain data: everything play depends on, so that a resumed game is the same
// game. The engine's objects are captured into it and restored from it (SaveSnapshot.h); the file
// format (SaveFile.h) only ever sees this.
namespace save {

inline constexpr int kSlotCount = 4;

// A script context: the script (its name for messages and its bytes, since a game may change its
// scripts between sessions), the position and the values the script works with.
struct Script {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::uint32_t position = 0;
    std::array<std::int32_t, 8> variables{};
    std::string stringRegister;
};

struct Event {
    Script script;
    std::int32_t active = 0, savedActive = 0;
};

// An actor without its picture; the picture is loaded again by its mover's name.
struct Actor {
    std::int32_t x = 0, y = 0, width = 16, height = 16, facing = 0, walkFrame = 0;
    std::int32_t stepX = 1, stepY = 1, reserved0 = 0, reserved1 = 1, level = 0;
};

struct Mover {
    std::int32_t speed = 9, animCounter = 0, stepX = 0, stepY = 0, stepTimer = 0;
    Actor saved;
    std::string name;  // the picture name last given
};

struct AnimCell {
    std::int32_t x = 0, y = 0, column = 0, row = 0, stepX = 1, stepY = 1, level = 0;
};

struct Anim {
    Script script;
    std::int32_t active = 0, originX = 0, originY = 0;
    std::array<AnimCell, 8> cells{};
    std::string pictureName;  // empty: no sheet
};

struct Field {
    std::string mapName;
    std::int32_t tileSet = 0, width = 0, height = 0;
    std::vector<std::uint8_t> layers;
    std::array<std::int32_t, 256> tileAttributes{};
    std::int32_t camX = 0, camY = 0, cameraFollow = 0;
    std::int32_t talkPartner = 0, hitTestStart = 0, playerControl = 0, scriptMode = 0;
    std::int32_t battleBackground = 0, enemyGroup = 0;
};

struct TextBox {
    std::string text;  // up to the terminating zero
    std::int32_t lastPartStart = 0, previousPageLines = 0, pageDropPending = 0, revealed = 0;
    std::int32_t revealTimer = 0, speed = 11, scrollOffset = 0, linesToScroll = 0;
    std::int32_t linesDrawn = 0, firstLine = 0;
};

// What the game remembers across its scripts: the game variables and switches, the music a script
// chose for the field and the rules waiting for the next battle.
struct Memory {
    static constexpr std::size_t kVariableCount = 1000, kSwitchCount = 1000;
    std::array<std::int32_t, kVariableCount> variables{};
    std::array<std::uint8_t, kSwitchCount / 8> switches{};  // switch i is bit i % 8 of byte i / 8
    std::string fieldMusic;
    bool fieldMusicChosen = false;
    std::int32_t nextBattleRules = 0;
};

// A character's growth: its level, experience and the figures that levels raise (its hit points
// are in Game::hitPoints).
struct Member {
    static constexpr std::int32_t kMaxLevel = 99, kMaxExperience = 9'999'999, kMaxPoints = 9999;
    std::int32_t level = 1, experience = 0, maxHp = 0, maxLp = 0;
    std::array<std::uint8_t, 8> stats{};
};

// The party's items and gold, and the growth of every character.
struct Holdings {
    static constexpr std::size_t kItemIds = 1000;  // counts by item id, 0 unused
    static constexpr std::int32_t kMaxCount = 99, kMaxGold = 9'999'999;
    std::vector<std::uint8_t> itemCounts;  // empty, or kItemIds counts
    std::int32_t gold = 0;
    std::vector<Member> members;  // by character number
};

// Which routine the frame loop runs while the player plays on (the save menu hands back to it).
enum class Mode : std::uint8_t { PlayerControl = 0, ScriptMode = 1, TextBoxMode = 2 };

// What the title and the save menu show of a slot without reading the rest.
struct Summary {
    std::string leaderName;  // Shift-JIS
    std::string mapName;
    std::uint64_t playTimeMs = 0;
};

// The script that opened the save menu: it goes on after its `f` 25 with P2 = 2.
inline constexpr std::int32_t kGlobalScript = -1;

struct Game {
    std::string gameIdentity;  // the game that wrote the save; empty when it cannot be checked
    Summary summary;
    Mode mode = Mode::ScriptMode;
    std::int32_t inputTimer = 0;
    std::uint32_t randomState = 1;
    std::int32_t savePointScript = kGlobalScript;  // kGlobalScript or an event object's index
    Script global;
    std::vector<Event> events;
    std::vector<Actor> actors;
    std::vector<Mover> movers;
    std::array<Anim, 12> anims;
    Field field;
    TextBox text;
    std::array<std::int32_t, 4> party{};
    std::vector<std::int32_t> hitPoints;  // by character number
    std::string music;
    bool musicOpen = false;
    Memory memory;      // empty in saves older than the game state
    Holdings holdings;  // empty in saves older than items and levels
};

}  // namespace save
