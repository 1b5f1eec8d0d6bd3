// The sound font reader and the MIDI scanner of kit-sf2cut: any file is read whole or refused with
// a message, and a font that reads is cut and written without reaching outside its records.
#include "fuzz/common/FuzzInput.h"
#include "tools/sf2cut/Sf2Cut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    std::string error;
    sf2::MidiUsage usage;
    if (!sf2::scanMidi(bytes, usage, error) && error.empty()) FuzzFailure();
    for (int program = 0; program < 128; program += 7) usage.programs.insert(program);
    usage.drumNotes.insert({0, 36});
    sf2::SoundFont font;
    error.clear();
    if (!sf2::readSoundFont(bytes, font, error)) {
        if (error.empty()) FuzzFailure();
        return 0;
    }
    const auto cut = sf2::writeSoundFont(sf2::cutSoundFont(font, usage));
    sf2::SoundFont again;
    if (!sf2::readSoundFont(cut, again, error)) FuzzFailure();
    return 0;
}
