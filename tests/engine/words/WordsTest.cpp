// The game's words file: what it replaces, and the damaged files it refuses whole.
#include <gtest/gtest.h>

#include <string>

#include "engine/core/Sjis.h"
#include "engine/field/TextWrap.h"
#include "engine/words/Words.h"

namespace {

TEST(Words, DefaultsAreTheEnginesJapaneseAndEveryKeyRoundTrips) {
    const Words words;
    EXPECT_EQ(words[Word::NewGame], Sjis("ニューゲーム"));
    EXPECT_EQ(words[Word::Miss], "\xbd\xb6");
    EXPECT_EQ(words[Word::Title], "");
    for (int i = 0; i < static_cast<int>(Word::Count); ++i)
        EXPECT_EQ(Words::FromKey(Words::Key(static_cast<Word>(i))), static_cast<Word>(i));
}

TEST(Words, ReadsKeysAndKeepsTheDefaultsOfTheOthers) {
    Words words;
    EXPECT_EQ(words.Parse("# English\r\ntitle=Tiny Quest\r\n\r\nfight=Fight\nmiss=Miss\nno="), "");
    EXPECT_EQ(words[Word::Title], "Tiny Quest");
    EXPECT_EQ(words[Word::Fight], "Fight");
    EXPECT_EQ(words[Word::Miss], "Miss");
    EXPECT_EQ(words[Word::No], "");
    EXPECT_EQ(words[Word::Pass], Sjis("パス"));
    EXPECT_EQ(words.Parse(Sjis("victory=勝った=！")), "");  // only the first '=' divides
    EXPECT_EQ(words[Word::Victory], Sjis("勝った=！"));
}

TEST(Words, RefusesADamagedFileWholeAndSaysWhere) {
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {"fight=Fight\nno equals", "line 2: no '=' between key and text"},
        {"fight=Fight\nfight=Go", "line 2: the key 'fight' comes twice"},
        {"fite=Fight", "line 1: unknown key 'fite'"},
        {"\x82\xa0=x", "line 1: unknown key '(not ASCII)'"},
        {"fight=F\tight", "line 1: the text holds a control character"},
        {"fight=\x82", "line 1: the text is not Shift-JIS"},
        {"fight=\x82\x20", "line 1: the text is not Shift-JIS"},
        {"fight=" + std::string(kMaxWordBytes + 1, 'a'),
         "line 1: the text is longer than 80 bytes"},
        {std::string(kMaxWordsFileBytes + 1, '#'), "the file is larger than 65536 bytes"},
    };
    for (const auto& c : cases) {
        Words words;
        EXPECT_EQ(words.Parse(c.file), c.message) << c.file.substr(0, 40);
        EXPECT_EQ(words[Word::Fight], Words::Default(Word::Fight))
            << "a refused file changes nothing";
    }
}

TEST(TextWrap, OnlyLinesThatRunPastBreakAtTheirLastSpace) {
    // The box: first line from x 2, later lines from 14, edge at 196 (32 half-width glyphs).
    const std::string fits32 = std::string(32, 'a');
    const struct {
        std::string page;
        std::string broken;
    } cases[] = {
        {"Hello there.", "Hello there."},
        {fits32, fits32},                              // exactly to the edge
        {std::string(40, 'a'), std::string(40, 'a')},  // no space: cut as before
        {"The old well is deep and its water is cold.",
         "The old well is deep and its\\nwater is cold."},
        {"One two\\nthree four five six seven eight nine ten",
         "One two\\nthree four five six seven\\neight nine ten"},
        {fits32 + " next", fits32 + "\\nnext"},  // the space itself runs past
        {Sjis("星降りの井戸。水面に星が映っている。"),
         Sjis("星降りの井戸。水面に星が映っている。")},
        {"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn",
         "aaaa bbbb cccc dddd eeee ffff\\ngggg hhhh iiii jjjj kkkk llll\\nmmmm nnnn"},
    };
    for (const auto& c : cases) EXPECT_EQ(BreakLongLines(c.page, 2, 14, 196), c.broken) << c.page;
}

}  // namespace
