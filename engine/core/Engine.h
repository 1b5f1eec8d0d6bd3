#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/Random.h"
#include "engine/core/CDib.h"
#include "engine/core/Keys.h"
#include "engine/core/Platform.h"
#include "engine/core/ShadeTable.h"
#include "engine/core/Sound.h"

// ---- Engine-wide state headers of the other subsystems go here. ----
// Each header must not include Engine.h itself (forward-declare `struct Engine;` instead).
#include "engine/battle/BattleState.h"
#include "engine/battle/GameData.h"
#include "engine/field/FieldState.h"
#include "engine/field/TextBox.h"
#include "engine/game/GameState.h"
#include "engine/items/ItemState.h"
#include "engine/menu/MenuState.h"
#include "engine/save/SaveSystem.h"
#include "engine/script/ScriptSystem.h"
#include "engine/title/TitleState.h"
#include "engine/words/Words.h"

struct Engine;

// A routine slot's content: called once a frame with the engine.
using Routine = void (*)(Engine&);

// The routine that does nothing: the resting value of every slot.
void IdleProc(Engine& engine);

// The order in which QuitGame frees the engine-wide objects. The subsystem that owns them
// registers the step (RegisterShutdown) when it creates them; the core only keeps the order.
enum class ShutdownStep : int {
    FieldState,      // the map layers, tile picture, movement records and event objects
    BattleState,     // only while a battle runs
    ActorTable,      // the actors with their pictures
    CharacterTable,  //
    GlobalScript,    //
    SkillTable,      //
    AnimActors,      // the twelve animation players
    Count
};

// A change of scene a routine asks for (RequestSceneChange). The frame loop makes it after the
// frame's routines, so that no routine destroys the object it runs inside; the subsystem that
// owns the scene registers the routine that makes it (RegisterSceneChange).
enum class SceneChange : int {
    None,
    Title,  // back to the title menu, the game in play discarded
    Count
};

// Asked before a message box is shown: false keeps it back. A subsystem may install one for a
// while (the script runners do, so that a faulty loop reports its fault once).
using BoxGate = bool (*)(Engine& engine, std::string_view text);

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 630;
inline constexpr int kPageHeight = 210;
inline constexpr int kVisibleTop = 210;  // rows 210..419 of Screen are shown
inline constexpr int kPictureSlotCount = 20;
inline constexpr int kFramePeriodMs = 16;

// Every engine-wide object lives here, from start-up to QuitGame. One Engine per running game.
struct Engine {
    Engine(Platform& platform, std::filesystem::path gameDir);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    ~Engine();

    Platform& platform;
    // The directory every asset name is relative to (the program's directory or --game-dir).
    std::filesystem::path gameDir;

    // ---- frame loop and keys ----
    Routine SceneProc = IdleProc;
    Routine ModeProc = IdleProc;
    Routine SpareProc = IdleProc;
    KeyStates Keys;               // indexed by Key
    std::int32_t FrameMs = 0;     // milliseconds between the starts of the last two frames
    std::int32_t InputTimer = 0;  // grows by FrameMs each frame; scenes reset it
    std::uint32_t LastTick = 0;
    std::uint64_t FrameNumber = 0;                 // the running frame, counted from 1
    bool CloseRequested = false;                   // QuitGame has asked the window to close
    SceneChange PendingScene = SceneChange::None;  // made at the end of the frame
    std::array<Routine, static_cast<int>(SceneChange::Count)> SceneChanges{};
    bool InPlay = false;           // a game is being played (not the title screens)
    std::uint64_t PlayTimeMs = 0;  // milliseconds played, kept in saved games

    // ---- random generator ----
    kit::Random random;
    std::optional<std::uint32_t>
        fixedSeed;  // --seed (or the headless default) instead of the clock

    // ---- display ----
    CDib Screen;                 // 240 x 630; rows 210..419 are the visible page
    BrightnessTable ShadeTable;  // 33 brightness levels
    std::array<CDib, kPictureSlotCount> PictureSlots;

