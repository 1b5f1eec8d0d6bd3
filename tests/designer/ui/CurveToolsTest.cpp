#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include "UiTestSupport.h"
#include "common/LittleEndian.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CurveTools.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;
using testing::TempDir;

constexpr int kM = CurvePlot::kMargin;

QPoint at(int plotX, int plotY) {
    return {plotX + kM, plotY + kM};
}

// Whole-plot comparison: the window shows exactly what a full rebuild from the curve shows.
void expectShowsCurveAsStored(CCurveView& view) {
    const QImage shown = view.windowImage().copy();
    view.rebuild();
    EXPECT_EQ(shown, view.windowImage());
}

// Views of known plot sizes outside any frame, driven by real mouse and key events.
class ToolsOnView : public ::testing::Test {
  protected:
    std::unique_ptr<CCurveView> makeView(CurveKind kind, int plotWidth, int plotHeight) {
        auto view = std::make_unique<CCurveView>(app);
        view->setKind(kind);
        view->resize(plotWidth + 2 * kM, plotHeight + 2 * kM);
        view->show();
        QApplication::processEvents();
        return view;
    }
    void useTool(Tool tool) { app.setTool(tool); }
    Curve& curve(CurveKind kind, int track = 0) {
        return app.design().tracks[static_cast<std::size_t>(track)].curve(kind);
    }
    int snapshots(CurveKind kind) { return app.state().undo.ring(0, kind).index; }

    TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(ToolsOnView, ClickAtTheTopRowStoresMinus32768WhileALineThereStoresMinus32767) {
    auto view = makeView(CurveKind::Volume, 2202, 256);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, at(40, 0));
    EXPECT_EQ(curve(CurveKind::Volume)[40], -32768);
    EXPECT_EQ(curve(CurveKind::Volume)[41], -20000);
    EXPECT_FALSE(view->capturing);
    expectShowsCurveAsStored(*view);

    useTool(Tool::Line);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, at(100, 0));
    QTest::mouseMove(view.get(), at(120, 0));
    EXPECT_EQ(curve(CurveKind::Volume)[110], -20000);  // nothing written while dragging
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at(120, 0));
    for (int i = 100; i <= 120; ++i) EXPECT_EQ(curve(CurveKind::Volume)[i], -32767) << i;
    expectShowsCurveAsStored(*view);
}

TEST_F(ToolsOnView, FreehandDragLeavesTheWindowShowingTheCurveAsStored) {
    auto view = makeView(CurveKind::Waveform, 700, 300);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, at(100, 20));
    for (int x = 110; x <= 400; x += 37) QTest::mouseMove(view.get(), at(x, 20 + x / 3));
    // Across a quarter line (column 175) and back to the left.
    QTest::mouseMove(view.get(), at(60, 250));
    expectShowsCurveAsStored(*view);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at(60, 250));
    expectShowsCurveAsStored(*view);
    EXPECT_EQ(snapshots(CurveKind::Waveform), 1);
}

TEST_F(ToolsOnView, CtrlDrawsALineWithFreehandAndFreehandWithTheOtherTools) {
    auto view = makeView(CurveKind::Volume, 2202, 256);
    // Freehand + Ctrl: a line, written on release.
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ControlModifier, at(10, 128));
    EXPECT_EQ(view->mode, DragMode::Line);
    QTest::mouseMove(view.get(), at(30, 128), Qt::ControlModifier);
    EXPECT_EQ(curve(CurveKind::Volume)[20], -20000);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ControlModifier, at(30, 128));
    EXPECT_EQ(curve(CurveKind::Volume)[20], 0);
    EXPECT_EQ(snapshots(CurveKind::Volume), 1);

    // Line + Ctrl: freehand, with a snapshot.
    useTool(Tool::Line);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ControlModifier, at(100, 0));
    EXPECT_EQ(view->mode, DragMode::Freehand);
    EXPECT_EQ(curve(CurveKind::Volume)[100], -32768);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ControlModifier, at(100, 0));
    EXPECT_EQ(snapshots(CurveKind::Volume), 2);

    // Select + Ctrl: freehand without a snapshot and without a selection.
    useTool(Tool::Select);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ControlModifier, at(200, 0));
    EXPECT_EQ(curve(CurveKind::Volume)[200], -32768);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ControlModifier, at(200, 0));
    EXPECT_EQ(snapshots(CurveKind::Volume), 2);
    EXPECT_EQ(app.state().selectionVisible, 0);
}

TEST_F(ToolsOnView, EscapeInTheMiddleOfALineWritesNothingAfterTheSnapshot) {
    useTool(Tool::Line);
    auto view = makeView(CurveKind::Pan, 600, 200);
    const Curve before = curve(CurveKind::Pan);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, at(50, 10));
    QTest::mouseMove(view.get(), at(400, 150));
    EXPECT_NE(view->windowImage(), QImage());
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->capturing);
    EXPECT_EQ(view->mode, DragMode::Freehand);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at(400, 150));
    EXPECT_EQ(curve(CurveKind::Pan), before);
    EXPECT_EQ(snapshots(CurveKind::Pan), 1);
    expectShowsCurveAsStored(*view);  // the rubber band is gone
}

