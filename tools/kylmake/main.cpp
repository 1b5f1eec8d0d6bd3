// kylmake: writes a Kyrel project (.kyl) from a sound effect described as text, with Kyrel's own
// document code, so that `kyrel --render` turns it into the game's WAV file.
//   kylmake IN.txt OUT.kyl
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/AtomicFile.h"
#include "designer/core/ProjectFile.h"
#include "tools/kylmake/SoundText.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kylmake IN.txt OUT.kyl\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "kylmake: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    auto design = std::make_unique<kyrel::SoundDesign>();
    if (auto err = tools::makeSound(text.str(), *design); !err.empty()) {
        std::fprintf(stderr, "kylmake: %s: %s\n", argv[1], err.c_str());
        return 1;
    }
    if (auto e = kit::writeFileAtomically(argv[2], kyrel::projectFileBytes(*design)); !e.empty()) {
        std::fprintf(stderr, "kylmake: cannot write %s: %s\n", argv[2], e.c_str());
        return 1;
    }
    return 0;
}
