// The decompiler: any bytes become readable source whose statements compile back to exactly
// those bytes (checked without the decompiler's own all-raw fallback, so that a statement it
// writes wrongly is caught), and the compiler reads any readable source without harm.
#include "editor/language/ScriptLanguage.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);
    const script_language::CompileResult back =
        script_language::compileReadable(script_language::decompileUnchecked(bytes));
    if (!back.ok() || back.bytes != bytes) FuzzFailure();
    // The same bytes read as readable source: errors name a line of it, and no bytes come out.
    const script_language::CompileResult read = script_language::compileReadable(bytes);
    for (const script_language::Diagnostic& d : read.diagnostics)
        if (d.line < 1 || d.column < 1) FuzzFailure();
    if (!read.ok() && !read.bytes.empty()) FuzzFailure();
    return 0;
}
