// kit-sjis: writes a UTF-8 text file as Shift-JIS bytes, the encoding of the game's text files and
// script sources. A character that Shift-JIS cannot hold is reported with its line.
//   kit-sjis IN OUT
#include <algorithm>
#include <string>

#include "common/ShiftJis.h"
#include "tools/common/ConverterMain.h"

namespace {

std::string toShiftJis(const std::string& utf8, std::vector<std::uint8_t>& out) {
    std::size_t bad = 0;
    const auto sjis = kit::utf8ToSjis(utf8, &bad);
    if (!sjis) {
        const auto line =
            1 + std::count(utf8.begin(), utf8.begin() + std::min(bad, utf8.size()), '\n');
        return "line " + std::to_string(line) + ": text that Shift-JIS cannot hold";
    }
    out.assign(sjis->begin(), sjis->end());
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return tools::usageError("kit-sjis IN OUT");
    return tools::convertFile("kit-sjis", argv[1], argv[2], toShiftJis);
}
