#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <optional>

#include "UiTestSupport.h"
#include "common/LittleEndian.h"
#include "designer/core/CurveUnits.h"
#include "designer/core/PresetCommands.h"
#include "designer/core/Synthesis.h"
#include "designer/ui/CEffectSettingsDlg.h"
#include "designer/ui/CTypedValueDlg.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CurveScale.h"
#include "designer/ui/LoopPlay.h"

namespace kyrel {
namespace {

using testing::waitUntil;

constexpr int kM = CCurveView::kMargin;

class DesignerTools : public testing::KyrelWindows {
  protected:
    void SetUp() override { start(); }
    // Runs the command, handing its dialog of type D to `act`.
    template <typename D>
    void withDialog(const std::function<void()>& start, const std::function<void(D&)>& act) {
        prompts.dialogHandler = [&](QDialog& dialog) {
            auto* wanted = dynamic_cast<D*>(&dialog);
            EXPECT_NE(wanted, nullptr);
            if (wanted) {
                dialog.show();
                act(*wanted);
            }
            return dialog.result();
        };
        start();
        prompts.dialogHandler = nullptr;
    }
};

TEST_F(DesignerTools, TheSeedIsSetInTheEffectSettingsAndRememberedBetweenRuns) {
    QString drawn;
    withDialog<CEffectSettingsDlg>([&] { command(kCmdEffectSettings); },
                                   [&](CEffectSettingsDlg& d) {
                                       const QString first = d.seedField().text();
                                       d.newSeedButton().click();
                                       drawn = d.seedField().text();
                                       EXPECT_NE(drawn, first);
                                       d.seedField().setText("12x");
                                       d.accept();  // refused with a message
                                       EXPECT_TRUE(d.isVisible());
                                       d.seedField().setText("777");
                                       d.accept();
                                   });
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(app.state().renderSeed, 777u);
    EXPECT_EQ(app.design().settings.renderStale, 1);
    CKyrelApp next(prompts, nullptr, 3);
    EXPECT_EQ(next.state().renderSeed, 777u);
}

// ループ再生 plays again when a pass ends, renders again after an edit, and ends with Stop.
TEST_F(DesignerTools, LoopPlayRepeatsUntilStopped) {
    app.design().settings.durationMs = 20;
    frame().action(kCmdLoopPlay)->setChecked(true);  // starts at once
    ASSERT_TRUE(waitUntil([&] { return player.started().size() >= 3; }));
    curve(CurveKind::Volume).fill(0);
    app.design().markChanged();
    const std::size_t edited = player.started().size();
    ASSERT_TRUE(waitUntil([&] { return player.started().size() > edited; }));
    EXPECT_EQ(app.design().settings.renderStale, 0);  // rendered again for the new pass
    command(kCmdStop);
    ASSERT_TRUE(waitUntil([&] { return !app.state().isPlaying(); }));
    const std::size_t stopped = player.started().size();
    QTest::qWait(80);
    EXPECT_EQ(player.started().size(), stopped);
    EXPECT_FALSE(frame().loopPlay().looping());
}

// Typed numbers in each curve's unit, and the values they become.
TEST_F(DesignerTools, TypedValuesInEachUnit) {
    const struct {
        CurveKind kind;
        const char* text;
        double number;
        int cycles;
        std::int32_t value;
    } cases[] = {
        {CurveKind::Frequency, "512 Hz", 512, 1, 32768 - 16384},
        {CurveKind::Frequency, "1536", 1536, 3, 32768 - 16384},
        {CurveKind::Volume, "50 %", 50, 1, 0},
        {CurveKind::Volume, "100", 100, 1, -32768},
        {CurveKind::Pan, "L100", -100, 1, -32767},
        {CurveKind::Pan, "R 50", 50, 1, 16384},
        {CurveKind::Pan, "C", 0, 1, 0},
        {CurveKind::Waveform, "-100%", -100, 1, -32767},
    };
    app.design().settings.frequencyMode = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseUnitText(c.kind, c.text), c.number);
        const std::int32_t value = valueFromUnit(c.kind, c.number, 0, c.cycles);
        EXPECT_EQ(value, c.value);
        EXPECT_NEAR(unitFromValue(c.kind, value, 0, c.cycles), c.number, 0.01);
    }
    for (const char* bad : {"", "abc", "L", "12 dB"})
        EXPECT_FALSE(parseUnitText(CurveKind::Volume, bad)) << bad;

    // A double click sets the point under it; the command with the line option sets the
    // selection from one value to another; each is one undo step.
    CCurveView& volume = window(CurveKind::Volume);
    const int column = 40;
    const int point = volume.plot().columnToSample(column);
    withDialog<CTypedValueDlg>(
        [&] {
            QTest::mouseDClick(&volume, Qt::LeftButton, {}, {kM + column, kM + 10});
        },
        [](CTypedValueDlg& d) {
            d.fromField().setText("25");
            d.accept();
        });
    EXPECT_EQ(curve(CurveKind::Volume)[static_cast<std::size_t>(point)], 16384);
    const Curve clicked = curve(CurveKind::Volume);
    command(kCmdSelectAll);
    withDialog<CTypedValueDlg>([&] { command(kCmdTypeValue); },
                               [](CTypedValueDlg& d) {
                                   d.fromField().setText("100");
                                   d.lineCheck().setChecked(true);
                                   d.toField().setText("0");
                                   d.accept();
                               });
    EXPECT_EQ(curve(CurveKind::Volume).front(), -32768);
    EXPECT_NEAR(curve(CurveKind::Volume)[1100], 0, 30);
    EXPECT_EQ(curve(CurveKind::Volume).back(), 32767);
    command(kCmdUndo);
    EXPECT_EQ(curve(CurveKind::Volume), clicked);
}

