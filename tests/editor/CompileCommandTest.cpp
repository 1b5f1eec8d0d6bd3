#include "editor/CompileCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/ShiftJis.h"
#include "editor/ScriptCompiler.h"

namespace fs = std::filesystem;

namespace {

// Each test works in a directory of its own, the current one while it runs.
class CompileCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(dir_.parent_path());
        fs::remove_all(dir_);
    }
    static void write(const char* name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Runs `pocora --compile ARGS` in this process; its messages go to `err_`.
    int compile(const std::vector<std::string_view>& args) {
        err_.str("");
        return pocora::runCompileCommandLine(args, err_);
    }

    const fs::path dir_ =
        fs::temp_directory_path() /
        ("pocora-compile-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::ostringstream err_;
};

TEST_F(CompileCommand, ShiftJisAndUtf8FormsOfAScriptCompileToTheSameBytes) {
    const std::string utf8 = "* 長老\r\n@SPK//\r\nc4;=$ゆうべの流れ星ｱ①は、\\n祠に//\r\nf1;\r\n";
    const std::string sjis = kit::utf8ToSjis(utf8).value();
    write("sjis.src", sjis);
    write("utf8.src", utf8);
    write("bom.src", "\xEF\xBB\xBF" + utf8);
    const std::vector<std::string_view> commands[] = {
        {"sjis.src", "out.sc"}, {"sjis.src", "out.sc", "--encoding", "sjis"},
        {"utf8.src", "out.sc"}, {"utf8.src", "out.sc", "--encoding=utf8"},
        {"bom.src", "out.sc"},  {"bom.src", "--encoding", "utf8", "out.sc"},
    };
    for (const auto& args : commands) {
        write("out.sc", std::string(500, 'x'));  // a longer old script is replaced whole
        EXPECT_EQ(compile(args), 0) << err_.str();
        EXPECT_EQ(read("out.sc"), pocora::ScriptCompiler::compile(sjis).bytes) << args[0];
        EXPECT_EQ(err_.str(), "");
    }
}

TEST_F(CompileCommand, RefusalsNameThePlaceAndWriteNothingWhileWarningsDoNot) {
    const std::string lf = "#\n#\n";
    const struct {
        std::string source;  // the bytes of "in.src"; nothing for a file that is not there
        std::vector<std::string_view> args;
        int status;
        std::string message;
    } cases[] = {
        {lf + "c2;0;$LOOP\n", {}, 1, "pocora: in.src: line 3: '$'"},
        {lf + "c4;=$ok//\nc4;=$abé//", {}, 1, "pocora: in.src: line 4, column 8: 'é' (U+00E9)"},
        {lf + "c4;=$😀//", {"--encoding", "utf8"}, 1, "pocora: in.src: line 3, column 6: '"},
        {lf + "c4;=$\x82\xa0\xFF//",
         {"--encoding", "utf8"},
         1,
         "pocora: in.src: line 3, column 6: a byte that is not UTF-8 (0x82)"},
        {"", {}, 1, "pocora: cannot read in.src"},
        // Warnings count characters: あ is one. Only a, c, e, f and w are executed.
        {lf + "a0;c0;e0;f0;w0;\n $あq1;//q9;", {}, 0, "pocora: in.src: line 4, column 9: warning"},
        {"#", {"--encoding", "latin1"}, 2, "usage: pocora --compile"},
        {"#", {"extra"}, 2, "usage"},
    };
    for (const auto& c : cases) {
        fs::remove("in.src");
        if (!c.source.empty()) write("in.src", c.source);
        write("out.sc", "old");
        std::vector<std::string_view> args = {"in.src", "out.sc"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(compile(args), c.status) << c.source;
        EXPECT_EQ(err_.str().rfind(c.message, 0), 0u) << err_.str();
        EXPECT_EQ(read("out.sc") == "old", c.status != 0) << c.source;
    }
    EXPECT_EQ(compile({".", "out.sc"}), 1);  // a directory is no source
    EXPECT_EQ(compile({"in.src", "no-dir/out.sc"}), 1);
    EXPECT_NE(err_.str().find("cannot write no-dir/out.sc"), std::string::npos);
}

// The sample game's scripts are UTF-8; the program compiles each to the script the build made.
TEST_F(CompileCommand, TheSampleScriptsCompileFromTheirSourcesToTheBuiltScripts) {
    if (!fs::exists(KIT_SAMPLE_GAME_DIR)) GTEST_SKIP() << "the sample game is not built here";
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(KIT_SAMPLE_DIR)) {
        if (entry.path().extension() != ".src") continue;
        const fs::path built = fs::path(KIT_SAMPLE_GAME_DIR) /
                               fs::relative(entry.path(), KIT_SAMPLE_DIR).replace_extension(".sc");
        const std::string command =
            std::string(POCORA_PROGRAM) + " --compile '" + entry.path().string() + "' out.sc";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(read("out.sc"), read(built)) << entry.path();
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

}  // namespace
