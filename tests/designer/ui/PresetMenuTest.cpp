#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <cstring>
#include <memory>

#include "UiTestSupport.h"
#include "designer/ui/AutoPlay.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/PresetMenu.h"

namespace kyrel {
namespace {

using testing::RecordingPlayer;
using testing::ScriptedPrompts;
using testing::TempDir;
using testing::waitUntil;

// The design as it sounds: everything but the current track, the tool and the two flags.
std::unique_ptr<SoundDesign> sound(const SoundDesign& design) {
    auto copy = std::make_unique<SoundDesign>(design);
    DesignSettings& s = copy->settings;
    s.currentTrack = s.tool = s.modified = s.renderStale = 0;
    for (Track& t : copy->tracks) t.renderEnabled = t.startMs = t.endMs = 0;
    return copy;
}

bool same(const SoundDesign& a, const SoundDesign& b) {
    return std::memcmp(sound(a).get(), sound(b).get(), sizeof(SoundDesign)) == 0;
}

class PresetMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings("Kyrel", "Kyrel").clear();
        ASSERT_TRUE(app.start(""));
        app.mainFrame()->mdiArea().setActiveSubWindow(app.curveWindow(CurveKind::Volume));
        QApplication::processEvents();
    }
    // The settings are the test program's own, shared by every test: leave them as found.
    void TearDown() override { QSettings("Kyrel", "Kyrel").clear(); }
    void trigger(QAction* action) {
        app.updateCommandStates();
        action->trigger();
        QApplication::processEvents();
    }
    void command(int id) { trigger(app.mainFrame()->action(id)); }
    PresetMenu& menu() { return app.mainFrame()->presetMenu(); }
    std::size_t plays() { return player.started().size(); }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingPlayer player;
    CKyrelApp app{prompts, &player, 5};
};

TEST_F(PresetMenuTest, PresetsAndMutationsAreOneUndoStepEachAndMarkTheDocument) {
    const auto fresh = std::make_unique<SoundDesign>(app.design());
    trigger(menu().presetAction(PresetKind::Explosion));  // two tracks, spreads, new length
    const auto preset = std::make_unique<SoundDesign>(app.design());
    EXPECT_FALSE(same(*preset, *fresh));
    EXPECT_EQ(app.design().settings.modified, 1);
    EXPECT_EQ(app.design().settings.renderStale, 1);
    trigger(menu().mutateAction());
    const auto mutated = std::make_unique<SoundDesign>(app.design());
    EXPECT_FALSE(same(*mutated, *preset));

    command(kCmdUndo);
    EXPECT_TRUE(same(app.design(), *preset));
    app.design().settings.modified = 0;
    command(kCmdUndo);
    EXPECT_TRUE(same(app.design(), *fresh));
    EXPECT_EQ(app.design().settings.modified, 1);
    command(kCmdRedo);
    EXPECT_TRUE(same(app.design(), *preset));
    // From another window, as the step belongs to no single curve.
    app.mainFrame()->mdiArea().setActiveSubWindow(app.curveWindow(CurveKind::Pan));
    command(kCmdRedo);
    EXPECT_TRUE(same(app.design(), *mutated));
    EXPECT_TRUE(prompts.shown.empty());

    // The short menu, while no edit window is open, offers the presets too.
    app.mainFrame()->mdiArea().closeAllSubWindows();
    QApplication::processEvents();
    ASSERT_TRUE(app.mainFrame()->showsShortMenu());
    EXPECT_TRUE(app.mainFrame()->menuBar()->actions().contains(menu().menuAction()));
}

TEST_F(PresetMenuTest, AutoPlayPlaysAfterFinishedEditsWhileCheckedAndIsRemembered) {
    AutoPlay& autoPlay = app.mainFrame()->autoPlay();
    ASSERT_FALSE(autoPlay.enabled());
    trigger(menu().presetAction(PresetKind::Blip));
    EXPECT_EQ(plays(), 0u);

    autoPlay.action()->trigger();
    EXPECT_TRUE(QSettings("Kyrel", "Kyrel").value("view/autoPlayAfterEdit").toBool());
    trigger(menu().presetAction(PresetKind::Powerup));  // long enough to be playing still
    ASSERT_TRUE(waitUntil([&] { return plays() == 1; }));
    command(kCmdTrack1 + 2);  // no change to the sound: nothing plays
    command(kCmdUndo);        // restarts the sound that still plays
    ASSERT_TRUE(waitUntil([&] { return plays() == 2; }));
    EXPECT_GE(player.stops(), 1);

    // A stroke plays when the button comes up.
    CCurveView& view = *app.curveView(CurveKind::Volume);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(&view, QPoint(90, 40));
    EXPECT_EQ(plays(), 2u);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(90, 40));
    EXPECT_TRUE(waitUntil([&] { return plays() == 3; }));

    // A later run starts with the item checked.
    ScriptedPrompts otherPrompts;
    CKyrelApp later(otherPrompts, nullptr, 6);
    ASSERT_TRUE(later.start(""));
    EXPECT_TRUE(later.mainFrame()->autoPlay().enabled());
}

}  // namespace
}  // namespace kyrel
