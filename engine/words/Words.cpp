#include "engine/words/Words.h"

#include "common/WholeFile.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"

namespace {

struct WordEntry {
    std::string_view key;
    std::string_view utf8Default;
};

// In the order of Word.
constexpr std::array<WordEntry, kWordCount> kWords = {{
    {"title", ""},
    {"new_game", "ニューゲーム"},
    {"data", "DATA"},
    {"empty_slot", "DATA X"},
    {"unreadable", "── 読めません"},
    {"save_where", "どこに記録しますか？"},
    {"overwrite", "上書きしますか？"},
    {"yes", "はい"},
    {"no", "いいえ"},
    {"save_failed", "セーブできませんでした"},
    {"fight", "たたかう"},
    {"pass", "パス"},
    {"item", "アイテム"},
    {"retreat", "撤退"},
    {"skills_of", "　の　わざ"},
    {"victory", "戦いに勝った！！"},
    {"defeat", "全滅した"},
    {"miss", "ｽｶ"},
    {"no_target", "アララ・・・"},
    {"retreat_done", "うまく逃げ切れた"},
    {"retreat_failed", "逃げられなかった！"},
    {"items", "アイテム"},
    {"gold", "ゴールド"},
    {"experience", "経験値"},
    {"level", "レベル"},
    {"level_up", "レベルが上がった！"},
    {"obtained", "を手に入れた"},
    {"no_items", "アイテムがありません"},
    {"menu_status", "つよさ"},
    {"menu_items", "アイテム"},
    {"menu_save", "セーブ"},
    {"menu_close", "とじる"},
    {"attack", "攻撃"},
    {"speed", "素早さ"},
    {"defence", "防御"},
    {"magic", "魔力"},
    {"magic_defence", "魔防"},
    {"shop_buy", "かう"},
    {"shop_sell", "うる"},
    {"shop_no_gold", "お金が足りない"},
    {"shop_full", "これ以上持てない"},
    {"shop_nothing", "売れる物がない"},
    {"owned", "もっている"},
    {"how_many", "いくつ？"},
    {"hit_points", "HP"},  // the field menu and the figures of a level gained
    {"next_level", "つぎ"},
    {"use_on_whom", "だれに使う？"},
    {"no_effect", "効果がない"},
}};

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}
bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xfc && b != 0x7f;
}

// Empty when `text` is whole Shift-JIS without control characters, else what is wrong.
std::string CheckText(std::string_view text) {
    if (text.size() > kMaxWordBytes)
        return "the text is longer than " + std::to_string(kMaxWordBytes) + " bytes";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x20 || b == 0x7f) return "the text holds a control character";
        if (b >= 0x80 && !(b >= 0xa1 && b <= 0xdf)) {
            if (!IsLeadByte(b) || i + 1 >= text.size() ||
                !IsTrailByte(static_cast<unsigned char>(text[i + 1])))
                return "the text is not Shift-JIS";
            ++i;
        }
    }
    return {};
}

// The key as an error message may quote it: short printable ASCII, else a placeholder.
std::string PrintableKey(std::string_view key) {
    if (key.size() > 32) return "(too long)";
    for (const char c : key)
        if (c < 0x20 || c > 0x7e) return "(not ASCII)";
    return std::string(key);
}

}  // namespace

Words::Words() {
    for (std::size_t i = 0; i < kWordCount; ++i) texts_[i] = Default(static_cast<Word>(i));
}

std::string_view Words::Key(Word word) {
    return kWords[static_cast<std::size_t>(word)].key;
}

std::string Words::Default(Word word) {
    return Sjis(kWords[static_cast<std::size_t>(word)].utf8Default);
}

std::optional<Word> Words::FromKey(std::string_view key) {
    for (std::size_t i = 0; i < kWordCount; ++i)
        if (kWords[i].key == key) return static_cast<Word>(i);
    return std::nullopt;
}

std::string Words::Parse(std::string_view bytes) {
    if (bytes.size() > kMaxWordsFileBytes)
        return "the file is larger than " + std::to_string(kMaxWordsFileBytes) + " bytes";
    std::array<std::optional<std::string>, kWordCount> read;
    std::size_t start = 0;
    for (int number = 1; start < bytes.size(); ++number) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return where + "no '=' between key and text";
        const std::string_view key = line.substr(0, equals);
        const auto word = FromKey(key);
        if (!word) return where + "unknown key '" + PrintableKey(key) + "'";
        auto& slot = read[static_cast<std::size_t>(*word)];
        if (slot) return where + "the key '" + std::string(key) + "' comes twice";
        const std::string_view text = line.substr(equals + 1);
        if (const std::string problem = CheckText(text); !problem.empty()) return where + problem;
        slot = std::string(text);
    }
    for (std::size_t i = 0; i < kWordCount; ++i)
        if (read[i]) texts_[i] = std::move(*read[i]);
    return {};
}

void LoadWords(Engine& engine) {
    const auto path = AssetPath(engine, "Dtbs\\words.dat");
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return;
    const auto bytes = kit::readWholeFile(path);
    std::string problem = bytes ? engine.GameWords.Parse(std::string_view(
                                      reinterpret_cast<const char*>(bytes->data()), bytes->size()))
                                : "the file cannot be read";
    if (!problem.empty()) ErrorBox(engine, "Dtbs\\words.dat: " + problem);
    const std::string& title = engine.GameWords[Word::Title];
    if (!title.empty()) engine.platform.SetTitle(title);
}
