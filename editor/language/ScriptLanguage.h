#pragma once
#include <optional>
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

// .sc bytes given in stretches, each after lines written out as they are (the remarks a raw
// source had on lines of their own, already as `//` lines). Jumps and labels are resolved over
// the whole script. Unchecked: the caller compiles the text back and compares the bytes.
struct Stretch {
    std::vector<std::string> lines;
    std::string bytes;
};
std::string decompileStretches(const std::vector<Stretch>& stretches);

// "FILE: line L, column C: error: MESSAGE (HINT)" for the command line.
std::string describe(const Diagnostic& diagnostic, std::string_view file);

// The positions of the label definitions ("NAME:" lines) in readable source, for an outline.
struct LabelPlace {
    std::string name;
    int line;
};
std::vector<LabelPlace> labelsOf(std::string_view utf8Source);

// Where the label named at `line`, `column` (from 1, in characters; the place just after the name
// counts too) leads. A jump (goto, if ... goto, loop) leads where the engine goes: to the nearest
// definition in the jump's direction, which the compiler takes from the first definition unless
// the statement names it. Any other statement naming a label of the file leads to its first
// definition. Nothing when no label name is there.
struct LabelTarget {
    std::string name;
    std::optional<int> line;  // nothing: not defined (in the jump's direction)
    bool backward = false;    // the direction of a jump that finds no definition
    bool anywhere = false;    // whether the label is defined anywhere in the file
};
std::optional<LabelTarget> labelTargetAt(std::string_view utf8Source, int line, int column);

}  // namespace script_language
