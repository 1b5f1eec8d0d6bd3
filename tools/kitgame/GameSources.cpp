#include "tools/kitgame/GameSources.h"

#include <algorithm>
#include <array>
#include <memory>
#include <sstream>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"
#include "common/WholeFile.h"
#include "designer/core/ProjectFile.h"
#include "designer/core/RenderCommand.h"
#include "editor/ScriptCompiler.h"
#include "editor/language/ScriptLanguage.h"
#include "engine/items/ItemTable.h"
#include "tools/kitgame/DoorText.h"
#include "tools/kylmake/SoundText.h"
#include "tools/mapmake/MapText.h"
#include "tools/mapmake/TmxMap.h"
#include "tools/midi/NoteList.h"
#include "tools/picture/Bmp.h"
#include "tools/picture/PictureText.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

// Every sound is rendered with this seed, so a build gives the same bytes each time.
constexpr const char* kRenderSeed = "1";

std::string lineOf(std::string_view text, std::size_t offset) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(offset, text.size()));
    return "line " + std::to_string(1 + std::count(text.begin(), end, '\n'));
}

std::string write(const fs::path& output, std::string_view bytes) {
    const std::string why = kit::writeFileAtomically(output, bytes);
    return why.empty() ? why : "cannot write " + output.string() + ": " + why;
}

std::string write(const fs::path& output, const std::vector<std::uint8_t>& bytes) {
    return write(output,
                 std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Reads the whole source as text and hands it to `use`, which returns "" or the reason.
template <typename Use>
std::string withText(const fs::path& source, Use use) {
    const auto bytes = kit::readWholeFile(source);
    if (!bytes) return "cannot read the file";
    return use(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

// A converter of text into bytes: `make(text, bytes)` returns "" or the reason.
template <std::string (*make)(std::string_view, std::vector<std::uint8_t>&)>
std::string convertWith(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        std::vector<std::uint8_t> bytes;
        const std::string why = make(text, bytes);
        return why.empty() ? write(c.output, bytes) : why;
    });
}

// UTF-8 source text as the Shift-JIS bytes the game reads.
std::string toSjis(std::string_view utf8, std::string& bytes) {
    std::size_t bad = 0;
    auto sjis = kit::utf8ToSjis(utf8, &bad);
    if (!sjis) return lineOf(utf8, bad) + ": text that Shift-JIS cannot hold";
    bytes = std::move(*sjis);
    return {};
}

std::string convertText(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        std::string sjis;
        const std::string why = toSjis(text, sjis);
        return why.empty() ? write(c.output, sjis) : why;
    });
}

// The item table: Shift-JIS that the engine's reader accepts, or the line it refuses.
std::string convertItemTable(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        std::string sjis;
        if (std::string why = toSjis(text, sjis); !why.empty()) return why;
        ItemTable table;
        if (std::string why = table.Parse(sjis); !why.empty()) return why;
        return write(c.output, sjis);
    });
}

std::string copyReady(Conversion& c) {
    return withText(c.source,
                    [&](std::string_view bytes) -> std::string { return write(c.output, bytes); });
}

std::string convertPicture(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        tools::Picture picture;
        std::vector<std::string> parts;
        std::string why =
            tools::parsePicture(text, c.source.parent_path().string(), picture, &parts);
        c.included.assign(parts.begin(), parts.end());
        // The picture's own lines are named "picture:N:", those of its parts "FILE:N:".
        if (why.starts_with("picture:")) why = "line " + why.substr(8);
        return why.empty() ? write(c.output, tools::encodeBmp(picture)) : why;
    });
}

std::string compileScript(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        std::string sjis;
        if (std::string why = toSjis(text, sjis); !why.empty()) return why;
        pocora::ScriptCompileResult compiled = pocora::ScriptCompiler::compile(sjis);
        if (!compiled.ok()) return pocora::describeCompileError(*compiled.error);
        return write(c.output, compiled.bytes);
    });
}