    // ---- sound ----
    std::array<SoundSlot, kSoundSlotCount> SoundSlots;
    MusicState Music;

    // ---- later subsystems add their engine-wide state below, one member each ----
    // (script contexts, field state, battle state, title state). A member whose type is only
    // forward-declared can be a std::unique_ptr: Engine's destructor is defined in Engine.cpp,
    // where the full type is known. Each subsystem registers its shutdown step (RegisterShutdown).
    TitleState Title;      // the frame counters and the menu of the screens before play
    ScriptSystem Scripts;  // the global script and the animation players
    FieldState Field;      // the map, the movers and the event objects
    ActorTable Actors;     // everything drawn on the map
    TextBox Text;          // the message window
    SaveSystem Saves;      // the save slots and the save menu
    GameState Game;        // game variables and switches, field music, next battle's rules
    Words GameWords;       // the texts the engine shows to players
    ItemState Items;       // the item table, the party's items and gold
    MenuState Menus;       // the shop and the field menu
    std::array<Routine, static_cast<int>(ShutdownStep::Count)> ShutdownSteps{};
    BoxGate MessageBoxGate = nullptr;
    // The game maker's debug view (--debug): when installed, F9 shows and hides it, and while it
    // is shown it presents the frames in place of the plain page.
    Routine PresentDebugView = nullptr;
    bool DebugViewShown = false;
    // Opens the field menu when the game has one (engine/menu installs it); the player's control
    // calls it on Enter.
    Routine OpenFieldMenu = nullptr;

    // ---- game data and battle ----
    std::vector<CharRecord> CharacterTable;  // by character number; hit points persist here
    std::array<std::int32_t, 4> PartyLineup = kStartLineup;  // character numbers, 0 = empty
    std::vector<SkillRecord> SkillTable;                     // by skill id
    std::unique_ptr<BattleState> Battle;                     // only while a battle runs
    BattleMarkerBlink MarkerBlink;
};

// Shows a modal error box (caption "エラー発生") with the Shift-JIS text; always returns false so
// that loaders can return its result as their failure.
bool ErrorBox(Engine& engine, std::string_view sjisText);

// The game directory as text, ending in a path separator.
std::string ModuleDir(const Engine& engine);

// The path of a relative asset name such as "pic\\title" under the game directory. Backslashes
// become separators; an exact match is tried first, then one that ignores letter case one path
// component at a time. When nothing matches, the exact path is returned (opening it then fails).
std::filesystem::path AssetPath(const Engine& engine, std::string_view relativeName);

// Tells the author which file a failed load tried (see Platform::NoteLoadFailure); `relativeName`
// is the asset name with its extension, as for AssetPath.
void NoteLoadFailure(const Engine& engine, std::string_view relativeName);

// Seeds the random generator: with the fixed seed when one was given, otherwise the tick count.
void SeedRandom(Engine& engine);

// Asks for a change of scene at the end of the running frame.
void RequestSceneChange(Engine& engine, SceneChange change);
// Makes `routine` carry out `change`.
void RegisterSceneChange(Engine& engine, SceneChange change, Routine routine);

// The per-frame work: poll the keys, advance InputTimer, call the three slots, then make the
// change of scene asked for.
void RunFrame(Engine& engine);
void PollKeys(Engine& engine);

// The orderly shutdown (F12): every slot idles, every engine-wide object is freed in the order of
// ShutdownStep, and the window is asked to close.
void QuitGame(Engine& engine);
// Makes `step` part of QuitGame; registering a step again replaces it.
void RegisterShutdown(Engine& engine, ShutdownStep step, Routine routine);

// Opens the display: builds ShadeTable and creates Screen.
bool DisplayOpen(Engine& engine);
// What the close of the window releases: music, Screen, every effect buffer.
void CloseDevices(Engine& engine);
