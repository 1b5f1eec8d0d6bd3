// sjis: writes a UTF-8 text file as Shift-JIS bytes, the encoding of the game's text files and
// script sources. A character that Shift-JIS cannot hold is reported with its line.
//   sjis IN.txt OUT
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "common/AtomicFile.h"
#include "common/ShiftJis.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sjis IN.txt OUT\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "sjis: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    const std::string utf8 = text.str();
    std::size_t bad = 0;
    auto sjis = kit::utf8ToSjis(utf8, &bad);
    if (!sjis) {
        long line = 1;
        for (std::size_t i = 0; i < bad && i < utf8.size(); ++i) line += utf8[i] == '\n';
        std::fprintf(stderr, "sjis: %s:%ld: text that Shift-JIS cannot hold\n", argv[1], line);
        return 1;
    }
    if (auto e = kit::writeFileAtomically(argv[2], *sjis); !e.empty()) {
        std::fprintf(stderr, "sjis: cannot write %s: %s\n", argv[2], e.c_str());
        return 1;
    }
    return 0;
}
