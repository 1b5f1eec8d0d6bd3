// The readable form's compiler: one statement a line, translated to the bytes the raw form gives.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "common/ShiftJis.h"
#include "editor/language/Lexer.h"
#include "editor/language/Nearest.h"
#include "editor/language/ScriptLanguage.h"
#include "editor/language/TextWidth.h"

namespace script_language {
namespace {

constexpr std::int64_t kInt32Min = -2147483648LL;
constexpr std::int64_t kInt32Max = 2147483647LL;
constexpr std::size_t kStringMax = 255;  // the string register's size
constexpr int kVariables = 8;
constexpr std::string_view kKeywords[] = {"const", "var", "global", "flag",   "if",
                                          "else",  "end", "while",  "repeat", "goto",
                                          "wait",  "raw", "not",    "random", "str"};

// A label may be all digits, which the lexer reads as a number.
bool isLabelToken(const Token& token) {
    return token.kind == Token::Kind::Word ||
           (token.kind == Token::Kind::Number && token.text[0] != '-');
}

bool isLabelName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

std::optional<int> registerName(std::string_view word) {
    if (word.size() == 2 && (word[0] == 'v' || word[0] == 'p') && word[1] >= '0' &&
        word[1] < (word[0] == 'v' ? '8' : '4'))
        return word[1] - '0';
    return std::nullopt;
}

// An argument or operand once its names are resolved.
struct Value {
    enum class Kind { Number, Variable, Text, StringRegister, GameVariable, Switch } kind;
    std::int64_t number = 0;  // the number, the variable, or the game variable or switch
    std::string text;         // a text's Shift-JIS bytes
    int column = 1;
};

struct Block {
    enum class Kind { If, Else, While, Repeat } kind;
    std::string skipLabel;  // where a false condition goes (else or end)
    std::string endLabel;
    std::string topLabel;
    int line;
};

class Compiler {
  public:
    Compiler(std::string_view source, ScriptKind kind) : kind_(kind) {
        if (source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);
        std::size_t start = 0;
        while (start <= source.size()) {
            std::size_t end = source.find('\n', start);
            if (end == std::string_view::npos) end = source.size();
            lines_.push_back(source.substr(start, end - start));
            start = end + 1;
        }
    }

    CompileResult run() {
        findLabels();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            const LexedLine lexed = lexLine(lines_[i]);
            if (lexed.unterminatedString) {
                error(*lexed.unterminatedString, "unterminated string",
                      "close it with \" on the same line");
                continue;
            }
            if (lexed.strayCharacter) {
                error(*lexed.strayCharacter, "unexpected character",
                      "texts go between \" \"; comments start with //");
                continue;
            }
            if (!lexed.tokens.empty()) statement(lexed.tokens);
        }
        for (const Block& block : blocks_) {
            line_ = block.line;
            error(1, "this block has no end", "close it with a line `end`");
        }
        CompileResult result;
        result.diagnostics = std::move(diagnostics_);
        if (result.ok()) result.bytes = std::move(out_);
        return result;
    }

  private:
    using Tokens = std::span<const Token>;

    // ----- Diagnostics -----
    void error(int column, std::string message, std::string hint = {}) {
        diagnostics_.push_back(
            {Diagnostic::Severity::Error, line_, column, std::move(message), std::move(hint)});
    }
    void warning(int column, std::string message, std::string hint = {}) {
        diagnostics_.push_back(
            {Diagnostic::Severity::Warning, line_, column, std::move(message), std::move(hint)});
    }