TEST_F(ToolsOnView, SecondPressOfADoubleClickAndOtherButtonsDoNothing) {
    auto view = makeView(CurveKind::Volume, 2202, 256);
    // A double click as the window system delivers it: press, release, double-click, release.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, at(40, 0));
    QMouseEvent second(QEvent::MouseButtonDblClick, at(40, 0), view->mapToGlobal(at(40, 0)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &second);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, at(40, 0));
    EXPECT_EQ(snapshots(CurveKind::Volume), 1);
    EXPECT_FALSE(view->capturing);
    QTest::mouseClick(view.get(), Qt::RightButton, {}, at(50, 0));
    QTest::mouseClick(view.get(), Qt::MiddleButton, {}, at(60, 0));
    EXPECT_EQ(curve(CurveKind::Volume)[50], -20000);
    EXPECT_EQ(curve(CurveKind::Volume)[60], -20000);
    EXPECT_EQ(snapshots(CurveKind::Volume), 1);
}

TEST_F(ToolsOnView, EveryPressMarksTheDocumentAndTheTrack) {
    app.selectTrack(2);
    app.design().settings.modified = 0;
    useTool(Tool::Select);
    auto view = makeView(CurveKind::Waveform, 300, 100);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, at(5, 5));
    const DesignSettings& settings = app.design().settings;
    EXPECT_EQ(settings.modified, 1);
    EXPECT_EQ(settings.renderStale, 1);
    EXPECT_EQ(settings.trackUse[2], 1);
    EXPECT_EQ(app.design().tracks[2].touched, 1);
    EXPECT_EQ(app.design().tracks[2].edited, 1);
}

// The started program: four edit windows, commands through the main frame's actions.
class EditingCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.start(""));
        QApplication::processEvents();
    }

    CCurveView& activate(CurveKind kind) {
        app.mainFrame()->mdiArea().setActiveSubWindow(app.curveWindow(kind));
        QApplication::processEvents();
        return *app.curveView(kind);
    }
    void command(int id) {
        app.updateCommandStates();
        app.mainFrame()->action(id)->trigger();
        QApplication::processEvents();
    }
    bool enabled(int id) {
        app.updateCommandStates();
        return app.mainFrame()->action(id)->isEnabled();
    }
    // A freehand stroke over the whole plot at one row.
    void stroke(CCurveView& view, int row) {
        const int w = view.plot().width();
        QTest::mousePress(&view, Qt::LeftButton, {}, at(0, row));
        QTest::mouseMove(&view, at(w / 2, row));
        QTest::mouseMove(&view, at(w - 1, row));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at(w - 1, row));
    }
    Curve& curve(CurveKind kind, int track = 0) {
        return app.design().tracks[static_cast<std::size_t>(track)].curve(kind);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(EditingCommands, TwoStrokesUndoneAndRedoneWithRefusals) {
    CCurveView& view = activate(CurveKind::Volume);
    const Curve original = curve(CurveKind::Volume);
    stroke(view, 0);
    const Curve afterFirst = curve(CurveKind::Volume);
    stroke(view, view.plot().height() - 1);
    const Curve afterSecond = curve(CurveKind::Volume);
    ASSERT_NE(afterFirst, original);
    ASSERT_NE(afterSecond, afterFirst);

    command(kCmdUndo);
    EXPECT_EQ(curve(CurveKind::Volume), afterFirst);
    command(kCmdUndo);
    EXPECT_EQ(curve(CurveKind::Volume), original);
    EXPECT_TRUE(prompts.shown.empty());
    command(kCmdUndo);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "元に戻すは出来ません");
    EXPECT_EQ(prompts.shown[0].caption, "Error");

    command(kCmdRedo);
    EXPECT_EQ(curve(CurveKind::Volume), afterFirst);
    command(kCmdRedo);
    EXPECT_EQ(curve(CurveKind::Volume), afterSecond);
    expectShowsCurveAsStored(view);
    command(kCmdRedo);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].text, "やり直しは出来ません");
    EXPECT_EQ(curve(CurveKind::Volume), afterSecond);
}

