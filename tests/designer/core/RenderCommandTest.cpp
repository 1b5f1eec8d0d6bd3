#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "FakeUi.h"
#include "designer/core/Document.h"
#include "designer/core/RenderCommand.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
    EXPECT_NE(err.str().find("再生時間"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
}

// The program renders without a display; its progress bar goes to a terminal only, never into
// a log file or a pipe.
TEST_F(RenderCommandTest, TheProgramRendersWithoutADisplayAndDrawsNoBarIntoALog) {
    const std::string out = dir.file("p.wav");
    const std::string log = dir.file("log.txt");
    const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + KYREL_PROGRAM +
                                " --render " + out + " --seed 1 2>" + log;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto f = readAll(out);
    ASSERT_EQ(f.size(), 22094u);
    EXPECT_EQ(std::vector<int>(f.begin() + 44, f.begin() + 50),
              (std::vector<int>{139, 150, 160, 170, 179, 187}));
    EXPECT_TRUE(readAll(log).empty());

    std::ostringstream terminal;
    ASSERT_EQ(runRenderCommand({"--render", out}, terminal, true), 0);
    EXPECT_NE(terminal.str().find("\rrendering ["), std::string::npos);
    EXPECT_NE(terminal.str().find("done"), std::string::npos);
}

}  // namespace
}  // namespace kyrel
