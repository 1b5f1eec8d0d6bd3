#include "charsheet/CharSheet.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"

namespace rostel {

const std::array<const char*, 3> kWordPrompts = {"コードネーム:", "名前は？", "肩書きは？"};
const std::array<const char*, kStatCount> kStatPrompts = {
    "HP?:", "LP?:", "WP?:", "JP?:", "STR:", "QUI:", "VIT:", "WIL:", "INT:", "PSY:", "CHA:"};

namespace {

void skipWhiteSpace(std::istream& in) {
    while (std::isspace(in.peek()) && in.peek() != std::char_traits<char>::eof()) in.get();
}

// Reads one word the way a "%s" field does: white space first is skipped, the word ends at the
// next white space (which stays unread).
bool readWord(std::istream& in, std::string& word) {
    skipWhiteSpace(in);
    word.clear();
    for (int c = in.peek(); c != std::char_traits<char>::eof() && !std::isspace(c); c = in.peek()) {
        word.push_back(static_cast<char>(in.get()));
    }
    return !word.empty();
}

// Reads one decimal integer the way "%d" does: optional sign, then digits; a value past the range
// of a long saturates as the C library's conversion does. Only the low 8 bits are kept.
bool readNumber(std::istream& in, std::uint8_t& low8) {
    skipWhiteSpace(in);
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') negative = in.get() == '-';
    if (!std::isdigit(in.peek())) return false;
    constexpr unsigned long long kLimit = 9223372036854775808ull;  // |LONG_MIN|
    unsigned long long magnitude = 0;
    while (std::isdigit(in.peek())) {
        int digit = in.get() - '0';
        if (magnitude <= (kLimit - static_cast<unsigned>(digit)) / 10)
            magnitude = magnitude * 10 + static_cast<unsigned>(digit);
        else
            magnitude = kLimit;
    }
    long long value;
    if (negative)
        value = magnitude >= kLimit ? static_cast<long long>(-kLimit + 0ull)
                                    : -static_cast<long long>(magnitude);
    else
        value = magnitude >= kLimit ? 9223372036854775807ll : static_cast<long long>(magnitude);
    low8 = static_cast<std::uint8_t>(static_cast<unsigned long long>(value) & 0xFF);
    return true;
}

bool askWord(std::istream& in, std::ostream& out, const char* prompt, std::string& sjis,
             std::string& error) {
    out << prompt << std::flush;
    std::string utf8;
    if (!readWord(in, utf8)) {
        error = std::string("no answer for \"") + prompt + "\" (input ended)";
        return false;
    }
    auto converted = kit::utf8ToSjis(utf8);
    if (!converted) {
        error = std::string("the answer for \"") + prompt + "\" cannot be written in Shift-JIS";
        return false;
    }
    if (converted->size() > kMaxWordBytes) {
        error = std::string("the answer for \"") + prompt + "\" is longer than " +
                std::to_string(kMaxWordBytes) + " bytes";
        return false;
    }
    sjis = std::move(*converted);
    return true;
}

}  // namespace

bool askCharSheet(std::istream& in, std::ostream& out, CharSheet& sheet, std::string& error) {
    std::string* words[] = {&sheet.codeName, &sheet.name, &sheet.title};
    for (std::size_t i = 0; i < kWordPrompts.size(); ++i) {
        if (!askWord(in, out, kWordPrompts[i], *words[i], error)) return false;
    }
    for (int i = 0; i < kStatCount; ++i) {
        out << kStatPrompts[i] << std::flush;
        if (!readNumber(in, sheet.stats[i])) {
            error = std::string("the answer for \"") + kStatPrompts[i] + "\" is not a number";
            return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> encodeCharSheet(const CharSheet& sheet) {
    std::vector<std::uint8_t> bytes;
    for (const std::string* word : {&sheet.codeName, &sheet.name, &sheet.title})
        bytes.insert(bytes.end(), word->begin(), word->end());
    bytes.insert(bytes.end(), sheet.stats.begin(), sheet.stats.end());
    return bytes;
}

int runCharSheet(std::istream& in, std::ostream& out, std::ostream& err,
                 const std::filesystem::path& dir) {
    CharSheet sheet;
    std::string error;
    if (!askCharSheet(in, out, sheet, error)) {
        out << std::flush;
        err << "\nrostel: " << error << "; " << kOutputName << " was not written\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes = encodeCharSheet(sheet);
    std::string why = kit::writeFileAtomically(dir / kOutputName, bytes);
    if (!why.empty()) {
        err << "\nrostel: cannot write " << kOutputName << ": " << why << "\n";
        return 1;
    }
    return 0;
}

}  // namespace rostel
