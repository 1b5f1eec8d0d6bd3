#include <gtest/gtest.h>

#include <QMdiArea>
#include <QTest>

#include "UiTestSupport.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CurveEditing.h"

namespace kyrel {
namespace {

using testing::RecordingPlayer;
using testing::ScriptedPrompts;
using testing::TempDir;

constexpr int kM = CurvePlot::kMargin;

QRgb plotPixel(const CCurveView& view, int x, int y) {
    return view.windowImage().pixel(x + kM, y + kM) & 0xFFFFFFu;
}

constexpr QRgb rgb(QRgb c) {
    return c & 0xFFFFFFu;
}

// Records what reaches the editing tools.
class RecordingEditing : public CurveEditing {
  public:
    void press(CCurveView&, QPoint p, bool ctrl) override { events.push_back({'p', p, ctrl}); }
    void move(CCurveView&, QPoint p, bool held) override { events.push_back({'m', p, held}); }
    void release(CCurveView&, QPoint p) override { events.push_back({'r', p, false}); }
    void escape(CCurveView&) override { events.push_back({'e', {}, false}); }
    struct Event {
        char what;
        QPoint point;
        bool flag;
    };
    std::vector<Event> events;
};

// A view of its own (not in a frame) with the given plot size.
class LooseView : public ::testing::Test {
  protected:
    std::unique_ptr<CCurveView> makeView(CurveKind kind, int plotWidth, int plotHeight) {
        auto view = std::make_unique<CCurveView>(app);
        view->setKind(kind);
        view->resize(plotWidth + 2 * kM, plotHeight + 2 * kM);
        view->show();
        QApplication::processEvents();
        return view;
    }

    TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(LooseView, GridOfWaveformAndPanHasACentreLine) {
    for (CurveKind kind : {CurveKind::Waveform, CurveKind::Pan}) {
        // Put the curve on the bottom row so that it crosses no grid line.
        app.design().tracks[0].curve(kind).fill(32767);
        auto view = makeView(kind, 2202, 256);
        EXPECT_EQ(plotPixel(*view, 100, 128), rgb(plotcolour::kCentreLine));
        EXPECT_EQ(plotPixel(*view, 100, 64), rgb(plotcolour::kQuarterLine));
        EXPECT_EQ(plotPixel(*view, 100, 192), rgb(plotcolour::kQuarterLine));
        EXPECT_EQ(plotPixel(*view, 100, 100), rgb(plotcolour::kBackground));
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(plotPixel(*view, (2202 / 4) * i, 10), rgb(plotcolour::kVerticalLine));
            EXPECT_EQ(plotPixel(*view, (2202 / 4) * i, 254), rgb(plotcolour::kVerticalLine));
        }
    }
}

TEST_F(LooseView, GridOfFrequencyAndVolumeHasThreeQuarterLines) {
    for (CurveKind kind : {CurveKind::Frequency, CurveKind::Volume}) {
        app.design().tracks[0].curve(kind).fill(32767);
        auto view = makeView(kind, 1101, 300);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(plotPixel(*view, 50, (300 / 4) * i), rgb(plotcolour::kQuarterLine));
            EXPECT_EQ(plotPixel(*view, (1101 / 4) * i, 20), rgb(plotcolour::kVerticalLine));
        }
    }
}

TEST_F(LooseView, CurveIsDrawnAtItsRowsAtEveryWidth) {
    Curve& curve = app.design().tracks[0].curve(CurveKind::Frequency);
    for (int i = 0; i < kCurvePoints; ++i)
        curve[static_cast<std::size_t>(i)] = (i % 7) * 9000 - 30000;
    for (int width : {2202, 1101, 4404}) {
        auto view = makeView(CurveKind::Frequency, width, 256);
        const CurvePlot& plot = view->plot();
        for (int x : {1, 2, 3, 50, 333, width / 2 + 1, width - 2}) {
            const int row =
                plot.valueToRow(curve[static_cast<std::size_t>(plot.columnToSample(x))]);
            EXPECT_EQ(plotPixel(*view, x, row), rgb(plotcolour::kCurve)) << width << " " << x;
        }
    }
}

TEST_F(LooseView, MarginsShowTheWindowColour) {
    auto view = makeView(CurveKind::Waveform, 300, 200);
    const QRgb window = view->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
    EXPECT_EQ(view->windowImage().pixel(3, 3) & 0xFFFFFFu, window);
    EXPECT_EQ(view->windowImage().pixel(kM + 300 + 3, kM + 50) & 0xFFFFFFu, window);
    EXPECT_EQ(plotPixel(*view, 0, 0) != window, true);
}

TEST_F(LooseView, BandsAreDrawnByExclusiveOrAndRemovedByACopy) {
    auto view = makeView(CurveKind::Volume, 400, 200);
    app.design().tracks[0].curve(CurveKind::Volume).fill(32767);
    view->rebuild();
    view->drawSelectionBand(30, 10);
    const QRgb banded = rgb(plotcolour::kBackground) ^ rgb(plotcolour::kSelectionBand);
    EXPECT_EQ(plotPixel(*view, 10, 5), banded);
    EXPECT_EQ(plotPixel(*view, 29, 198), banded);
    EXPECT_EQ(plotPixel(*view, 30, 5), rgb(plotcolour::kBackground));
    EXPECT_EQ(plotPixel(*view, 9, 5), rgb(plotcolour::kBackground));
    // A new band erases the old one.
    view->drawSelectionBand(100, 120);
    EXPECT_EQ(plotPixel(*view, 10, 5), rgb(plotcolour::kBackground));
    EXPECT_EQ(plotPixel(*view, 110, 5), banded);
    // The same figure twice leaves the window as it was.
    const QImage before = view->windowImage();
    view->xorLineOnWindow({kM + 3, kM + 3}, {kM + 200, kM + 150}, plotcolour::kRubberBand);
    EXPECT_NE(view->windowImage(), before);
    view->xorLineOnWindow({kM + 3, kM + 3}, {kM + 200, kM + 150}, plotcolour::kRubberBand);
    EXPECT_EQ(view->windowImage(), before);
    // A refresh of a view that holds no selection shows the plot alone.
    view->refresh();
    EXPECT_EQ(plotPixel(*view, 110, 5), rgb(plotcolour::kBackground));
}

TEST_F(LooseView, TinyPlotsShowNothingAndTakeNoInput) {
    auto recorder = std::make_unique<RecordingEditing>();
    RecordingEditing& events = *recorder;
    app.setEditing(std::move(recorder));
    auto view = makeView(CurveKind::Waveform, 0, 100);  // 32 pixels wide: no plot
    EXPECT_TRUE(view->plot().empty());
    QTest::mousePress(view.get(), Qt::LeftButton, {}, {20, 40});
    QTest::mouseMove(view.get(), {25, 45});
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, {25, 45});
    EXPECT_TRUE(events.events.empty());

