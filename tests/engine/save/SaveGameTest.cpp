// The save point `#f25;`, loading from the title and the way back to it after a defeat, played
// on a small game through the headless platform.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "BattleGame.h"
#include "engine/battle/Battle.h"
#include "engine/save/GameIdentity.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveMenu.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/script/ScriptRunner.h"
#include "engine/title/StartUp.h"
#include "engine/title/Title.h"

namespace {

// The party walks a 10 x 8 room. START places it, hands out a text page, reaches the save point
// (in the global script, or in event object 5's script "ev\chr\saver"), then shows a page and
// gives the player control. Variable 5 counts the passes through the save point.
constexpr const char* kStart =
    "c0;0;6;=f11;c4;=$room//f13;f12;"
    "c0;0;2;=c0;1;2;=c0;3;0;=f5;f6;";
constexpr const char* kSavePoint = "#f25;c0;5;1;+c4;=$hello//f1;#f8;c4;=$//f1;";
constexpr const char* kIdle = "@IDLE//#c2;1;$IDLE//";

struct Step {
    const char* keys;
    int frames;
};

class SaveGame : public ::testing::Test {
  protected:
    explicit SaveGame(bool saveInEvent = false) : inEvent_(saveInEvent) {
        g.WriteStandardFiles();
        for (const char* name : {"pic\\QD-logo.qdg", "pic\\title.qdg", "pic\\title_bg.qdg",
                                 "pic\\cur0.qdg", "pic\\f-hero.qdg"})
            g.h.WriteFile(name, SolidBmp(16, 16, 90, 90, 200));
        g.h.WriteFile("Smt\\map0.qdg", SolidBmp(256, 256, 40, 160, 40));
        g.h.WriteFile("Smt\\sMat0.qd", std::string(256, '\0'));
        // 16 x 15 tiles: the whole view, so that every frame paints every pixel.
        g.h.WriteFile("Mt\\room.qd", std::string("\x00\x10\x00\x0F\x00", 5) + std::string(240, 1) +
                                         std::string(720, 0));
        const std::string start = std::string(kStart);
        if (saveInEvent) {
            g.h.WriteFile("ev\\START.sc",
                          CompileScript(start + "f0;c0;3;5;=c4;=$saver//f2;" + kIdle));
            g.h.WriteFile("ev\\chr\\saver.sc",
                          CompileScript(std::string(kSavePoint) + "f0;" + kIdle));
        } else {
            g.h.WriteFile("ev\\START.sc", CompileScript(start + kSavePoint + "f0;" + kIdle));
        }
        g.engine.SceneProc = StartUp;
        // The engine was made before its game was written: it learns the game's identity now.
        g.engine.Saves.gameIdentity = save::GameIdentity(g.h.gameDir);
    }

    void Play(const std::vector<Step>& steps) {
        for (const Step& step : steps) g.Hold(step.keys, step.frames);
    }
    // Skips the logo to the title menu and waits until it takes keys.
    void ToTitleMenu() { Play({{"shift", 1}, {"", 16}}); }
    // From the title menu: a new game, played until the save menu is open.
    void ToSaveMenu() {
        Play({{"shift", 1}});
        ASSERT_TRUE(g.HoldUntil("", 60, [&] { return g.engine.ModeProc == SaveMenuMode; }));
    }
    QDCR& Saver() {
        return inEvent_ ? g.engine.Field.events[5]->script : g.engine.Scripts.GlobalScript;
    }
    std::optional<save::Game> Slot(int slot) {
        const auto bytes = g.engine.Saves.store->Read(slot);
        return bytes ? save::DecodeSave(*bytes) : std::nullopt;
    }

