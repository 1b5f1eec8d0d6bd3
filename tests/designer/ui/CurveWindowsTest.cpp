#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <cstring>

#include "UiTestSupport.h"
#include "common/LittleEndian.h"
#include "designer/core/ClipBuffer.h"
#include "designer/core/Synthesis.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CurveScale.h"

namespace kyrel {
namespace {

using testing::ScriptedPrompts;

constexpr int kM = CCurveView::kMargin;

QPoint at(int plotX, int plotY) {
    return {plotX + kM, plotY + kM};
}

QRgb plotPixel(const CCurveView& view, int x, int y) {
    return view.windowImage().pixel(at(x, y)) & 0xFFFFFFu;
}

constexpr QRgb rgb(QRgb c) {
    return c & 0xFFFFFFu;
}

// Whole-plot comparison: the window shows exactly what a full rebuild from the curve shows.
void expectShowsCurveAsStored(CCurveView& view) {
    const QImage shown = view.windowImage().copy();
    view.rebuild();
    EXPECT_EQ(shown, view.windowImage());
}

// Views of known plot sizes outside any frame, driven by real mouse and key events.
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
    void useTool(Tool tool) { app.setTool(tool); }
    Curve& curve(CurveKind kind, int track = 0) {
        return app.design().tracks[static_cast<std::size_t>(track)].curve(kind);
    }
    int snapshots(CurveKind kind) { return app.state().undo.ring(0, kind).index; }

    testing::TempDir dir;
    ScriptedPrompts prompts;
    CKyrelApp app{prompts, nullptr, 1};
};

TEST_F(LooseView, GridHasACentreLineOnlyForWaveformAndPan) {
    for (int k = 0; k < kCurveKindCount; ++k) {
        const auto kind = static_cast<CurveKind>(k);
        // The curve on the bottom row crosses no grid line.
        app.design().tracks[0].curve(kind).fill(32767);
        auto view = makeView(kind, 2202, 256);
        const bool centre = kind == CurveKind::Waveform || kind == CurveKind::Pan;
        EXPECT_EQ(plotPixel(*view, 100, 128),
                  rgb(centre ? plotcolour::kCentreLine : plotcolour::kQuarterLine));
        EXPECT_EQ(plotPixel(*view, 100, 64), rgb(plotcolour::kQuarterLine));
        EXPECT_EQ(plotPixel(*view, 100, 192), rgb(plotcolour::kQuarterLine));
        EXPECT_EQ(plotPixel(*view, 100, 100), rgb(plotcolour::kBackground));
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(plotPixel(*view, (2202 / 4) * i, 10), rgb(plotcolour::kVerticalLine));
            EXPECT_EQ(plotPixel(*view, (2202 / 4) * i, 254), rgb(plotcolour::kVerticalLine));
        }
    }
}

TEST_F(LooseView, TinyPlotsShowNothingAndTakeNoInput) {
    auto view = makeView(CurveKind::Waveform, 0, 100);  // 32 pixels wide: no plot
    EXPECT_TRUE(view->plot().empty());
    const Curve before = curve(CurveKind::Waveform);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, {20, 40});
    EXPECT_EQ(curve(CurveKind::Waveform), before);
    EXPECT_EQ(snapshots(CurveKind::Waveform), 0);
    view->resize(300, 100);
    QApplication::processEvents();
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, at(20, 0));
    EXPECT_EQ(snapshots(CurveKind::Waveform), 1);
}

TEST_F(LooseView, ClickAtTheTopRowStoresMinus32768WhileALineThereStoresMinus32767) {
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

TEST_F(LooseView, FreehandDragLeavesTheWindowShowingTheCurveAsStored) {
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

TEST_F(LooseView, ASelectionDraggedPastTheEdgesTakesTheWholeCurve) {
    useTool(Tool::Select);
    auto view = makeView(CurveKind::Volume, 1101, 100);
    const QPoint leftMargin(2, 40), beyondRight(1101 + 2 * kM + 20, 40);
    for (auto [from, to] : {std::pair{leftMargin, beyondRight}, {beyondRight, leftMargin}}) {
        QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view.get(), to);
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);
        EXPECT_EQ(app.state().selectionStart.x, 0);
        EXPECT_EQ(app.state().selectionEnd.x, 2201);
    }
}