// Rising zero crossings per second of track t rendered alone (without its random spreads, which
// scatter the sound around its curves), within 10 ms either side of point `index`.
double crossingRate(SoundDesign design, int t, int index) {
    design.settings.trackUse.fill(0);
    design.settings.trackUse[static_cast<std::size_t>(t)] = 1;
    design.settings.frequencySpread.fill(0);
    design.settings.waveformSpread.fill(0);
    for (std::size_t u = 0; u < kTrackCount; ++u) {
        design.tracks[u].renderEnabled = design.settings.trackUse[u];
        design.tracks[u].endMs = design.settings.durationMs;
    }
    kit::Random random(1);
    RenderProgress quiet;
    RenderOutput out;
    EXPECT_TRUE(renderTracks(design.tracks, design.settings, 1, 44100, 16, random, quiet, out));
    const std::size_t frames = out.data.size() / 2;
    const auto centre = static_cast<std::size_t>(double(frames) * (index + 0.5) / kCurvePoints);
    // A rise goes from below -16 to above +16: the samples a quiet end truncates to 0 or +-1 are
    // rounding, not crossings.
    std::vector<double> rises;
    int side = 0;
    for (std::size_t f = std::max<std::size_t>(centre, 441) - 441;
         f < std::min(centre + 441, frames); ++f) {
        const int v = kit::readI16LE(out.data, 2 * f);
        const int now = v > 16 ? 1 : v < -16 ? -1 : side;
        if (side < 0 && now > 0) rises.push_back(double(f));
        side = now;
    }
    if (rises.size() < 2) return 0.0;
    return (rises.size() - 1) / (rises.back() - rises.front()) * 44100.0;
}

// The frequency readout and scale give the pitch heard: the zero crossings of the render, for
// every preset (tones of one to three cycles a curve, noise of many; a render cannot show
// crossings faster than a quarter of its rate, so faster noise is not compared); the readout
// also gives the value at the pointer's height.
TEST_F(DesignerTools, FrequencyReadoutAgreesWithTheRenderForEveryPreset) {
    for (const PresetName& preset : kPresetNames) {
        commandPreset(app.state(), preset.kind);
        int compared = 0;
        const SoundDesign& d = app.design();
        for (int t = 0; t < kTrackCount; ++t) {
            if (d.settings.trackUse[static_cast<std::size_t>(t)] != 1) continue;
            const Track& track = d.tracks[static_cast<std::size_t>(t)];
            const int cycles = waveformCycles(track.curve(CurveKind::Waveform));
            for (int index : {500, 1000, 1500, 2000}) {
                SCOPED_TRACE(std::string(preset.name) + " track " + std::to_string(t) + " point " +
                             std::to_string(index));
                const std::int32_t value = track.curve(CurveKind::Frequency)[index];
                const QString readout =
                    curveReadout(CurveKind::Frequency, index, value, d.settings, cycles);
                const double shown =
                    readout.section(QString::fromUtf8("　"), -1).section(' ', 0, 0).toDouble();
                if (shown > 8000) continue;
                ++compared;
                const double heard = crossingRate(d, t, index);
                // A window sees a part of a noise's pass, whose crossings are as dense as the whole
                // pass's only on average.
                const double tolerance = cycles > 8 ? 0.25 : 0.06;
                EXPECT_NEAR(shown, heard, tolerance * heard + 10) << readout.toStdString();
            }
        }
        EXPECT_GT(compared, 0) << preset.name;
    }
    CCurveView& view = window(CurveKind::Frequency);
    QTest::mouseMove(&view, {kM + 10, kM + view.plot().height() / 2});
    const QString expected =
        curveValueText(CurveKind::Frequency, view.plot().rowToValue(view.plot().height() / 2),
                       app.design().settings, waveformCycles(curve(CurveKind::Waveform)));
    EXPECT_TRUE(frame().readoutText().endsWith(QString::fromUtf8("（カーソル %1）").arg(expected)))
        << frame().readoutText().toStdString();
}

// A drag that starts in an edit window that is not current makes it current and draws.
TEST_F(DesignerTools, PressAndDragOnAnInactiveWindowDraws) {
    window(CurveKind::Waveform);
    CCurveView& volume = *app.curveView(CurveKind::Volume);
    curve(CurveKind::Volume).fill(32767);
    volume.rebuild();
    QTest::mousePress(&volume, Qt::LeftButton, {}, {kM + 10, kM + 2});
    QTest::mouseMove(&volume, {kM + 60, kM + 2});
    QTest::mouseRelease(&volume, Qt::LeftButton, {}, {kM + 60, kM + 2});
    EXPECT_EQ(app.activeCurveWindow(), app.curveWindow(CurveKind::Volume));
    const PlotScale& plot = volume.plot();
    for (int x : {10, 35, 60})
        EXPECT_LT(curve(CurveKind::Volume)[static_cast<std::size_t>(plot.columnToSample(x))], 0)
            << x;
}

}  // namespace
}  // namespace kyrel
