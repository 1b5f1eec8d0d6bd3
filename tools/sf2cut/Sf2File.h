#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A SoundFont 2 file (RIFF "sfbk") as the records of its preset and instrument lists, its sample
// headers and its sample data. Reading checks every count, index and offset; writing makes a whole
// file of the same form.
namespace sf2 {

struct Bag {
    std::uint16_t firstGenerator = 0;
    std::uint16_t firstModulator = 0;
};
struct Generator {
    std::uint16_t oper = 0;
    std::uint16_t amount = 0;
};
struct Modulator {
    std::uint8_t bytes[10] = {};  // copied as they are: nothing in them refers to other records
};
struct PresetHeader {
    char name[20] = {};
    std::uint16_t program = 0;
    std::uint16_t bank = 0;
    std::uint16_t firstBag = 0;
    std::uint32_t library = 0, genre = 0, morphology = 0;
};
struct InstrumentHeader {
    char name[20] = {};
    std::uint16_t firstBag = 0;
};
struct SampleHeader {
    char name[20] = {};
    std::uint32_t start = 0, end = 0, loopStart = 0, loopEnd = 0, sampleRate = 0;
    std::uint8_t originalPitch = 0;
    std::int8_t pitchCorrection = 0;
    std::uint16_t link = 0, type = 0;
};

// Each record list holds its closing record (EOP, EOI, EOS) as the file does.
struct SoundFont {
    std::vector<std::uint8_t> info;           // the INFO list's contents, kept as they are
    std::vector<std::int16_t> samples;        // smpl
    std::vector<std::uint8_t> samples24;      // sm24 (empty when absent)
    std::vector<PresetHeader> presets;        // phdr
    std::vector<Bag> presetBags;              // pbag
    std::vector<Modulator> presetModulators;  // pmod
    std::vector<Generator> presetGenerators;  // pgen
    std::vector<InstrumentHeader> instruments;
    std::vector<Bag> instrumentBags;
    std::vector<Modulator> instrumentModulators;
    std::vector<Generator> instrumentGenerators;
    std::vector<SampleHeader> sampleHeaders;
};

inline constexpr std::uint16_t kGenKeyRange = 43;
inline constexpr std::uint16_t kGenInstrument = 41;
inline constexpr std::uint16_t kGenSampleId = 53;

// The sound font in `bytes`, or an empty string in `error`'s place: a message saying what is wrong.
bool readSoundFont(std::span<const std::uint8_t> bytes, SoundFont& font, std::string& error);
std::vector<std::uint8_t> writeSoundFont(const SoundFont& font);

}  // namespace sf2
