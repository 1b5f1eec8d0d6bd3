// kit-sf2cut: cuts a General MIDI sound font to what some MIDI files play.
//   kit-sf2cut FULL.sf2 OUT.sf2 MIDI...
#include <cstdio>
#include <string>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "tools/sf2cut/Sf2Cut.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: kit-sf2cut FULL.sf2 OUT.sf2 MIDI...\n", stderr);
        return 2;
    }
    sf2::MidiUsage usage;
    std::string error;
    for (int i = 3; i < argc; ++i) {
        const auto midi = kit::readWholeFile(argv[i]);
        if (!midi || !sf2::scanMidi(*midi, usage, error)) {
            std::fprintf(stderr, "kit-sf2cut: %s: %s\n", argv[i],
                         midi ? error.c_str() : "cannot read");
            return 1;
        }
    }
    const auto bytes = kit::readWholeFile(argv[1]);
    sf2::SoundFont font;
    if (!bytes || !sf2::readSoundFont(*bytes, font, error)) {
        std::fprintf(stderr, "kit-sf2cut: %s: %s\n", argv[1],
                     bytes ? error.c_str() : "cannot read");
        return 1;
    }
    const sf2::SoundFont cut = sf2::cutSoundFont(font, usage);
    if (std::string why = kit::writeFileAtomically(argv[2], sf2::writeSoundFont(cut));
        !why.empty()) {
        std::fprintf(stderr, "kit-sf2cut: %s: %s\n", argv[2], why.c_str());
        return 1;
    }
    std::printf("kit-sf2cut: %zu of %zu presets, %zu of %zu samples\n", cut.presets.size() - 1,
                font.presets.size() - 1, cut.sampleHeaders.size() - 1,
                font.sampleHeaders.size() - 1);
    return 0;
}
