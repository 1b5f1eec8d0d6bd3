#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "charsheet/CharSheet.h"
#include "tests/support/ScratchAndRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kExampleAnswers = "hero\nアレン\nalen\n120\n8\n0\n0\n12\n9\n10\n7\n5\n6\n3\n";
// "hero", アレン and "alen" in Shift-JIS without terminators, then the eleven statistics.
const std::string kSvQd("hero\x83\x41\x83\x8C\x83\x93\x61len\x78\x08\0\0\x0C\t\n\a\5\6\3", 25);

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Runs the program in `dir` with `input` on its standard input; its output goes to files there.
int rostel(const fs::path& dir, const std::string& input) {
    std::ofstream(dir / "input.txt", std::ios::binary) << input;
    const std::string cmd =
        "cd '" + dir.string() + "' && '" ROSTEL_PROGRAM "' < input.txt > stdout.txt 2> stderr.txt";
    return testsupport::runCommand(cmd);
}

TEST(CharSheet, AnswersMakeTheFileByteForByteAndAFailureLeavesTheLastOne) {
    const testsupport::ScratchDirectory scratch("rostel-test-");
    const fs::path& dir = scratch.path();
    const std::string words = " b c 1 2 3 4 5 6 7 8 9 10 11";
    struct Case {
        std::string input, file, promptInError;  // no file: refused
    } cases[] = {
        {kExampleAnswers, kSvQd, ""},
        {"", "", "コードネーム:"},
        {"hero アレン alen 120 8", "", "WP?:"},
        {"hero アレン alen 120 abc 0", "", "LP?:"},
        {"hero アレン alen 120 - 0", "", "LP?:"},
        {"hero 😀 alen 1 2 3 4 5 6 7 8 9 10 11", "", "名前は？"},
        {std::string(512, 'w') + words, "", "コードネーム:"},
        {"a \xFF\xFE c 1 2 3 4 5 6 7 8 9 10 11", "", "名前は？"},
        {std::string(511, 'w') + words, std::string(511, 'w') + "bc\1\2\3\4\5\6\7\x08\t\n\v", ""},
        {"a b c 300 -1 256 255 -256 +7 99999999999999999999 -99999999999999999999 0 1 2",
         "abc" + std::string("\x2C\xFF\x00\xFF\x00\x07\xFF\x00\x00\x01\x02", 11), ""},
    };
    std::string lastFile;  // the file stays as the last accepted answers made it
    for (const Case& c : cases) {
        EXPECT_EQ(rostel(dir, c.input), c.file.empty() ? 1 : 0) << c.input;
        if (!c.file.empty()) lastFile = c.file;
        EXPECT_EQ(slurp(dir / "sv.qd"), lastFile) << c.input;
        EXPECT_NE(slurp(dir / "stderr.txt").find(c.promptInError), std::string::npos);
    }
    EXPECT_EQ(slurp(dir / "stdout.txt"),
              "コードネーム:名前は？肩書きは？HP?:LP?:WP?:JP?:STR:QUI:VIT:WIL:INT:PSY:CHA:");
    // A directory that cannot take the file is an error, not a silent success.
    std::istringstream in(kExampleAnswers);
    std::ostringstream out, err;
    EXPECT_EQ(rostel::runCharSheet(in, out, err, dir / "missing"), 1);
    EXPECT_NE(err.str().find("sv.qd"), std::string::npos);
}

}  // namespace
