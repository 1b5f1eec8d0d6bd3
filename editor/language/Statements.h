#pragma once
#include <cstdint>
#include <span>
#include <string_view>

// The one table of the readable script language: every instruction the engine's runners know,
// the statement that writes it, the arguments the compiler stages into P0..P3 and S before it,
// and its reference text. The compiler, the decompiler and the editor's completion and help all
// read this table, so they cannot disagree.
namespace script_language {

// The four kinds of script, by the runner that executes them.
enum class ScriptKind { Global, Character, Animation, Skill };
// Bit masks of the kinds, for Statement::runners.
inline constexpr unsigned kGlobal = 1, kCharacter = 2, kAnimation = 4, kSkill = 8;
inline constexpr unsigned kEveryRunner = kGlobal | kCharacter | kAnimation | kSkill;
unsigned runnerBit(ScriptKind kind);
std::string_view runnerName(ScriptKind kind);
// The kind follows from the script's folder: ev/chr, ev/anm, ev/wz, else the global script.
ScriptKind scriptKindForPath(std::string_view path);
// The runners that execute instructions of a class letter (0 for a letter none knows).
unsigned runnersOfClass(char letter);

// Where an argument goes: variables 0..3 (P0..P3) or the string register.
inline constexpr int kStringRegister = 4;

struct NamedValue {
    std::string_view name;
    std::int32_t value;
};

struct Parameter {
    std::string_view name;
    int reg;  // 0..3 or kStringRegister
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::span<const NamedValue> names = {};  // words that may stand for values
    bool optional = false;  // may be left out at the end: the register keeps what it holds
};

// How a statement is written. Generic statements are `NAME ARG...`; the others have a syntax of
// their own that the compiler handles by name.
enum class Form {
    Generic,
    Assignment,  // c0: VARIABLE = VALUE, += -= *= /=, = random N, = VARIABLE
    Compare,     // c1: compare A == B
    Goto,        // c2: goto [back|forward] LABEL
    GotoIf,      // c3: if CONDITION goto LABEL
    Text,        // c4 '=': text "..."
    Append,      // c4 '+': append "..."
    AppendName,  // c4 'N': append name CHARACTER
    Loop,        // c5: loop LABEL
    Composite,   // several instructions: say, close
};

struct Statement {
    std::string_view name;
    char letter;  // instruction class; 0 for a composite statement
    int opcode;   // -128..127
    Form form;
    std::span<const Parameter> parameters;  // in the order they are written
    int result;               // the variable the instruction leaves its answer in, or -1
    std::string_view prefix;  // bytes before the class letter: "#" or ";#" for waiting ones
    std::string_view suffix;  // bytes after the instruction: "#" where it must yield at once
    std::string_view syntax;  // how the statement is written, for help and completion
    std::string_view help;    // one line of reference
    unsigned runners;
};

std::span<const Statement> statements();
// The statement of an instruction (nullptr when the table has none; for c4 the `text` form).
const Statement* findInstruction(char letter, int opcode);
// A statement by its name (one word, or two for "wait key" and the like).
const Statement* findStatement(std::string_view name);

}  // namespace script_language
