// The sound font cut: the sample game's music sounds the same through the cut font as through
// the whole one (both rendered by FluidSynth), the cut is much smaller, and damaged fonts and MIDI
// files are refused with a message.
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "tools/sf2cut/Sf2Cut.h"

namespace {

namespace fs = std::filesystem;
constexpr const char* kFullFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The first seconds of a MIDI file rendered through a sound font, 16-bit stereo at 44.1 kHz.
std::vector<std::int16_t> render(const std::vector<std::uint8_t>& font,
                                 const std::vector<std::uint8_t>& midi) {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);  // channels left without a preset
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setint(settings, "player.reset-synth", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const fs::path file =
        fs::temp_directory_path() / ("sf2cut-" + std::to_string(getpid()) + ".sf2");
    kit::writeFileAtomically(file, font);
    fluid_synth_sfload(synth, file.c_str(), 1);
    fs::remove(file);
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add_mem(player, midi.data(), midi.size());
    fluid_player_play(player);
    std::vector<std::int16_t> out;
    constexpr int kBlock = 512, kSeconds = 20;
    std::vector<std::int16_t> block(kBlock * 2);
    for (int frames = 0;
         frames < 44100 * kSeconds && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
         frames += kBlock) {
        fluid_synth_write_s16(synth, kBlock, block.data(), 0, 2, block.data(), 1, 2);
        out.insert(out.end(), block.begin(), block.end());
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

TEST(Sf2Cut, SampleMusicSoundsTheSameThroughTheCut) {
    const auto full = kit::readWholeFile(kFullFont);
    ASSERT_TRUE(full) << kFullFont;
    std::vector<std::vector<std::uint8_t>> pieces;
    sf2::MidiUsage usage;
    std::string error;
    for (const auto& entry : fs::directory_iterator(fs::path(SAMPLE_GAME_DIR) / "BGM")) {
        pieces.push_back(*kit::readWholeFile(entry.path()));
        ASSERT_TRUE(sf2::scanMidi(pieces.back(), usage, error)) << entry.path() << ": " << error;
    }
    ASSERT_FALSE(pieces.empty());
    sf2::SoundFont font;
    ASSERT_TRUE(sf2::readSoundFont(*full, font, error)) << error;
    const auto cut = sf2::writeSoundFont(sf2::cutSoundFont(font, usage));
    std::printf("sf2cut: the sample's music needs %zu of %zu bytes of the sound font\n", cut.size(),
                full->size());
    EXPECT_LT(cut.size(), full->size() / 4);
    for (const auto& piece : pieces) {
        const auto whole = render(*full, piece), part = render(cut, piece);
        ASSERT_TRUE(std::any_of(whole.begin(), whole.end(), [](std::int16_t v) { return v != 0; }));
        EXPECT_EQ(whole, part);
    }
}

TEST(Sf2Cut, DamagedFilesAreRefused) {
    const auto full = kit::readWholeFile(kFullFont);
    ASSERT_TRUE(full);
    sf2::SoundFont font;
    std::string error;
    ASSERT_TRUE(sf2::readSoundFont(*full, font, error));
    // A whole file written back reads as the same font.
    const auto written = sf2::writeSoundFont(font);
    sf2::SoundFont again;
    ASSERT_TRUE(sf2::readSoundFont(written, again, error)) << error;
    EXPECT_EQ(sf2::writeSoundFont(again), written);
    // Cut short, a sample beyond the data, a zone naming a missing instrument.
    std::vector<std::vector<std::uint8_t>> damaged(3, written);
    damaged[0].resize(written.size() / 2);
    sf2::SoundFont far = font;
    far.sampleHeaders[0].end = static_cast<std::uint32_t>(far.samples.size() + 1);
    damaged[1] = sf2::writeSoundFont(far);
    sf2::SoundFont missing = font;
    for (auto& gen : missing.presetGenerators)
        if (gen.oper == sf2::kGenInstrument) gen.amount = 60000;
    damaged[2] = sf2::writeSoundFont(missing);
    for (const auto& bytes : damaged) {
        error.clear();
        EXPECT_FALSE(sf2::readSoundFont(bytes, again, error));
        EXPECT_FALSE(error.empty());
    }
    const std::vector<std::vector<std::uint8_t>> badMidi = {
        {'M', 'T', 'h', 'd'},
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 9},
        {'M', 'T', 'h', 'd', 0,   0,   0, 6, 0, 0, 0, 1,
         0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, 2, 0, 0x40},
    };
    sf2::MidiUsage usage;
    for (const auto& bytes : badMidi) EXPECT_FALSE(sf2::scanMidi(bytes, usage, error));
}

}  // namespace
