#include "designer/core/PresetCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <ostream>

#include "common/ShiftJis.h"
#include "designer/core/DesignUndo.h"
#include "designer/core/Document.h"
#include "designer/core/Mutate.h"
#include "designer/core/RenderCommand.h"
#include "designer/core/WavCommands.h"

namespace kyrel {

namespace {

constexpr const char* kUsage =
    "usage: kyrel --preset NAME [--seed N] OUT.kyl|OUT.wav\n"
    "NAME: coin laser explosion powerup hit jump blip random\n";

// Replaces the design by `next` as one undo step.
void replaceDesign(KyrelApp& app, const SoundDesign& next) {
    pushDesignSnapshot(app.undo, app.design);
    copyDesignContent(next, app.design);
    app.design.markChanged();
    app.ui.documentReplaced();
}

// Messages go to standard error; a preset's render is short and shows no progress.
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

bool endsWith(const std::string& text, std::string_view ending) {
    if (text.size() <= ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), text.end() - ending.size(), [](char e, char t) {
        return e == std::tolower(static_cast<unsigned char>(t));
    });
}

struct PresetRequest {
    PresetKind kind = PresetKind::Coin;
    std::optional<std::uint32_t> seed;
    std::string out;
};

// The request, or a message for a command-line error.
std::optional<PresetRequest> parsePresetArgs(const std::vector<std::string>& args,
                                             std::ostream& err) {
    PresetRequest request;
    std::optional<PresetKind> kind;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--preset") {
            if (!hasValue || !(kind = presetByName(args[i + 1]))) {
                err << "kyrel: --preset needs one of the names below\n" << kUsage;
                return std::nullopt;
            }
            ++i;
        } else if (arg == "--seed") {
            if (!hasValue || !(request.seed = parseSeed(args[i + 1]))) {
                err << "kyrel: --seed needs a whole number\n" << kUsage;
                return std::nullopt;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "kyrel: unknown option " << arg << '\n' << kUsage;
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (!kind || files.size() != 1 || !(endsWith(files[0], ".kyl") || endsWith(files[0], ".wav"))) {
        err << kUsage;
        return std::nullopt;
    }
    request.kind = *kind;
    request.out = files[0];
    return request;
}

}  // namespace

void commandPreset(KyrelApp& app, PresetKind kind) {
    auto next = std::make_unique<SoundDesign>();
    buildPreset(kind, app.random, *next);
    // Every preset builds on track 1 (and the tracks after it).
    app.design.settings.currentTrack = 0;
    replaceDesign(app, *next);
    // A new sound, not the project that was open: Save must ask for a name rather than
    // overwrite that project.
    startUntitled(app);
}

void commandMutate(KyrelApp& app) {
    auto next = std::make_unique<SoundDesign>(app.design);
    mutateDesign(*next, app.random);
    replaceDesign(app, *next);
}

bool isPresetCommand(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--preset") != args.end();
}

int runPresetCommand(const std::vector<std::string>& args, std::ostream& err) {
    const std::optional<PresetRequest> request = parsePresetArgs(args, err);
    if (!request) return 2;
    MessageUi ui(err);
    const auto seed = request->seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    auto app = std::make_unique<KyrelApp>(ui, seed);
    buildPreset(request->kind, app->random, app->design);
    // The render starts from the seed itself, as `kyrel --render` of the saved project does, so
    // that the project and the WAV of one preset and seed are the same sound.
    app->renderSeed = seed;
    const std::string& out = request->out;
    if (endsWith(out, ".kyl")) return saveProject(*app, out) ? 0 : 1;
    return writeWavExactly(*app, out, err);
}

}  // namespace kyrel
