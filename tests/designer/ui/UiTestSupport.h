#pragma once
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/ShiftJis.h"
#include "designer/core/Playback.h"
#include "designer/ui/CKyrelApp.h"
#include "designer/ui/DialogPrompts.h"

namespace kyrel::testing {

// Answers message boxes and file dialogs from queues and records what was shown (as UTF-8).
// Modal dialogs go to `dialogHandler` when one is set; otherwise they run for real (the
// progress dialog closes itself when its render ends).
class ScriptedPrompts : public DialogPrompts {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageButtons buttons;
    };

    MessageAnswer showMessage(QWidget*, std::string_view text, std::string_view caption,
                              MessageButtons buttons) override {
        shown.push_back({kit::sjisToUtf8Lossy(text), kit::sjisToUtf8Lossy(caption), buttons});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> askFileName(QWidget*, const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        if (fileNames.empty()) return std::nullopt;
        auto name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    int runDialog(QDialog& dialog) override {
        if (dialogHandler) return dialogHandler(dialog);
        return DialogPrompts::runDialog(dialog);
    }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::vector<FileDialogRequest> fileDialogs;
    std::function<int(QDialog&)> dialogHandler;
};

// Counts what playback asks of the sound player (from the playback thread).
class RecordingPlayer : public SoundPlayer {
  public:
    bool startFile(const std::string& path) override {
        std::lock_guard lock(mutex_);
        started_.push_back(path);
        return true;
    }
    void stopAll() override {
        std::lock_guard lock(mutex_);
        ++stops_;
    }
    std::vector<std::string> started() {
        std::lock_guard lock(mutex_);
        return started_;
    }
    int stops() {
        std::lock_guard lock(mutex_);
        return stops_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> started_;
    int stops_ = 0;
};

// A fresh directory that also serves as $TMPDIR (instance locks, the playback file) for the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kyrel-ui-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        previousTmp_ = std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR"))
                                             : std::nullopt;
        ::setenv("TMPDIR", path_.c_str(), 1);
    }
    ~TempDir() {
        if (previousTmp_) {
            ::setenv("TMPDIR", previousTmp_->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string dir() const { return path_.string() + "/"; }

  private:
    std::filesystem::path path_;
    std::optional<std::string> previousTmp_;
};

// Lets events run until `done` holds or `ms` milliseconds pass; returns `done()`.
inline bool waitUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

}  // namespace kyrel::testing
