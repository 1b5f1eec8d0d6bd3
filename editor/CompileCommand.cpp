#include "editor/CompileCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "common/AtomicFile.h"
#include "editor/ScriptCompiler.h"
#include "editor/language/ScriptLanguage.h"

namespace pocora {
namespace {

std::string describeUnencodable(const EncodedText& text) {
    char code[16];
    std::snprintf(code, sizeof code, text.notUtf8 ? "0x%02X" : "U+%04X",
                  static_cast<unsigned>(text.badCodePoint));
    std::string where = "line " + std::to_string(text.badLine) + ", column " +
                        std::to_string(text.badColumn) + ": ";
    if (text.notUtf8) return where + "a byte that is not UTF-8 (" + code + ")";
    return where + "'" + text.badCharacter + "' (" + code + ") cannot be written in Shift-JIS";
}

std::optional<std::string> readBytes(const std::filesystem::path& source, std::ostream& err) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        err << "pocora: cannot read " << source.string() << ": " << std::strerror(errno) << "\n";
        return std::nullopt;
    }
    std::string bytes;
    char chunk[16384];
    do {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad()) {
        err << "pocora: cannot read " << source.string() << "\n";
        return std::nullopt;
    }
    return bytes;
}

bool writeOut(const std::filesystem::path& out, std::string_view bytes, std::ostream& err) {
    std::string why = kit::writeFileAtomically(out, bytes);
    if (why.empty()) return true;
    err << "pocora: cannot write " << out.string() << ": " << why << "\n";
    return false;
}

// A raw source's .sc bytes, warnings reported; nothing after an error.
std::optional<std::string> compileRaw(const std::filesystem::path& source, std::string_view bytes,
                                      std::ostream& err, std::optional<TextEncoding> encoding) {
    const EncodedText text = sourceToShiftJis(bytes, encoding);
    if (!text.bytes) {
        err << "pocora: " << source.string() << ": " << describeUnencodable(text) << "\n";
        return std::nullopt;
    }
    ScriptCompileResult result = ScriptCompiler::compile(*text.bytes);
    if (!result.ok()) {
        err << "pocora: " << source.string() << ": " << describeCompileError(*result.error) << "\n";
        return std::nullopt;
    }
    for (const ScriptCompileWarning& warning : result.warnings)
        err << "pocora: " << source.string() << ": " << describeCompileWarning(warning) << "\n";
    return std::move(result.bytes);
}

}  // namespace

bool isReadableScript(const std::filesystem::path& path) {
    return path.extension() == ".script";
}

int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err, std::optional<TextEncoding> encoding) {
    const auto bytes = readBytes(source, err);
    if (!bytes) return 1;
    if (isReadableScript(source)) {
        const script_language::CompileResult result = script_language::compileReadable(
            *bytes, script_language::scriptKindForPath(source.generic_string()));
        for (const script_language::Diagnostic& d : result.diagnostics)
            err << "pocora: " << script_language::describe(d, source.string()) << "\n";
        if (!result.ok()) return 1;
        return writeOut(out, result.bytes, err) ? 0 : 1;
    }
    const auto compiled = compileRaw(source, *bytes, err, encoding);
    if (!compiled) return 1;
    return writeOut(out, *compiled, err) ? 0 : 1;
}

int runDecompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                        std::ostream& err) {
    auto bytes = readBytes(source, err);
    if (!bytes) return 1;
    // A raw source is compiled first; anything else is taken as .sc bytes.
    if (source.extension() == ".src") {
        bytes = compileRaw(source, *bytes, err, std::nullopt);
        if (!bytes) return 1;
    }
    return writeOut(out, script_language::decompile(*bytes), err) ? 0 : 1;
}

int runDecompileCommandLine(std::span<const std::string_view> args, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: pocora --decompile IN.sc|IN.src OUT.script\n";
        return 2;
    }
    return runDecompileCommand(std::filesystem::path(args[0]), std::filesystem::path(args[1]), err);
}

int runCompileCommandLine(std::span<const std::string_view> args, std::ostream& err) {
    std::vector<std::string_view> files;
    std::optional<TextEncoding> encoding;
    std::string_view encodingName = "auto";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--encoding" && i + 1 < args.size())
            encodingName = args[++i];
        else if (args[i].starts_with("--encoding="))
            encodingName = args[i].substr(std::strlen("--encoding="));
        else
            files.push_back(args[i]);
    }
    if (encodingName == "sjis") encoding = TextEncoding::ShiftJis;
    if (encodingName == "utf8") encoding = TextEncoding::Utf8;
    if (files.size() != 2 || (!encoding && encodingName != "auto")) {
        err << "usage: pocora --compile SOURCE OUT.sc [--encoding auto|sjis|utf8]\n";
        return 2;
    }
    return runCompileCommand(std::filesystem::path(files[0]), std::filesystem::path(files[1]), err,
                             encoding);
}

}  // namespace pocora
