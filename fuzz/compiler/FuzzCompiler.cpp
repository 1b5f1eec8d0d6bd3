// Pocora's compiler: any source either translates or names the line that stops it, and a failed
// translation returns no bytes.
#include <algorithm>

#include "editor/ScriptCompiler.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view source = AsText(data, size);
    const pocora::ScriptCompileResult result = pocora::ScriptCompiler::compile(source);
    if (result.ok()) return 0;
    if (!result.bytes.empty()) FuzzFailure();
    // Lines are counted from 1 and there are no more of them than newlines plus one.
    const auto newlines = static_cast<int>(std::count(source.begin(), source.end(), '\n'));
    if (result.error->line < 1 || result.error->line > newlines + 1) FuzzFailure();
    if (pocora::describeCompileError(*result.error).empty()) FuzzFailure();
    if (pocora::describeCompileErrorJapanese(*result.error).empty()) FuzzFailure();
    return 0;
}
