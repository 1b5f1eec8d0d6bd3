#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "charsheet/CharSheet.h"

namespace fs = std::filesystem;

namespace {

const std::string kExampleAnswers = "hero\nアレン\nalen\n120\n8\n0\n0\n12\n9\n10\n7\n5\n6\n3\n";
const std::string kExampleFile =
    "hero\x83\x41\x83\x8C\x83\x93"
    "alen" +
    std::string("\x78\x08\x00\x00\x0C\x09\x0A\x07\x05\x06\x03", 11);

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

class CharSheetDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("rostel-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }

    int run(const std::string& input, std::string* out = nullptr, std::string* err = nullptr) {
        std::istringstream in(input);
        std::ostringstream o, e;
        int status = rostel::runCharSheet(in, o, e, dir_);
        if (out) *out = o.str();
        if (err) *err = e.str();
        return status;
    }

    // Runs the real program with `input` on standard input inside the test's directory.
    int runProgram(const std::string& input) {
        std::ofstream(dir_ / "input.txt", std::ios::binary) << input;
        std::string cmd = "cd '" + dir_.string() +
                          "' && '" ROSTEL_PROGRAM "' < input.txt > stdout.txt 2> stderr.txt";
        int status = std::system(cmd.c_str());
        fs::remove(dir_ / "input.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir_;
};

TEST_F(CharSheetDir, TheExampleCharacterMakesTheTwentyFiveByteFile) {
    std::string out;
    EXPECT_EQ(run(kExampleAnswers, &out), 0);
    EXPECT_EQ(slurp(dir_ / "sv.qd"), kExampleFile);
    EXPECT_EQ(out, "コードネーム:名前は？肩書きは？HP?:LP?:WP?:JP?:STR:QUI:VIT:WIL:INT:PSY:CHA:");
}

TEST_F(CharSheetDir, RealProgramReadsStandardInputAndWritesIntoTheCurrentDirectory) {
    EXPECT_EQ(runProgram(kExampleAnswers), 0);
    EXPECT_EQ(slurp(dir_ / "sv.qd"), kExampleFile);
    EXPECT_EQ(slurp(dir_ / "stderr.txt"), "");
}

TEST_F(CharSheetDir, AnswersOnOneLineGiveTheSameFile) {
    EXPECT_EQ(run("hero アレン alen 120 8 0 0 12 9 10 7 5 6 3"), 0);
    EXPECT_EQ(slurp(dir_ / "sv.qd"), kExampleFile);
}

TEST_F(CharSheetDir, StatisticsKeepTheirLowEightBits) {
    EXPECT_EQ(run("a b c 300 -1 256 255 -256 +7 99999999999999999999 -99999999999999999999 0 1 2"),
              0);
    std::string file = slurp(dir_ / "sv.qd");
    ASSERT_EQ(file.size(), 14u);
    const unsigned char expected[] = {44, 255, 0, 255, 0, 7, 255, 0, 0, 1, 2};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(static_cast<unsigned char>(file[3 + i]), expected[i]) << i;
}

TEST_F(CharSheetDir, RunningTwiceReplacesTheFile) {
    EXPECT_EQ(run(kExampleAnswers), 0);
    EXPECT_EQ(run("x y z 1 2 3 4 5 6 7 8 9 10 11"), 0);
    EXPECT_EQ(slurp(dir_ / "sv.qd"),
              "xyz" + std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B"));
}

TEST_F(CharSheetDir, BadAnswersFailNamingThePromptAndLeaveTheOldFile) {
    ASSERT_EQ(run(kExampleAnswers), 0);
    struct Case {
        std::string input;
        std::string prompt;
    } cases[] = {
        {"", "コードネーム:"},
        {"hero アレン", "肩書きは？"},
        {"hero アレン alen 120 8", "WP?:"},
        {"hero アレン alen 120 abc 0", "LP?:"},
        {"hero アレン alen 120 - 0", "LP?:"},
        {"hero 😀 alen 1 2 3 4 5 6 7 8 9 10 11", "名前は？"},
        {std::string(512, 'w') + " b c 1 2 3 4 5 6 7 8 9 10 11", "コードネーム:"},
        {"a \xFF\xFE c 1 2 3 4 5 6 7 8 9 10 11", "名前は？"},
    };
    for (const Case& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.input, nullptr, &err), 1) << c.input;
        EXPECT_NE(err.find(c.prompt), std::string::npos) << err;
        EXPECT_EQ(slurp(dir_ / "sv.qd"), kExampleFile) << c.input;
    }
}

TEST_F(CharSheetDir, AWordOfExactly511BytesIsAccepted) {
    EXPECT_EQ(run(std::string(511, 'w') + " b c 1 2 3 4 5 6 7 8 9 10 11"), 0);
    EXPECT_EQ(fs::file_size(dir_ / "sv.qd"), 511u + 2 + 11);
}

TEST_F(CharSheetDir, RealProgramFailsWithoutCreatingTheFileOnShortInput) {
    EXPECT_EQ(runProgram("hero アレン alen 1 2"), 1);
    EXPECT_FALSE(fs::exists(dir_ / "sv.qd"));
    EXPECT_NE(slurp(dir_ / "stderr.txt").find("WP?:"), std::string::npos);
}

TEST_F(CharSheetDir, AnUnwritableDirectoryIsAnErrorNotASilentSuccess) {
    if (geteuid() == 0) {
        // root writes anywhere; a missing directory fails for everyone.
        std::istringstream in(kExampleAnswers);
        std::ostringstream o, e;
        EXPECT_EQ(rostel::runCharSheet(in, o, e, dir_ / "missing"), 1);
        EXPECT_NE(e.str().find("sv.qd"), std::string::npos);
        return;
    }
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::string err;
    EXPECT_EQ(run(kExampleAnswers, nullptr, &err), 1);
    EXPECT_NE(err.find("sv.qd"), std::string::npos);
}

}  // namespace
