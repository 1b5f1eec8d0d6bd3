// midi: turns music written as note lists into a standard MIDI file.
//   midi IN.txt OUT.mid
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "common/AtomicFile.h"
#include "tools/midi/NoteList.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: midi IN.txt OUT.mid\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "midi: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::uint8_t> out;
    if (auto err = tools::makeMidi(text.str(), out); !err.empty()) {
        std::fprintf(stderr, "midi: %s: %s\n", argv[1], err.c_str());
        return 1;
    }
    if (auto e = kit::writeFileAtomically(argv[2], out); !e.empty()) {
        std::fprintf(stderr, "midi: cannot write %s: %s\n", argv[2], e.c_str());
        return 1;
    }
    return 0;
}