    // ----- Labels -----
    void findLabels() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const LexedLine lexed = lexLine(lines_[i]);
            const auto& t = lexed.tokens;
            if (t.size() == 2 && isLabelToken(t[0]) && t[1].is(":") &&
                !labelLines_.contains(t[0].text))
                labelLines_[t[0].text] = static_cast<int>(i) + 1;
        }
    }

    std::string newLabel() {
        std::string name;
        do name = "_" + std::to_string(nextLabel_++);
        while (labelLines_.contains(name));
        return name;
    }

    void emitLabel(std::string_view name) {
        out_ += '@';
        out_ += name;
        out_ += "//";
    }

    // A jump (c2, or c3 when `conditional`) to a label of the source or one the compiler made.
    void emitJump(bool conditional, bool backward, std::string_view label) {
        out_ += 'c';
        out_ += static_cast<char>(conditional ? 3 : 2);
        out_ += backward ? "1;" : "0;";
        emitString(label);
    }

    void emitString(std::string_view bytes) {
        out_ += std::to_string(bytes.size());
        out_ += '!';
        out_ += bytes;
    }

    // The label of a goto, if, loop: defined somewhere in the file; backward when above.
    std::optional<bool> labelDirection(const Token& token, std::optional<bool> forced) {
        if (!isLabelToken(token) || !isLabelName(token.text)) {
            error(token.column, "a label name is expected here",
                  "labels are capitals, digits and _, as in NRM or PLC0");
            return std::nullopt;
        }
        const auto found = labelLines_.find(token.text);
        if (found == labelLines_.end()) {
            std::vector<std::string_view> names;
            for (const auto& [name, line] : labelLines_) names.push_back(name);
            error(token.column, "undefined label " + token.text,
                  suggestion(token.text, names, "define it with a line `" + token.text + ":`"));
            return std::nullopt;
        }
        if (forced) return forced;
        return found->second < line_;
    }

    // ----- Values -----
    std::vector<std::string_view> knownNames() const {
        std::vector<std::string_view> names;
        for (const auto& [name, value] : constants_) names.push_back(name);
        for (const auto& [name, value] : locals_) names.push_back(name);
        for (const auto& [name, value] : gameVariables_) names.push_back(name);
        for (const auto& [name, value] : switches_) names.push_back(name);
        return names;
    }

    std::optional<std::string> toShiftJis(const Token& token, std::string_view utf8) {
        std::size_t bad = 0;
        auto sjis = kit::utf8ToSjis(utf8, &bad);
        if (!sjis)
            error(token.column, "a character Shift-JIS cannot hold",
                  "the engine shows Shift-JIS text only");
        return sjis;
    }

    // A word or number as a number, a variable, a game variable or a switch.
    std::optional<Value> operand(const Token& token) {
        Value value{Value::Kind::Number, token.number, {}, token.column};
        if (token.kind == Token::Kind::Number) {
            if (token.number < kInt32Min || token.number > kInt32Max) {
                error(token.column, "value out of range", "numbers are 32-bit");
                return std::nullopt;
            }
            return value;
        }
        if (token.kind == Token::Kind::String) {
            error(token.column, "a number or a variable is expected here, not a text");
            return std::nullopt;
        }
        if (token.kind != Token::Kind::Word) {
            error(token.column, "a number or a variable is expected here");
            return std::nullopt;
        }
        const std::string& word = token.text;
        if (const auto reg = registerName(word)) {
            value.kind = Value::Kind::Variable;
            value.number = *reg;
        } else if (const auto local = locals_.find(word); local != locals_.end()) {
            value.kind = Value::Kind::Variable;
            value.number = local->second;
        } else if (const auto constant = constants_.find(word); constant != constants_.end()) {
            value.number = constant->second;
        } else if (const auto gv = gameVariables_.find(word); gv != gameVariables_.end()) {
            value.kind = Value::Kind::GameVariable;
            value.number = gv->second;
        } else if (const auto sw = switches_.find(word); sw != switches_.end()) {
            value.kind = Value::Kind::Switch;
            value.number = sw->second;
        } else {
            error(
                token.column, "unknown name " + word,
                suggestion(word, knownNames(),
                           "declare it with const, var, global or flag; v0..v7 are the variables"));
            return std::nullopt;
        }
        return value;
    }

    std::optional<std::int64_t> number(const Token& token, std::int64_t min, std::int64_t max,
                                       std::span<const NamedValue> names = {}) {
        if (token.kind == Token::Kind::Word)
            for (const NamedValue& named : names)
                if (named.name == token.text) return named.value;
        const auto value = operand(token);
        if (!value) return std::nullopt;
        if (value->kind != Value::Kind::Number) {
            error(token.column, "a number is expected here");
            return std::nullopt;
        }
        if (value->number < min || value->number > max) {
            error(token.column, "value out of range: " + std::to_string(value->number),
                  "it must be " + std::to_string(min) + ".." + std::to_string(max));
            return std::nullopt;
        }
        return value->number;
    }

    // ----- Emitting -----
    void emitSet(int variable, std::int64_t value, char op) {
        out_ += 'c';
        out_ += '\0';
        out_ += std::to_string(variable) + ";" + std::to_string(value) + ";";
        out_ += op;
    }

    void emitText(char op, std::string_view bytes) {
        out_ += 'c';
        out_ += '\x04';
        out_ += op;
        emitString(bytes);
    }

    // A text with {name N} in it: the words, then each name appended (through p0).
    void emitTextWithNames(const Value& text, std::string_view utf8) {
        (void)utf8;
        std::string_view rest = text.text;
        char op = '=';
        while (true) {
            const std::size_t open = rest.find("{name ");
            const std::size_t close = open == std::string_view::npos ? open : rest.find('}', open);
            if (close == std::string_view::npos) break;
            const std::string_view inside = rest.substr(open + 6, close - open - 6);
            if (op == '=' || open > 0) emitText(op, rest.substr(0, open));
            emitSet(0, std::atoi(std::string(inside).c_str()), '=');
            out_ += "c\x04N";
            op = '+';
            rest.remove_prefix(close + 1);
        }
        if (op == '=' || !rest.empty()) emitText(op, rest);
    }

    void emitHead(const Statement& s, int column) {
        out_ += s.prefix;
        out_ += s.letter;
        out_ += static_cast<char>(s.opcode);
        out_ += s.suffix;
        if ((s.runners & runnerBit(kind_)) == 0)
            warning(column,
                    std::string(s.name) + " is passed over in a " + std::string(runnerName(kind_)) +
                        " script",
                    runnersOfClass(s.letter) & runnerBit(kind_)
                        ? "this runner refuses it"
                        : "the runner of this script does not run class " +
                              std::string(1, s.letter) + " instructions");
    }

    // Checks {name N} parts of a shown text: each N a character number.
    bool checkNames(const Token& token, std::string_view text) {
        for (std::size_t open = text.find("{name "); open != std::string_view::npos;
             open = text.find("{name ", open + 1)) {
            const std::size_t close = text.find('}', open);
            if (close == std::string_view::npos) return true;
            const std::string inside(text.substr(open + 6, close - open - 6));
            const bool digits = !inside.empty() && inside.size() <= 3 &&
                                std::all_of(inside.begin(), inside.end(),
                                            [](char c) { return c >= '0' && c <= '9'; });
            if (!digits || std::stoi(inside) > 255) {
                error(token.column, "{name N} needs a character number 0..255");
                return false;
            }
        }
        return true;
    }

    static const Statement* resultStatement(const Token& token) {
        if (token.kind != Token::Kind::Word) return nullptr;
        const Statement* s = findStatement(token.text);
        return s && s->form == Form::Generic && s->parameters.empty() && s->result >= 0 ? s
                                                                                        : nullptr;
    }

    // `NAME ARG...` of a table statement; returns false after an error.
    bool call(const Statement& s, Tokens args, int column, bool showsText = false) {
        const auto& params = s.parameters;
        const auto required = static_cast<std::size_t>(std::count_if(
            params.begin(), params.end(), [](const Parameter& p) { return !p.optional; }));
        if (args.size() < required || args.size() > params.size()) {
            const std::string count =
                required == params.size()
                    ? std::to_string(required)
                    : std::to_string(required) + " or " + std::to_string(params.size());
            error(column,
                  std::string(s.name) + " takes " + count + " argument" +
                      (params.size() == 1 ? "" : "s") + ", not " + std::to_string(args.size()),
                  std::string(s.syntax));
            return false;
        }
        std::vector<std::pair<int, Value>> staged;
        bool ok = true;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const Parameter& p = params[i];
            const Token& token = args[i];
            // A statement that leaves its answer in this argument's register stands for it:
            // `face self 0` runs self first.
            if (const Statement* given = resultStatement(token); given && given->result == p.reg) {
                emitHead(*given, token.column);
                continue;
            }
            if (p.reg == kStringRegister) {
                if (token.kind == Token::Kind::Word && token.text == "str") {
                    continue;
                } else if (token.kind != Token::Kind::String) {
                    error(token.column, std::string(p.name) + " is a text: write it in quotes");
                    ok = false;
                    continue;
                }
                const std::string utf8 = unescapeText(token.text);
                auto sjis = toShiftJis(token, utf8);
                if (!sjis) {
                    ok = false;
                    continue;
                }
                if (sjis->size() > kStringMax) {
                    error(token.column,
                          "value out of range: the text has " + std::to_string(sjis->size()) +
                              " bytes",
                          "the string register holds at most 255 bytes of Shift-JIS");
                    ok = false;
                    continue;
                }
                if (showsText && !checkNames(token, *sjis)) {
                    ok = false;
                    continue;
                }
                if (showsText)
                    for (const WideLine& wide : wideLines(*sjis))
                        warning(token.column,
                                "line " + std::to_string(wide.index + 1) + " of the page is " +
                                    std::to_string(wide.width) +
                                    " half-width characters wide; the box shows " +
                                    std::to_string(wide.room),
                                "break it with \\n");
                staged.push_back(
                    {kStringRegister, Value{Value::Kind::Text, 0, std::move(*sjis), token.column}});
                continue;
            }
            if (token.kind == Token::Kind::String) {
                error(token.column, std::string(p.name) + " is a number, not a text",
                      std::string(s.syntax));
                ok = false;
                continue;
            }
            if (token.kind == Token::Kind::Word) {
                const auto named =
                    std::find_if(p.names.begin(), p.names.end(),
                                 [&](const NamedValue& n) { return n.name == token.text; });
                if (named != p.names.end()) {
                    staged.push_back(
                        {p.reg, Value{Value::Kind::Number, named->value, {}, token.column}});
                    continue;
                }
            }
            const auto value = operand(token);
            if (!value) {
                ok = false;
                continue;
            }
            if (value->kind == Value::Kind::GameVariable || value->kind == Value::Kind::Switch) {
                error(token.column, "read a game variable or switch into a variable first",
                      "x = " + token.text);
                ok = false;
                continue;
            }
            if (value->kind == Value::Kind::Number &&
                (value->number < p.min || value->number > p.max)) {
                std::string range = std::to_string(p.min) + ".." + std::to_string(p.max);
                for (const NamedValue& n : p.names)
                    range += std::string(", ") + std::string(n.name);
                error(token.column,
                      "value out of range: " + std::string(p.name) + " is " +
                          std::to_string(value->number),
                      "it must be " + range);
                ok = false;
                continue;
            }
            staged.push_back({p.reg, *value});
        }
        if (!ok) return false;
        std::stable_sort(staged.begin(), staged.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // A variable argument must not be read after this statement has overwritten it.
        for (std::size_t i = 0; i < staged.size(); ++i) {
            const Value& v = staged[i].second;
            if (v.kind != Value::Kind::Variable) continue;
            for (std::size_t j = 0; j < i; ++j) {
                const Value& earlier = staged[j].second;
                const bool writes =
                    !(earlier.kind == Value::Kind::Variable && earlier.number == staged[j].first);
                if (writes && staged[j].first == v.number) {
                    error(v.column,
                          "p" + std::to_string(v.number) +
                              " is overwritten by this statement's own arguments first",
                          "copy it into a local variable before");
                    return false;
                }
            }
        }
        for (const auto& [reg, v] : staged) {
            if (v.kind == Value::Kind::Number) {
                emitSet(reg, v.number, '=');
            } else if (v.kind == Value::Kind::Variable && v.number != reg) {
                emitSet(reg, v.number, 'C');
            } else if (v.kind == Value::Kind::Text) {
                if (showsText)
                    emitTextWithNames(v, {});
                else
                    emitText('=', v.text);
            }
        }
        emitHead(s, column);
        return true;
    }

    // A statement name of one or two words at the line's start.
    const Statement* statementAt(Tokens t, std::size_t& words) {
        if (t.size() >= 2 && t[0].kind == Token::Kind::Word && t[1].kind == Token::Kind::Word)
            if (const Statement* s = findStatement(t[0].text + " " + t[1].text)) {
                words = 2;
                return s;
            }
        words = 1;
        return t[0].kind == Token::Kind::Word ? findStatement(t[0].text) : nullptr;
    }

    // A table statement that leaves a result, as `x = NAME ARG...` or a condition.
    bool callWithResult(Tokens t, int& resultRegister) {
        std::size_t words = 0;
        const Statement* s = statementAt(t, words);
        if (!s || s->form != Form::Generic || s->result < 0) return false;
        resultRegister = s->result;
        call(*s, t.subspan(words), t[0].column);
        return true;
    }

    // ----- Statements -----
    void statement(Tokens t) {
        const Token& head = t[0];
        if (t.size() >= 2 && t[1].is(":")) return labelDefinition(t);
        if (head.kind != Token::Kind::Word) {
            error(head.column, "a statement starts with its name");
            return;
        }
        const std::string& word = head.text;
        if (word == "const" || word == "global" || word == "flag") return declaration(t);
        if (word == "var") return localDeclaration(t);
        if (word == "if") return ifStatement(t);
        if (word == "else") return elseStatement(t);
        if (word == "end") return endStatement(t);
        if (word == "while") return whileStatement(t);
        if (word == "repeat") return repeatStatement(t);
        if (word == "goto") return gotoStatement(t);
        if (word == "raw") return rawStatement(t);
        if (word == "wait" && (t.size() == 1 || t[1].kind == Token::Kind::Number))
            return waitFrames(t);
        if (t.size() >= 2 && t[1].kind == Token::Kind::Symbol) return assignment(t);
        std::size_t words = 0;
        const Statement* s = statementAt(t, words);
        if (!s) {
            std::vector<std::string_view> names(std::begin(kKeywords), std::end(kKeywords));
            for (const Statement& known : statements()) names.push_back(known.name);
            error(head.column, "unknown statement " + word, suggestion(word, names, {}));
            return;
        }
        const Tokens args = t.subspan(words);
        switch (s->form) {
            case Form::Generic:
                call(*s, args, head.column, s->letter == 'f' && s->opcode == 1);
                return;
            case Form::Compare:
                return compareStatement(t);
            case Form::Text:
            case Form::Append:
                return textStatement(*s, t);
            case Form::AppendName:
                if (call(*s, args, head.column)) out_ += 'N';
                return;
            case Form::Loop:
                return loopStatement(t);
            case Form::Composite:
                return composite(*s, t);
            case Form::Assignment:
            case Form::Goto:
            case Form::GotoIf:
                break;
        }
        error(head.column, "unknown statement " + word, std::string(s->syntax));
    }

    void labelDefinition(Tokens t) {
        if (t.size() != 2 || !isLabelToken(t[0]) || !isLabelName(t[0].text)) {
            error(t[0].column, "a label is a name of capitals, digits and _ followed by :",
                  "for example NRM: or PLC0:");
            return;
        }
        emitLabel(t[0].text);
    }

    // A name a declaration may not take: a register, a statement or a keyword (reported).
    bool isWordOfTheLanguage(const std::string& name, int column) {
        if (!registerName(name) && !findStatement(name) &&
            std::find(std::begin(kKeywords), std::end(kKeywords), name) == std::end(kKeywords))
            return false;
        error(column, name + " is a word of the language", "choose another name");
        return true;
    }

    void declaration(Tokens t) {
        const std::string& kind = t[0].text;
        if (t.size() != 4 || t[1].kind != Token::Kind::Word || !t[2].is("=")) {
            error(t[0].column, kind + " needs a name and a number", kind + " NAME = NUMBER");
            return;
        }
        const std::string& name = t[1].text;
        if (isWordOfTheLanguage(name, t[1].column)) return;
        const bool game = kind != "const";
        const auto value = number(t[3], game ? 0 : kInt32Min, game ? 999 : kInt32Max);
        if (!value) return;
        auto& table = kind == "const" ? constants_ : kind == "global" ? gameVariables_ : switches_;
        table[name] = *value;
    }

    void localDeclaration(Tokens t) {
        if (t.size() < 2 || t[1].kind != Token::Kind::Word || (t.size() > 2 && !t[2].is("="))) {
            error(t[0].column, "var needs a name", "var NAME or var NAME = VALUE");
            return;
        }
        const std::string& name = t[1].text;
        if (isWordOfTheLanguage(name, t[1].column)) return;
        if (!locals_.contains(name)) {
            int free = 4;
            while (free < kVariables && usedLocal(free)) ++free;
            if (free == kVariables || (repeatOpen_ && free >= 6)) {
                error(t[1].column, "no variable is free for " + name,
                      "a script has 8: v0..v3 carry arguments, v4..v7 are for locals, and repeat "
                      "counts in v6 and v7");
                return;
            }
            locals_[name] = free;
        }
        if (t.size() > 2) assignment(t.subspan(1));
    }

    bool usedLocal(int variable) const {
        return std::any_of(locals_.begin(), locals_.end(),
                           [&](const auto& entry) { return entry.second == variable; });
    }

    void assignment(Tokens t) {
        const Token& op = t[1];
        static constexpr std::string_view kOps[] = {"=", "+=", "-=", "*=", "/="};
        if (std::find(std::begin(kOps), std::end(kOps), op.text) == std::end(kOps)) {
            error(op.column, "= += -= *= or /= is expected here");
            return;
        }
        if (t.size() < 3) {
            error(op.column, "a value is missing after " + op.text);
            return;
        }
        const auto target = operand(t[0]);
        if (!target) return;
        if (target->kind == Value::Kind::Number) {
            error(t[0].column, "only a variable can be assigned to", "declare it with var");
            return;
        }
        if (target->kind == Value::Kind::Switch) return switchAssignment(*target, t);
        if (target->kind == Value::Kind::GameVariable) return gameVariableAssignment(*target, t);
        const int variable = static_cast<int>(target->number);
        if (op.text == "=") {
            int result = 0;
            if (t[2].is("random")) {
                if (t.size() != 4)
                    return error(t[2].column, "random takes one number", "x = random 6");
                if (const auto n = number(t[3], 1, kInt32Max)) emitSet(variable, *n, 'R');
                return;
            }
            if (t.size() > 3 || (t[2].kind == Token::Kind::Word && !registerName(t[2].text) &&
                                 findStatement(t[2].text))) {
                if (!callWithResult(t.subspan(2), result)) {
                    error(t[2].column, "only a statement with a result can be assigned",
                          "for example: me = self, saved = savepoint, x = walking 5");
                    return;
                }
                if (result != variable) emitSet(variable, result, 'C');
                return;
            }
            const auto value = operand(t[2]);
            if (!value) return;
            switch (value->kind) {
                case Value::Kind::Number:
                    return emitSet(variable, value->number, '=');
                case Value::Kind::Variable:
                    return emitSet(variable, value->number, 'C');
                case Value::Kind::GameVariable:
                case Value::Kind::Switch:
                    readGame(*value);
                    if (variable != 2) emitSet(variable, 2, 'C');
                    return;
                default:
                    return;
            }
        }
        if (t.size() != 3) return error(t[3].column, "one number is expected after " + op.text);
        const auto value = number(t[2], op.text == "-=" ? -kInt32Max : kInt32Min, kInt32Max);
        if (!value) {
            return;
        }
        if (op.text == "/=" && *value == 0)
            return error(t[2].column, "value out of range: division by 0");
        const char code = op.text == "*=" ? '*' : op.text == "/=" ? '/' : '+';
        emitSet(variable, op.text == "-=" ? -*value : *value, code);
    }

    // Reads a game variable or switch into v2 (through p0 and p1).
    void readGame(const Value& value) {
        const bool isSwitch = value.kind == Value::Kind::Switch;
        emitSet(0, value.number, '=');
        emitSet(1, 0, '=');
        emitHead(*findInstruction('f', isSwitch ? 27 : 26), value.column);
    }

    void switchAssignment(const Value& target, Tokens t) {
        static constexpr NamedValue kStates[] = {{"on", 1}, {"off", 2}, {"toggle", 3}};
        if (!t[1].is("=") || t.size() != 3)
            return error(t[1].column, "a switch is set with = on, = off or = toggle");
        const auto state = number(t[2], 1, 3, kStates);
        if (!state) return;
        emitSet(0, target.number, '=');
        emitSet(1, *state, '=');
        emitHead(*findInstruction('f', 27), t[0].column);
    }

    void gameVariableAssignment(const Value& target, Tokens t) {
        const std::string& op = t[1].text;
        if ((op != "=" && op != "+=" && op != "-=") || t.size() != 3)
            return error(t[1].column, "a game variable is changed with =, += or -= and one value");
        const auto value = operand(t[2]);
        if (!value) return;
        if (value->kind != Value::Kind::Number && value->kind != Value::Kind::Variable)
            return error(t[2].column, "a number or a variable is expected here");
        if (value->kind == Value::Kind::Variable && value->number < 2)
            return error(t[2].column, "v0 and v1 carry the game variable's number and operation",
                         "copy the value into a local first");
        if (op == "-=" && value->kind == Value::Kind::Variable)
            return error(t[2].column, "-= takes a number here", "add a negative value instead");
        emitSet(0, target.number, '=');
        emitSet(1, op == "=" ? 1 : 2, '=');
        if (value->kind == Value::Kind::Number)
            emitSet(2, op == "-=" ? -value->number : value->number, '=');
        else if (value->number != 2)
            emitSet(2, value->number, 'C');
        emitHead(*findInstruction('f', 26), t[0].column);
    }

    // ----- Conditions and blocks -----
    // Emits the code that leaves the condition (its opposite when `negate`) in v2 and tells
    // whether v2 holds what was asked for; where one comparison cannot, it holds the other.
    std::optional<bool> condition(Tokens t, bool negate) {
        if (t.empty()) {
            error(1, "a condition is missing", "if x == 1, while walking 5, if BEATEN");
            return std::nullopt;
        }
        if (t[0].is("not")) return condition(t.subspan(1), !negate);
        static constexpr std::string_view kCompare[] = {"==", "!=", "<", ">", "<=", ">="};
        const auto opAt = std::find_if(t.begin(), t.end(), [](const Token& token) {
            return token.kind == Token::Kind::Symbol &&
                   std::find(std::begin(kCompare), std::end(kCompare), token.text) !=
                       std::end(kCompare);
        });
        if (opAt == t.end()) {
            int result = 0;
            if (t[0].kind == Token::Kind::Word && !registerName(t[0].text) &&
                findStatement(t[0].text)) {
                if (!callWithResult(t, result)) {
                    error(t[0].column, "this statement has no result to test");
                    return std::nullopt;
                }
                if (result != 2) emitSet(2, result, 'C');
                return !negate;
            }
            if (t.size() != 1) {
                error(t[1].column, "a comparison (== != < > <= >=) is expected here");
                return std::nullopt;
            }
            const auto value = operand(t[0]);
            if (!value) return std::nullopt;
            if (value->kind == Value::Kind::Number) {
                error(t[0].column, "a condition tests a variable, a switch or a comparison");
                return std::nullopt;
            }
            if (value->kind == Value::Kind::Variable) {
                if (value->number != 2) emitSet(2, value->number, 'C');
            } else {
                readGame(*value);
            }
            return !negate;
        }
        if (opAt - t.begin() != 1 || t.size() != 3) {
            error(opAt->column, "a comparison has one value on each side");
            return std::nullopt;
        }
        auto left = operand(t[0]);
        auto right = operand(t[2]);
        if (!left || !right) return std::nullopt;
        // Game values are read into v2 first; then numbers go into a free argument variable.
        int leftVariable = -1, rightVariable = -1;
        bool p3Used = false;
        const auto isGame = [](const Value& v) {
            return v.kind == Value::Kind::GameVariable || v.kind == Value::Kind::Switch;
        };
        if (isGame(*left)) {
            readGame(*left);
            if (isGame(*right)) {
                emitSet(3, 2, 'C');
                leftVariable = 3;
                p3Used = true;
            } else {
                leftVariable = 2;
            }
        }
        if (isGame(*right)) {
            readGame(*right);
            rightVariable = 2;
        }
        if (left->kind == Value::Kind::Variable) leftVariable = static_cast<int>(left->number);
        if (right->kind == Value::Kind::Variable) rightVariable = static_cast<int>(right->number);
        const auto scratch = [&](int avoid) {
            for (int candidate : {0, 1, 3})
                if (candidate != avoid && !(candidate == 3 && p3Used)) return candidate;
            return 0;
        };
        if (left->kind == Value::Kind::Number) {
            leftVariable = scratch(rightVariable);
            emitSet(leftVariable, left->number, '=');
        }
        if (right->kind == Value::Kind::Number) {
            rightVariable = scratch(leftVariable);
            emitSet(rightVariable, right->number, '=');
        }
        // The comparison asked for, and the c1 operator that gives it or its opposite.
        static constexpr struct {
            std::string_view op, opposite;
            char code;
            bool direct;
        } kRelations[] = {{"==", "!=", '=', true}, {"!=", "==", '!', true},
                          {"<", ">=", '<', true},  {">", "<=", '>', true},
                          {"<=", ">", '>', false}, {">=", "<", '<', false}};
        std::string_view asked = opAt->text;
        for (const auto& r : kRelations)
            if (negate && r.op == opAt->text) asked = r.opposite;
        const auto relation = std::find_if(std::begin(kRelations), std::end(kRelations),
                                           [&](const auto& r) { return r.op == asked; });
        out_ += "c\x01" + std::to_string(leftVariable) + ";";
        out_ += relation->code;
        out_ += std::to_string(rightVariable) + ";";
        return relation->direct;
    }

    // Jumps to `label` when the condition is false.
    void jumpWhenFalse(Tokens conditionTokens, const std::string& label) {
        const auto holdsOpposite = condition(conditionTokens, true);
        if (!holdsOpposite) return;
        if (*holdsOpposite) return emitJump(true, false, label);
        const std::string then = newLabel();
        emitJump(true, false, then);
        emitJump(false, false, label);
        emitLabel(then);
    }

    void ifStatement(Tokens t) {
        const auto gotoAt =
            std::find_if(t.begin(), t.end(), [](const Token& k) { return k.is("goto"); });
        const Tokens conditionTokens =
            t.subspan(1, static_cast<std::size_t>(gotoAt - t.begin()) - 1);
        if (gotoAt == t.end()) {
            Block block{Block::Kind::If, newLabel(), {}, {}, line_};
            jumpWhenFalse(conditionTokens, block.skipLabel);
            blocks_.push_back(block);
            return;
        }
        const Tokens target = t.subspan(static_cast<std::size_t>(gotoAt - t.begin()) + 1);
        std::optional<bool> forced;
        if (!target.empty() && (target[0].is("back") || target[0].is("forward")) &&
            target.size() == 2)
            forced = target[0].is("back");
        if (target.size() != (forced ? 2u : 1u)) {
            error(gotoAt->column, "goto takes one label", "if CONDITION goto LABEL");
            return;
        }
        const auto backward = labelDirection(target.back(), forced);
        if (!backward) return;
        const auto holds = condition(conditionTokens, false);
        if (!holds) return;
        if (*holds) return emitJump(true, *backward, target.back().text);
        const std::string skip = newLabel();
        emitJump(true, false, skip);
        emitJump(false, *backward, target.back().text);
        emitLabel(skip);
    }

    void elseStatement(Tokens t) {
        if (blocks_.empty() || blocks_.back().kind != Block::Kind::If || t.size() != 1) {
            error(t[0].column, "else without if", "if CONDITION ... else ... end");
            return;
        }
        Block& block = blocks_.back();
        block.kind = Block::Kind::Else;
        block.endLabel = newLabel();
        emitJump(false, false, block.endLabel);
        emitLabel(block.skipLabel);
    }

    void endStatement(Tokens t) {
        if (blocks_.empty() || t.size() != 1) {
            error(t[0].column, "end without if, while or repeat");
            return;
        }
        const Block block = blocks_.back();
        blocks_.pop_back();
        switch (block.kind) {
            case Block::Kind::If:
                emitLabel(block.skipLabel);
                break;
            case Block::Kind::Else:
                emitLabel(block.endLabel);
                break;
            case Block::Kind::While:
                emitJump(false, true, block.topLabel);
                emitLabel(block.skipLabel);
                break;
            case Block::Kind::Repeat:
                out_ += "c\x05";
                emitString(block.topLabel);
                repeatOpen_ = false;
                break;
        }
    }

    void whileStatement(Tokens t) {
        Block block{Block::Kind::While, newLabel(), {}, newLabel(), line_};
        emitLabel(block.topLabel);
        jumpWhenFalse(t.subspan(1), block.skipLabel);
        blocks_.push_back(block);
    }

    void repeatStatement(Tokens t) {
        if (t.size() != 2) return error(t[0].column, "repeat takes one count", "repeat 3 ... end");
        if (repeatOpen_)
            return error(t[0].column, "repeat inside repeat", "both would count in v6 and v7");
        if (usedLocal(6) || usedLocal(7))
            return error(t[0].column, "repeat counts in v6 and v7, which hold local variables");
        const auto count = operand(t[1]);
        if (!count) return;
        if (count->kind != Value::Kind::Number && count->kind != Value::Kind::Variable)
            return error(t[1].column, "a number or a variable is expected here");
        Block block{Block::Kind::Repeat, {}, {}, newLabel(), line_};
        emitSet(6, 0, '=');
        emitSet(7, count->number, count->kind == Value::Kind::Number ? '=' : 'C');
        emitLabel(block.topLabel);
        repeatOpen_ = true;
        blocks_.push_back(block);
    }

    void gotoStatement(Tokens t) {
        std::optional<bool> forced;
        if (t.size() == 3 && (t[1].is("back") || t[1].is("forward"))) forced = t[1].is("back");
        if (t.size() != (forced ? 3u : 2u))
            return error(t[0].column, "goto takes one label", "goto [back|forward] LABEL");
        if (const auto backward = labelDirection(t.back(), forced))
            emitJump(false, *backward, t.back().text);
    }

    void loopStatement(Tokens t) {
        if (t.size() != 2) return error(t[0].column, "loop takes one label", "loop LABEL");
        if (labelDirection(t[1], true)) {
            out_ += "c\x05";
            emitString(t[1].text);
        }
    }

    void compareStatement(Tokens t) {
        if (t.size() != 4)
            return error(t[0].column, "compare takes two variables and == != < or >",
                         "compare A == B");
        const auto a = operand(t[1]);
        const auto b = operand(t[3]);
        if (!a || !b) return;
        if (a->kind != Value::Kind::Variable || b->kind != Value::Kind::Variable)
            return error(t[1].column, "compare takes variables on both sides",
                         "if compares numbers too");
        const std::string& op = t[2].text;
        const char code = op == "=="   ? '='
                          : op == "!=" ? '!'
                          : op == "<"  ? '<'
                          : op == ">"  ? '>'
                                       : 0;
        if (code == 0) return error(t[2].column, "== != < or > is expected here");
        out_ += "c\x01" + std::to_string(a->number) + ";";
        out_ += code;
        out_ += std::to_string(b->number) + ";";
    }

    void textStatement(const Statement& s, Tokens t) {
        if (t.size() != 2 || t[1].kind != Token::Kind::String)
            return error(t[0].column, std::string(s.name) + " takes one text in quotes",
                         std::string(s.syntax));
        auto sjis = toShiftJis(t[1], unescapeText(t[1].text));
        if (!sjis) return;
        if (sjis->size() > kStringMax)
            return error(
                t[1].column,
                "value out of range: the text has " + std::to_string(sjis->size()) + " bytes",
                "the string register holds at most 255 bytes of Shift-JIS");
        emitText(s.form == Form::Text ? '=' : '+', *sjis);
    }

    void composite(const Statement& s, Tokens t) {
        const Statement& show = *findInstruction('f', 1);
        if (s.name == "say") {
            // Pages, each shown and waited for; a last word `close` closes the box after them.
            Tokens pages = t.subspan(1);
            const bool closes = !pages.empty() && pages.back().is("close");
            if (closes) pages = pages.first(pages.size() - 1);
            if (pages.empty())
                return error(t[0].column, "say takes one or more texts", std::string(s.syntax));
            for (std::size_t i = 0; i < pages.size(); ++i) {
                if (!call(show, pages.subspan(i, 1), t[0].column, true)) return;
                emitHead(*findStatement("wait key"), t[0].column);
            }
            if (closes) {
                emitText('=', {});
                emitHead(show, t[0].column);
            }
        } else if (s.name == "close") {
            if (t.size() != 1) return error(t[1].column, "close takes no arguments");
            emitText('=', {});
            emitHead(show, t[0].column);
        }
    }

    void waitFrames(Tokens t) {
        if (t.size() > 2) return error(t[2].column, "wait takes one count of frames", "wait 4");
        std::int64_t frames = 1;
        if (t.size() == 2) {
            const auto n = number(t[1], 1, 10000);
            if (!n) return;
            frames = *n;
        }
        out_.append(static_cast<std::size_t>(frames), '#');
    }

    void rawStatement(Tokens t) {
        if (t.size() < 2) return error(t[0].column, "raw takes bytes in quotes", "raw \"f\\x08\"");
        for (const Token& token : t.subspan(1)) {
            if (token.kind != Token::Kind::String)
                return error(token.column, "raw takes bytes in quotes", "raw \"f\\x08\"");
            const auto sjis = toShiftJis(token, token.text);
            if (!sjis) return;
            const auto bytes = unescapeRaw(*sjis);
            if (!bytes) return error(token.column, "a \\ in raw bytes is \\\\, \\\" or \\xHH");
            out_ += *bytes;
        }
    }

    ScriptKind kind_;
    std::vector<std::string_view> lines_;
    int line_ = 0;
    std::string out_;
    std::vector<Diagnostic> diagnostics_;
    std::map<std::string, std::int64_t, std::less<>> constants_, gameVariables_, switches_;
    std::map<std::string, int, std::less<>> locals_;
    std::map<std::string, int, std::less<>> labelLines_;
    int nextLabel_ = 1;
    std::vector<Block> blocks_;
    bool repeatOpen_ = false;
};

}  // namespace

