#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "FakeUi.h"
#include "common/LittleEndian.h"
#include "designer/core/EditCommands.h"
#include "designer/core/ImportCommands.h"
#include "designer/core/SfxrImport.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

// Each setting by its .sfxj name and its jsfxr name, with the value a sound has when it leaves
// the setting alone.
struct Name {
    const char* sfxj;
    const char* jsfxr;
    double neutral;
};
constexpr Name kNames[] = {
    {"waveForm", "wave_type", 0},
    {"baseFrequency", "p_base_freq", 0.3},
    {"minFrequency", "p_freq_limit", 0},
    {"slide", "p_freq_ramp", 0},
    {"deltaSlide", "p_freq_dramp", 0},
    {"squareDuty", "p_duty", 0},
    {"dutySweep", "p_duty_ramp", 0},
    {"vibratoDepth", "p_vib_strength", 0},
    {"vibratoSpeed", "p_vib_speed", 0},
    {"attackTime", "p_env_attack", 0},
    {"sustainTime", "p_env_sustain", 0.3},
    {"sustainPunch", "p_env_punch", 0},
    {"decayTime", "p_env_decay", 0.4},
    {"changeAmount", "p_arp_mod", 0},
    {"changeSpeed", "p_arp_speed", 0},
    {"repeatSpeed", "p_repeat_speed", 0},
    {"lpFilterCutoff", "p_lpf_freq", 1},
    {"lpFilterCutoffSweep", "p_lpf_ramp", 0},
    {"lpFilterResonance", "p_lpf_resonance", 0},
    {"hpFilterCutoff", "p_hpf_freq", 0},
    {"hpFilterCutoffSweep", "p_hpf_ramp", 0},
    {"phaserOffset", "p_pha_offset", 0},
    {"phaserSweep", "p_pha_ramp", 0},
    {"volume", "sound_vol", 0.5},
};

// The sound as a .sfxj file or as jsfxr's JSON, every setting written out.
std::string soundFile(const std::map<std::string, double>& set, bool sfxj) {
    std::ostringstream out;
    out << (sfxj ? "{\"version\": 1, \"properties\": {" : "{\"oldParams\": true, ");
    const char* comma = "";
    for (const Name& n : kNames) {
        const auto it = set.find(n.sfxj);
        out << comma << '"' << (sfxj ? n.sfxj : n.jsfxr)
            << "\": " << (it == set.end() ? n.neutral : it->second);
        comma = ", ";
    }
    out << (sfxj ? "}}" : ", \"sample_rate\": 44100, \"sample_size\": 16}");
    return out.str();
}

std::vector<double> wavSamples(const std::string& path) {
    const auto wav = readAll(path);
    std::vector<double> x;
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2) x.push_back(kit::readI16LE(wav, at));
    return x;
}

// The pitch around sample `centre` from the rising zero crossings within 12 ms either side: the
// median period, which a single glitch (the family's phase jumps where a repeat restarts the
// pitch) does not move.
std::optional<double> pitchAround(const std::vector<double>& x, std::size_t centre) {
    constexpr std::size_t kHalf = 530;
    std::vector<double> rises, periods;
    for (std::size_t i = std::max(centre, kHalf + 1) - kHalf;
         i < std::min(centre + kHalf, x.size()); ++i)
        if (x[i - 1] < 0 && x[i] >= 0) rises.push_back(double(i) - x[i] / (x[i] - x[i - 1]));
    for (std::size_t i = 1; i < rises.size(); ++i) periods.push_back(rises[i] - rises[i - 1]);
    if (periods.size() < 3) return std::nullopt;
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    return 44100.0 / periods[periods.size() / 2];
}

// Length within 5% and, at ten points along the sound, the pitch within a semitone.
void expectSameSound(const std::vector<double>& kyrel, const std::vector<double>& reference,
                     bool tonal) {
    ASSERT_FALSE(reference.empty());
    EXPECT_NEAR(double(kyrel.size()), double(reference.size()), 0.05 * reference.size());
    int compared = 0;
    for (int k = 0; tonal && k < 10; ++k) {
        const auto at = static_cast<std::size_t>((k + 0.5) / 10 * reference.size());
        const auto a = pitchAround(kyrel, at), b = pitchAround(reference, at);
        if (!a || !b) continue;
        ++compared;
        EXPECT_LT(std::abs(12.0 * std::log2(*a / *b)), 1.0)
            << "point " << k << ": " << *a << " Hz against " << *b;
    }
    EXPECT_TRUE(!tonal || compared >= 7) << compared;
}

// What the family's synthesis would make of it, as far as pitch and length go: a sine at the
// course's pitch.
std::vector<double> courseTone(const SfxrCourse& course) {
    std::vector<double> x(course.hz.size());
    double phase = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        phase += course.hz[i] / 44100.0;
        x[i] = std::sin(2 * M_PI * phase) * 1000.0;
    }
    return x;
}

bool sfxrQtInstalled() {
    return std::system("command -v sfxr-qt > /dev/null 2>&1") == 0;
}

struct Case {
    const char* name;
    std::map<std::string, double> set;
    bool tonal;
    std::vector<std::string> dropped;  // by .sfxj name, in the order of the file's settings
};

