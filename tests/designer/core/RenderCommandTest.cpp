#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

#include "FakeUi.h"
#include "designer/core/Document.h"
#include "designer/core/EditCommands.h"
#include "designer/core/Normalize.h"
#include "designer/core/PeakLevel.h"
#include "designer/core/PresetCommands.h"
#include "designer/core/RenderCommand.h"
#include "designer/core/WavCommands.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

class RenderCommandTest : public ::testing::Test {
  protected:
    int run(const std::vector<std::string>& args) {
        err.str("");
        return runRenderCommand(args, err);
    }

    // Saves a project made by `edit` from a new document.
    std::string project(const std::string& name, void (*edit)(SoundDesign&)) {
        FakeUi ui;
        auto app = std::make_unique<KyrelApp>(ui, 1);
        edit(app->design);
        const std::string path = dir.file(name);
        EXPECT_TRUE(saveProject(*app, path));
        return path;
    }

    TempDir dir;
    std::ostringstream err;
};

TEST_F(RenderCommandTest, CommandLineErrorsExitWith2) {
    EXPECT_EQ(run({"--render"}), 2);
    EXPECT_EQ(run({"--render", "a.kyl", "b.wav", "c.wav"}), 2);
    EXPECT_EQ(run({"--render", "out.wav", "--seed"}), 2);
    EXPECT_EQ(run({"--render", "out.wav", "--seed", "12x"}), 2);
    EXPECT_EQ(run({"--render", "out.wav", "--loud"}), 2);
    EXPECT_NE(err.str().find("usage: kyrel --render"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("out.wav"));
}

TEST_F(RenderCommandTest, TheOutputKeepsExactlyTheNameGiven) {
    for (const char* name : {"sound.WAV", "sound.snd", "noext", "two.dots.wav"}) {
        const std::string out = dir.file(name);
        ASSERT_EQ(run({"--render", out, "--seed", "1"}), 0) << name << err.str();
        EXPECT_EQ(readAll(out).size(), 22094u) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("sound.wav")));
}

