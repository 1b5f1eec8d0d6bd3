#include "designer/ui/CKyrelApp.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <cstdio>

#include "designer/core/CurveUnits.h"
#include "designer/core/Document.h"
#include "designer/core/EditCommands.h"
#include "designer/core/ImportCommands.h"
#include "designer/core/Normalize.h"
#include "designer/core/RecentFiles.h"
#include "designer/core/TypedPoints.h"
#include "designer/core/WavCommands.h"
#include "designer/ui/AboutDialog.h"
#include "designer/ui/CChildFrame.h"
#include "designer/ui/CCurveView.h"
#include "designer/ui/CEffectSettingsDlg.h"
#include "designer/ui/CMainFrame.h"
#include "designer/ui/CProgressDlg.h"
#include "designer/ui/CTrackCopyDlg.h"
#include "designer/ui/CTypedValueDlg.h"
#include "designer/ui/CWaveSettingsDlg.h"
#include "designer/ui/CommandIds.h"
#include "designer/ui/CoreTexts.h"
#include "designer/ui/CurveEditing.h"
#include "designer/ui/CurveTools.h"
#include "designer/ui/DialogPrompts.h"
#include "designer/ui/HelpWindow.h"
#include "designer/ui/LoopPlay.h"
#include "designer/ui/QtText.h"
#include "designer/ui/RememberedState.h"