// A diagnostic as the build prints it after the source's name: "line L, column C: error: ...".
std::string placed(const script_language::Diagnostic& d) {
    return script_language::describe(d, "").substr(2);
}

// The readable form: UTF-8 text, compiled as the script kind its folder gives. Every error is
// named, each on a line of its own; warnings go with the conversion and the build goes on.
std::string compileReadableScript(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        const script_language::CompileResult compiled = script_language::compileReadable(
            text, script_language::scriptKindForPath(c.source.generic_string()));
        std::string errors;
        for (const script_language::Diagnostic& d : compiled.diagnostics) {
            if (d.severity == script_language::Diagnostic::Severity::Warning) {
                c.warnings.push_back(placed(d));
                continue;
            }
            if (!errors.empty()) errors += "\n" + c.source.string() + ": ";
            errors += placed(d);
        }
        if (!compiled.ok()) return errors.empty() ? "the script does not compile" : errors;
        return write(c.output, compiled.bytes);
    });
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

std::string renderProject(Conversion& c) {
    return render(c.source, c.output);
}

std::string renderDescription(Conversion& c) {
    return withText(c.source, [&](std::string_view text) -> std::string {
        auto design = std::make_unique<kyrel::SoundDesign>();
        if (std::string why = tools::makeSound(text, *design); !why.empty()) return why;
        const fs::path project = c.projectDir / c.source.filename().replace_extension(".kyl");
        std::error_code ec;
        fs::create_directories(project.parent_path(), ec);
        if (std::string why = write(project, kyrel::projectFileBytes(*design)); !why.empty())
            return why;
        return render(project, c.output);
    });
}

// Every kind of source. Files already in the game's format are copied as they are, Tessel's
// maps (.qd) among them.
constexpr std::array kSourceKinds = {
    SourceKind{".pic", ".qdg", convertPicture},
    SourceKind{".map", ".qd", convertWith<tools::makeMap>},
    SourceKind{".doors", ".dr", convertWith<makeDoorTable>},
    SourceKind{".tmx", ".qd", convertWith<tools::makeMapFromTmx>},
    SourceKind{".attr", ".qd", convertWith<tools::makeAttributes>},
    SourceKind{".dat", ".qd", convertText},
    SourceKind{".src", ".sc", compileScript},
    SourceKind{".script", ".sc", compileReadableScript},
    SourceKind{".notes", ".mid", convertWith<tools::makeMidi>},
    SourceKind{".sound", ".wav", renderDescription},
    SourceKind{".kyl", ".wav", renderProject},
    SourceKind{"credits.txt", "", convertText},
    SourceKind{"Dtbs/words.txt", ".dat", convertText},
    SourceKind{"Dtbs/items.txt", ".dat", convertItemTable},
    SourceKind{"game.id", "", copyReady},
    SourceKind{".qdg", "", copyReady},
    SourceKind{".qd", "", copyReady},
    SourceKind{".sc", "", copyReady},
    SourceKind{".mid", "", copyReady},
    SourceKind{".wav", "", copyReady},
};

}  // namespace

std::optional<SourceRule> ruleFor(const fs::path& relative) {
    const std::string extension = relative.extension().string();
    for (const SourceKind& kind : kSourceKinds) {
        const std::string_view name = kind.name;
        const bool wholeName = !name.starts_with(".");
        if (wholeName ? relative != name : extension != name) continue;
        fs::path output = relative;
        if (*kind.outputEnd) output.replace_extension(kind.outputEnd);
        return SourceRule{&kind, output};
    }
    return std::nullopt;
}

std::string convertSource(const SourceKind& kind, Conversion& conversion) {
    std::error_code ec;
    fs::create_directories(conversion.output.parent_path(), ec);
    conversion.included.clear();
    conversion.warnings.clear();
    return kind.convert(conversion);
}

}  // namespace kitgame
