#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kyrel {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// What a file dialog is asked for. Names and directories are file-system names (UTF-8).
struct FileDialogRequest {
    bool save = false;             // save dialog with overwrite confirmation, else open dialog
    std::string defaultExtension;  // "kyl" or "wav"
    std::string initialName;
    std::string initialDirectory;  // ends in '/'
    std::string_view filter;       // Shift-JIS, "Name (*.ext)|*.ext|...||"
};

// The two hooks of a render. cancelRequested is asked every 200 samples and is where a window
// keeps itself responsive; progress gets 0 ... 99 every 1000 samples.
class RenderProgress {
  public:
    virtual ~RenderProgress() = default;
    virtual void progress(int /*percent*/) {}
    virtual bool cancelRequested() { return false; }
};

// Everything the document logic needs from whoever shows it: the window, the command line or a
// test. Every message and caption goes through showMessage as Shift-JIS text.
class KyrelUi {
  public:
    virtual ~KyrelUi() = default;

    virtual MessageAnswer showMessage(std::string_view text, std::string_view caption,
                                      MessageButtons buttons) = 0;

    // The status bar's message pane (Shift-JIS; empty clears it).
    virtual void showStatus(std::string_view /*text*/) {}

    // Wait cursor during a render, arrow cursor after it.
    virtual void setWaitCursor(bool /*wait*/) {}

    // The full path the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> askFileName(const FileDialogRequest& /*request*/) {
        return std::nullopt;
    }

    // Runs `render` behind the modal progress dialog and returns what it returned. The dialog's
    // cancel button makes the hooks' cancelRequested answer true.
    virtual bool runRender(const std::function<bool(RenderProgress&)>& render) {
        RenderProgress quiet;
        return render(quiet);
    }

    // The document was replaced (New, Open, a load at start-up): edit windows redraw and retitle.
    virtual void documentReplaced() {}

    // documentName changed: the main title becomes "Kyrel - [name]".
    virtual void titleChanged() {}

    // A project file was opened or saved under `path` (for the list of recent files).
    virtual void projectFileUsed(const std::string& /*path*/) {}
};

}  // namespace kyrel
