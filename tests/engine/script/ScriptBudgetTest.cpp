// The frame's budget pays for what each instruction does: a loop without a yield is stopped in
// its first frame with one box however it spends the work, and nothing else is held back for it.
#include <gtest/gtest.h>

#include <set>

#include "bench/script/HostileGame.h"
#include "tests/engine/field/GameDirKit.h"

namespace {

TEST(ScriptBudget, EveryLoopIsStoppedInItsFirstFrameWithOneBox) {
    for (const hostile::Loop& loop : hostile::Loops()) {
        SCOPED_TRACE(loop.name);
        EngineHarness h;
        hostile::Start(h, loop, false);
        ASSERT_TRUE(h.RunFrames(1));
        EXPECT_TRUE(h.engine.Scripts.GlobalScript.AtEnd());
        h.RunFrames(3);  // the stopped script stays stopped, without more boxes
        const auto boxes = gamedir::Boxes(h);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("Script stopped: the script runs on without yielding"),
                  std::string::npos)
            << boxes[0];
    }
}

// Ten characters running the loop: each is stopped in the first frame it runs, with its own box,
// one a frame, and the characters still waiting are not stopped for the others' work.
TEST(ScriptBudget, TenCharactersAreStoppedOneAFrame) {
    for (const hostile::Loop& loop : hostile::Loops()) {
        if (!loop.fromCharacters) continue;
        SCOPED_TRACE(loop.name);
        EngineHarness h;
        hostile::Start(h, loop, true);
        auto& events = h.engine.Field.events;
        for (int frame = 1; frame <= 10; ++frame) {
            h.RunFrames(1);
            int stopped = 0;
            for (int i = kPartySize; i < kPartySize + 10; ++i)
                stopped += events[static_cast<std::size_t>(i)]->script.AtEnd();
            EXPECT_EQ(stopped, frame);
        }
        std::set<std::string> frames;  // one box in each frame
        for (const std::string& line : h.Trace())
            if (line.find(" box ") != std::string::npos)
                frames.insert(line.substr(0, line.find(' ')));
        EXPECT_EQ(frames.size(), 10u);
        EXPECT_EQ(gamedir::Boxes(h).size(), 10u);
    }
}

// A script may spend the frame's work in one large step and then yield: it waits for the next
// frame instead of being stopped.
TEST(ScriptBudget, AYieldPassesWhenTheWorkIsSpent) {
    EngineHarness h;
    hostile::Start(h, hostile::Loops()[0], false);
    h.WriteFile("pic\\big.qdg", MakeBmp(1024, 1024, [](int x, int y) { return 0x10000u * x + y; }));
    h.engine.Scripts.GlobalScript.Load(hostile::Compile("c0;3;0;=c4;=$big//f4;#c0;5;1;=#"));
    h.RunFrames(2);
    EXPECT_EQ(h.engine.Scripts.GlobalScript.variables[5], 1);
    EXPECT_TRUE(gamedir::Boxes(h).empty());
}

}  // namespace
