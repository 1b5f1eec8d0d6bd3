#include "designer/core/Document.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "designer/core/FileWrite.h"
#include "designer/core/KyrelTexts.h"
#include "designer/core/ProjectFile.h"

namespace kyrel {

namespace {

// The name New gives the document (a file-system name, so UTF-8).
constexpr const char* kNewDocumentFileName = "新規作成.kyl";

// Reads a whole file; nothing when it cannot be opened. A project is at most 212204 bytes, so
// reading stops a little beyond that: longer files are read only as far as the layout goes.
std::optional<std::vector<std::uint8_t>> readProjectFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(kProjectFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

void showError(KyrelApp& app, std::string_view pattern, const std::string& name) {
    app.ui.showMessage(formatMessage(pattern, nameForMessage(name)), text::kCaptionError,
                       MessageButtons::Ok);
}

MessageAnswer ask(KyrelApp& app, const std::string& message, MessageButtons buttons) {
    return app.ui.showMessage(message, text::kCaptionKyrel, buttons);
}

FileDialogRequest projectDialog(const KyrelApp& app, bool save, const std::string& name) {
    FileDialogRequest request;
    request.save = save;
    request.defaultExtension = "kyl";
    request.initialName = name;
    request.initialDirectory = app.projectDirectory;
    request.filter = text::kProjectFilter;
    return request;
}

}  // namespace

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void startUntitled(KyrelApp& app) {
    app.untitled = true;
    app.documentName = kNewDocumentFileName;
    app.ui.titleChanged();
}

void newDocument(KyrelApp& app) {
    app.undo.clearRings();
    app.selectionVisible = 0;
    resetDesign(app.design);
    startUntitled(app);
}

bool loadProject(KyrelApp& app, const std::string& path) {
    auto bytes = readProjectFile(path);
    if (!bytes) {
        showError(app, text::kCannotOpen, path);
        return false;
    }
    switch (readProjectBytes(app.design, *bytes)) {
        case ProjectReadResult::NotKyrelFile:
            app.ui.showMessage(text::kNotKyrelFile, text::kCaptionError, MessageButtons::Ok);
            return false;
        case ProjectReadResult::UnsupportedVersion:
            showError(app, text::kUnsupportedVersion, path);
            return false;
        case ProjectReadResult::Damaged:
            showError(app, text::kDamagedProject, path);
            return false;
        case ProjectReadResult::Ok:
            break;
    }
    DesignSettings& s = app.design.settings;
    s.modified = 0;
    s.currentTrack = 0;
    s.renderStale = 1;
    // Nothing of the previous document may come back through Undo or Copy.
    app.undo.clearRings();
    app.selectionVisible = 0;
    return true;
}

bool saveProject(KyrelApp& app, const std::string& path) {
    if (!writeWholeFile(app.ui, path, projectFileBytes(app.design))) return false;
    app.design.settings.modified = 0;
    return true;
}

MessageAnswer confirmDiscard(KyrelApp& app) {
    if (app.design.settings.modified == 0) return MessageAnswer::Yes;
    std::string question = formatMessage(text::kAskSaveChanges, nameForMessage(app.documentName));
    MessageAnswer answer = ask(app, question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        commandSave(app);
        // A save that was cancelled, declined or failed keeps the changes and the window: going
        // on would throw away the work the user just asked to keep.
        return app.design.settings.modified == 0 ? MessageAnswer::Yes : MessageAnswer::Cancel;
    }
    return answer == MessageAnswer::No ? MessageAnswer::No : MessageAnswer::Cancel;
}

void commandNew(KyrelApp& app) {
    if (app.isPlaying()) return;
    if (confirmDiscard(app) == MessageAnswer::Cancel) return;
    if (ask(app, std::string(text::kAskResetAll), MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    newDocument(app);
    app.ui.documentReplaced();
}

namespace {

void openChosenProject(KyrelApp& app, const std::string& path) {
    if (!loadProject(app, path)) return;
    app.lastOpenedName = app.documentName = fileNameOf(path);
    app.projectDirectory = directoryOf(path);
    app.untitled = false;
    app.design.settings.renderStale = 1;
    app.ui.documentReplaced();
    app.ui.titleChanged();
    app.ui.projectFileUsed(path);
}

}  // namespace

void commandOpen(KyrelApp& app) {
    if (app.isPlaying()) return;
    if (confirmDiscard(app) == MessageAnswer::Cancel) return;
    auto path = app.ui.askFileName(projectDialog(app, false, app.lastOpenedName));
    if (path) openChosenProject(app, *path);
}

void commandOpenPath(KyrelApp& app, const std::string& path) {
    if (app.isPlaying()) return;
    if (confirmDiscard(app) == MessageAnswer::Cancel) return;
    openChosenProject(app, path);
}

void commandSave(KyrelApp& app) {
    if (app.untitled) {
        commandSaveAs(app);
        return;
    }
    std::string question = formatMessage(text::kAskOverwrite, nameForMessage(app.documentName));
    if (ask(app, question, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    if (saveProject(app, app.projectDirectory + app.documentName))
        app.ui.showStatus(text::kSavedOver);
}

void commandSaveAs(KyrelApp& app) {
    auto path = app.ui.askFileName(projectDialog(app, true, app.documentName));
    if (!path) return;
    app.documentName = fileNameOf(*path);
    app.projectDirectory = directoryOf(*path);
    bool saved = saveProject(app, *path);
    app.untitled = false;
    if (saved) {
        app.ui.showStatus(text::kSaved);
        app.ui.projectFileUsed(*path);
    }
    app.ui.titleChanged();
}

bool openProjectFromCommandLine(KyrelApp& app, const std::string& commandLine) {
    std::string path = commandLine;
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (std::size_t quote = path.find('"'); quote != std::string::npos) path.resize(quote);
    if (path.empty() || !loadProject(app, path)) return false;
    app.lastOpenedName = app.documentName = fileNameOf(path);
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    if (!ec) app.projectDirectory = directoryOf(absolute);
    app.untitled = false;
    app.design.settings.renderStale = 1;
    app.ui.documentReplaced();
    app.ui.titleChanged();
    if (!ec) app.ui.projectFileUsed(absolute);
    return true;
}

bool mayClose(KyrelApp& app) {
    if (app.isPlaying()) {
        app.ui.showMessage(text::kCannotQuitWhilePlaying, text::kCaptionKyrel, MessageButtons::Ok);
        return false;
    }
    return confirmDiscard(app) != MessageAnswer::Cancel;
}

}  // namespace kyrel
