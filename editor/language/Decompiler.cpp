// The decompiler: any .sc bytes as readable source that compiles back to the same bytes.
// Instructions it recognises become statements, staging before an instruction becomes its
// arguments where the compiler would stage them the same way, and everything else stays as raw
// bytes. The result is compiled once more before it is handed out; should it ever not give the
// bytes back, the whole script is written as raw bytes instead.
#include <algorithm>
#include <optional>
#include <set>

#include "common/ShiftJis.h"
#include "editor/language/Lexer.h"
#include "editor/language/ScriptLanguage.h"

namespace script_language {
namespace {

constexpr std::size_t kStringMax = 255;
constexpr std::size_t kRawLine = 48;  // bytes of a raw statement per line

struct Staged {
    int reg = 0;        // 0..3, or kStringRegister
    bool copy = false;  // the value is variable `number`
    std::int64_t number = 0;
    std::string text;          // the text as written between quotes
    bool textMayShow = false;  // the text holds no "{name " that show would read as a name
};

struct Item {
    enum class Kind { Raw, Label, Yield, Stage, Instruction, Jump, Loop, Line } kind;
    explicit Item(Kind k) : kind(k) {}
    std::string bytes;                     // Raw: the bytes
    std::string name;                      // Label, Jump, Loop: the label
    std::string line;                      // Line: the statement
    Staged staged;                         // Stage
    const Statement* statement = nullptr;  // Instruction
    bool conditional = false;              // Jump: c3
    bool backward = false;                 // Jump
};

// A readable text literal's inside for `bytes`, when the compiler gives exactly these bytes back.
std::optional<std::string> readableText(std::string_view bytes) {
    if (bytes.size() > kStringMax) return std::nullopt;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return std::nullopt;
    }
    const auto utf8 = kit::sjisToUtf8(bytes);
    if (!utf8) return std::nullopt;
    const auto back = kit::utf8ToSjis(*utf8);
    if (!back || *back != bytes) return std::nullopt;
    return escapeText(*utf8);
}

bool isLabelChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class Scanner {
  public:
    explicit Scanner(std::string_view bytes) : b_(bytes) {}

    std::vector<Item> run() {
        while (p_ < b_.size()) {
            if (!prefixed() && !yield() && !label() && !instruction()) raw(1);
        }
        return std::move(items_);
    }

  private:
    void raw(std::size_t count) {
        if (items_.empty() || items_.back().kind != Item::Kind::Raw)
            items_.push_back(Item{Item::Kind::Raw});
        items_.back().bytes += b_.substr(p_, count);
        p_ += count;
    }

    void push(Item item, std::size_t end) {
        items_.push_back(std::move(item));
        p_ = end;
    }

    // The statements written with bytes before or after their instruction.
    bool prefixed() {
        for (const Statement& s : statements()) {
            if (s.letter == 0 || (s.prefix.empty() && s.suffix.empty())) continue;
            if (b_[p_] != (s.prefix.empty() ? s.letter : s.prefix[0])) continue;
            std::string whole(s.prefix);
            whole += s.letter;
            whole += static_cast<char>(s.opcode);
            whole += s.suffix;
            if (b_.substr(p_, whole.size()) != whole) continue;
            Item item{Item::Kind::Instruction};
            item.statement = &s;
            push(std::move(item), p_ + whole.size());
            return true;
        }
        return false;
    }

    bool yield() {
        if (b_[p_] != '#') return false;
        push(Item{Item::Kind::Yield}, p_ + 1);
        return true;
    }

    bool label() {
        if (b_[p_] != '@') return false;
        std::size_t end = p_ + 1;
        while (end < b_.size() && isLabelChar(b_[end])) ++end;
        if (end == p_ + 1 || b_.substr(end, 2) != "//") return false;
        Item item{Item::Kind::Label};
        item.name = b_.substr(p_ + 1, end - p_ - 1);
        push(std::move(item), end + 2);
        return true;
    }

    // A number as the compiler writes it, then `stop`.
    std::optional<std::int64_t> canonicalNumber(std::size_t& at, char stop) const {
        const std::size_t start = at;
        std::size_t i = at;
        if (i < b_.size() && b_[i] == '-') ++i;
        const std::size_t digits = i;
        while (i < b_.size() && b_[i] >= '0' && b_[i] <= '9' && i - digits < 11) ++i;
        if (i == digits || i >= b_.size() || b_[i] != stop) return std::nullopt;
        const std::int64_t value = std::stoll(std::string(b_.substr(start, i - start)));
        if (value < -2147483648LL || value > 2147483647LL) return std::nullopt;
        if (std::to_string(value) != b_.substr(start, i - start)) return std::nullopt;
        at = i + 1;
        return value;
    }

    std::optional<std::string> stringOperand(std::size_t& at) const {
        const auto length = canonicalNumber(at, '!');
        if (!length || *length < 0 || static_cast<std::size_t>(*length) > b_.size() - at)
            return std::nullopt;
        std::string text(b_.substr(at, static_cast<std::size_t>(*length)));
        at += static_cast<std::size_t>(*length);
        return text;
    }

    bool instruction() {
        const char letter = b_[p_];
        if (runnersOfClass(letter) == 0 || p_ + 1 >= b_.size()) return false;
        const int opcode = static_cast<signed char>(b_[p_ + 1]);
        std::size_t at = p_ + 2;
        if (letter == 'c' && opcode >= 0 && opcode <= 5) return core(opcode, at);
        const Statement* s = findInstruction(letter, opcode);
        if (!s || !s->prefix.empty() || !s->suffix.empty()) return false;
        Item item{Item::Kind::Instruction};
        item.statement = s;
        push(std::move(item), at);
        return true;
    }

    bool core(int opcode, std::size_t at) {
        switch (opcode) {
            case 0:
                return assignment(at);
            case 1: {
                const auto a = canonicalNumber(at, ';');
                if (!a || *a < 0 || *a > 7 || at >= b_.size()) return false;
                const char op = b_[at++];
                const auto c = canonicalNumber(at, ';');
                if (!c || *c < 0 || *c > 7 ||
                    std::string_view("=<>!").find(op) == std::string_view::npos)
                    return false;
                const std::string_view name = op == '='   ? "=="
                                              : op == '!' ? "!="
                                              : op == '<' ? "<"
                                                          : ">";
                return line("compare v" + std::to_string(*a) + " " + std::string(name) + " v" +
                                std::to_string(*c),
                            at);
            }
            case 2:
            case 3: {
                const auto direction = canonicalNumber(at, ';');
                if (!direction || (*direction != 0 && *direction != 1)) return false;
                const auto name = stringOperand(at);
                if (!name || name->empty() || !std::all_of(name->begin(), name->end(), isLabelChar))
                    return false;
                Item item{Item::Kind::Jump};
                item.name = *name;
                item.conditional = opcode == 3;
                item.backward = *direction == 1;
                push(std::move(item), at);
                return true;
            }
            case 4: {
                if (at >= b_.size()) return false;
                const char op = b_[at++];
                if (op == 'N') {
                    Item item{Item::Kind::Instruction};
                    item.statement = findStatement("append name");
                    push(std::move(item), at);
                    return true;
                }
                if (op != '=' && op != '+') return false;
                const auto text = stringOperand(at);
                if (!text) return false;
                const auto readable = readableText(*text);
                if (!readable) return false;
                if (op == '+') return line("append \"" + *readable + "\"", at);
                Item item{Item::Kind::Stage};
                item.staged = Staged{kStringRegister, false, 0, *readable,
                                     text->find("{name ") == std::string::npos};
                push(std::move(item), at);
                return true;
            }
            case 5: {
                const auto name = stringOperand(at);
                if (!name || name->empty() || !std::all_of(name->begin(), name->end(), isLabelChar))
                    return false;
                Item item{Item::Kind::Loop};
                item.name = *name;
                push(std::move(item), at);
                return true;
            }
        }
        return false;
    }

    bool assignment(std::size_t at) {
        const auto a = canonicalNumber(at, ';');
        if (!a || *a < 0 || *a > 7) return false;
        const auto value = canonicalNumber(at, ';');
        if (!value || at >= b_.size()) return false;
        const char op = b_[at++];
        const std::string target = "v" + std::to_string(*a);
        const std::string number = std::to_string(*value);
        if ((op == '=' || (op == 'C' && *value >= 0 && *value <= 7 && *value != *a)) && *a < 4) {
            Item item{Item::Kind::Stage};
            item.staged = Staged{static_cast<int>(*a), op == 'C', *value, {}, false};
            push(std::move(item), at);
            return true;
        }
        switch (op) {
            case '=':
                return line(target + " = " + number, at);
            case 'C':
                return *value >= 0 && *value <= 7 && line(target + " = v" + number, at);
            case '+':
                if (*value < 0 && *value > -2147483648LL)
                    return line(target + " -= " + std::to_string(-*value), at);
                return line(target + " += " + number, at);
            case '*':
                return line(target + " *= " + number, at);
            case '/':
                return *value != 0 && line(target + " /= " + number, at);
            case 'R':
                return *value > 0 && line(target + " = random " + number, at);
        }
        return false;
    }

    bool line(std::string text, std::size_t end) {
        Item item{Item::Kind::Line};
        item.line = std::move(text);
        push(std::move(item), end);
        return true;
    }

    std::string_view b_;
    std::size_t p_ = 0;
    std::vector<Item> items_;
};

std::string stagedText(const Staged& staged) {
    if (staged.reg == kStringRegister) return "\"" + staged.text + "\"";
    if (staged.copy) return "v" + std::to_string(staged.number);
    return std::to_string(staged.number);
}

std::string standalone(const Staged& staged) {
    if (staged.reg == kStringRegister) return "text " + stagedText(staged);
    return "v" + std::to_string(staged.reg) + " = " + stagedText(staged);
}

class Writer {
  public:
    explicit Writer(std::vector<Item> items) : items_(std::move(items)) {
        for (const Item& item : items_)
            if (item.kind == Item::Kind::Label) labels_.insert(item.name);
    }