TEST_F(LooseView, CtrlDrawsALineWithFreehandAndFreehandWithTheOtherTools) {
    app.selectTrack(2);
    app.design().settings.modified = 0;
    auto view = makeView(CurveKind::Volume, 2202, 256);
    struct Case {
        Tool tool;
        DragMode mode;
        int snapshots;  // after the press
    };
    // Freehand + Ctrl draws a line; Line + Ctrl draws freehand with a snapshot; Select + Ctrl
    // draws freehand without one and selects nothing.
    const Case cases[] = {{Tool::Freehand, DragMode::Line, 1},
                          {Tool::Line, DragMode::Freehand, 2},
                          {Tool::Select, DragMode::Freehand, 2}};
    int x = 10;
    for (const Case& c : cases) {
        useTool(c.tool);
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::ControlModifier, at(x, 0));
        EXPECT_EQ(view->mode, c.mode);
        QTest::mouseMove(view.get(), at(x + 20, 0), Qt::ControlModifier);
        QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ControlModifier, at(x + 20, 0));
        EXPECT_EQ(curve(CurveKind::Volume, 2)[x + 10], -32767) << x;
        EXPECT_EQ(app.state().undo.ring(2, CurveKind::Volume).index, c.snapshots) << x;
        x += 100;
    }
    EXPECT_EQ(app.state().selectionVisible, 0);
    // Every press marks the document and the track, and puts the track to use.
    const DesignSettings& settings = app.design().settings;
    EXPECT_EQ(settings.modified, 1);
    EXPECT_EQ(settings.trackUse[2], 1);
    EXPECT_EQ(app.design().tracks[2].touched, 1);
    EXPECT_EQ(app.design().tracks[2].edited, 1);
}

