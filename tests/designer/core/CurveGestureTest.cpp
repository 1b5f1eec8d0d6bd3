#include <gtest/gtest.h>

#include <memory>

#include "FakeUi.h"
#include "designer/core/ClipBuffer.h"
#include "designer/core/CurveGesture.h"
#include "designer/core/EditCommands.h"

namespace kyrel {
namespace {

// A 1101 x 256 plot: column x shows samples 2x and 2x + 1; row 128 is value 0.
class CurveGestureTest : public ::testing::Test {
  protected:
    testing::FakeUi ui;
    std::unique_ptr<KyrelApp> app = std::make_unique<KyrelApp>(ui, 1);
    PlotScale scale{1101, 256};
    CurveGesture gesture{*app, CurveKind::Volume};

    void useTool(Tool tool) { app->design.settings.tool = static_cast<std::int32_t>(tool); }
    Curve& volume() { return app->design.tracks[0].curve(CurveKind::Volume); }
    int ringIndex() { return app->undo.ring(0, CurveKind::Volume).index; }

    // A block of 101 points (length 100) valued 1000 + i, its placement started with the
    // pointer at plot column x.
    void startPaste(int x) {
        ClipBuffer buffer{};
        for (int i = 0; i < kCurvePoints; ++i) buffer[i] = 1000 + i;
        ASSERT_TRUE(commandPaste(*app, encodeClipBlock(buffer, 100), CurveKind::Volume));
        const auto update = gesture.startPaste(scale, x, 30);
        EXPECT_TRUE(update.grabMouse);
        EXPECT_EQ(gesture.mode(), DragMode::PlacePaste);
    }
};

TEST_F(CurveGestureTest, SelectionsStoreTheSmallerIndexFirstAndReachBothEdges) {
    useTool(Tool::Select);
    volume()[100] = 111;
    volume()[300] = 333;
    struct Case {
        int pressX, releaseX, first, last;
    };
    const Case cases[] = {
        {150, 50, 100, 300},       // right to left
        {40, 40, 80, 80},          // a click selects one point
        {-30, 5000, 0, 2201},      // from beyond the left edge to beyond the right one
        {5000, 1100, 2200, 2201},  // started right of the plot
    };
    for (const Case& c : cases) {
        gesture.press(scale, c.pressX, 40, false);
        EXPECT_EQ(gesture.band(scale).kind, GestureBand::Kind::Selection);
        gesture.release(scale, c.releaseX, 60);
        EXPECT_EQ(app->selectionVisible, 1);
        EXPECT_EQ(app->selectionStart.x, c.first) << c.pressX;
        EXPECT_EQ(app->selectionEnd.x, c.last) << c.pressX;
        EXPECT_EQ(app->clipBuffer[0], volume()[c.first]);
    }
    // The band of a selection that ends at the last point reaches the plot's right edge.
    EXPECT_EQ(gesture.band(scale).to.x, 1101);
    EXPECT_EQ(app->clipBuffer[1], volume()[2201]);
    EXPECT_EQ(app->activeKind, static_cast<int>(CurveKind::Volume));
    EXPECT_EQ(ringIndex(), 0);
    // Another kind's view shows no band.
    EXPECT_EQ(CurveGesture(*app, CurveKind::Pan).band(scale).kind, GestureBand::Kind::None);
}

TEST_F(CurveGestureTest, PasteBandShowsAtOnceAndAPressInThePlotDropsTheBlock) {
    struct Case {
        int pointerX, bandLeft, bandRight, first, last;
    };
    const Case cases[] = {
        {200, 200, 250, 400, 500},
        {0, 0, 50, 0, 100},
        {1080, 1050, 1100, 2100, 2200},  // sticking out right: ends on the last column
    };
    for (const Case& c : cases) {
        volume().fill(-20000);
        startPaste(c.pointerX);
        const auto band = gesture.band(scale);
        EXPECT_EQ(band.kind, GestureBand::Kind::Paste);
        EXPECT_EQ(band.from.x, c.bandLeft) << c.pointerX;
        EXPECT_EQ(band.to.x, c.bandRight) << c.pointerX;

        const auto update = gesture.press(scale, c.pointerX, 30, false);
        EXPECT_TRUE(update.rebuild);
        EXPECT_TRUE(update.releaseMouse);
        EXPECT_FALSE(gesture.capturing());
        EXPECT_EQ(app->selectionStart.x, c.first);
        EXPECT_EQ(app->selectionEnd.x, c.last);
        EXPECT_EQ(volume()[c.first], 1000);
        EXPECT_EQ(volume()[c.last], 1100);
        EXPECT_EQ(volume()[std::max(c.first - 1, 0)], c.first > 0 ? -20000 : 1000);
        EXPECT_EQ(volume()[c.last + 1], -20000);
    }
    EXPECT_EQ(ringIndex(), 3);
    EXPECT_EQ(app->design.settings.modified, 1);
}

TEST_F(CurveGestureTest, PastePlacementEndsUnwrittenOnEscapeOrAClickOutsideThePlot) {
    for (auto [x, y] : {std::pair{-1, 30}, {1101, 30}, {200, -3}, {200, 256}, {0, 0}}) {
        startPaste(500);
        app->design.settings.modified = 0;
        const Curve before = volume();
        GestureUpdate update;
        if (x == 0 && y == 0) {
            bool handled = false;
            update = gesture.escape(handled);
            EXPECT_TRUE(handled);
        } else {
            update = gesture.press(scale, x, y, false);
        }
        EXPECT_TRUE(update.releaseMouse) << x << " " << y;
        EXPECT_FALSE(gesture.capturing());
        EXPECT_EQ(gesture.mode(), DragMode::Freehand);
        EXPECT_EQ(volume(), before);
        EXPECT_EQ(ringIndex(), 0);
        EXPECT_EQ(app->design.settings.modified, 0);
    }
}

}  // namespace
}  // namespace kyrel
