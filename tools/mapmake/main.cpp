// mapmake: turns maps and tile attributes written as text into the engine's binary files.
//   mapmake map IN.txt OUT.qd
//   mapmake attributes IN.txt OUT.qd
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "common/AtomicFile.h"
#include "tools/mapmake/MapText.h"

int main(int argc, char** argv) {
    std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "map" && mode != "attributes") {
        std::fprintf(stderr, "usage: mapmake map|attributes IN.txt OUT.qd\n");
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "mapmake: cannot read %s\n", argv[2]);
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::uint8_t> out;
    std::string err =
        mode == "map" ? tools::makeMap(text.str(), out) : tools::makeAttributes(text.str(), out);
    if (!err.empty()) {
        std::fprintf(stderr, "mapmake: %s: %s\n", argv[2], err.c_str());
        return 1;
    }
    if (auto e = kit::writeFileAtomically(argv[3], out); !e.empty()) {
        std::fprintf(stderr, "mapmake: cannot write %s: %s\n", argv[3], e.c_str());
        return 1;
    }
    return 0;
}
