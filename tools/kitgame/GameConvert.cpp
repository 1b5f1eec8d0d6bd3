#include "tools/kitgame/GameConvert.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"
#include "common/WholeFile.h"
#include "editor/ScriptCompiler.h"
#include "editor/language/ScriptLanguage.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

struct Planned {
    fs::path raw;
    fs::path readable;
    std::string text;
};

// The raw form's bytes of UTF-8 source text, or the reason it gives none.
std::optional<std::string> compileRaw(std::string_view utf8, std::string& why) {
    const auto sjis = kit::utf8ToSjis(utf8);
    if (!sjis) {
        why = "text that Shift-JIS cannot hold";
        return std::nullopt;
    }
    pocora::ScriptCompileResult compiled = pocora::ScriptCompiler::compile(*sjis);
    if (!compiled.ok()) {
        why = pocora::describeCompileError(*compiled.error);
        return std::nullopt;
    }
    return std::string(compiled.bytes.begin(), compiled.bytes.end());
}

// The raw source cut at its own-line remarks ("* ..." at the start of a line): each stretch of
// instructions with the remarks before it, written as readable remarks.
std::optional<std::vector<script_language::Stretch>> stretchesOf(std::string_view utf8) {
    std::vector<script_language::Stretch> stretches(1);
    std::string code;
    const auto close = [&]() -> bool {
        std::string why;
        const auto bytes = compileRaw(code, why);
        if (!bytes) return false;
        stretches.back().bytes = *bytes;
        code.clear();
        return true;
    };
    for (std::size_t start = 0; start < utf8.size();) {
        std::size_t end = utf8.find('\n', start);
        end = end == std::string_view::npos ? utf8.size() : end + 1;
        const std::string_view line = utf8.substr(start, end - start);
        start = end;
        if (!line.starts_with('*')) {
            code += line;
            continue;
        }
        if (!code.empty()) {
            if (!close()) return std::nullopt;
            stretches.emplace_back();
        }
        std::string remark(line.substr(1));
        while (!remark.empty() && (remark.back() == '\n' || remark.back() == '\r'))
            remark.pop_back();
        stretches.back().lines.push_back("//" + remark);
    }
    if (!close()) return std::nullopt;
    return stretches;
}

// The readable text of one raw source, checked to give `bytes` back; with its remarks where
// that holds, else the plain decompiled text.
std::string readableOf(std::string_view utf8, const std::string& bytes,
                       script_language::ScriptKind kind, bool& remarksKept) {
    if (const auto stretches = stretchesOf(utf8)) {
        std::string text = script_language::decompileStretches(*stretches);
        const script_language::CompileResult back = script_language::compileReadable(text, kind);
        remarksKept = back.ok() && back.bytes == bytes;
        if (remarksKept) return text;
    }
    remarksKept = false;
    return script_language::decompile(bytes);
}

bool passedOver(const fs::path& relative) {
    if (relative.begin()->string() == "build") return true;
    for (const fs::path& part : relative)
        if (part.string().starts_with(".")) return true;
    return false;
}

}  // namespace

bool convertGameScripts(const fs::path& src, std::ostream& log) {
    std::error_code ec, entryError;
    if (!fs::is_directory(src, ec)) {
        log << src.string() << ": no such source folder\n";
        return false;
    }
    std::vector<Planned> planned;
    bool failed = false;
    for (auto it = fs::recursive_directory_iterator(src, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(src);
        if (passedOver(relative)) {
            if (it->is_directory(entryError)) it.disable_recursion_pending();
            continue;
        }
        if (relative.extension() != ".src" || !it->is_regular_file(entryError)) continue;
        Planned plan{it->path(), fs::path(it->path()).replace_extension(".script"), {}};
        const auto source = kit::readWholeFile(plan.raw);
        std::string why = source ? "" : "cannot read the file";
        std::string_view utf8;
        if (source) utf8 = {reinterpret_cast<const char*>(source->data()), source->size()};
        std::optional<std::string> bytes;
        if (source) bytes = compileRaw(utf8, why);
        if (bytes && fs::exists(plan.readable, entryError))
            why = plan.readable.filename().string() + " is already there; keep only one";
        if (!why.empty()) {
            log << plan.raw.string() << ": " << why << "\n";
            failed = true;
            continue;
        }
        const auto kind = script_language::scriptKindForPath(plan.readable.generic_string());
        bool remarksKept = false;
        plan.text = readableOf(utf8, *bytes, kind, remarksKept);
        const script_language::CompileResult back =
            script_language::compileReadable(plan.text, kind);
        if (!back.ok() || back.bytes != *bytes) {
            log << plan.raw.string() << ": the readable form does not give the same bytes\n";
            failed = true;
            continue;
        }
        if (!remarksKept)
            log << plan.raw.string()
                << ": converted without its remarks (they split it where "
                   "the readable form cannot)\n";
        planned.push_back(std::move(plan));
    }
    if (ec) {
        log << src.string() << ": " << ec.message() << "\n";
        failed = true;
    }
    if (failed) {
        log << "nothing converted\n";
        return false;
    }
    for (std::size_t i = 0; i < planned.size(); ++i) {
        const std::string why = kit::writeFileAtomically(planned[i].readable, planned[i].text);
        if (why.empty()) continue;
        log << planned[i].readable.string() << ": " << why << "\n";
        for (std::size_t j = 0; j < i; ++j) fs::remove(planned[j].readable, entryError);
        log << "nothing converted\n";
        return false;
    }
    for (const Planned& plan : planned) {
        fs::remove(plan.raw, entryError);
        log << plan.raw.string() << " -> " << plan.readable.filename().string() << "\n";
    }
    log << planned.size() << " scripts converted\n";
    return true;
}

}  // namespace kitgame
