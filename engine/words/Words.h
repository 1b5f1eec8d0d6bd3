#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct Engine;

// The texts the engine itself shows to players. A game may replace any of them with its words
// file (Dtbs/words.dat, `key=text` lines in Shift-JIS); a text the file leaves out keeps its
// default, which is the engine's own Japanese.
// Each word's key in the words file and its default are in Words.cpp's table.
enum class Word : int {
    Title,  // the window's title; empty keeps the platform's
    NewGame,
    Data,        // "DATA" before a slot's number
    EmptySlot,   // an empty slot on the title menu
    Unreadable,  // after "DATA n" for a damaged slot
    SaveQuestion,
    Overwrite,
    Yes,
    No,
    SaveFailed,
    Fight,
    Pass,
    Item,
    Retreat,
    SkillsOf,  // after the member's name
    Victory,
    Defeat,
    Miss,
    NoTarget,
    RetreatDone,
    RetreatFailed,
    Items,
    Gold,
    Experience,
    Level,
    LevelUp,
    Obtained,  // after an item's name
    NoItems,
    MenuStatus,
    MenuItems,
    MenuSave,
    MenuClose,
    Attack,
    Speed,
    Defence,
    Magic,
    MagicDefence,
    ShopBuy,
    ShopSell,
    ShopNoGold,
    ShopFull,
    ShopNothing,
    Owned,    // before how many of an item the party has
    HowMany,  // the shop's quantity, before the total price
    HitPoints,  // the field menu and the figures of a level gained
    NextLevel,  // before the experience a member still needs
    UseOnWhom,
    NoEffect,
    Count
};

inline constexpr std::size_t kWordCount = static_cast<std::size_t>(Word::Count);

// The longest text a word may have, in bytes: twice the widest menu of the screen.
inline constexpr std::size_t kMaxWordBytes = 80;
// The largest words file read.
inline constexpr std::size_t kMaxWordsFileBytes = 64 * 1024;

class Words {
  public:
    Words();  // every word its default

    const std::string& operator[](Word word) const {
        return texts_[static_cast<std::size_t>(word)];
    }

    // The key of `word` in the words file, and the Shift-JIS default.
    static std::string_view Key(Word word);
    static std::string Default(Word word);
    static std::optional<Word> FromKey(std::string_view key);

    // Reads a words file. On success the words it names replace the defaults and the result is
    // empty; a damaged file changes nothing and the result says, in English, which line is wrong
    // and why.
    std::string Parse(std::string_view bytes);

  private:
    std::array<std::string, kWordCount> texts_;
};

// Loads Dtbs\words.dat when the game has one; a damaged file is reported in an error box and the
// defaults stay. Sets the window's title from the `title` word.
void LoadWords(Engine& engine);
