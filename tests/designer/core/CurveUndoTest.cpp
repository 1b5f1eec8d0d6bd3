#include <gtest/gtest.h>

#include <memory>

#include "FakeUi.h"
#include "designer/core/CurveUndo.h"
#include "designer/core/EditCommands.h"
#include "designer/core/KyrelApp.h"

namespace kyrel {
namespace {

Curve flat(std::int32_t v) {
    Curve c;
    c.fill(v);
    return c;
}

// A stroke as the tools make it: a snapshot first, then the change.
void stroke(UndoHistory& history, int track, CurveKind kind, Curve& curve, std::int32_t value) {
    pushUndoSnapshot(history, track, kind, curve);
    curve = flat(value);
}

class CurveUndoTest : public ::testing::Test {
  protected:
    std::unique_ptr<UndoHistory> owned = std::make_unique<UndoHistory>();
    UndoHistory& history = *owned;
    Curve curve = flat(0);
};

TEST_F(CurveUndoTest, TwoStrokesUndoTwiceThenRedoTwiceUntilANewStroke) {
    stroke(history, 0, CurveKind::Volume, curve, 1);
    stroke(history, 0, CurveKind::Volume, curve, 2);

    // Undo, Undo, Undo (refused), then Redo, Redo, Redo (refused).
    const std::pair<bool, int> steps[] = {{true, 1}, {true, 0}, {false, 0},
                                          {true, 1}, {true, 2}, {false, 2}};
    for (int n = 0; n < 6; ++n) {
        const bool done = n < 3 ? undoCurve(history, 0, CurveKind::Volume, curve)
                                : redoCurve(history, 0, CurveKind::Volume, curve);
        EXPECT_EQ(done, steps[n].first) << n;
        EXPECT_EQ(curve, flat(steps[n].second)) << n;
    }
    // A new stroke after an Undo makes Redo impossible.
    ASSERT_TRUE(undoCurve(history, 0, CurveKind::Volume, curve));
    stroke(history, 0, CurveKind::Volume, curve, 3);
    EXPECT_FALSE(redoCurve(history, 0, CurveKind::Volume, curve));
    EXPECT_EQ(curve, flat(3));
    ASSERT_TRUE(undoCurve(history, 0, CurveKind::Volume, curve));
    EXPECT_EQ(curve, flat(1));
}

TEST_F(CurveUndoTest, FiveStrokesAllowOnlyThreeUndos) {
    for (int v = 1; v <= 5; ++v) stroke(history, 1, CurveKind::Pan, curve, v);
    for (int v = 4; v >= 2; --v) {
        ASSERT_TRUE(undoCurve(history, 1, CurveKind::Pan, curve));
        EXPECT_EQ(curve, flat(v));
    }
    EXPECT_FALSE(undoCurve(history, 1, CurveKind::Pan, curve));
    EXPECT_EQ(curve, flat(2));
}

TEST_F(CurveUndoTest, TheSequenceOrdersUndoAcrossRings) {
    Curve other = flat(0);
    stroke(history, 0, CurveKind::Volume, curve, 1);  // ring A, snapshot 1
    stroke(history, 3, CurveKind::Volume, other, 1);  // ring B, snapshot 2

    ASSERT_TRUE(undoCurve(history, 0, CurveKind::Volume, curve));
    EXPECT_EQ(curve, flat(0));
    EXPECT_EQ(history.undoSequence, 1);
    EXPECT_FALSE(undoCurve(history, 3, CurveKind::Volume, other));
    EXPECT_EQ(other, flat(1));

    // Redo in A brings the counter back past B's snapshot.
    ASSERT_TRUE(redoCurve(history, 0, CurveKind::Volume, curve));
    ASSERT_TRUE(undoCurve(history, 3, CurveKind::Volume, other));
    EXPECT_EQ(other, flat(0));
    EXPECT_EQ(curve, flat(1));
}

TEST_F(CurveUndoTest, ClearedRingsRefuseButTheSequenceGoesOn) {
    stroke(history, 0, CurveKind::Volume, curve, 1);
    history.clearRings();
    EXPECT_EQ(history.undoSequence, 2);
    EXPECT_FALSE(undoCurve(history, 0, CurveKind::Volume, curve));
    EXPECT_FALSE(redoCurve(history, 0, CurveKind::Volume, curve));
}

// A whole-design step (a copied track) takes its turn among the curve changes: Undo takes the
// newest change first, whichever it is, and Redo the oldest undone one.
TEST(DesignStepTest, TakesItsTurnAmongTheCurveChanges) {
    testing::FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    Curve& pan = app->design.tracks[0].curve(CurveKind::Pan);
    auto strokePan = [&](std::int32_t v) {
        pushCurrentUndoSnapshot(*app, CurveKind::Pan);
        pan.fill(v);
    };
    strokePan(1);
    ASSERT_TRUE(commandCopyTrack(*app, 4));  // the step; track 5 becomes current
    app->design.settings.currentTrack = 0;
    strokePan(2);
    const auto undo = [&] { return commandUndo(*app, CurveKind::Pan); };
    const auto redo = [&] { return commandRedo(*app, CurveKind::Pan); };
    const auto copied = [&] { return app->design.settings.trackUse[4] == 1; };
    ASSERT_TRUE(undo());
    EXPECT_EQ(pan, flat(1));
    EXPECT_TRUE(copied());
    ASSERT_TRUE(undo());  // the copy, in one step, the current track kept
    EXPECT_FALSE(copied());
    EXPECT_EQ(app->design.tracks[4].curve(CurveKind::Pan), flat(0));
    EXPECT_EQ(app->design.settings.currentTrack, 0);
    ASSERT_TRUE(undo());
    EXPECT_EQ(pan, flat(0));
    ASSERT_TRUE(redo());
    EXPECT_EQ(pan, flat(1));
    ASSERT_TRUE(redo());
    EXPECT_TRUE(copied());
    EXPECT_EQ(app->design.tracks[4].curve(CurveKind::Pan), flat(1));
    // A new change after an undone copy makes it unreachable.
    ASSERT_TRUE(undo());
    strokePan(3);
    EXPECT_FALSE(redo());
    EXPECT_FALSE(copied());
}

TEST(UndoCommandTest, RefusalsShowTheirMessagesAndSuccessMarksTheDocument) {
    testing::FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    app->design.settings.currentTrack = 4;
    EXPECT_FALSE(commandRedo(*app, CurveKind::Frequency));
    EXPECT_EQ(ui.shown.at(0).text, "やり直しは出来ません");

    pushCurrentUndoSnapshot(*app, CurveKind::Frequency);
    app->design.tracks[4].curve(CurveKind::Frequency).fill(123);
    for (bool undo : {true, false}) {
        app->design.settings.modified = 0;
        app->design.settings.renderStale = 0;
        ASSERT_TRUE(undo ? commandUndo(*app, CurveKind::Frequency)
                         : commandRedo(*app, CurveKind::Frequency));
        EXPECT_EQ(app->design.tracks[4].curve(CurveKind::Frequency), flat(undo ? 0 : 123));
        // The curve differs from the saved file now: still an unsaved change.
        EXPECT_EQ(app->design.settings.modified, 1);
        EXPECT_EQ(app->design.settings.renderStale, 1);
    }
}

}  // namespace
}  // namespace kyrel
