// The debug view: what it lists, and that it never changes the game's own picture.
#include <gtest/gtest.h>

#include "engine/core/MainLoop.h"
#include "engine/game/DebugView.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

TEST(DebugViewTest, ListsTheStateAndLeavesThePageAlone) {
    EngineHarness h("2\n3 f12\n");
    Engine& e = h.engine;
    gamedir::WriteTileSet(h, 0);
    InitField(e);
    gamedir::WriteMap(h, "TOWN", gamedir::MapSpec(20, 20, 1));
    ASSERT_TRUE(LoadMap(e, "TOWN"));
    CreateActors(e, 6);
    gamedir::LoadSource(e.Scripts.GlobalScript,
                        "c0;0;12;= c0;1;1;= c0;2;-5;= f26; c0;0;4;= f27; c0;0;3;= c0;1;7;= "
                        "c0;3;0;= f5; c4;=$town// f29; # c0;0;0;=");
    RunGlobalScript(e);
    const std::vector<std::string> expected = {
        "map TOWN leader 3,7", "music BGM\\town.mid", "var 12=-5", "switch 4",
        "scripts G @" + std::to_string(e.Scripts.GlobalScript.Position())};
    EXPECT_EQ(DebugViewLines(e), expected);

    InstallDebugView(e);
    e.DebugViewShown = true;
    std::vector<std::uint16_t> before(e.Screen.Row(kVisibleTop),
                                      e.Screen.Row(kVisibleTop) + kScreenWidth);
    h.RunFrames(1);
    EXPECT_EQ(std::vector<std::uint16_t>(e.Screen.Row(kVisibleTop),
                                         e.Screen.Row(kVisibleTop) + kScreenWidth),
              before);
}

}  // namespace
