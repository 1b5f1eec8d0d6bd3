#include "editor/CompileCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class CompileCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("pocora-compile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(CompileCommand, WritesTheTranslationInPlaceOfALongerOldFile) {
    write(dir_ / "in.txt", "c-4;\n@NRM//\n");
    write(dir_ / "out.sc", std::string(100, 'x'));
    std::ostringstream err;
    EXPECT_EQ(pocora::runCompileCommand(dir_ / "in.txt", dir_ / "out.sc", err), 0);
    EXPECT_EQ(read(dir_ / "out.sc"), std::string("c\xFC@NRM//"));
    EXPECT_EQ(err.str(), "");
}

TEST_F(CompileCommand, ASourceErrorNamesTheLineAndLeavesTheOutputAlone) {
    write(dir_ / "in.txt", "#\n#\nc2;0;$LOOP\n");
    write(dir_ / "out.sc", "old");
    std::ostringstream err;
    EXPECT_EQ(pocora::runCompileCommand(dir_ / "in.txt", dir_ / "out.sc", err), 1);
    EXPECT_NE(err.str().find("line 3"), std::string::npos) << err.str();
    EXPECT_EQ(read(dir_ / "out.sc"), "old");
}

TEST_F(CompileCommand, UnreadableSourceOrUnwritableOutputFails) {
    std::ostringstream err;
    EXPECT_EQ(pocora::runCompileCommand(dir_ / "missing.txt", dir_ / "out.sc", err), 1);
    EXPECT_NE(err.str().find("missing.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "out.sc"));
    EXPECT_EQ(pocora::runCompileCommand(dir_, dir_ / "out.sc", err), 1);  // a directory
    EXPECT_FALSE(fs::exists(dir_ / "out.sc"));

    write(dir_ / "in.txt", "#");
    std::ostringstream err2;
    EXPECT_EQ(pocora::runCompileCommand(dir_ / "in.txt", dir_ / "no-dir" / "out.sc", err2), 1);
    EXPECT_NE(err2.str().find("out.sc"), std::string::npos);
}

TEST_F(CompileCommand, ProgramReportsUsageErrorsWithStatusTwo) {
    const std::string program = POCORA_PROGRAM;
    auto status = [](const std::string& command) {
        int raw = std::system((command + " 2>/dev/null").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status(program + " --compile onlyone"), 2);
    EXPECT_EQ(status(program + " --compile a b c"), 2);
    write(dir_ / "in.txt", "#f18;");
    EXPECT_EQ(status(program + " --compile " + (dir_ / "in.txt").string() + " " +
                     (dir_ / "out.sc").string()),
              0);
    EXPECT_EQ(read(dir_ / "out.sc"), "#f\x12");
}

}  // namespace