    std::string run() {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const Item& item = items_[i];
            if (item.kind == Item::Kind::Stage) {
                pending_.push_back(item.staged);
                continue;
            }
            if (item.kind == Item::Kind::Instruction && item.statement->form != Form::Composite) {
                instruction(*item.statement, i);
                continue;
            }
            flush(pending_.size());
            switch (item.kind) {
                case Item::Kind::Raw:
                    for (std::size_t at = 0; at < item.bytes.size(); at += kRawLine)
                        emit("raw \"" + escapeRaw(item.bytes.substr(at, kRawLine)) + "\"");
                    break;
                case Item::Kind::Label:
                    emit(item.name + ":");
                    defined_.insert(item.name);
                    break;
                case Item::Kind::Yield: {
                    std::size_t frames = 1;
                    while (i + 1 < items_.size() && items_[i + 1].kind == Item::Kind::Yield &&
                           frames < 10000) {
                        ++frames;
                        ++i;
                    }
                    emit(frames == 1 ? "wait" : "wait " + std::to_string(frames));
                    break;
                }
                case Item::Kind::Jump:
                case Item::Kind::Loop:
                    jump(item);
                    break;
                case Item::Kind::Line:
                    if (!item.line.empty()) emit(item.line);
                    break;
                default:
                    break;
            }
        }
        flush(pending_.size());
        return out_;
    }