    view->resize(300, 100);
    QApplication::processEvents();
    ASSERT_FALSE(view->plot().empty());
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ControlModifier, {20, 40});
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, {25, 45});
    ASSERT_GE(events.events.size(), 2u);
    EXPECT_EQ(events.events.front().what, 'p');
    EXPECT_TRUE(events.events.front().flag);  // Ctrl held
    EXPECT_EQ(events.events.front().point, QPoint(20, 40));
    EXPECT_EQ(events.events.back().what, 'r');
}

TEST_F(LooseView, EscapeReachesTheToolsOnlyDuringAGesture) {
    auto recorder = std::make_unique<RecordingEditing>();
    RecordingEditing& events = *recorder;
    app.setEditing(std::move(recorder));
    auto view = makeView(CurveKind::Waveform, 300, 100);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_TRUE(events.events.empty());
    view->capturing = true;
    QTest::keyClick(view.get(), Qt::Key_Escape);
    ASSERT_EQ(events.events.size(), 1u);
    EXPECT_EQ(events.events.front().what, 'e');
}

TEST_F(LooseView, PlotPointsAreClampedAndLinesMayReachThePlotWidth) {
    auto view = makeView(CurveKind::Waveform, 300, 100);
    EXPECT_EQ(view->toPlotPoint({0, 0}), QPoint(0, 0));
    EXPECT_EQ(view->toPlotPoint({kM + 50, kM + 20}), QPoint(50, 20));
    EXPECT_EQ(view->toPlotPoint({1000, 1000}), QPoint(299, 99));
    view->mode = DragMode::Line;
    EXPECT_EQ(view->toPlotPoint({1000, 1000}), QPoint(300, 99));
}

// The started application with its four windows.
class StartedApp : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.start(""));
        QApplication::processEvents();
    }

    QRgb bandPixel(CurveKind kind, int column) {
        return plotPixel(*app.curveView(kind), column, 1);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingPlayer player;
    CKyrelApp app{prompts, &player, 1};
};

TEST_F(StartedApp, OnlyTheWindowOfTheActiveKindShowsTheSelection) {
    for (int k = 0; k < kCurveKindCount; ++k) {
        app.design().tracks[0].curve(static_cast<CurveKind>(k)).fill(32767);
    }
    app.rebuildAll();
    KyrelApp& state = app.state();
    state.selectionStart.x = 0;
    state.selectionEnd.x = 2201;
    state.selectionVisible = 1;
    state.activeKind = static_cast<std::int32_t>(CurveKind::Volume);
    app.refreshAll();
    const QRgb banded = rgb(plotcolour::kBackground) ^ rgb(plotcolour::kSelectionBand);
    EXPECT_EQ(bandPixel(CurveKind::Volume, 5), banded);
    EXPECT_EQ(bandPixel(CurveKind::Pan, 5), rgb(plotcolour::kBackground));

    // Choosing a tool hides the selection everywhere.
    app.setTool(Tool::Line);
    EXPECT_EQ(state.selectionVisible, 0);
    EXPECT_EQ(state.activeKind, 0);
    EXPECT_EQ(bandPixel(CurveKind::Volume, 5), rgb(plotcolour::kBackground));
    EXPECT_EQ(app.design().settings.tool, 1);

    // So does activating another window; the active kind follows the window.
    state.selectionVisible = 1;
    state.activeKind = static_cast<std::int32_t>(CurveKind::Volume);
    app.refreshAll();
    ASSERT_EQ(bandPixel(CurveKind::Volume, 5), banded);
    app.openCurveWindow(static_cast<int>(CurveKind::Frequency));
    QApplication::processEvents();
    EXPECT_EQ(state.selectionVisible, 0);
    EXPECT_EQ(state.activeKind, static_cast<std::int32_t>(CurveKind::Frequency));
    EXPECT_EQ(bandPixel(CurveKind::Volume, 5), rgb(plotcolour::kBackground));
}

TEST_F(StartedApp, MinimisingKeepsTheBitmapAndScales) {
    CChildFrame* frame = app.curveWindow(CurveKind::Frequency);
    const CurvePlot before = frame->view().plot();
    const QSize bitmapSize = frame->view().bitmap().size();
    frame->showMinimized();
    QApplication::processEvents();
    EXPECT_EQ(frame->view().plot().width(), before.width());
    EXPECT_EQ(frame->view().plot().height(), before.height());
    EXPECT_EQ(frame->view().bitmap().size(), bitmapSize);
}

}  // namespace
}  // namespace kyrel