bool CompileResult::ok() const {
    return std::none_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& d) {
        return d.severity == Diagnostic::Severity::Error;
    });
}

CompileResult compileReadable(std::string_view utf8Source, ScriptKind kind) {
    return Compiler(utf8Source, kind).run();
}

std::string describe(const Diagnostic& d, std::string_view file) {
    std::string text = std::string(file) + ": line " + std::to_string(d.line) + ", column " +
                       std::to_string(d.column) + ": " +
                       (d.severity == Diagnostic::Severity::Error ? "error: " : "warning: ") +
                       d.message;
    if (!d.hint.empty()) text += " (" + d.hint + ")";
    return text;
}

std::vector<LabelPlace> labelsOf(std::string_view utf8Source) {
    std::vector<LabelPlace> labels;
    int line = 0;
    std::size_t start = 0;
    while (start <= utf8Source.size()) {
        ++line;
        std::size_t end = utf8Source.find('\n', start);
        if (end == std::string_view::npos) end = utf8Source.size();
        const LexedLine lexed = lexLine(utf8Source.substr(start, end - start));
        if (lexed.tokens.size() == 2 && lexed.tokens[1].is(":") && isLabelToken(lexed.tokens[0]) &&
            isLabelName(lexed.tokens[0].text))
            labels.push_back({lexed.tokens[0].text, line});
        start = end + 1;
    }
    return labels;
}

}  // namespace script_language