TEST_F(LooseView, EscapeInTheMiddleOfALineWritesNothingAfterTheSnapshot) {
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

class StartedApp : public testing::KyrelWindows {
  protected:
    void SetUp() override { start(); }
    CCurveView& activate(CurveKind kind) { return window(kind); }
};

// Upward zero crossings of a 16-bit mono render one second long: its pitch in Hz.
int renderedHz(SoundDesign design) {
    design.tracks[0].renderEnabled = 1;
    design.tracks[0].endMs = 1000;
    kit::Random random(1);
    RenderProgress quiet;
    RenderOutput out;
    EXPECT_TRUE(renderTracks(design.tracks, design.settings, 1, 44100, 16, random, quiet, out));
    int crossings = 0;
    for (std::size_t i = 2; i + 1 < out.data.size(); i += 2)
        crossings += kit::readI16LE(out.data, i - 2) < 0 && kit::readI16LE(out.data, i) >= 0;
    return crossings;
}

// The number in `text` between `after` and the next `before`.
double numberIn(const QString& text, const QString& after, const QString& before) {
    const int start = text.indexOf(after) + after.size();
    return text.mid(start, text.indexOf(before, start) - start).toDouble();
}

TEST_F(StartedApp, FrequencyScaleAndReadoutGiveThePitchThatIsRendered) {
    CCurveView& view = *app.curveView(CurveKind::Frequency);
    const PlotScale& plot = view.plot();
    const int quarter = plot.height() / 4;
    app.design().tracks[0].curve(CurveKind::Frequency).fill(plot.rowToValue(quarter));
    for (int mode : {0, 1}) {
        app.design().settings.frequencyMode = mode;
        view.rebuild();
        const int hz = renderedHz(app.design());
        const QString legend = curveScale(CurveKind::Frequency, plot, app.design().settings).legend;
        EXPECT_NEAR(numberIn(legend, QString::fromUtf8("目盛り "), " / "), hz, 2)
            << legend.toStdString();
        QTest::mouseMove(&view, {kM + plot.width() / 2 + mode, kM + 3});
        const QString readout = app.mainFrame()->readoutText();
        const double shown =
            readout.section(QString::fromUtf8("　"), -1).section(' ', 0, 0).toDouble();
        EXPECT_NEAR(shown, hz, 2) << readout.toStdString();
    }
    // Time in ms from the sound's length, percent for the volume, the balance for the pan.
    app.design().settings.durationMs = 2202;
    struct Case {
        CurveKind kind;
        std::int32_t value;
        const char* readout;
    };
    for (const Case& c : {Case{CurveKind::Volume, 0, "1101 ms　点 1101　50 %"},
                          Case{CurveKind::Pan, -32768, "1101 ms　点 1101　L 100% R 50%"},
                          Case{CurveKind::Pan, 32767, "1101 ms　点 1101　L 50% R 100%"}}) {
        EXPECT_EQ(curveReadout(c.kind, 1101, c.value, app.design().settings),
                  QString::fromUtf8(c.readout));
    }
}

TEST_F(StartedApp, ANewSelectionHidesTheOldBandAndShowsItsOwnAtOnce) {
    for (int k = 0; k < kCurveKindCount; ++k) curve(static_cast<CurveKind>(k)).fill(32767);
    app.rebuildAll();
    app.setTool(Tool::Select);
    CCurveView& volume = activate(CurveKind::Volume);
    QTest::mouseClick(&volume, Qt::LeftButton, {}, at(10, 5));
    // One point selected; its band sits where that point's column lies.
    const int column = volume.plot().sampleToColumn(app.state().selectionStart.x);
    const QRgb banded = rgb(plotcolour::kBackground ^ plotcolour::kSelectionBand);
    ASSERT_EQ(plotPixel(volume, column, 3), banded);

    QTest::mousePress(&volume, Qt::LeftButton, {}, at(100, 5));
    EXPECT_EQ(plotPixel(volume, column, 3), rgb(plotcolour::kBackground));
    EXPECT_EQ(plotPixel(volume, 100, 3), banded);
    QTest::mouseRelease(&volume, Qt::LeftButton, {}, at(120, 5));
    EXPECT_EQ(plotPixel(volume, 110, 3), banded);
}

// トラックのコピー, chosen from the menu by its key, copies curves and settings onto another
// track; Undo takes the whole copy back in one step and Redo brings it again.
TEST_F(StartedApp, CopyingATrackIsOneStepForUndoAndRedo) {
    for (int k = 0; k < kCurveKindCount; ++k) curve(static_cast<CurveKind>(k)).fill(1000 * k + 7);
    app.design().tracks[0].volume = 77;
    app.design().settings.frequencySpread[0] = 10;
    const SoundDesign before = app.design();
    CCurveView& volume = activate(CurveKind::Volume);
    prompts.dialogHandler = [](QDialog& dialog) {
        dialog.show();
        auto* targets = dialog.findChild<QComboBox*>();
        QTest::keyClick(targets, Qt::Key_Down);  // トラック 2, then トラック 3
        QTest::keyClick(&dialog, Qt::Key_Return);
        return dialog.result();
    };
    QMenu* edit = nullptr;
    for (QAction* menu : app.mainFrame()->menuBar()->actions())
        if (menu->text().startsWith(QString::fromUtf8("編集"))) edit = menu->menu();
    ASSERT_NE(edit, nullptr);
    edit->popup({0, 0});
    QTest::keyClick(edit, Qt::Key_K);
    testing::activate(*app.mainFrame());
    auto copied = [&](const SoundDesign& d) {
        return d.tracks[2].curves == before.tracks[0].curves && d.tracks[2].volume == 77 &&
               d.settings.frequencySpread[2] == 10 && d.settings.trackUse[2] == 1;
    };
    EXPECT_TRUE(copied(app.design()));
    EXPECT_EQ(app.design().settings.currentTrack, 2);
    QTest::keyClick(&volume, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::memcmp(&app.design().tracks, &before.tracks, sizeof before.tracks), 0);
    EXPECT_EQ(app.design().settings.trackUse, before.settings.trackUse);
    EXPECT_EQ(app.design().settings.frequencySpread[2], 0);
    QTest::keyClick(&volume, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(copied(app.design()));
    expectShowsCurveAsStored(volume);
}

// Select all, Copy and the bands act on the curve of the window in use; a click that makes a
// window current only activates it; a hidden selection cannot be copied; a paste shows at once,
// and a click outside the plot or Esc gives it up.
TEST_F(StartedApp, SelectionAndPasteActOnTheWindowInUse) {
    auto ramps = [&] {
        for (int k = 0; k < kCurveKindCount; ++k) {
            Curve& c = curve(static_cast<CurveKind>(k));
            for (int i = 0; i < kCurvePoints; ++i) c[static_cast<std::size_t>(i)] = 3000 * k + i;
        }
        app.rebuildAll();
    };
    ramps();
    activate(CurveKind::Waveform);
    app.design().settings.modified = 0;
    CCurveView& volume = *app.curveView(CurveKind::Volume);
    const Curve before = curve(CurveKind::Volume);
    QTest::mouseClick(&volume, Qt::LeftButton, {}, at(30, 3));
    EXPECT_EQ(app.activeCurveWindow(), app.curveWindow(CurveKind::Volume));
    EXPECT_EQ(curve(CurveKind::Volume), before);
    EXPECT_EQ(app.design().settings.modified, 0);

    // Choosing a tool keeps the kind of the window in use.
    command(kCmdToolSelect);
    QTest::keyClick(&volume, Qt::Key_A, Qt::ControlModifier);
    const QRgb banded = rgb(plotcolour::kBackground ^ plotcolour::kSelectionBand);
    const int w = volume.plot().width();
    EXPECT_EQ(plotPixel(volume, w - 1, 1), banded);
    QTest::keyClick(&volume, Qt::Key_C, Qt::ControlModifier);
    const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(kClipMimeType);
    ASSERT_EQ(block.size(), 8872);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(block.data()),
                                              8872);
    EXPECT_EQ(kit::readI32LE(bytes, 4 * 5), before[5]);
    EXPECT_EQ(kit::readI32LE(bytes, 8816), 2201);

    // Another track or a new document hides the selection, and Copy then copies nothing.
    for (int way = 0; way < 2; ++way) {
        QTest::keyClick(&volume, Qt::Key_A, Qt::ControlModifier);
        if (way == 0) {
            QTest::keyClick(&volume, Qt::Key_2);
        } else {
            app.design().settings.modified = 0;
            prompts.answers = {MessageAnswer::Yes};
            QTest::keyClick(&volume, Qt::Key_N, Qt::ControlModifier);
            EXPECT_EQ(app.design().tracks[0].volume, 96);
        }
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&volume, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        EXPECT_FALSE(data && data->hasFormat(kClipMimeType)) << way;
    }

    // A copied block; its paste band is as wide as its selection band.
    ramps();
    command(kCmdToolSelect);
    QTest::mousePress(&volume, Qt::LeftButton, {}, at(0, 5));
    QTest::mouseRelease(&volume, Qt::LeftButton, {}, at(50, 5));
    const QImage selected = volume.windowImage();
    QTest::keyClick(&volume, Qt::Key_C, Qt::ControlModifier);
    const Curve beforePaste = curve(CurveKind::Volume);
    const QRgb pasteBanded = rgb(plotcolour::kBackground ^ plotcolour::kPasteBand);
    auto bandedColumns = [&](const QImage& image, QRgb colour, int row) {
        int n = 0;
        for (int x = 0; x < w; ++x) n += (image.pixel(at(x, row)) & 0xFFFFFFu) == colour;
        return n;
    };
    const int bottom = volume.plot().height() - 1;
    for (const char* end : {"toolbar", "escape", "drop"}) {
        QTest::mouseMove(&volume, at(40, 20));
        QCursor::setPos(volume.mapToGlobal(at(40, 20)));
        QTest::keyClick(&volume, Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(volume.capturing) << end;
        EXPECT_EQ(bandedColumns(volume.windowImage(), pasteBanded, 1),
                  bandedColumns(selected, banded, 1));
        EXPECT_EQ(bandedColumns(volume.windowImage(), pasteBanded, bottom), 0);
        EXPECT_EQ(bandedColumns(selected, banded, bottom), 0);
        if (std::string(end) == "toolbar") {
            // Through the window, as the window system delivers it while the view holds the mouse.
            QWidget& toolBar = *app.mainFrame()->mainToolBar();
            QTest::mouseClick(app.mainFrame()->windowHandle(), Qt::LeftButton, {},
                              toolBar.mapTo(app.mainFrame(), QPoint(5, 5)));
        } else if (std::string(end) == "escape") {
            QTest::keyClick(&volume, Qt::Key_Escape);
        } else {
            QTest::mouseClick(&volume, Qt::LeftButton, {}, at(200, 20));
        }
        EXPECT_FALSE(volume.capturing) << end;
        EXPECT_EQ(curve(CurveKind::Volume) == beforePaste, std::string(end) != "drop") << end;
    }
}

}  // namespace
}  // namespace kyrel