    bool inEvent_;
    BattleGame g;
};

struct MenuCase {
    const char* name;
    bool saveInEvent;
    bool slotHoldsSomething;
    std::vector<Step> keys;  // once the save menu is open
    std::int32_t p2;
    bool saved;
};

void PrintTo(const MenuCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveMenuFlow : public SaveGame, public ::testing::WithParamInterface<MenuCase> {
  protected:
    SaveMenuFlow() : SaveGame(GetParam().saveInEvent) {}
};

TEST_P(SaveMenuFlow, AnswersTheScript) {
    const MenuCase& c = GetParam();
    if (c.slotHoldsSomething) g.engine.Saves.store->Write(0, {'o', 'l', 'd'});
    ToTitleMenu();
    ToSaveMenu();
    Play(c.keys);
    Play({{"", 3}});
    ASSERT_NE(g.engine.ModeProc, SaveMenuMode);
    EXPECT_EQ(Saver().variables[2], c.p2);
    EXPECT_EQ(Saver().variables[5], 1);  // the script went on once
    EXPECT_EQ(Slot(0).has_value(), c.saved);
    EXPECT_TRUE(!c.saved || Slot(0)->summary.mapName == "room");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SaveMenuFlow,
    ::testing::Values(
        MenuCase{"ShiftSavesIntoTheEmptySlot", false, false, {{"", 2}, {"shift", 2}}, 1, true},
        MenuCase{"AnEventScriptSavesToo", true, false, {{"", 2}, {"shift", 2}}, 1, true},
        MenuCase{"CtrlCancels", false, false, {{"", 2}, {"ctrl", 2}}, 0, false},
        // A Shift still held from the text page before the menu does not choose.
        MenuCase{
            "AHeldShiftDoesNotSave", false, false, {{"shift", 30}, {"", 1}, {"ctrl", 2}}, 0, false},
        MenuCase{"OverwritingAsksFirst",
                 false,
                 true,
                 {{"", 2}, {"shift", 2}, {"", 2}, {"shift", 2}},
                 1,
                 true},
        MenuCase{"NoToTheQuestionGoesBackToTheSlots",
                 false,
                 true,
                 {{"", 2}, {"shift", 2}, {"", 2}, {"ctrl", 2}, {"", 2}, {"ctrl", 2}},
                 0,
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveGame, ABattleScriptIsRefused) {
    QDCR skill;
    skill.Load(std::vector<std::uint8_t>{'#', 'f', 25, ';', 0});
    skill.SetPosition(1);
    RunBattleScript(g.engine, skill, nullptr);
    ASSERT_EQ(g.Boxes().size(), 1u);
    EXPECT_NE(g.Boxes()[0].find("a battle script cannot open the save menu"), std::string::npos);
    EXPECT_EQ(g.engine.ModeProc, IdleProc);
}

// The game loaded from the title is the game that was saved: the same keys lead to the same
// state, and the save point answers 2. (The sample game's test compares frames and events.)
TEST_F(SaveGame, ALoadedGameGoesOnExactlyAsTheSavedOne) {
    const std::vector<Step> after = {{"", 20},      {"shift", 2}, {"", 10},
                                     {"right", 40}, {"down", 20}, {"", 5}};
    ToTitleMenu();
    ToSaveMenu();
    Play({{"", 2}, {"shift", 1}});
    Play(after);

    BattleGame loaded(g.h.gameDir);
    loaded.engine.Saves.store->Write(0, *g.engine.Saves.store->Read(0));
    loaded.engine.SceneProc = StartUp;
    loaded.Hold("shift", 1);
    loaded.Hold("", 16);
    EXPECT_EQ(loaded.engine.Saves.views[0].state, SlotView::State::Saved);
    EXPECT_EQ(loaded.engine.Saves.views[0].summary.leaderName, "Beth");
    loaded.Hold("down", 1);
    loaded.Hold("shift", 1);
    for (const Step& step : after) loaded.Hold(step.keys, step.frames);

    // The one difference: the save point answered 2 (resumed) instead of 1 (saved).
    EXPECT_EQ(std::exchange(loaded.engine.Scripts.GlobalScript.variables[2], 1), 2);
    EXPECT_EQ(save::EncodeSave(CaptureGame(loaded.engine, save::Mode::ScriptMode, -1)),
              save::EncodeSave(CaptureGame(g.engine, save::Mode::ScriptMode, -1)));
}

// The title loads only a save this game can play; any other shows as "DATA 2 ── 読めません"
// and choosing it stays on the title.
TEST_F(SaveGame, TheTitleLoadsOnlyASaveThisGameCanPlay) {
    ToTitleMenu();
    ToSaveMenu();
    Play({{"", 2}, {"shift", 1}});
    const save::Game saved = *Slot(0);
    EXPECT_EQ(saved.gameIdentity.substr(0, 6), "start-") << "a save records its game";
    const struct {
        const char* name;
        std::uint32_t version;
        void (*change)(save::Game&);
        bool loads;
    } cases[] = {
        {"this game's", save::kSaveVersion, [](save::Game&) {}, true},
        {"version 1, unchecked", save::kVersionFirst, [](save::Game&) {}, true},
        {"newer", save::kSaveVersion + 1, [](save::Game&) {}, false},
        {"another game's", save::kSaveVersion, [](save::Game& s) { s.gameIdentity = "x"; }, false},
        {"a text box crafted to crash", save::kSaveVersion,
         [](save::Game& s) {
             s.mode = save::Mode::TextBoxMode;
             s.text.revealed = -2000000000;
         },
         false},
    };
    for (const auto& c : cases) {
        BattleGame title(g.h.gameDir);
        save::Game game = saved;
        c.change(game);
        title.engine.Saves.store->Write(1, save::EncodeSave(game, c.version));
        title.engine.SceneProc = StartUp;
        for (const Step& step : {Step{"shift", 1}, Step{"", 16}, Step{"down", 1}, Step{"", 8},
                                 Step{"down", 1}, Step{"shift", 1}, Step{"", 2}})
            title.Hold(step.keys, step.frames);
        EXPECT_EQ(title.engine.Saves.views[1].state,
                  c.loads ? SlotView::State::Saved : SlotView::State::Damaged)
            << c.name;
        EXPECT_EQ(title.engine.InPlay, c.loads) << c.name;
        EXPECT_EQ(title.engine.SceneProc == TitleMenu, !c.loads) << c.name;
    }
}

TEST_F(SaveGame, DefeatGoesBackToTheTitleAfterTwoSeconds) {
    g.engine.SceneProc = IdleProc;
    g.LoadGame();
    for (int n = 1; n <= 4; ++n) g.engine.CharacterTable[static_cast<std::size_t>(n)].hp = 0;
    g.engine.Saves.store->Write(2, {'x'});
    g.StartBattle(0);
    ASSERT_TRUE(g.HoldUntil("shift", 600, [&] { return g.engine.ModeProc == DefeatWait; }));
    g.Hold("shift", 60);  // the message stands 2 s before Shift counts
    g.Hold("", 66);
    EXPECT_EQ(g.engine.ModeProc, DefeatWait);
    g.Hold("shift", 1);
    g.Hold("", 15);  // fading out
    EXPECT_TRUE(g.engine.Battle);
    g.Hold("", 1);
    EXPECT_FALSE(g.engine.Battle);
    EXPECT_EQ(g.engine.SceneProc, TitleMenu);
    EXPECT_EQ(g.engine.Title.menu.Count(), 5);
    EXPECT_EQ(g.engine.Saves.views[2].state, SlotView::State::Damaged);
    EXPECT_EQ(g.engine.CharacterTable[1].hp, 100);  // a new game starts afresh
    EXPECT_EQ(g.h.Trace().back().substr(g.h.Trace().back().find(' ')), " music BGM\\opn.mid");
}

}  // namespace
