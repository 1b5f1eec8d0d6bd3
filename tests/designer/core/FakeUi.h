#pragma once
#include <atomic>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/ShiftJis.h"
#include "designer/core/KyrelUi.h"
#include "designer/core/Playback.h"
#include "tests/support/ScratchAndRun.h"

namespace kyrel::testing {

// A message as shown (UTF-8).
struct Shown {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

// Records every message and answers questions (Cancel when none is queued) and file dialogs
// (cancelled when none is queued) from queues.
struct Answers {
    MessageAnswer answer(std::string_view text, std::string_view caption, MessageButtons buttons) {
        shown.push_back({kit::sjisToUtf8Lossy(text), kit::sjisToUtf8Lossy(caption), buttons});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Cancel;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> fileName(const FileDialogRequest& request) {
        fileDialogs.push_back(request);
        if (fileNames.empty()) return std::nullopt;
        auto name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::vector<FileDialogRequest> fileDialogs;
};

class FakeUi : public KyrelUi, public Answers {
  public:
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override {
        return answer(text, caption, buttons);
    }
    void showStatus(std::string_view text) override { status = kit::sjisToUtf8Lossy(text); }
    std::optional<std::string> askFileName(const FileDialogRequest& request) override {
        return fileName(request);
    }
    bool runRender(const std::function<bool(RenderProgress&)>& render) override {
        ++renders;
        struct Cancel : RenderProgress {
            bool cancelRequested() override { return true; }
        } cancel;
        return cancelRender ? render(cancel) : KyrelUi::runRender(render);
    }

    std::string status;
    int renders = 0;
    bool cancelRender = false;
};

// Records what playback asks of the sound player (from the playback thread).
class RecordingPlayer : public SoundPlayer {
  public:
    bool startFile(const std::string& path) override {
        std::lock_guard lock(mutex_);
        started_.push_back(path);
        return true;
    }
    void stopAll() override { ++stops_; }
    bool openDevice() override { return hasDevice; }
    std::atomic<bool> hasDevice = true;
    std::vector<std::string> started() {
        std::lock_guard lock(mutex_);
        return started_;
    }
    int stops() const { return stops_; }

  private:
    std::mutex mutex_;
    std::vector<std::string> started_;
    std::atomic<int> stops_ = 0;
};

// A fresh directory, removed afterwards, that also serves as $TMPDIR (instance locks, the
// playback file) while it lives.
class TempDir {
  public:
    TempDir() {
        if (const char* tmp = std::getenv("TMPDIR")) previousTmp_ = tmp;
        ::setenv("TMPDIR", scratch_.path().c_str(), 1);
    }
    ~TempDir() {
        if (previousTmp_) {
            ::setenv("TMPDIR", previousTmp_->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }
    std::string file(const std::string& name) const { return (path() / name).string(); }
    std::string dir() const { return path().string() + "/"; }
    const std::filesystem::path& path() const { return scratch_.path(); }

  private:
    testsupport::ScratchDirectory scratch_{"kyrel-test-"};
    std::optional<std::string> previousTmp_;
};

}  // namespace kyrel::testing

namespace kyrel {

inline std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kyrel
