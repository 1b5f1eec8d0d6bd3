#include <gtest/gtest.h>

#include "common/LittleEndian.h"
#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/platform/headless/EngineHarness.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendId(Bytes& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}

Bytes Chunk(const char* id, const Bytes& body, std::uint32_t declaredSize = UINT32_MAX) {
    Bytes out;
    AppendId(out, id);
    kit::appendU32LE(
        out, declaredSize == UINT32_MAX ? static_cast<std::uint32_t>(body.size()) : declaredSize);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
    return out;
}

Bytes FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                 std::uint16_t bits) {
    Bytes f;
    kit::appendU16LE(f, tag);
    kit::appendU16LE(f, channels);
    kit::appendU32LE(f, rate);
    kit::appendU32LE(f, rate * channels * bits / 8);
    kit::appendU16LE(f, static_cast<std::uint16_t>(channels * bits / 8));
    kit::appendU16LE(f, bits);
    return f;
}

Bytes Riff(const std::vector<Bytes>& chunks) {
    Bytes body;
    AppendId(body, "WAVE");
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

Bytes Wave(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate, const Bytes& pcm) {
    return Riff({Chunk("fmt ", FormatBody(1, channels, rate, bits)), Chunk("data", pcm)});
}

class SoundTest : public ::testing::Test {
  protected:
    EngineHarness h;
    Engine& e = h.engine;

    // Loads `file` as SE\test into slot 5 and returns the message shown, or "" when none.
    std::string LoadMessage(const Bytes& file) {
        h.WriteFile("SE\\test.wav", file);
        const std::size_t before = h.Trace().size();
        const bool ok = LoadEffect(e, 5, "SE\\test");
        if (h.Trace().size() == before) return ok ? "" : "(failed without a message)";
        EXPECT_FALSE(ok);
        return h.Trace().back();
    }
};

TEST_F(SoundTest, LoadsStereoSixteenAndMonoEightBitPcm) {
    const Bytes stereo{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(LoadMessage(Wave(2, 16, 22050, stereo)), "");
    ASSERT_NE(h.platform.EffectData(5), nullptr);
    EXPECT_EQ(*h.platform.EffectData(5), stereo);
    // Another chunk between the format and the data is skipped over.
    const Bytes mono{0x80, 0x90, 0x70};
    EXPECT_EQ(LoadMessage(Riff({Chunk("fmt ", FormatBody(1, 1, 11025, 8)),
                                Chunk("LIST", Bytes{'a', 'b', 'c'}), Chunk("data", mono)})),
              "");
    EXPECT_EQ(*h.platform.EffectData(5), mono);
    EXPECT_EQ(e.SoundSlots[5].name, "SE\\test");
}

TEST_F(SoundTest, RejectsDamagedFilesWithTheirMessages) {
    const Bytes pcm{1, 2, 3, 4};
    const Bytes fmt = Chunk("fmt ", FormatBody(1, 1, 11025, 8));
    Bytes shortFmt = FormatBody(1, 1, 11025, 8);
    shortFmt.resize(14);  // shorter than the PCM record
    const std::string notFound = "ウエイブファイルが見つかりません",
                      badFormat = "不正なウエイブフォーマットです",
                      shortData = "ウエイブデータ読み込みに失敗しました";
    const std::pair<Bytes, std::string> cases[] = {
        // The chunk after the form type must be the format: it is not searched for.
        {Riff({Chunk("LIST", Bytes{1, 2}), fmt, Chunk("data", pcm)}), notFound},
        {Chunk("RIFX", Bytes{'W', 'A', 'V', 'E'}), notFound},
        {Bytes{'R', 'I', 'F'}, notFound},
        {Riff({Chunk("fmt ", Bytes{1, 0, 1, 0})}), "ウエイブフォーマットを読み込めません"},
        {Riff({Chunk("fmt ", FormatBody(2, 1, 11025, 4)), Chunk("data", pcm)}), badFormat},
        {Riff({Chunk("fmt ", shortFmt), Chunk("data", pcm)}), badFormat},
        {Wave(3, 16, 11025, pcm), badFormat},
        {Wave(1, 12, 11025, pcm), badFormat},
        {Wave(0, 8, 11025, pcm), badFormat},
        {Riff({fmt, Chunk("junk", pcm)}), "ウエイブファイルにデータがありません"},
        // A data chunk claiming more bytes than the file holds is a short read.
        {Riff({fmt, Chunk("data", pcm, 1000000)}), shortData},
        {Riff({fmt, Chunk("data", pcm, 0xFFFFFFF0u)}), shortData},
        {Wave(1, 8, 11025, Bytes{}), "サウンドバッファの生成に失敗しました"},
    };
    for (const auto& [file, message] : cases)
        EXPECT_EQ(LoadMessage(file), "0 box エラー発生|" + message);
    EXPECT_FALSE(e.SoundSlots[5].loaded);
}

TEST_F(SoundTest, MissingFileHasACaptionlessBoxAndFailureKeepsTheSlot) {
    h.WriteFile("SE\\good.wav", Wave(1, 8, 11025, Bytes{1, 2, 3}));
    ASSERT_TRUE(LoadEffect(e, 39, "SE\\good"));
    EXPECT_FALSE(LoadEffect(e, 39, "SE\\missing"));
    EXPECT_EQ(h.Trace().back(), "0 box |ファイルオープンに失敗しました");
    EXPECT_TRUE(e.SoundSlots[39].loaded);
    EXPECT_EQ(e.SoundSlots[39].name, "SE\\good");
    EXPECT_FALSE(LoadEffect(e, 40, "SE\\good"));
    EXPECT_FALSE(LoadEffect(e, -1, "SE\\good"));
}

TEST_F(SoundTest, MusicNameRules) {
    h.RunFrames(1);
    PlayMusic(e, "BGM\\opn.mid");
    PlayMusic(e, "BGM\\opn.mid");  // the same piece goes on
    StopMusic(e);
    StopMusic(e);                  // closing twice does nothing more
    PlayMusic(e, "BGM\\opn.mid");  // the same name after a stop stays silent
    PlayMusic(e, "null");          // silence that opens nothing audible
    PlayMusic(e, "BGM\\opn.mid");  // and a different name starts it again
    EXPECT_EQ(h.Trace(),
              (std::vector<std::string>{"1 music BGM\\opn.mid", "1 music-stop", "1 music null",
                                        "1 music-stop", "1 music BGM\\opn.mid"}));
    EXPECT_TRUE(e.Music.open);
    const std::string longName(300, 'a');
    PlayMusic(e, longName);
    EXPECT_EQ(e.Music.currentName.size(), 255u);
    PlayMusic(e, longName.substr(0, 260));  // the same first 255 bytes: the same piece
    EXPECT_EQ(h.Trace().size(), 7u);        // the stop of the old piece, the new one
}

}  // namespace
