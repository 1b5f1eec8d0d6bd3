#include "engine/title/GameCredits.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kLineStep = 14;
constexpr int kListX = 20;
constexpr int kListTop = 260;
constexpr int kClosingTop = 400;
constexpr int kPageMiddle = 315;  // the visible page's middle row on Screen
constexpr int kGlyphHalf = 6;     // half of a line's 12-pixel height, and one byte's width

// A credits file is a few lines; anything past this is not read.
constexpr std::size_t kMaxCreditsBytes = 16 * 1024;

// The column that centres `text` on the page: every byte is 6 pixels wide.
int CentredX(std::string_view text) {
    return 120 - kGlyphHalf * static_cast<int>(text.size()) / 2;
}

void DrawLines(Engine& engine, const std::vector<std::string>& lines, int top, bool centred) {
    int y = top;
    for (const std::string& line : lines) {
        DrawString(engine, line, 12, centred ? CentredX(line) : kListX, y, kWhite);
        y += kLineStep;
    }
}

}  // namespace

GameCredits GameCredits::Builtin() {
    GameCredits credits;
    credits.list = {
        "Produced By          Tavelon", "Programmed By        Tavelon",
        "Scenario Written By  Tavelon", "Music Composed By    Tavelon",
        "Illustrated By       Tavelon", "SoundEffects Made By Tavelon",
    };
    credits.closing = {"Created in 2004"};
    credits.secondScreen = {"in"};
    return credits;
}

GameCredits GameCredits::Parse(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    GameCredits credits;
    std::vector<std::string>* blocks[] = {&credits.list, &credits.closing, &credits.secondScreen};
    const std::size_t room[] = {kListLines, kClosingLines, kSecondScreenLines};
    std::size_t block = 0;
    bool inBlock = false;
    std::size_t start = 0;
    while (start <= text.size() && block < 3) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty()) {
            if (inBlock) ++block;
            inBlock = false;
            continue;
        }
        inBlock = true;
        if (blocks[block]->size() < room[block]) blocks[block]->push_back(std::move(line));
    }
    return credits;
}

void LoadGameCredits(Engine& engine) {
    const std::filesystem::path path = AssetPath(engine, "credits.txt");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;
    std::ifstream file(path, std::ios::binary);
    if (!file) return;
    std::string text(kMaxCreditsBytes, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    engine.Title.credits = GameCredits::Parse(text);
}

void DrawFirstCreditScreen(Engine& engine) {
    const GameCredits& credits = engine.Title.credits;
    DrawLines(engine, credits.list, kListTop, false);
    DrawLines(engine, credits.closing, kClosingTop, true);
}

void DrawSecondCreditScreen(Engine& engine) {
    const std::vector<std::string>& lines = engine.Title.credits.secondScreen;
    const int height = kLineStep * (static_cast<int>(lines.size()) - 1);
    DrawLines(engine, lines, kPageMiddle - kGlyphHalf - height / 2, true);
}
