#include "designer/core/ImportCommands.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <memory>
#include <optional>
#include <ostream>

#include "common/ShiftJis.h"
#include "common/WholeFile.h"
#include "designer/core/DesignUndo.h"
#include "designer/core/Document.h"
#include "designer/core/KyrelTexts.h"
#include "designer/core/RenderCommand.h"
#include "designer/core/SfxrImport.h"

namespace kyrel {

namespace {

constexpr const char* kUsage = "usage: kyrel --import IN.sfxj|IN.json OUT.kyl|OUT.wav [--seed N]\n";

// Messages go to standard error.
class MessageUi : public KyrelUi {
  public:
    explicit MessageUi(std::ostream& err) : err_(err) {}
    MessageAnswer showMessage(std::string_view message, std::string_view caption,
                              MessageButtons buttons) override {
        err_ << kit::sjisToUtf8Lossy(caption) << ": " << kit::sjisToUtf8Lossy(message) << '\n';
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }

  private:
    std::ostream& err_;
};

bool hasExtension(const std::string& name, const std::string& ext) {
    if (name.size() <= ext.size()) return false;
    std::string tail = name.substr(name.size() - ext.size());
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ext;
}

}  // namespace

bool importSfxrFile(KyrelApp& app, const std::string& path) {
    const auto bytes = kit::readWholeFile(path);
    const std::optional<SfxrSound> sound =
        bytes ? readSfxrSound(*bytes) : std::optional<SfxrSound>();
    if (!sound) {
        app.ui.showMessage(formatMessage(text::kNotSfxrSound, nameForMessage(path)),
                           text::kCaptionError, MessageButtons::Ok);
        return false;
    }
    auto next = std::make_unique<SoundDesign>();
    const std::vector<std::string> dropped = buildFromSfxr(*sound, *next);
    pushDesignSnapshot(app.undo, app.design);
    copyDesignContent(*next, app.design);
    app.design.settings.currentTrack = 0;
    app.design.markChanged();
    app.selectionVisible = 0;
    app.ui.documentReplaced();
    startUntitled(app);
    if (!dropped.empty()) {
        std::string names;
        for (const std::string& name : dropped) names += (names.empty() ? "" : ", ") + name;
        app.ui.showMessage(formatMessage(text::kDroppedSettings, names), text::kCaptionKyrel,
                           MessageButtons::Ok);
    }
    return true;
}

void commandImport(KyrelApp& app) {
    if (app.isPlaying()) return;
    FileDialogRequest request;
    request.defaultExtension = "sfxj";
    request.initialDirectory = app.projectDirectory;
    request.filter = text::kSfxrFilter;
    if (auto path = app.ui.askFileName(request)) importSfxrFile(app, *path);
}

bool isImportCommand(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--import") != args.end();
}

int runImportCommand(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<std::string> files;
    std::optional<std::uint32_t> seed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--import") continue;
        if (args[i] == "--seed" && i + 1 < args.size() && (seed = parseSeed(args[i + 1]))) {
            ++i;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            err << "kyrel: unknown option " << args[i] << '\n' << kUsage;
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || !(hasExtension(files[1], ".kyl") || hasExtension(files[1], ".wav"))) {
        err << kUsage;
        return 2;
    }
    MessageUi ui(err);
    auto app = std::make_unique<KyrelApp>(
        ui, seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    if (!importSfxrFile(*app, files[0])) return 1;
    if (hasExtension(files[1], ".kyl")) return saveProject(*app, files[1]) ? 0 : 1;
    return writeWavExactly(*app, files[1], err);
}

}  // namespace kyrel
