#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pocora {

// Why a source text could not be translated, and on which line (counted from 1).
struct ScriptCompileError {
    enum class Kind {
        UnclosedString,  // a '$' with no closing "//" before the end of the text
        MissingNumber,   // a lowercase letter not followed by a decimal number
    };
    Kind kind;
    int line;
};

// An instruction letter that no script runner executes (only a, c, e, f and w are): it is
// translated like the others, and the engine passes over it. Or a line of a page that `f1` shows
// which is wider than the text box.
struct ScriptCompileWarning {
    enum class Kind { UnknownClass, WideLine };
    char letter;
    int line;
    int column;  // in characters, counted from 1
    Kind kind = Kind::UnknownClass;
    int pageLine = 0;  // WideLine: the page's line (from 1), its width and the box's room, in
    int width = 0;     // half-width characters
    int room = 0;
};

// A label definition `@NAME//` (capitals, digits and _) outside strings and comments.
struct ScriptLabel {
    std::string name;
    int line;
};

struct ScriptCompileResult {
    std::string bytes;  // the .sc file's bytes; empty when `error` is set
    std::optional<ScriptCompileError> error;
    std::vector<ScriptCompileWarning> warnings;
    std::vector<ScriptLabel> labels;  // in order; up to the error when there is one

    bool ok() const { return !error.has_value(); }
};

// Turns event-script source (Shift-JIS bytes) into the bytes of a .sc file. The text ends at its
// first zero byte. Nothing of a failed translation is returned, so a caller never writes half a
// script.
class ScriptCompiler {
  public:
    static ScriptCompileResult compile(std::string_view source);
};

// "line N: ..." in English, for the command line.
std::string describeCompileError(const ScriptCompileError& error);

// The same in Japanese (UTF-8), for the editor window.
std::string describeCompileErrorJapanese(const ScriptCompileError& error);

// "line N, column M: ..." in English, and the same in Japanese.
std::string describeCompileWarning(const ScriptCompileWarning& warning);
std::string describeCompileWarningJapanese(const ScriptCompileWarning& warning);

}  // namespace pocora
