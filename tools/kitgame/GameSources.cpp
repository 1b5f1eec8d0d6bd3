#include "tools/kitgame/GameSources.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"
#include "designer/core/ProjectFile.h"
#include "designer/core/RenderCommand.h"
#include "editor/ScriptCompiler.h"
#include "tools/kitgame/DoorText.h"
#include "tools/kylmake/SoundText.h"
#include "tools/mapmake/MapText.h"
#include "tools/midi/NoteList.h"
#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

struct ExtensionRule {
    const char* extension;
    SourceKind kind;
    const char* outputExtension;
};

constexpr std::array kExtensionRules = {
    ExtensionRule{".pic", SourceKind::Picture, ".qdg"},
    ExtensionRule{".map", SourceKind::Map, ".qd"},
    ExtensionRule{".doors", SourceKind::Doors, ".dr"},
    ExtensionRule{".attr", SourceKind::Attributes, ".qd"},
    ExtensionRule{".dat", SourceKind::DataText, ".qd"},
    ExtensionRule{".src", SourceKind::Script, ".sc"},
    ExtensionRule{".notes", SourceKind::Music, ".mid"},
    ExtensionRule{".sound", SourceKind::SoundText, ".wav"},
    ExtensionRule{".kyl", SourceKind::SoundProject, ".wav"},
    ExtensionRule{".qdg", SourceKind::Ready, ".qdg"},
    ExtensionRule{".qd", SourceKind::Ready, ".qd"},
    ExtensionRule{".sc", SourceKind::Ready, ".sc"},
    ExtensionRule{".mid", SourceKind::Ready, ".mid"},
    ExtensionRule{".wav", SourceKind::Ready, ".wav"},
};

// Every sound is rendered with this seed, so a build gives the same bytes each time.
constexpr const char* kRenderSeed = "1";

std::optional<std::string> readText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return text.str();
}

std::string lineOf(std::string_view text, std::size_t offset) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(offset, text.size()));
    return "line " + std::to_string(1 + std::count(text.begin(), end, '\n'));
}

// UTF-8 source text as the Shift-JIS bytes the game reads.
std::string toSjis(std::string_view utf8, std::string& bytes) {
    std::size_t bad = 0;
    auto sjis = kit::utf8ToSjis(utf8, &bad);
    if (!sjis) return lineOf(utf8, bad) + ": text that Shift-JIS cannot hold";
    bytes = std::move(*sjis);
    return {};
}

std::string write(const fs::path& output, std::string_view bytes) {
    const std::string why = kit::writeFileAtomically(output, bytes);
    return why.empty() ? why : "cannot write " + output.string() + ": " + why;
}

std::string write(const fs::path& output, const std::vector<std::uint8_t>& bytes) {
    return write(output,
                 std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Renders a Kyrel project into a WAV file with Kyrel's own render command.
std::string render(const fs::path& project, const fs::path& output) {
    const fs::path partial = output.string() + ".part";
    std::ostringstream messages;
    const int status = kyrel::runRenderCommand(
        {"--render", project.string(), partial.string(), "--seed", kRenderSeed}, messages);
    std::error_code ec;
    if (status == 0) fs::rename(partial, output, ec);
    if (status == 0 && !ec) return {};
    fs::remove(partial, ec);
    // Kyrel's message, without its progress bar.
    std::string why;
    std::istringstream lines(messages.str());
    for (std::string line; std::getline(lines, line);)
        if (line.find("rendering [") == std::string::npos) why += (why.empty() ? "" : "; ") + line;
    return why.empty() ? "cannot write " + output.string() : why;
}

std::string convertSound(const std::string& text, const fs::path& source, const fs::path& output,
                         const fs::path& projectDir) {
    auto design = std::make_unique<kyrel::SoundDesign>();
    if (std::string why = tools::makeSound(text, *design); !why.empty()) return why;
    const fs::path project = projectDir / source.filename().replace_extension(".kyl");
    std::error_code ec;
    fs::create_directories(project.parent_path(), ec);
    if (std::string why = write(project, kyrel::projectFileBytes(*design)); !why.empty())
        return why;
    return render(project, output);
}

std::string convertText(SourceKind kind, const std::string& text, const fs::path& source,
                        const fs::path& output, const fs::path& projectDir) {
    std::vector<std::uint8_t> bytes;
    std::string sjis;
    std::string why;
    switch (kind) {
        case SourceKind::Picture: {
            tools::Picture picture;
            why = tools::parsePicture(text, source.parent_path().string(), picture);
            // The picture's own lines are named "picture:N:", those of its parts "FILE:N:".
            if (why.starts_with("picture:")) why = "line " + why.substr(8);
            if (why.empty()) bytes = tools::encodeBmp(picture);
            break;
        }
        case SourceKind::Map:
            why = tools::makeMap(text, bytes);
            break;
        case SourceKind::Doors:
            why = makeDoorTable(text, bytes);
            break;
        case SourceKind::Attributes:
            why = tools::makeAttributes(text, bytes);
            break;
        case SourceKind::Music:
            why = tools::makeMidi(text, bytes);
            break;
        case SourceKind::SoundText:
            return convertSound(text, source, output, projectDir);
        case SourceKind::Script: {
            if (why = toSjis(text, sjis); !why.empty()) break;
            pocora::ScriptCompileResult compiled = pocora::ScriptCompiler::compile(sjis);
            if (!compiled.ok()) return pocora::describeCompileError(*compiled.error);
            return write(output, compiled.bytes);
        }
        default:  // DataText, Credits and Ready files keep their bytes, text in Shift-JIS
            if (kind != SourceKind::Ready) why = toSjis(text, sjis);
            if (why.empty()) return write(output, kind == SourceKind::Ready ? text : sjis);
    }
    return why.empty() ? write(output, bytes) : why;
}

}  // namespace

std::optional<SourceRule> ruleFor(const fs::path& relative) {
    if (relative == "credits.txt") return SourceRule{SourceKind::Credits, relative};
    const std::string extension = relative.extension().string();
    for (const ExtensionRule& rule : kExtensionRules)
        if (extension == rule.extension)
            return SourceRule{rule.kind,
                              fs::path(relative).replace_extension(rule.outputExtension)};
    return std::nullopt;
}

std::string convertSource(SourceKind kind, const fs::path& source, const fs::path& output,
                          const fs::path& projectDir) {
    std::error_code ec;
    fs::create_directories(output.parent_path(), ec);
    if (kind == SourceKind::SoundProject) return render(source, output);
    const std::optional<std::string> text = readText(source);
    if (!text) return "cannot read the file";
    return convertText(kind, *text, source, output, projectDir);
}

}  // namespace kitgame