TEST_F(RenderCommandTest, ProjectFailuresExitWith1AndTheMessage) {
    EXPECT_EQ(run({"--render", dir.file("none.kyl"), dir.file("o.wav")}), 1);
    EXPECT_NE(err.str().find("none.kyl を開けません"), std::string::npos);

    auto silent = project("silent.kyl", [](SoundDesign& d) { d.settings.trackUse[0] = 0; });
    EXPECT_EQ(run({"--render", silent, dir.file("o.wav")}), 1);
    EXPECT_NE(err.str().find("Error: 有効トラックがありません"), std::string::npos);

    auto huge = project("huge.kyl", [](SoundDesign& d) { d.settings.durationMs = 1 << 30; });
    EXPECT_EQ(run({"--render", huge, dir.file("o.wav")}), 1);
    EXPECT_NE(err.str().find("huge.kyl は壊れているか"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
}

// Play's file, Create WAV's file and `--render --seed` with the window's seed are the same bytes,
// dispersion included; another seed is another sound.
TEST_F(RenderCommandTest, TheWindowsSeedGivesTheSoundHeardEverywhere) {
    FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    app->design.settings.frequencySpread[0] = 30;
    app->design.settings.volumeSpread[0] = 20;
    app->design.settings.durationMs = 50;
    app->renderSeed = 4242;
    app->tempWavPath = dir.file("play.wav");
    ASSERT_TRUE(commandPlay(*app));
    commandStop(*app);
    const auto played = readAll(dir.file("play.wav"));
    for (int again = 0; again < 2; ++again) {
        ASSERT_TRUE(CreateWavFile(*app, dir.file("made.wav"), ""));
        EXPECT_EQ(readAll(dir.file("made.wav")), played);
    }
    ASSERT_TRUE(saveProject(*app, dir.file("p.kyl")));
    ASSERT_EQ(run({"--render", dir.file("p.kyl"), dir.file("cli.wav"), "--seed", "4242"}), 0);
    EXPECT_EQ(readAll(dir.file("cli.wav")), played);
    app->renderSeed = 4243;
    ASSERT_TRUE(CreateWavFile(*app, dir.file("other.wav"), ""));
    EXPECT_NE(readAll(dir.file("other.wav")), played);
}

// 音量を揃える: the render with the window's seed peaks at -1 dBFS (to the rounding of the track
// volumes) for every preset and for layered tracks that clip, as one undo step; --normalize too.
TEST_F(RenderCommandTest, NormalizeBringsThePeakToMinusOneDbfs) {
    FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 5);
    auto peak = [&] {
        EXPECT_TRUE(CreateWavFile(*app, dir.file("n.wav"), ""));
        const auto wav = readAll(dir.file("n.wav"));
        return measurePeak(std::span(wav).subspan(44),
                           kBitDepths[static_cast<std::size_t>(app->design.settings.bitsIndex)]);
    };
    auto layered = [](SoundDesign& d) {
        d.settings.bitsIndex = 1;
        for (std::size_t t : {0u, 1u}) {
            d.settings.trackUse[t] = 1;
            d.tracks[t].volume = 127;
            d.tracks[t].curve(CurveKind::Volume).fill(-32768);
            d.settings.volumeSpread[t] = 40 * static_cast<std::int32_t>(t);
        }
    };
    for (int design = 0; design <= static_cast<int>(kPresetNames.size()); ++design) {
        SCOPED_TRACE(design);
        if (design < static_cast<int>(kPresetNames.size())) {
            commandPreset(*app, kPresetNames[static_cast<std::size_t>(design)].kind);
        } else {
            newDocument(*app);
            layered(app->design);
            EXPECT_GT(peak().clipped, 0u);
        }
        const auto before = std::make_unique<SoundDesign>(app->design);
        ASSERT_TRUE(commandNormalize(*app));
        const PeakLevel level = peak();
        EXPECT_LE(level.dbfs, -1.0);
        EXPECT_GE(level.dbfs, -1.3);
        EXPECT_EQ(level.clipped, 0u);
        ASSERT_TRUE(commandUndo(*app, CurveKind::Volume));
        EXPECT_EQ(std::memcmp(&app->design.tracks, &before->tracks, sizeof before->tracks), 0);
    }
    const std::string path = project("layered.kyl", layered);
    ASSERT_EQ(run({"--render", path, dir.file("cli.wav"), "--normalize", "--seed", "5"}), 0);
    const auto wav = readAll(dir.file("cli.wav"));
    EXPECT_NEAR(measurePeak(std::span(wav).subspan(44), 16).dbfs, -1.1, 0.15);
}

struct Outcome {
    int status;
    std::string output;
};

// Runs the program without a display, standard error into a pipe with standard output.
Outcome runKyrel(const std::string& environment, const std::string& args) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                environment + " " + KYREL_PROGRAM + " " + args + " 2>&1";
    Outcome outcome{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return outcome;
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe)) outcome.output += buffer.data();
    const int raw = ::pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return outcome;
}

// The program renders without a display, and draws its progress bar on a terminal only, never
// into a pipe or a log; the window program without a display says so instead of aborting.
TEST_F(RenderCommandTest, TheProgramWithoutADisplay) {
    const std::string out = dir.file("p.wav");
    Outcome outcome = runKyrel("", "--render " + out + " --seed 1");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.output, "");
    EXPECT_EQ(readAll(out).size(), 22094u);
    std::ostringstream terminal;
    ASSERT_EQ(runRenderCommand({"--render", out}, terminal, true), 0);
    EXPECT_NE(terminal.str().find("\rrendering ["), std::string::npos);

    outcome = runKyrel("", "project.kyl");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("no display"), std::string::npos) << outcome.output;
    for (const char* args : {"--bogus", "a.kyl b.kyl"}) {
        outcome = runKyrel("QT_QPA_PLATFORM=offscreen", args);
        EXPECT_EQ(outcome.status, 2) << args;
        EXPECT_NE(outcome.output.find("usage: kyrel [PROJECT.kyl]"), std::string::npos) << args;
    }
}

}  // namespace
}  // namespace kyrel
