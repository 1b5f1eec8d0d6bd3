#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <sstream>

#include "FakeUi.h"
#include "common/LittleEndian.h"
#include "designer/core/Document.h"
#include "designer/core/ProjectFile.h"
#include "designer/core/RenderCommand.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

std::int32_t trackWord(const std::vector<std::uint8_t>& file, int track, int word) {
    return kit::readI32LE(file, 4 + kTrackBytes * static_cast<std::size_t>(track) +
                                    4 * static_cast<std::size_t>(word));
}

std::int32_t settingsWord(const std::vector<std::uint8_t>& file, int word) {
    return kit::readI32LE(file, 4 + kTracksBytes + 4 * static_cast<std::size_t>(word));
}

class DocumentTest : public ::testing::Test {
  protected:
    FakeUi ui;
    std::unique_ptr<KyrelApp> app = std::make_unique<KyrelApp>(ui, 1);
    TempDir dir;
};

TEST_F(DocumentTest, NewDocumentSavesAsTheDocumentedBytes) {
    const std::string path = dir.file("new.kyl");
    ASSERT_TRUE(saveProject(*app, path));
    const auto file = readAll(path);
    ASSERT_EQ(file.size(), 212204u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 4),
              (std::vector<std::uint8_t>{0x4B, 0x59, 0x31, 0x00}));
    for (int t = 0; t < kTrackCount; ++t) {
        EXPECT_EQ(trackWord(file, t, 3), 16);
        EXPECT_EQ(trackWord(file, t, 4), 96);
    }
    const std::pair<int, int> words[] = {{0, 1000}, {1, 0}, {2, 0},  {3, 1},
                                         {6, 1},    {7, 0}, {19, 1}, {38, 1}};
    for (const auto& [word, value] : words) EXPECT_EQ(settingsWord(file, word), value) << word;
}

TEST_F(DocumentTest, LoadRestoresTheSavedDocumentButResetsTheSessionWords) {
    SoundDesign& d = app->design;
    d.tracks[2].curve(CurveKind::Pan)[7] = -1234;
    d.settings.tool = static_cast<std::int32_t>(Tool::Select);
    d.settings.currentTrack = 4;
    d.settings.unused[120] = 77;
    d.markChanged();
    const std::string path = dir.file("p.kyl");
    ASSERT_TRUE(saveProject(*app, path));
    EXPECT_EQ(d.settings.modified, 0);
    EXPECT_EQ(settingsWord(readAll(path), 4), 4);  // the file holds the words as they were

    auto other = std::make_unique<KyrelApp>(ui, 2);
    other->design.settings.modified = 1;
    other->design.settings.renderStale = 0;
    ASSERT_TRUE(loadProject(*other, path));
    const SoundDesign& loaded = other->design;
    EXPECT_EQ(loaded.tracks[2].curve(CurveKind::Pan)[7], -1234);
    EXPECT_EQ(loaded.settings.unused[120], 77);
    EXPECT_EQ(loaded.settings.tool, 2);
    EXPECT_EQ((std::array{loaded.settings.currentTrack, loaded.settings.modified,
                          loaded.settings.renderStale}),
              (std::array{0, 0, 1}));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(DocumentTest, VersionZeroTakesOnlyThe32FirstSettingsWordsAndTwoReadsLikeOne) {
    for (char version : {'0', '2'}) {
        SoundDesign source;
        resetDesign(source);
        source.settings.durationMs = 2500;
        source.settings.volumeSpread[1] = 12;  // word 27, inside the version '0' block
        source.settings.waveformSpread[0] = 44;
        source.settings.renderStale = 0;
        auto file = projectFileBytes(source);
        file[2] = static_cast<std::uint8_t>(version);
        if (version == '0') file.resize(211692);
        const std::string path = dir.file("old.kyl");
        writeAll(path, file);

        app->design.settings.waveformSpread[0] = 55;
        app->design.settings.unused[0] = 66;
        ASSERT_TRUE(loadProject(*app, path));
        EXPECT_EQ(app->design.settings.durationMs, 2500);
        EXPECT_EQ(app->design.settings.volumeSpread[1], 12);
        EXPECT_EQ(app->design.settings.waveformSpread[0], version == '0' ? 55 : 44);
        EXPECT_EQ(app->design.settings.unused[0], version == '0' ? 66 : 0);
        EXPECT_EQ(app->design.settings.renderStale, 1);
        ASSERT_TRUE(saveProject(*app, path));
        EXPECT_EQ(readAll(path)[2], '1');
    }
}

TEST_F(DocumentTest, RejectedFilesLeaveTheDocumentAsItWas) {
    app->design.settings.durationMs = 777;
    app->design.settings.modified = 1;
    app->design.tracks[1].volume = 5;
    auto file = projectFileBytes(app->design);
    file[9] = 0x55;

    const std::string path = dir.file("bad.kyl");
    const std::string damaged = path + " は壊れているか、途中で切れています";
    auto header = [](std::vector<std::uint8_t> head) {
        return [head](std::vector<std::uint8_t>& b) {
            std::copy(head.begin(), head.end(), b.begin());
            if (head.size() < 4) b.resize(head.size());
        };
    };
    auto word = [](std::size_t at, std::int32_t value) {
        return [at, value](std::vector<std::uint8_t>& b) { std::memcpy(b.data() + at, &value, 4); };
    };
    const std::size_t settingsAt = 4 + kTracksBytes;
    const struct {
        std::function<void(std::vector<std::uint8_t>&)> damage;
        std::string message;
    } cases[] = {
        {header({0x4B, 0x59, 0x33, 0x00}), path + " は対応していないバージョンです"},
        {header({0x4B, 0x59, 0x31, 0x01}), "Kyrelのファイルではありません"},
        {header({0x4B, 0x58, 0x31, 0x00}), "Kyrelのファイルではありません"},
        {header({0x4B, 0x59}), "Kyrelのファイルではありません"},
        {[](auto& b) { b.resize(100000); }, damaged},
        {[](auto& b) { b.resize(b.size() - 1); }, damaged},
        {[](auto& b) { b[2] = '0', b.resize(211691); }, damaged},
        {word(settingsAt, 0), damaged},                      // length
        {word(settingsAt + 4, 2), damaged},                  // channels
        {word(settingsAt + 8, 2), damaged},                  // bits
        {word(settingsAt + 12, -1), damaged},                // rate
        {word(settingsAt + 4 * 25, 128), damaged},           // a spread
        {word(4 + kTrackBytes * 5 + 4 * 4, 1000), damaged},  // a track volume
    };
    for (const auto& c : cases) {
        auto bytes = file;
        c.damage(bytes);
        writeAll(path, bytes);
        ui.shown.clear();
        EXPECT_FALSE(loadProject(*app, path));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, c.message);
        EXPECT_EQ(app->design.settings.durationMs, 777);
        EXPECT_EQ(app->design.settings.modified, 1);
        EXPECT_EQ(app->design.tracks[1].volume, 5);
        EXPECT_NE(app->design.tracks[0].renderEnabled, 0x55);
    }
    // The command line refuses it too.
    std::ostringstream err;
    EXPECT_EQ(runRenderCommand({"--render", path, dir.file("out.wav")}, err), 1);
    EXPECT_NE(err.str().find(damaged), std::string::npos) << err.str();
}