namespace kyrel {

CKyrelApp::CKyrelApp(DialogPrompts& prompts, SoundPlayer* player, std::uint32_t seed)
    : prompts_(prompts),
      editing_(std::make_unique<CurveTools>(*this)),
      state_(std::make_unique<KyrelApp>(*this, seed)) {
    state_->playback.setPlayer(player);
    // The seed heard last time is the seed of this run too.
    if (const auto seed = rememberedSeed()) state_->renderSeed = *seed;
}

CKyrelApp::~CKyrelApp() {
    // The windows go first: their destruction reports back to this object, which by then
    // answers as having no main window (and asks nothing).
    CMainFrame* frame = mainFrame_;
    mainFrame_ = nullptr;
    if (frame) rememberWindowState(*frame);
    delete frame;
    if (waitCursor_) QApplication::restoreOverrideCursor();
    // The playback file is this copy's own; it goes once the last playback has ended (the lock
    // file may stay, it is taken again by the next copy).
    const std::string playbackFile = state_->tempWavPath;
    state_.reset();
    std::remove(playbackFile.c_str());
}

void CKyrelApp::setEditing(std::unique_ptr<CurveEditing> editing) {
    editing_ = editing ? std::move(editing) : std::make_unique<CurveEditing>();
}

bool CKyrelApp::start(const std::string& commandLine) {
    mainFrame_ = new CMainFrame(*this);
    restoreWindowState(*mainFrame_);
    mainFrame_->show();
    for (int kind = 0; kind < kCurveKindCount; ++kind) openCurveWindow(kind);
    state_->activeKind = static_cast<std::int32_t>(CurveKind::Pan);
    state_->instanceNumber = instanceLock_.acquire(temporaryDirectory());
    state_->tempWavPath = tempWavPathFor(state_->instanceNumber);
    titleChanged();
    if (!commandLine.empty()) openProjectFromCommandLine(*state_, commandLine);
    mainFrame_->tileHorizontally();
    updateCommandStates();
    return true;
}

CChildFrame* CKyrelApp::curveWindow(CurveKind kind) const {
    const int k = static_cast<int>(kind);
    return k >= 0 && k < kCurveKindCount ? curveWindows_[static_cast<std::size_t>(k)] : nullptr;
}

CCurveView* CKyrelApp::curveView(CurveKind kind) const {
    CChildFrame* frame = curveWindow(kind);
    return frame ? &frame->view() : nullptr;
}

CChildFrame* CKyrelApp::activeCurveWindow() const {
    if (!mainFrame_) return nullptr;
    // The current window also while a dialog has the focus.
    return qobject_cast<CChildFrame*>(mainFrame_->mdiArea().currentSubWindow());
}

void CKyrelApp::curveWindowDestroyed(CChildFrame* frame) {
    for (CChildFrame*& entry : curveWindows_) {
        if (entry == frame) entry = nullptr;
    }
    if (mainFrame_) mainFrame_->updateMenuBar();
}

bool CKyrelApp::openCurveWindow(int kind) {
    if (kind < 0 || kind >= kCurveKindCount || !mainFrame_) return false;
    if (CChildFrame* open = curveWindows_[static_cast<std::size_t>(kind)]) {
        mainFrame_->mdiArea().setActiveSubWindow(open);
        return true;
    }
    auto* frame = new CChildFrame(*this);
    curveWindows_[static_cast<std::size_t>(kind)] = frame;
    mainFrame_->mdiArea().addSubWindow(frame);
    frame->resize(480, 200);
    frame->setKind(static_cast<CurveKind>(kind));
    frame->show();
    mainFrame_->updateMenuBar();
    return true;
}

void CKyrelApp::rebuildAll() {
    for (CChildFrame* frame : curveWindows_) {
        if (!frame) continue;
        frame->updateTitle();
        frame->view().rebuild();
    }
}

void CKyrelApp::refreshAll() {
    for (CChildFrame* frame : curveWindows_) {
        if (frame) frame->view().refresh();
    }
}

void CKyrelApp::selectTrack(int track) {
    if (track < 0 || track >= kTrackCount) return;
    design().settings.currentTrack = track;
    // The band goes with the track it was drawn on, and so does the selection.
    state_->selectionVisible = 0;
    rebuildAll();
    updateCommandStates();
}

void CKyrelApp::setTool(Tool tool) {
    design().settings.tool = static_cast<std::int32_t>(tool);
    // The selection's kind stays that of the current edit window, so that Select all and Copy
    // keep acting on the curve the user sees.
    const CChildFrame* active = activeCurveWindow();
    state_->activeKind = static_cast<std::int32_t>(active ? active->kind() : CurveKind::Waveform);
    state_->selectionVisible = 0;
    refreshAll();
    updateCommandStates();
}

bool CKyrelApp::mayCloseMainWindow() {
    return mayClose(*state_);
}

void CKyrelApp::updateCommandStates() {
    if (!mainFrame_) return;
    const bool playing = state_->isPlaying();
    const DesignSettings& settings = design().settings;
    auto enable = [this](int id, bool on) {
        if (QAction* a = mainFrame_->action(id)) a->setEnabled(on);
    };
    auto check = [this](int id, bool on) {
        if (QAction* a = mainFrame_->action(id)) a->setChecked(on);
    };
    for (int id : {kCmdNew, kCmdOpen, kCmdExit, kCmdPlay, kCmdPlayEditedTrack, kCmdCreateWav,
                   kCmdEffectSettings, kCmdWaveSettings, kCmdImport, kCmdNormalize}) {
        enable(id, !playing);
    }
    // Stop also ends a loop between two of its passes.
    enable(kCmdStop, playing || mainFrame_->loopPlay().looping());
    enable(kCmdCopy, state_->selectionVisible == 1);
    enable(kCmdPaste, editing_->canPaste());
    const CChildFrame* active = activeCurveWindow();
    enable(kCmdGenerator, active && active->kind() == CurveKind::Waveform);
    enable(kCmdClose, active != nullptr);
    enable(kCmdTypeValue, active != nullptr);
    check(kCmdToolSelect, settings.tool == static_cast<std::int32_t>(Tool::Select));
    check(kCmdToolFreehand, settings.tool == static_cast<std::int32_t>(Tool::Freehand));
    check(kCmdToolLine, settings.tool == static_cast<std::int32_t>(Tool::Line));
    for (int t = 0; t < kTrackCount; ++t) check(kCmdTrack1 + t, settings.currentTrack == t);
    check(kCmdStatusBar, mainFrame_->statusBar()->isVisibleTo(mainFrame_));
    titleChanged();  // the modified mark follows every change
}

void CKyrelApp::commandNew() {
    kyrel::commandNew(*state_);
}
void CKyrelApp::commandOpen() {
    kyrel::commandOpen(*state_);
}
void CKyrelApp::commandSave() {
    kyrel::commandSave(*state_);
}
void CKyrelApp::commandSaveAs() {
    kyrel::commandSaveAs(*state_);
}
void CKyrelApp::commandCreateWav() {
    kyrel::commandCreateWav(*state_);
}
bool CKyrelApp::commandPlay() {
    return kyrel::commandPlay(*state_);
}
void CKyrelApp::commandPlayEditedTrack() {
    kyrel::commandPlayEditedTrack(*state_);
}
void CKyrelApp::commandStop() {
    kyrel::commandStop(*state_);
}

void CKyrelApp::commandWaveSettings() {
    if (state_->isPlaying()) return;
    CWaveSettingsDlg dialog(*this, mainFrame_);
    // The time scales follow the new length.
    if (prompts_.runDialog(dialog) == QDialog::Accepted) rebuildAll();
}

void CKyrelApp::commandEffectSettings() {
    if (state_->isPlaying()) return;
    CEffectSettingsDlg dialog(*this, mainFrame_);
    // The frequency scale follows the pitch mode.
    if (prompts_.runDialog(dialog) == QDialog::Accepted) rebuildAll();
}

void CKyrelApp::commandCopyTrack() {
    CTrackCopyDlg dialog(design().settings.currentTrack, mainFrame_);
    if (prompts_.runDialog(dialog) != QDialog::Accepted) return;
    if (!kyrel::commandCopyTrack(*state_, dialog.target())) return;
    state_->selectionVisible = 0;
    rebuildAll();
}

void CKyrelApp::commandImport() {
    kyrel::commandImport(*state_);  // which hides the selection when it imports
    rebuildAll();
}

void CKyrelApp::commandNormalize() {
    if (kyrel::commandNormalize(*state_)) rebuildAll();
}

void CKyrelApp::commandTypeValue(CurveKind kind, int point) {
    const PointSpan span = typedValueSpan(*state_, kind, point);
    const DesignSettings& s = design().settings;
    const Track& track = design().tracks[static_cast<std::size_t>(currentTrackIndex(*state_))];
    const int cycles = waveformCycles(track.curve(CurveKind::Waveform));
    const std::int32_t current = track.curve(kind)[static_cast<std::size_t>(span.first)];
    CTypedValueDlg dialog(kind, unitFromValue(kind, current, s.frequencyMode, cycles), prompts_,
                          mainFrame_);
    if (prompts_.runDialog(dialog) != QDialog::Accepted) return;
    commandSetPoints(*state_, kind, span,
                     valueFromUnit(kind, dialog.from(), s.frequencyMode, cycles),
                     valueFromUnit(kind, dialog.to(), s.frequencyMode, cycles));
    rebuildAll();
    refreshAll();
}

void CKyrelApp::commandHelp() {
    HelpWindow::showFor(mainFrame_);
}

void CKyrelApp::commandAbout() {
    AboutDialog dialog(mainFrame_);
    prompts_.runDialog(dialog);
}

MessageAnswer CKyrelApp::showMessage(std::string_view text, std::string_view caption,
                                     MessageButtons buttons) {
    return prompts_.showMessage(mainFrame_, text, caption, buttons);
}

void CKyrelApp::showStatus(std::string_view text) {
    if (mainFrame_) mainFrame_->setStatusText(coreText(text));
}

void CKyrelApp::showReadout(const QString& text) {
    if (mainFrame_) mainFrame_->setReadoutText(text);
}

void CKyrelApp::setWaitCursor(bool wait) {
    if (wait == waitCursor_) return;
    waitCursor_ = wait;
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

std::optional<std::string> CKyrelApp::askFileName(const FileDialogRequest& request) {
    return prompts_.askFileName(mainFrame_, request);
}

bool CKyrelApp::runRender(const std::function<bool(RenderProgress&)>& render) {
    CProgressDlg dialog(render, mainFrame_);
    return prompts_.runDialog(dialog) == QDialog::Accepted && dialog.succeeded();
}

void CKyrelApp::documentReplaced() {
    rebuildAll();
}

void CKyrelApp::projectFileUsed(const std::string& path) {
    rememberRecentFiles(withRecentFile(rememberedRecentFiles(), path));
}

std::vector<std::string> CKyrelApp::recentFiles() const {
    // A file that went away since is dropped from the list for good.
    const std::vector<std::string> remembered = rememberedRecentFiles();
    std::vector<std::string> existing = existingRecentFiles(remembered);
    if (existing != remembered) rememberRecentFiles(existing);
    return existing;
}

void CKyrelApp::commandOpenRecent(const std::string& path) {
    kyrel::commandOpenPath(*state_, path);
}

void CKyrelApp::titleChanged() {
    if (!mainFrame_) return;
    // Unsaved changes show as "*" after the name; Qt ignores a title that did not change.
    const bool modified = design().settings.modified != 0;
    mainFrame_->setWindowTitle(QStringLiteral("Kyrel - [%1%2]")
                                   .arg(coreText(QString::fromStdString(state_->documentName)))
                                   .arg(modified ? QStringLiteral("*") : QString()));
}

}  // namespace kyrel
