// The menu window: choosing entries, wrapping, and the key repeat rules.
#include <gtest/gtest.h>

#include "engine/field/QCBOX.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

using namespace std::string_view_literals;

QCBOX MakeMenu(std::vector<std::string> texts) {
    QCBOX menu;
    menu.Create(static_cast<int>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) menu.entries[i].text = texts[i];
    return menu;
}

TEST(MenuBoxTest, MoveWrapsAroundAndSkipsEmptyEntries) {
    QCBOX menu = MakeMenu({"a", "", "c", ""});
    menu.cursor = 2;
    menu.Move(1);
    EXPECT_EQ(menu.cursor, 0);
    menu.Move(1);
    EXPECT_EQ(menu.cursor, 2);
    menu.Move(-1);
    EXPECT_EQ(menu.cursor, 0);
    menu.Move(-1);
    EXPECT_EQ(menu.cursor, 2);
    menu.Move(-2);
    EXPECT_EQ(menu.cursor, 0);
}

TEST(MenuBoxTest, MoveInAnEmptyMenuKeepsTheCursor) {
    QCBOX menu = MakeMenu({"", "", ""});
    menu.cursor = 1;
    menu.Move(1);
    menu.Move(-1);
    EXPECT_EQ(menu.cursor, 1);
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

TEST(MenuBoxTest, KeysMoveOnlyAfterTheRepeatDelay) {
    EngineHarness h;
    QCBOX menu = MakeMenu({"a", "b", "c"});
    Engine& e = h.engine;
    e.Keys[Key::Down] = KEY_PRESSED;
    e.InputTimer = 85;
    menu.InputList(e);
    EXPECT_EQ(menu.cursor, 0);
    e.InputTimer = 86;
    menu.InputList(e);
    EXPECT_EQ(menu.cursor, 1);
    EXPECT_EQ(e.InputTimer, -48);  // the first repeat comes 134 ms after a press
    e.Keys[Key::Down] = KEY_HELD;
    e.InputTimer = 90;
    menu.InputList(e);
    EXPECT_EQ(menu.cursor, 2);
    EXPECT_EQ(e.InputTimer, 0);
    e.Keys[Key::Down] = KEY_UP;
    e.Keys[Key::Up] = KEY_HELD;
    e.InputTimer = 90;
    menu.InputList(e);
    EXPECT_EQ(menu.cursor, 1);
}

TEST(MenuBoxTest, GridMovesByRowsAndColumns) {
    EngineHarness h;
    QCBOX menu = MakeMenu({"a", "b", "c", "d"});
    Engine& e = h.engine;
    e.InputTimer = 100;
    e.Keys[Key::Down] = KEY_PRESSED;
    menu.InputGrid(e);
    EXPECT_EQ(menu.cursor, 2);
    e.Keys[Key::Down] = KEY_UP;
    e.Keys[Key::Right] = KEY_PRESSED;
    e.InputTimer = 100;
    menu.InputGrid(e);
    EXPECT_EQ(menu.cursor, 3);
}

}  // namespace
