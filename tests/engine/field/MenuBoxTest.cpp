// The menu window: choosing entries, wrapping, and the key repeat rules.
#include <gtest/gtest.h>

#include "engine/field/QCBOX.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

QCBOX MakeMenu(std::vector<std::string> texts) {
    QCBOX menu;
    menu.Create(static_cast<int>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) menu.entries[i].text = texts[i];
    return menu;
}

TEST(MenuBoxTest, MoveWrapsAroundAndNeverSelectsAnEmptyEntry) {
    const struct {
        std::vector<std::string> texts;
        int from, by, to;
    } cases[] = {
        {{"a", "", "c", ""}, 2, 1, 0},  {{"a", "", "c", ""}, 0, 1, 2},
        {{"a", "", "c", ""}, 2, -1, 0}, {{"a", "", "c", ""}, 0, -1, 2},
        {{"a", "", "c", ""}, 2, -2, 0}, {{"", "", ""}, 1, 1, 1},
        {{"", "", ""}, 1, -1, 1},
    };
    for (const auto& c : cases) {
        QCBOX menu = MakeMenu(c.texts);
        menu.cursor = c.from;
        menu.Move(c.by);
        EXPECT_EQ(menu.cursor, c.to) << c.from << " by " << c.by;
    }
}

TEST(MenuBoxTest, SetItemBeyondTheEntriesIsReported) {
    EngineHarness h;
    QCBOX menu;
    menu.Create(2);
    EXPECT_TRUE(menu.SetItem(h.engine, 1, "ok", 7));
    EXPECT_FALSE(menu.SetItem(h.engine, 2, "no", 8));
    EXPECT_EQ(menu.entries[1].value, 7);
    EXPECT_EQ(gamedir::Boxes(h), std::vector<std::string>{"エラー発生|QCBOX::データオーヴァ!!"});
    menu.AutoSize();
    EXPECT_EQ(menu.width, 6 * 2 + 10);
    EXPECT_EQ(menu.height, 14 * 2 + 10);
}

TEST(MenuBoxTest, KeysMoveAfterTheRepeatDelayInListsAndGrids) {
    EngineHarness h;
    Engine& e = h.engine;
    const struct {
        bool grid;
        Key key;
        KeyState state;
        std::int32_t timer;
        int from, to;
        std::int32_t timerAfter;
    } cases[] = {
        {false, Key::Down, KEY_PRESSED, 85, 0, 0, 85},
        {false, Key::Down, KEY_PRESSED, 86, 0, 1, -48},  // the first repeat 134 ms after a press
        {false, Key::Down, KEY_HELD, 90, 1, 2, 0},
        {false, Key::Up, KEY_HELD, 90, 2, 1, 0},
        {true, Key::Down, KEY_PRESSED, 100, 0, 2, -48},
        {true, Key::Right, KEY_PRESSED, 100, 2, 3, -48},
    };
    for (const auto& c : cases) {
        QCBOX menu = MakeMenu({"a", "b", "c", "d"});
        menu.cursor = c.from;
        e.Keys = KeyStates{};
        e.Keys[c.key] = c.state;
        e.InputTimer = c.timer;
        if (c.grid)
            menu.InputGrid(e);
        else
            menu.InputList(e);
        EXPECT_EQ(menu.cursor, c.to) << c.from;
        EXPECT_EQ(e.InputTimer, c.timerAfter) << c.from;
    }
}

}  // namespace
