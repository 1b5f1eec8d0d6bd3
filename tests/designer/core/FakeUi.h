#pragma once
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/ShiftJis.h"
#include "designer/core/KyrelUi.h"

namespace kyrel::testing {

// Records every message (as UTF-8) and answers questions and file dialogs from queues.
class FakeUi : public KyrelUi {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageButtons buttons;
    };

    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override {
        shown.push_back({kit::sjisToUtf8Lossy(text), kit::sjisToUtf8Lossy(caption), buttons});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Cancel;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void showStatus(std::string_view text) override { status = kit::sjisToUtf8Lossy(text); }
    std::optional<std::string> askFileName(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        if (fileNames.empty()) return std::nullopt;
        auto name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
    bool runRender(const std::function<bool(RenderProgress&)>& render) override {
        ++renders;
        if (cancelRender) {
            struct Cancel : RenderProgress {
                bool cancelRequested() override { return true; }
            } cancel;
            return render(cancel);
        }
        return KyrelUi::runRender(render);
    }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::vector<FileDialogRequest> dialogs;
    std::string status;
    int renders = 0;
    bool cancelRender = false;
};

// A fresh empty directory under the system's temporary directory, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kyrel-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace kyrel::testing
