#include <gtest/gtest.h>

#include <memory>

#include "designer/core/ClipBuffer.h"
#include "designer/core/CurveGesture.h"
#include "designer/core/EditCommands.h"
#include "tests/designer/core/EditTestUi.h"

namespace kyrel {
namespace {

// A 1101 x 256 plot: column x shows samples 2x and 2x + 1; row 128 is value 0.
class CurveGestureTest : public ::testing::Test {
  protected:
    testing::EditTestUi ui;
    std::unique_ptr<KyrelApp> app = std::make_unique<KyrelApp>(ui, 1);
    PlotScale scale{1101, 256};
    CurveGesture gesture{*app, CurveKind::Volume};

    void useTool(Tool tool) { app->design.settings.tool = static_cast<std::int32_t>(tool); }
    Curve& volume(int track = 0) { return app->design.tracks[track].curve(CurveKind::Volume); }
    int ringIndex(int track = 0) { return app->undo.ring(track, CurveKind::Volume).index; }
};

TEST_F(CurveGestureTest, FreehandClickWritesTheColumnAndTakesOneSnapshot) {
    const auto update = gesture.press(scale, 100, 0, false);
    EXPECT_TRUE(update.grabMouse);
    EXPECT_EQ(update.firstColumn, 99);
    EXPECT_EQ(update.lastColumn, 101);
    EXPECT_EQ(volume()[200], -32768);
    EXPECT_EQ(volume()[201], -32768);
    EXPECT_EQ(volume()[199], -20000);
    EXPECT_EQ(ringIndex(), 1);
    EXPECT_EQ(gesture.release(scale, 100, 0).releaseMouse, true);
    EXPECT_FALSE(gesture.capturing());
    EXPECT_EQ(ringIndex(), 1);
}

TEST_F(CurveGestureTest, SelectionRightToLeftStoresTheSmallerIndexFirstAndFillsTheBuffer) {
    useTool(Tool::Select);
    volume()[100] = 111;
    volume()[300] = 333;
    gesture.press(scale, 150, 40, false);
    EXPECT_EQ(gesture.band(scale).kind, GestureBand::Kind::Selection);
    gesture.move(scale, 80, 40, true);
    EXPECT_EQ(gesture.band(scale).from.x, 80);
    EXPECT_EQ(gesture.band(scale).to.x, 150);
    gesture.release(scale, 50, 60);
    EXPECT_EQ(app->selectionVisible, 1);
    EXPECT_EQ(app->selectionStart.x, 100);
    EXPECT_EQ(app->selectionEnd.x, 300);
    EXPECT_EQ(app->activeKind, static_cast<int>(CurveKind::Volume));
    EXPECT_EQ(app->clipBuffer[0], 111);
    EXPECT_EQ(app->clipBuffer[200], 333);
    EXPECT_EQ(ringIndex(), 0);
    EXPECT_EQ(volume()[100], 111);

    const auto band = gesture.band(scale);
    EXPECT_EQ(band.kind, GestureBand::Kind::Selection);
    EXPECT_EQ(band.from.x, 50);
    EXPECT_EQ(band.to.x, 150);
    // Another kind's view shows no band.
    CurveGesture other(*app, CurveKind::Pan);
    EXPECT_EQ(other.band(scale).kind, GestureBand::Kind::None);
}

TEST_F(CurveGestureTest, ZeroWidthClickSelectsOneSample) {
    useTool(Tool::Select);
    gesture.press(scale, 40, 10, false);
    gesture.release(scale, 40, 10);
    EXPECT_EQ(app->selectionStart.x, 80);
    EXPECT_EQ(app->selectionEnd.x, 80);
    EXPECT_EQ(encodeClipBlock(app->clipBuffer, app->selectionEnd.x - app->selectionStart.x)[8816],
              0);
}

class PasteGestureTest : public CurveGestureTest {
  protected:
    // A block of 101 points (length 100) valued 1000 + i, placed through the paste gesture.
    void startPaste() {
        ClipBuffer buffer{};
        for (int i = 0; i < kCurvePoints; ++i) buffer[i] = 1000 + i;
        ASSERT_TRUE(commandPaste(*app, encodeClipBlock(buffer, 100), CurveKind::Volume));
        const auto update = gesture.startPaste(scale);
        EXPECT_TRUE(update.grabMouse);
        EXPECT_TRUE(update.rebuild);
        EXPECT_EQ(gesture.mode(), DragMode::PlacePaste);
    }
};

TEST_F(PasteGestureTest, BandFollowsThePointerAndAPressDropsTheBlock) {
    startPaste();
    EXPECT_EQ(gesture.band(scale).kind, GestureBand::Kind::None);
    gesture.move(scale, 200, 30, false);
    auto band = gesture.band(scale);
    EXPECT_EQ(band.kind, GestureBand::Kind::Paste);
    EXPECT_EQ(band.from.x, 200);
    EXPECT_EQ(band.to.x, 250);

    const auto update = gesture.press(scale, 200, 30, false);
    EXPECT_TRUE(update.rebuild);
    EXPECT_TRUE(update.releaseMouse);
    EXPECT_FALSE(gesture.capturing());
    EXPECT_EQ(app->selectionStart.x, 400);
    EXPECT_EQ(app->selectionEnd.x, 500);
    EXPECT_EQ(volume()[399], -20000);
    EXPECT_EQ(volume()[400], 1000);
    EXPECT_EQ(volume()[500], 1100);
    EXPECT_EQ(volume()[501], -20000);
    EXPECT_EQ(ringIndex(), 1);
    EXPECT_EQ(app->design.settings.modified, 1);
}

TEST_F(PasteGestureTest, BlockStickingOutLeftStartsAtColumnZero) {
    startPaste();
    gesture.move(scale, 0, 30, false);
    gesture.press(scale, -40, 30, false);
    EXPECT_EQ(app->selectionStart.x, 0);
    EXPECT_EQ(app->selectionEnd.x, 100);
    EXPECT_EQ(volume()[0], 1000);
    EXPECT_EQ(volume()[100], 1100);
    EXPECT_EQ(volume()[101], -20000);
}

TEST_F(PasteGestureTest, BlockStickingOutRightEndsOnTheLastColumn) {
    startPaste();
    gesture.move(scale, 1080, 30, false);
    EXPECT_EQ(gesture.band(scale).to.x, 1100);
    EXPECT_EQ(gesture.band(scale).from.x, 1050);
    gesture.press(scale, 1080, 30, false);
    EXPECT_EQ(app->selectionEnd.x, 2200);
    EXPECT_EQ(app->selectionStart.x, 2100);
    EXPECT_EQ(volume()[2100], 1000);
    EXPECT_EQ(volume()[2200], 1100);
    EXPECT_EQ(volume()[2201], -20000);
}

TEST_F(PasteGestureTest, EscapeEndsThePlacementWithoutWriting) {
    startPaste();
    const Curve before = volume();
    gesture.move(scale, 500, 30, false);
    bool handled = false;
    gesture.escape(handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(volume(), before);
    EXPECT_EQ(ringIndex(), 0);
    EXPECT_EQ(gesture.mode(), DragMode::Freehand);
}

}  // namespace
}  // namespace kyrel
