#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/MainLoop.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

TEST(KeyStateTest, PressHoldReleaseOverFrames) {
    EngineHarness h("2 shift\n5\n6 shift\n");
    std::vector<KeyState> seen;
    h.engine.SpareProc = IdleProc;
    for (int frame = 1; frame <= 7; ++frame) {
        ASSERT_TRUE(h.RunFrames(1));
        seen.push_back(h.engine.Keys[Key::Shift]);
    }
    // Released in frame 5 and down again in frame 6: held, never a second press.
    EXPECT_EQ(seen, (std::vector<KeyState>{KEY_UP, KEY_PRESSED, KEY_HELD, KEY_HELD, KEY_RELEASED,
                                           KEY_HELD, KEY_HELD}));
    EXPECT_EQ(h.engine.Keys[Key::Up], KEY_UP);
    h.SetKeys("8 up down left right shift ctrl enter space\n9 left\n");
    h.RunFrames(2);
    for (Key k : {Key::Up, Key::Down, Key::Right, Key::Shift, Key::Ctrl, Key::Enter, Key::Space})
        EXPECT_EQ(h.engine.Keys[k], KEY_RELEASED);
    EXPECT_EQ(h.engine.Keys[Key::Left], KEY_HELD);
}

TEST(FrameLoopTest, VirtualClockGivesSixteenMsFramesAndFeedsInputTimer) {
    EngineHarness h;
    h.RunFrames(1);
    EXPECT_EQ(h.engine.FrameMs, 0);
    h.RunFrames(3);
    EXPECT_EQ(h.engine.FrameMs, 16);
    EXPECT_EQ(h.engine.InputTimer, 48);
}

TEST(FrameLoopTest, SlowFrameIsFollowedAtOnceAndMeasured) {
    EngineHarness h;
    h.RunFrames(2);
    h.engine.SceneProc = [](Engine& e) {
        static_cast<HeadlessPlatform&>(e.platform).AdvanceClock(30);
        e.SceneProc = IdleProc;
    };
    const std::uint32_t before = h.platform.Ticks();
    h.RunFrames(1);  // takes 30 ms: no wait afterwards
    EXPECT_EQ(h.platform.Ticks(), before + 30);
    h.RunFrames(1);
    EXPECT_EQ(h.engine.FrameMs, 30);
    h.RunFrames(1);
    EXPECT_EQ(h.engine.FrameMs, 16);
}

int g_modeCalls = 0;
void CountingMode(Engine&) {
    ++g_modeCalls;
}

TEST(FrameLoopTest, AModeStoredBySceneRunsInTheSameFrameASceneStoredByModeInTheNext) {
    EngineHarness h;
    g_modeCalls = 0;
    h.engine.SceneProc = [](Engine& e) {
        e.ModeProc = CountingMode;
        e.SceneProc = IdleProc;
    };
    h.RunFrames(1);
    EXPECT_EQ(g_modeCalls, 1);
    h.engine.ModeProc = [](Engine& e) {
        e.SceneProc = CountingMode;
        e.ModeProc = IdleProc;
    };
    h.RunFrames(1);
    EXPECT_EQ(g_modeCalls, 1);
    h.RunFrames(1);
    EXPECT_EQ(g_modeCalls, 2);
}

TEST(FrameLoopTest, F12QuitsInItsFrameWithTheShutdownInOrder) {
    EngineHarness h("3 f12\n");
    h.engine.SceneProc = [](Engine& e) { PlayMusic(e, "BGM\\opn.mid"); };
    h.engine.PictureSlots[4].Create(8, 8);
    // The subsystems register their steps in any order; they run in the fixed one.
    static std::string order;
    order.clear();
    RegisterShutdown(h.engine, ShutdownStep::AnimActors, [](Engine&) { order += 'A'; });
    RegisterShutdown(h.engine, ShutdownStep::FieldState, [](Engine&) { order += 'F'; });
    RegisterShutdown(h.engine, ShutdownStep::SkillTable, [](Engine&) { order += 'S'; });
    EXPECT_TRUE(h.RunFrames(2));
    EXPECT_FALSE(h.RunFrames(1));
    EXPECT_EQ(h.engine.SceneProc, &IdleProc);
    EXPECT_EQ(h.engine.ModeProc, &IdleProc);
    EXPECT_TRUE(h.engine.PictureSlots[4].Empty());
    EXPECT_TRUE(h.engine.Screen.Empty());
    EXPECT_EQ(order, "FSA");
    EXPECT_EQ(h.Trace(),
              (std::vector<std::string>{"1 music BGM\\opn.mid", "3 music-stop", "3 quit"}));
}

}  // namespace
