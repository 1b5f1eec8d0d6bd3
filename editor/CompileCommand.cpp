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

}  // namespace

int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err, std::optional<TextEncoding> encoding) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        err << "pocora: cannot read " << source.string() << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    std::string bytes;
    char chunk[16384];
    do {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad()) {
        err << "pocora: cannot read " << source.string() << "\n";
        return 1;
    }

    const EncodedText text = sourceToShiftJis(bytes, encoding);
    if (!text.bytes) {
        err << "pocora: " << source.string() << ": " << describeUnencodable(text) << "\n";
        return 1;
    }
    ScriptCompileResult result = ScriptCompiler::compile(*text.bytes);
    if (!result.ok()) {
        err << "pocora: " << source.string() << ": " << describeCompileError(*result.error) << "\n";
        return 1;
    }
    for (const ScriptCompileWarning& warning : result.warnings)
        err << "pocora: " << source.string() << ": " << describeCompileWarning(warning) << "\n";
    std::string why = kit::writeFileAtomically(out, result.bytes);
    if (!why.empty()) {
        err << "pocora: cannot write " << out.string() << ": " << why << "\n";
        return 1;
    }
    return 0;
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
