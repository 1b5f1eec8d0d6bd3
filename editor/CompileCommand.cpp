#include "editor/CompileCommand.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>

#include "common/AtomicFile.h"
#include "editor/ScriptCompiler.h"

namespace pocora {

int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        err << "pocora: cannot read " << source.string() << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    std::string text;
    char chunk[16384];
    do {
        in.read(chunk, sizeof chunk);
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad()) {
        err << "pocora: cannot read " << source.string() << "\n";
        return 1;
    }

    ScriptCompileResult result = ScriptCompiler::compile(text);
    if (!result.ok()) {
        err << "pocora: " << source.string() << ": " << describeCompileError(*result.error) << "\n";
        return 1;
    }
    std::string why = kit::writeFileAtomically(out, result.bytes);
    if (!why.empty()) {
        err << "pocora: cannot write " << out.string() << ": " << why << "\n";
        return 1;
    }
    return 0;
}

}  // namespace pocora
