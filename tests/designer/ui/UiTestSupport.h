#pragma once
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QSettings>

#include <QMdiArea>
#include <functional>

#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/DialogPrompts.h"
#include "tests/designer/core/FakeUi.h"

namespace kyrel::testing {

// Answers message boxes and file dialogs from queues and records what was shown (as UTF-8).
// Modal dialogs go to `dialogHandler` when one is set; otherwise they run for real (the
// progress dialog closes itself when its render ends). The remembered state of earlier tests
// is forgotten.
class ScriptedPrompts : public DialogPrompts, public Answers {
  public:
    ScriptedPrompts() { QSettings().clear(); }

    MessageAnswer showMessage(QWidget*, std::string_view text, std::string_view caption,
                              MessageButtons buttons) override {
        return answer(text, caption, buttons);
    }
    std::optional<std::string> askFileName(QWidget*, const FileDialogRequest& request) override {
        return fileName(request);
    }
    int runDialog(QDialog& dialog) override {
        return dialogHandler ? dialogHandler(dialog) : DialogPrompts::runDialog(dialog);
    }

    std::function<int(QDialog&)> dialogHandler;
};

// Makes `window` the active window, as a click into it would; keys then reach its shortcuts.
// (Offscreen, a closed dialog leaves no window active.)
inline void activate(QWidget& window) {
    window.activateWindow();
    QApplication::processEvents();
}

// Lets events run until `done` holds or `ms` milliseconds pass; returns `done()`.
inline bool waitUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// The program with its windows, its scripted prompts and a recording player; start() opens the
// main window with its four edit windows. Commands go through the main frame's actions.
class KyrelWindows : public ::testing::Test {
  protected:
    void start(const std::string& commandLine = "") {
        ASSERT_TRUE(app.start(commandLine));
        activate(*app.mainFrame());
    }
    CMainFrame& frame() { return *app.mainFrame(); }
    // Makes the edit window of `kind` the current one.
    CCurveView& window(CurveKind kind) {
        activate(frame());
        frame().mdiArea().setActiveSubWindow(app.curveWindow(kind));
        QApplication::processEvents();
        return *app.curveView(kind);
    }
    void command(int id) {
        app.updateCommandStates();  // as the window's timer does between two commands
        frame().action(id)->trigger();
        QApplication::processEvents();
    }
    bool enabled(int id) {
        app.updateCommandStates();
        return frame().action(id)->isEnabled();
    }
    Curve& curve(CurveKind kind, int track = 0) {
        return app.design().tracks[static_cast<std::size_t>(track)].curve(kind);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingPlayer player;
    CKyrelApp app{prompts, &player, 1};
};

}  // namespace kyrel::testing
