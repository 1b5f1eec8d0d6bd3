#include "editor/ScriptCompiler.h"

#include <cstddef>
#include <cstdint>

#include "common/ShiftJis.h"
#include "editor/language/TextWidth.h"

namespace pocora {
namespace {

bool isLowercase(char c) {
    return c >= 'a' && c <= 'z';
}
// The instruction classes some script runner executes.
bool isRunnerClass(char c) {
    return c == 'a' || c == 'c' || c == 'e' || c == 'f' || c == 'w';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// The blanks a "%d" conversion passes over before the number.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

class Translation {
  public:
    explicit Translation(std::string_view text) : text_(text) {}

    ScriptCompileResult run() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            bool ok = true;
            if (isLowercase(c)) {
                ok = instruction();
            } else if (c == '$') {
                ok = stringLiteral();
            } else if (c == '*') {
                comment();
            } else if (c == '\r' || c == '\n') {
                advance(1);
            } else {
                if (c == '@') noteLabel();
                out_.push_back(c);
                advance(1);
            }
            if (!ok) return ScriptCompileResult{{}, error_, {}, std::move(labels_)};
        }
        return ScriptCompileResult{std::move(out_), std::nullopt, std::move(warnings_),
                                   std::move(labels_)};
    }

  private:
    // The letter, then the low 8 bits of the number after it. The number is skipped exactly as
    // written (blanks, sign, leading zeros), then one more character, which is the ';'.
    bool instruction() {
        const int letterLine = line_;
        if (!isRunnerClass(text_[pos_]))
            warnings_.push_back(ScriptCompileWarning{text_[pos_], line_, column(),
                                                     ScriptCompileWarning::Kind::UnknownClass});
        const int instructionColumn = column();
        out_.push_back(text_[pos_]);
        std::size_t at = pos_ + 1;
        while (at < text_.size() && isBlank(text_[at])) ++at;
        bool negative = false;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) {
            negative = text_[at] == '-';
            ++at;
        }
        if (at >= text_.size() || !isDigit(text_[at])) {
            error_ = ScriptCompileError{ScriptCompileError::Kind::MissingNumber, letterLine};
            return false;
        }
        // Only the low byte is kept, so arithmetic modulo 256 gives it for numbers of any length.
        std::uint8_t low = 0;
        while (at < text_.size() && isDigit(text_[at])) {
            low = static_cast<std::uint8_t>(low * 10 + (text_[at] - '0'));
            ++at;
        }
        if (negative) low = static_cast<std::uint8_t>(0u - low);
        out_.push_back(static_cast<char>(low));
        if (out_[out_.size() - 2] == 'f' && low == 1) checkPageWidth(letterLine, instructionColumn);
        // The character after the number is passed over whatever it is; at the end of the text
        // there is none to pass.
        if (at < text_.size()) ++at;
        advance(at - pos_);
        return true;
    }

    // "$text//" becomes the byte count of text, '!', and text unchanged.
    bool stringLiteral() {
        std::size_t start = pos_ + 1;
        std::size_t close = text_.find("//", start);
        if (close == std::string_view::npos) {
            error_ = ScriptCompileError{ScriptCompileError::Kind::UnclosedString, line_};
            return false;
        }
        std::string_view body = text_.substr(start, close - start);
        followStringRegister(body);
        out_ += std::to_string(body.size());
        out_.push_back('!');
        out_ += body;
        advance(close + 2 - pos_);
        return true;
    }

    // What `c4;=` and `c4;+` leave in the string register, as far as the source tells, so that
    // the page `f1;` shows can be measured against the text box.
    void followStringRegister(std::string_view body) {
        const std::size_t n = out_.size();
        if (n < 3 || out_[n - 3] != 'c' || out_[n - 2] != '\x04') return;
        if (out_[n - 1] == '=') stringRegister_ = body;
        if (out_[n - 1] == '+') stringRegister_ += body;
    }

    void checkPageWidth(int line, int column) {
        for (const script_language::WideLine& wide : script_language::wideLines(stringRegister_))
            warnings_.push_back(ScriptCompileWarning{'f', line, column,
                                                     ScriptCompileWarning::Kind::WideLine,
                                                     wide.index + 1, wide.width, wide.room});
    }

