#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "editor/language/Statements.h"

// The readable script form (NAME.script, UTF-8): compiled to the same .sc bytes as the raw form,
// and made from any .sc bytes by the decompiler.
namespace script_language {

struct Diagnostic {
    enum class Severity { Error, Warning };
    Severity severity;
    int line;    // from 1
    int column;  // in characters, from 1
    std::string message;
    std::string hint;  // may be empty
};

struct CompileResult {
    std::string bytes;  // the .sc bytes; empty when there are errors
    std::vector<Diagnostic> diagnostics;
    bool ok() const;
};

// Compiles readable source (UTF-8). `kind` decides which instructions draw a warning because the
// script's runner passes over them.
CompileResult compileReadable(std::string_view utf8Source, ScriptKind kind = ScriptKind::Global);

// Turns any .sc bytes into readable source that compiles back to exactly those bytes.
std::string decompile(std::string_view scBytes);
// The same without the final check and its all-raw fallback; tests and fuzzing use it to catch
// any statement the decompiler writes that does not give its bytes back.
std::string decompileUnchecked(std::string_view scBytes);

// "FILE: line L, column C: error: MESSAGE (HINT)" for the command line.
std::string describe(const Diagnostic& diagnostic, std::string_view file);

// The positions of the label definitions ("NAME:" lines) in readable source, for an outline.
struct LabelPlace {
    std::string name;
    int line;
};
std::vector<LabelPlace> labelsOf(std::string_view utf8Source);

}  // namespace script_language