TEST_F(EditingCommands, CopyAndPasteBetweenTwoRunningCopies) {
    CCurveView& volume = activate(CurveKind::Volume);
    Curve& source = curve(CurveKind::Volume);
    for (int i = 0; i < kCurvePoints; ++i) source[static_cast<std::size_t>(i)] = i;
    volume.rebuild();
    EXPECT_FALSE(enabled(kCmdCopy));
    app.setTool(Tool::Select);
    activate(CurveKind::Volume);
    const PlotScale scale = plotScaleOf(volume);
    QTest::mousePress(&volume, Qt::LeftButton, {}, at(scale.sampleToColumn(100) + 1, 5));
    QTest::mouseRelease(&volume, Qt::LeftButton, {}, at(scale.sampleToColumn(250) + 1, 5));
    const int first = app.state().selectionStart.x;
    const int last = app.state().selectionEnd.x;
    ASSERT_LT(first, last);
    EXPECT_TRUE(enabled(kCmdCopy));
    command(kCmdCopy);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasFormat("application/x-kyrel-curve"));
    const QByteArray block = data->data("application/x-kyrel-curve");
    ASSERT_EQ(block.size(), 8872);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(block.data()),
                                              8872);
    EXPECT_EQ(kit::readI32LE(bytes, 8816), last - first);
    EXPECT_EQ(kit::readI32LE(bytes, 0), first);

    // A second copy of the program pastes the block into its waveform window.
    TempDir otherDir;
    ScriptedPrompts otherPrompts;
    CKyrelApp other{otherPrompts, nullptr, 2};
    ASSERT_TRUE(other.start(""));
    other.mainFrame()->mdiArea().setActiveSubWindow(other.curveWindow(CurveKind::Waveform));
    QApplication::processEvents();
    other.updateCommandStates();
    ASSERT_TRUE(other.mainFrame()->action(kCmdPaste)->isEnabled());
    other.mainFrame()->action(kCmdPaste)->trigger();
    CCurveView& target = *other.curveView(CurveKind::Waveform);
    EXPECT_EQ(target.mode, DragMode::PlacePaste);
    EXPECT_TRUE(target.capturing);
    EXPECT_EQ(other.state().selectionStart.x, 0);
    EXPECT_EQ(other.state().selectionEnd.x, last - first);

    // The band follows the pointer; a press at the left edge drops the block at sample 0.
    QTest::mouseMove(&target, at(40, 30));
    const QRgb pasteBanded = (plotcolour::kBackground ^ plotcolour::kPasteBand) & 0xFFFFFFu;
    EXPECT_EQ(target.windowImage().pixel(at(41, 3)) & 0xFFFFFFu, pasteBanded);
    QTest::mousePress(&target, Qt::LeftButton, {}, at(0, 30));
    QTest::mouseRelease(&target, Qt::LeftButton, {}, at(0, 30));
    const Curve& pasted = other.design().tracks[0].curve(CurveKind::Waveform);
    const int placedEnd = other.state().selectionEnd.x;
    EXPECT_EQ(other.state().selectionStart.x, 0);
    for (int i = 0; i <= placedEnd; ++i) ASSERT_EQ(pasted[static_cast<std::size_t>(i)], first + i);
    EXPECT_NE(pasted[static_cast<std::size_t>(placedEnd + 1)], first + placedEnd + 1);
    EXPECT_FALSE(target.capturing);
    expectShowsCurveAsStored(target);
    EXPECT_EQ(other.state().undo.ring(0, CurveKind::Waveform).index, 1);
}

TEST_F(EditingCommands, ANewSelectionHidesTheOldBandAndShowsItsOwnAtOnce) {
    for (int k = 0; k < kCurveKindCount; ++k) curve(static_cast<CurveKind>(k)).fill(32767);
    app.rebuildAll();
    app.setTool(Tool::Select);
    CCurveView& volume = activate(CurveKind::Volume);
    QTest::mouseClick(&volume, Qt::LeftButton, {}, at(10, 5));
    // One point selected; its band sits where that point's column lies.
    const int column = plotScaleOf(volume).sampleToColumn(app.state().selectionStart.x);
    const QRgb banded = (plotcolour::kBackground ^ plotcolour::kSelectionBand) & 0xFFFFFFu;
    ASSERT_EQ(volume.windowImage().pixel(at(column, 3)) & 0xFFFFFFu, banded);

    QTest::mousePress(&volume, Qt::LeftButton, {}, at(100, 5));
    EXPECT_EQ(volume.windowImage().pixel(at(column, 3)) & 0xFFFFFFu,
              plotcolour::kBackground & 0xFFFFFFu);
    EXPECT_EQ(volume.windowImage().pixel(at(100, 3)) & 0xFFFFFFu, banded);
    QTest::mouseRelease(&volume, Qt::LeftButton, {}, at(120, 5));
    EXPECT_EQ(volume.windowImage().pixel(at(110, 3)) & 0xFFFFFFu, banded);
}

TEST_F(EditingCommands, SelectAllBandsTheWholeWindowOfTheActiveKind) {
    curve(CurveKind::Frequency).fill(32767);
    CCurveView& view = activate(CurveKind::Frequency);
    view.rebuild();
    command(kCmdSelectAll);
    EXPECT_EQ(app.state().selectionEnd.x, 2201);
    EXPECT_TRUE(enabled(kCmdCopy));
    const QRgb banded = (plotcolour::kBackground ^ plotcolour::kSelectionBand) & 0xFFFFFFu;
    EXPECT_EQ(view.windowImage().pixel(at(3, 3)) & 0xFFFFFFu, banded);
    EXPECT_EQ(view.windowImage().pixel(at(view.plot().width() - 3, 3)) & 0xFFFFFFu, banded);
    // Choosing a tool removes it.
    app.setTool(Tool::Line);
    EXPECT_EQ(view.windowImage().pixel(at(3, 3)) & 0xFFFFFFu, plotcolour::kBackground & 0xFFFFFFu);
}

}  // namespace
}  // namespace kyrel
