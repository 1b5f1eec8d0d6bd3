// Pocora's source reading and compiler: any file either opens, or is refused with the offset of
// a byte in it; any source either translates or names the place that stops it, and a failed
// translation returns no bytes.
#include <algorithm>

#include "editor/ScriptCompiler.h"
#include "editor/TextFile.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);
    const pocora::OpenedText opened = pocora::decodeText(bytes);
    if (opened.status == pocora::OpenedText::Status::Undecodable && opened.badOffset >= size)
        FuzzFailure();
    const pocora::EncodedText sjis = pocora::sourceToShiftJis(bytes, std::nullopt);
    if (!sjis.bytes) {
        if (sjis.badLine < 1 || sjis.badColumn < 1) FuzzFailure();
        return 0;
    }
    const std::string_view source = *sjis.bytes;
    const pocora::ScriptCompileResult result = pocora::ScriptCompiler::compile(source);
    // Lines are counted from 1 and there are no more of them than newlines plus one.
    const auto lines = static_cast<int>(std::count(source.begin(), source.end(), '\n')) + 1;
    for (const pocora::ScriptCompileWarning& warning : result.warnings)
        if (warning.line < 1 || warning.line > lines || warning.column < 1) FuzzFailure();
    if (result.ok()) return 0;
    if (!result.bytes.empty()) FuzzFailure();
    if (result.error->line < 1 || result.error->line > lines) FuzzFailure();
    if (pocora::describeCompileError(*result.error).empty()) FuzzFailure();
    if (pocora::describeCompileErrorJapanese(*result.error).empty()) FuzzFailure();
    return 0;
}