TEST_F(DocumentTest, SaveThatFailsIsReportedAndKeepsTheChanges) {
    app->design.markChanged();
    const std::string missing = dir.file("no-such-dir/p.kyl");
    EXPECT_FALSE(saveProject(*app, missing));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, missing + " を開けません");
    EXPECT_EQ(app->design.settings.modified, 1);
}

TEST_F(DocumentTest, NamesShiftJisCannotHoldBecomeQuestionMarks) {
    const std::string path = dir.file("音\xF0\x9F\x8E\xB5.kyl");
    EXPECT_FALSE(loadProject(*app, path));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, dir.file("音?.kyl") + " を開けません");
}

TEST_F(DocumentTest, NewAsksToSaveOnlyWhenModifiedThenAlwaysAsksToReset) {
    struct Case {
        bool modified;
        std::deque<MessageAnswer> answers;
        std::vector<std::string> questions;
        bool reset;
    };
    const std::string save = "新規作成.kyl は変更されています。保存しますか？";
    const std::string reset = "すべてのデータが初期化されます。よろしいですか？";
    const Case cases[] = {{false, {MessageAnswer::Yes}, {reset}, true},
                          {true, {MessageAnswer::No, MessageAnswer::No}, {save, reset}, false},
                          {true, {MessageAnswer::Cancel}, {save}, false}};
    for (const Case& c : cases) {
        app->design.settings.durationMs = 5;
        app->design.settings.modified = c.modified;
        ui.shown.clear();
        ui.answers = c.answers;
        commandNew(*app);
        std::vector<std::string> asked;
        for (const auto& shown : ui.shown) asked.push_back(shown.text);
        EXPECT_EQ(asked, c.questions);
        EXPECT_EQ(app->design.settings.durationMs, c.reset ? 1000 : 5);
    }
}

TEST_F(DocumentTest, SaveOfAnUntitledDocumentAsksForANameThenSavesOverAndOpenSetsTheNames) {
    const std::string path = dir.file("song.kyl");
    ui.fileNames = {path};
    commandSave(*app);
    EXPECT_EQ(ui.fileDialogs.at(0).initialName, "新規作成.kyl");
    EXPECT_EQ(app->documentName, "song.kyl");
    EXPECT_EQ(app->projectDirectory, dir.dir());
    EXPECT_EQ(ui.status, "保存しました");
    for (auto answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        app->design.settings.durationMs = 1234;
        ui.answers = {answer};
        commandSave(*app);
        EXPECT_EQ(ui.shown.back().text, "song.kyl へ上書きします");
        EXPECT_EQ(settingsWord(readAll(path), 0), answer == MessageAnswer::Yes ? 1234 : 1000);
    }
    EXPECT_EQ(ui.status, "上書き保存しました");

    // Open changes the names only when the load succeeds.
    FakeUi otherUi;
    auto other = std::make_unique<KyrelApp>(otherUi, 2);
    writeAll(dir.file("bad.kyl"), {1, 2, 3, 4, 5});
    otherUi.fileNames = {dir.file("bad.kyl"), path};
    commandOpen(*other);
    EXPECT_TRUE(other->untitled);
    commandOpen(*other);
    EXPECT_EQ(other->documentName, "song.kyl");
    EXPECT_EQ(other->lastOpenedName, "song.kyl");
    EXPECT_EQ(other->projectDirectory, dir.dir());
    EXPECT_FALSE(other->untitled);
}

TEST_F(DocumentTest, YesToSavingKeepsTheWindowUntilTheSaveHappens) {
    app->design.markChanged();
    ui.answers = {MessageAnswer::Yes};
    ui.fileNames = {std::nullopt};  // the Save As dialog is cancelled
    EXPECT_FALSE(mayClose(*app));
    EXPECT_EQ(app->design.settings.modified, 1);
    ui.answers = {MessageAnswer::Yes};
    ui.fileNames = {dir.file("kept.kyl")};
    EXPECT_TRUE(mayClose(*app));
    EXPECT_EQ(readAll(dir.file("kept.kyl")).size(), kProjectFileBytes);
}

}  // namespace
}  // namespace kyrel