  private:
    void emit(const std::string& line) {
        out_ += line;
        out_ += '\n';
    }

    void flush(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) emit(standalone(pending_[i]));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    }

    void jump(const Item& item) {
        if (!labels_.contains(item.name)) {
            // The compiler refuses a jump to a label the script does not define: keep the bytes.
            std::string bytes = item.kind == Item::Kind::Loop ? "c\x05"
                                : item.conditional            ? "c\x03"
                                                              : "c\x02";
            if (item.kind == Item::Kind::Jump) bytes += item.backward ? "1;" : "0;";
            bytes += std::to_string(item.name.size()) + "!" + item.name;
            emit("raw \"" + escapeRaw(bytes) + "\"");
            return;
        }
        if (item.kind == Item::Kind::Loop) return emit("loop " + item.name);
        const bool byDefault = defined_.contains(item.name) == item.backward;
        const std::string target =
            byDefault ? item.name : (item.backward ? "back " : "forward ") + item.name;
        emit(item.conditional ? "if v2 goto " + target : "goto " + target);
    }

    // The instruction with as many of the staged values before it as the compiler would stage
    // the same way: each register once, in the order P0, P1, P2, P3, S.
    void instruction(const Statement& s, std::size_t index) {
        std::vector<std::optional<Staged>> taken(s.parameters.size());
        std::size_t first = pending_.size();
        int lastRank = kStringRegister + 1;
        const bool shows = s.letter == 'f' && s.opcode == 1;
        while (first > 0) {
            const Staged& candidate = pending_[first - 1];
            if (candidate.reg >= lastRank) break;
            const auto param =
                std::find_if(s.parameters.begin(), s.parameters.end(),
                             [&](const Parameter& p) { return p.reg == candidate.reg; });
            if (param == s.parameters.end()) break;
            if (candidate.reg != kStringRegister && !candidate.copy &&
                (candidate.number < param->min || candidate.number > param->max))
                break;
            if (candidate.reg == kStringRegister && shows && !candidate.textMayShow) break;
            const bool readLater = std::any_of(taken.begin(), taken.end(), [&](const auto& t) {
                return t && t->copy && t->number == candidate.reg;
            });
            if (readLater) break;
            taken[static_cast<std::size_t>(param - s.parameters.begin())] = candidate;
            lastRank = candidate.reg;
            --first;
        }
        flush(first);
        std::vector<std::string> args;
        for (std::size_t i = 0; i < s.parameters.size(); ++i) {
            const Parameter& p = s.parameters[i];
            if (taken[i]) {
                std::string text = stagedText(*taken[i]);
                if (!taken[i]->copy)
                    for (const NamedValue& named : p.names)
                        if (named.value == taken[i]->number) text = named.name;
                args.push_back(text);
            } else {
                args.push_back(p.reg == kStringRegister ? "str" : "p" + std::to_string(p.reg));
            }
        }
        while (!args.empty() && s.parameters[args.size() - 1].optional && !taken[args.size() - 1])
            args.pop_back();
        pending_.clear();
        std::string line(s.name);
        for (const std::string& arg : args) line += " " + arg;
        // A page shown and then waited for is `say`; an empty one shown is `close`.
        if (shows && taken[0] && index + 1 < items_.size() &&
            items_[index + 1].kind == Item::Kind::Instruction &&
            items_[index + 1].statement->name == "wait key") {
            line = "say " + args[0];
            items_[index + 1].kind = Item::Kind::Line;
            items_[index + 1].line.clear();
        } else if (shows && taken[0] && taken[0]->text.empty()) {
            // After the pages of a say, the box is closed by the same statement.
            if (lastSay_ == out_.size()) {
                out_.insert(out_.size() - 1, " close");
                return;
            }
            line = "close";
        }
        emit(line);
        if (line.starts_with("say ")) lastSay_ = out_.size();
    }

    std::vector<Item> items_;
    std::set<std::string> labels_;
    std::set<std::string> defined_;
    std::vector<Staged> pending_;
    std::string out_;
    std::size_t lastSay_ = std::string::npos;  // the end of the output when it ends with a say
};

std::string allRaw(std::string_view bytes) {
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += kRawLine)
        out += "raw \"" + escapeRaw(bytes.substr(at, kRawLine)) + "\"\n";
    return out;
}

}  // namespace

std::string decompileUnchecked(std::string_view scBytes) {
    return Writer(Scanner(scBytes).run()).run();
}

std::string decompile(std::string_view scBytes) {
    std::string text = decompileUnchecked(scBytes);
    const CompileResult check = compileReadable(text);
    if (!check.ok() || check.bytes != scBytes) return allRaw(scBytes);
    return text;
}

}  // namespace script_language