    // A remark runs to the end of its line; the line feed goes with it. A remark on the last line
    // with no line feed simply ends the text.
    // A label for the editor's outline; the bytes are copied as they stand all the same.
    void noteLabel() {
        std::size_t end = pos_ + 1;
        while (end < text_.size() && ((text_[end] >= 'A' && text_[end] <= 'Z') ||
                                      isDigit(text_[end]) || text_[end] == '_'))
            ++end;
        if (end > pos_ + 1 && text_.substr(end, 2) == "//")
            labels_.push_back({std::string(text_.substr(pos_ + 1, end - pos_ - 1)), line_});
    }

    void comment() {
        std::size_t lf = text_.find('\n', pos_);
        advance(lf == std::string_view::npos ? text_.size() - pos_ : lf + 1 - pos_);
    }

    void advance(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (text_[pos_ + i] != '\n') continue;
            ++line_;
            lineStart_ = pos_ + i + 1;
        }
        pos_ += count;
    }

    // The position's column in characters: a Shift-JIS pair counts once.
    int column() const {
        int characters = 1;
        for (std::size_t i = lineStart_; i < pos_; ++characters)
            i += kit::isSjisLeadByte(static_cast<unsigned char>(text_[i])) ? 2 : 1;
        return characters;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::size_t lineStart_ = 0;
    std::string out_;
    ScriptCompileError error_{};
    std::vector<ScriptCompileWarning> warnings_;
    std::vector<ScriptLabel> labels_;
    std::string stringRegister_;
};

}  // namespace

ScriptCompileResult ScriptCompiler::compile(std::string_view source) {
    std::size_t zero = source.find('\0');
    if (zero != std::string_view::npos) source = source.substr(0, zero);
    return Translation(source).run();
}

std::string describeCompileError(const ScriptCompileError& error) {
    std::string text = "line " + std::to_string(error.line) + ": ";
    switch (error.kind) {
        case ScriptCompileError::Kind::UnclosedString:
            return text + "'$' starts a string that no '//' closes";
        case ScriptCompileError::Kind::MissingNumber:
            return text + "an instruction letter is not followed by a number";
    }
    return text;
}

std::string describeCompileErrorJapanese(const ScriptCompileError& error) {
    std::string text = std::to_string(error.line) + "行目: ";
    switch (error.kind) {
        case ScriptCompileError::Kind::UnclosedString:
            return text + "「$」で始まる文字列を閉じる「//」がありません";
        case ScriptCompileError::Kind::MissingNumber:
            return text + "命令の文字の後に数がありません";
    }
    return text;
}

std::string describeCompileWarning(const ScriptCompileWarning& warning) {
    if (warning.kind == ScriptCompileWarning::Kind::WideLine)
        return "line " + std::to_string(warning.line) + ", column " +
               std::to_string(warning.column) + ": warning: line " +
               std::to_string(warning.pageLine) + " of the page is " +
               std::to_string(warning.width) + " half-width characters wide; the text box shows " +
               std::to_string(warning.room);
    return "line " + std::to_string(warning.line) + ", column " + std::to_string(warning.column) +
           ": warning: no script runs instructions of class '" + warning.letter +
           "' (only a, c, e, f and w); the engine passes over it";
}

std::string describeCompileWarningJapanese(const ScriptCompileWarning& warning) {
    if (warning.kind == ScriptCompileWarning::Kind::WideLine)
        return std::to_string(warning.line) + "行 " + std::to_string(warning.column) +
               "列: 警告: ページの" + std::to_string(warning.pageLine) + "行目は半角" +
               std::to_string(warning.width) + "文字分あり、文章の枠には" +
               std::to_string(warning.room) + "文字分しか入りません";
    return std::to_string(warning.line) + "行 " + std::to_string(warning.column) + "列: 警告: 「" +
           warning.letter + "」の命令を実行するスクリプトはありません（a, c, e, f, w のみ）";
}

}  // namespace pocora
