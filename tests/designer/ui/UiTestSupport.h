#pragma once
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QSettings>
#include <functional>

#include "designer/ui/CKyrelApp.h"
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

}  // namespace kyrel::testing
