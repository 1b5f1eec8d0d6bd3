#pragma once
#include <QObject>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "designer/core/KyrelApp.h"
#include "designer/core/KyrelUi.h"
#include "designer/ui/InstanceLock.h"

namespace kyrel {

class CChildFrame;
class CCurveView;
class CMainFrame;
class CurveEditing;
class DialogPrompts;

// The application object of the window program: owns Kyrel's process-wide state, the main
// window and the table of curve windows, shows what the document logic asks to show, and
// carries the commands. Message boxes, file dialogs and modal dialogs go through the injected
// DialogPrompts, so every flow can run under test with scripted answers.
class CKyrelApp : public QObject, public KyrelUi {
    Q_OBJECT
  public:
    // Construction resets the document. `player` may be null (silent playback).
    CKyrelApp(DialogPrompts& prompts, SoundPlayer* player, std::uint32_t seed);
    ~CKyrelApp() override;

    // Creates and shows the main window with its four curve windows, takes the instance number,
    // and opens the project named by `commandLine` (empty for none). False when the main window
    // cannot be made.
    bool start(const std::string& commandLine);

    KyrelApp& state() { return *state_; }
    const KyrelApp& state() const { return *state_; }
    SoundDesign& design() { return state_->design; }
    CMainFrame* mainFrame() { return mainFrame_; }
    DialogPrompts& prompts() { return prompts_; }

    CurveEditing& editing() { return *editing_; }
    void setEditing(std::unique_ptr<CurveEditing> editing);

    // The open edit window of each kind, or null.
    CChildFrame* curveWindow(CurveKind kind) const;
    CCurveView* curveView(CurveKind kind) const;
    // The edit window that has the focus among the curve windows, or null.
    CChildFrame* activeCurveWindow() const;
    void curveWindowDestroyed(CChildFrame* frame);

    // Activates the open window of `kind` (0 ... 3) or opens a new one; false for other kinds.
    bool openCurveWindow(int kind);
    // Makes track t (0 ... 5) current: every open window retitles and redraws.
    void selectTrack(int track);
    // Chooses the editing tool; any visible selection disappears.
    void setTool(Tool tool);
    // Redraws and retitles every open curve window (after a track switch, undo, a new document).
    void rebuildAll();
    // Repaints every open view from its bitmap (the selection band follows the selection).
    void refreshAll();

    // The main window asks before it closes: false keeps it open.
    bool mayCloseMainWindow();
    // Enabling and check marks of every command, from the current state.
    void updateCommandStates();

    // Commands.
    void commandNew();
    void commandOpen();
    void commandSave();
    void commandSaveAs();
    void commandCreateWav();
    // True when playback started.
    bool commandPlay();
    void commandPlayEditedTrack();
    void commandStop();
    void commandWaveSettings();
    void commandEffectSettings();
    void commandHelp();
    // トラックのコピー: asks for the target track, then copies the current track onto it.
    void commandCopyTrack();
    void commandAbout();
    // ファイル → インポート: a sound of the sfxr family in place of the design.
    void commandImport();
    // 音量を揃える: the render with the window's seed levelled to -1 dBFS, one undo step.
    void commandNormalize();
    // 値を入力: the dialog for a typed value, for the selection of the curve `kind` or, from a
    // double click, for `point`; then the points, as one undo step.
    void commandTypeValue(CurveKind kind, int point = -1);

    // KyrelUi: what the document logic shows.
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override;
    void showStatus(std::string_view text) override;
    // The readout of the curve point under the mouse in the status bar.
    void showReadout(const QString& text);
    void setWaitCursor(bool wait) override;
    std::optional<std::string> askFileName(const FileDialogRequest& request) override;
    bool runRender(const std::function<bool(RenderProgress&)>& render) override;
    void documentReplaced() override;
    void titleChanged() override;
    void projectFileUsed(const std::string& path) override;

    // The recent projects that still exist, newest first; opening one of them.
    std::vector<std::string> recentFiles() const;
    void commandOpenRecent(const std::string& path);

  private:
    // The document logic calls back into this object while it is being made (New sets the
    // title), so everything those calls touch is declared, and made, before it.
    DialogPrompts& prompts_;
    CMainFrame* mainFrame_ = nullptr;
    std::array<CChildFrame*, kCurveKindCount> curveWindows_{};
    bool waitCursor_ = false;
    InstanceLock instanceLock_;
    std::unique_ptr<CurveEditing> editing_;
    std::unique_ptr<KyrelApp> state_;
};

}  // namespace kyrel