TEST(Import, SoundsOfTheSfxrFamilyBecomeTracksAndCurves) {
    const Case cases[] = {
        {"coin",
         {{"baseFrequency", 0.48},
          {"changeAmount", 0.55},
          {"changeSpeed", 0.62},
          {"sustainTime", 0.08},
          {"decayTime", 0.35},
          {"sustainPunch", 0.4}},
         true,
         {}},
        {"laser",
         {{"waveForm", 1},
          {"baseFrequency", 0.7},
          {"minFrequency", 0.2},
          {"slide", -0.3},
          {"sustainTime", 0.2},
          {"decayTime", 0.25}},
         true,
         {}},
        {"jump",
         {{"squareDuty", 0.4},
          {"baseFrequency", 0.35},
          {"slide", 0.25},
          {"deltaSlide", -0.2},
          {"sustainTime", 0.3},
          {"decayTime", 0.2}},
         true,
         {}},
        {"powerup",
         {{"waveForm", 2},
          {"baseFrequency", 0.35},
          {"slide", 0.2},
          {"vibratoDepth", 0.1},
          {"vibratoSpeed", 0.5},
          {"repeatSpeed", 0.5},
          {"attackTime", 0.1},
          {"sustainTime", 0.35},
          {"decayTime", 0.4}},
         true,
         {}},
        {"boom",
         {{"waveForm", 3},
          {"baseFrequency", 0.2},
          {"lpFilterCutoff", 0.4},
          {"phaserOffset", 0.2},
          {"dutySweep", 0.3},
          {"volume", 0.9}},
         false,
         {"lpFilterCutoff", "phaserOffset"}},
    };
    TempDir dir;
    const bool compareWithSfxrQt = sfxrQtInstalled();
    for (const Case& c : cases) {
        for (bool sfxj : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (sfxj ? ".sfxj" : ".json"));
            const std::string text = soundFile(c.set, sfxj);
            const std::string in = dir.file(std::string(c.name) + (sfxj ? ".sfxj" : ".json"));
            writeAll(in, std::vector<std::uint8_t>(text.begin(), text.end()));
            std::ostringstream err;
            ASSERT_EQ(runImportCommand({"--import", in, dir.file("out.wav")}, err), 0);
            std::string listed;
            for (const std::string& name : c.dropped) {
                for (const Name& known : kNames)
                    if (name == known.sfxj)
                        listed += (listed.empty() ? "" : ", ") +
                                  std::string(sfxj ? known.sfxj : known.jsfxr);
            }
            EXPECT_EQ(err.str(), listed.empty()
                                     ? ""
                                     : "Kyrel: Kyrelで表せない設定を除きました: " + listed + "\n");
            const std::vector<double> kyrel = wavSamples(dir.file("out.wav"));
            const auto sound = readSfxrSound(std::vector<std::uint8_t>(text.begin(), text.end()));
            ASSERT_TRUE(sound);
            expectSameSound(kyrel, courseTone(sfxrCourse(*sound)), c.tonal);
            if (!compareWithSfxrQt || !sfxj) continue;
            const std::string ref = dir.file("ref.wav");
            ASSERT_EQ(std::system(("QT_QPA_PLATFORM=offscreen sfxr-qt --export -b 16 -r 44100 -o " +
                                   ref + " " + in + " > /dev/null 2>&1")
                                      .c_str()),
                      0);
            expectSameSound(kyrel, wavSamples(ref), c.tonal);
        }
    }
}

// A file that is not such a sound is refused with its name, and the design stays; an imported
// one is one undo step and an untitled document, the dropped settings told once.
TEST(Import, RefusedFilesAndTheImportedDocument) {
    TempDir dir;
    FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    app->untitled = false;
    app->documentName = "sword.kyl";
    const std::string path = dir.file("in.json");
    for (const char* text : {"", "not json", "[1, 2]", "{}", "{\"a\": {\"b\": 1}} x",
                             "{\"version\": 1, \"properties\": {\"baseFrequency\": \"x\"}}",
                             "{\"p_base_freq\": 1e999}", "{\"p_base_freq\": 0.3,}"}) {
        writeAll(path, std::vector<std::uint8_t>(text, text + std::strlen(text)));
        ui.shown.clear();
        EXPECT_FALSE(importSfxrFile(*app, path)) << text;
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, path + " はsfxrの音として読めません");
    }
    std::ostringstream err;
    EXPECT_EQ(runImportCommand({"--import", path, dir.file("o.kyl")}, err), 1);
    EXPECT_EQ(runImportCommand({"--import", path, dir.file("o.mp3")}, err), 2);
    EXPECT_EQ(runImportCommand({"--import", path}, err), 2);

    const auto before = std::make_unique<SoundDesign>(app->design);
    const std::string deep = std::string(40, '[') + std::string(40, ']');
    const std::string text = "{\"wave_type\": 2, \"p_hpf_freq\": 0.5, \"x\": " + deep + "}";
    writeAll(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    EXPECT_FALSE(importSfxrFile(*app, path));  // nests deeper than any sound file
    const std::string flat = "{\"wave_type\": 2, \"p_hpf_freq\": 0.5, \"name\": \"a\\\"b\"}";
    writeAll(path, std::vector<std::uint8_t>(flat.begin(), flat.end()));
    ui.shown.clear();
    ASSERT_TRUE(importSfxrFile(*app, path));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Kyrelで表せない設定を除きました: p_hpf_freq");
    EXPECT_TRUE(app->untitled);
    EXPECT_EQ(app->documentName, "新規作成.kyl");
    EXPECT_EQ(app->design.tracks[0].volume, 96);
    ASSERT_TRUE(commandUndo(*app, CurveKind::Waveform));
    EXPECT_EQ(std::memcmp(&app->design.tracks, &before->tracks, sizeof before->tracks), 0);
}

}  // namespace
}  // namespace kyrel
