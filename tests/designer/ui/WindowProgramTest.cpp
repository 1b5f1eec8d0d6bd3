#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct Outcome {
    int status;
    std::string output;
};

// Runs the program through the shell with `environment` and `args`, both outputs captured.
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

TEST(WindowProgram, WithoutADisplayItSaysSoInsteadOfAborting) {
    const Outcome outcome = runKyrel("", "project.kyl");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("no display"), std::string::npos) << outcome.output;
}

TEST(WindowProgram, CommandLineErrorsGiveTheUsage) {
    for (const char* args : {"--bogus", "a.kyl b.kyl"}) {
        const Outcome outcome = runKyrel("QT_QPA_PLATFORM=offscreen", args);
        EXPECT_EQ(outcome.status, 2) << args;
        EXPECT_NE(outcome.output.find("usage: kyrel [PROJECT.kyl]"), std::string::npos) << args;
    }
}

}  // namespace
