#include "engine/field/TextBox.h"
#include "engine/field/TextWrap.h"

#include <algorithm>
#include <cstring>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/PixelRows.h"

namespace {

constexpr std::string_view kPageEnd = "\\n\\e";
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kLineHeight = 14;
constexpr int kFontHeight = 12;
// Where a page's first line starts, and the lines after it.
constexpr int kFirstLineX = 2, kNextLineX = 14;

// The box's panel and bevel on Screen.
constexpr int kPanelLeft = 24, kPanelTop = 349, kPanelRight = 216, kPanelBottom = 403;
constexpr int kBevelX = 20, kBevelY = 345, kBevelWidth = 200, kBevelHeight = 62;

// Bytes of the unit starting at `i`: a backslash mark pair, a byte of 0x80 or above with the byte
// after it, or a single byte.
std::size_t UnitLength(std::string_view t, std::size_t i) {
    const auto b = static_cast<unsigned char>(t[i]);
    return ((b == '\\' || b >= 0x80) && i + 1 < t.size()) ? 2 : 1;
}

bool IsUnitStart(std::string_view t, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos) i += UnitLength(t, i);
    return i == pos;
}

// The longest prefix of `s` of at most `room` bytes that does not split a unit.
std::string_view CutToFit(std::string_view s, std::size_t room) {
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t next = i + UnitLength(s, i);
        if (next > room) break;
        i = next;
    }
    return s.substr(0, i);
}

// Index of the first "\e" mark and the number of "\n" marks before it.
struct FirstPage {
    std::size_t endMark = std::string_view::npos;
    int lines = 0;
};

FirstPage FindFirstPage(std::string_view t) {
    FirstPage page;
    for (std::size_t i = 0; i < t.size(); i += UnitLength(t, i)) {
        if (t[i] != '\\' || i + 1 >= t.size()) continue;
        if (t[i + 1] == 'e') {
            page.endMark = i;
            return page;
        }
        if (t[i + 1] == 'n') ++page.lines;
    }
    return page;
}

// Draws one laid-out line; lines wholly outside the scratch rows are not drawn, so that a long
// text scrolled far up never reaches the visible page.
void DrawLine(Engine& engine, std::string_view line, int x, int y) {
    if (line.empty()) return;
    if (y + kFontHeight <= TextBox::kScratchTop || y >= TextBox::kScratchBottom) return;
    DrawString(engine, line, kFontHeight, x, y, kWhite);
}

// The panel: a blue gradient, darker downwards, through which the scene shows at 12/32, with the
// text drawn above it onto the page.
void DrawPanel(Engine& engine) {
    CDib& screen = engine.Screen;
    std::uint16_t blue = 31;
    for (int row = kPanelTop; row < kPanelBottom; ++row) {
        if (row % 3 == 0 && blue > 0) --blue;
        pixel_rows::Tint(screen.Row(row) + kPanelLeft, kPanelRight - kPanelLeft, 20, blue);
    }
    BltKeyed(engine, kPanelLeft, kPanelTop, screen, 0, TextBox::kScratchTop, TextBox::kScratchWidth,
             TextBox::kScratchBottom);
    DrawBevel(engine, kBevelX, kBevelY, kBevelWidth, kBevelHeight);
}

}  // namespace

std::int32_t TextBox::Length() const {
    return static_cast<std::int32_t>(strnlen(text.data(), kCapacity));
}

void TextBox::PutText(std::size_t at, std::string_view addition) {
    addition = addition.substr(0, addition.find('\0'));
    const std::size_t room = kCapacity - 1 - std::min(at, kCapacity - 1);
    const std::size_t kept =
        room >= kPageEnd.size() ? CutToFit(addition, room - kPageEnd.size()).size() : 0;
    if (room < kPageEnd.size()) {
        text[at] = '\0';
        return;
    }
    std::memcpy(text.data() + at, addition.data(), kept);
    std::memcpy(text.data() + at + kept, kPageEnd.data(), kPageEnd.size());
    text[at + kept + kPageEnd.size()] = '\0';
}

void TextBox::Start(std::string_view newText) {
    PutText(0, BreakLongLines(newText, kFirstLineX, kNextLineX, kScratchWidth));
    lastPartStart = 0;
    previousPageLines = pageDropPending = revealed = 0;
    scrollOffset = linesToScroll = linesDrawn = firstLine = 0;
}

void TextBox::Append(std::string_view more) {
    previousPageLines = linesDrawn;
    linesDrawn = 0;
    lastPartStart = Length();
    PutText(static_cast<std::size_t>(lastPartStart),
            BreakLongLines(more, kFirstLineX, kNextLineX, kScratchWidth));
}

void TextBox::DropFirstPage() {
    const std::string_view t = Text();
    const FirstPage page = FindFirstPage(t);
    if (page.endMark != std::string_view::npos) {
        const std::size_t from = page.endMark + 2;
        std::memmove(text.data(), text.data() + from, t.size() - from + 1);
    }
    const FirstPage now = FindFirstPage(Text());
    revealed = now.endMark != std::string_view::npos ? static_cast<std::int32_t>(now.endMark) + 2
                                                     : Length();
    pageDropPending = 0;
    // Lines still on view stay where they are: normally every line of the dropped page has just
    // scrolled out and the new page stands at the top.
    firstLine = std::max(0, firstLine - page.lines);
}

void TextBox::Update(Engine& engine) {
    linesDrawn = 0;
    CDib& screen = engine.Screen;
    if (screen.Empty()) return;
    for (int row = kScratchTop; row < kScratchBottom; ++row)
        std::fill_n(screen.Row(row), kScratchWidth, std::uint16_t{0});
    ScrollStep();
    DrawRevealedText(engine);
    DrawPanel(engine);
    if (linesToScroll != 0) return;  // nothing more is revealed while the box scrolls
    RevealStep(engine);
    ScrollAtMark();
}

void TextBox::ScrollStep() {
    if (linesToScroll == 0) return;
    if (scrollOffset < 14) {
        scrollOffset += 2;
    } else if (--linesToScroll == 0) {
        scrollOffset = 0;
        ++firstLine;
        if (pageDropPending) DropFirstPage();
    }
}

void TextBox::DrawRevealedText(Engine& engine) {
    // Layout of the revealed part: the first line of every page starts 2 pixels in, the lines
    // after it 14 pixels in.
    const std::string_view t = Text();
    const auto shown = static_cast<std::size_t>(std::clamp<std::int32_t>(revealed, 0, Length()));
    std::array<char, kCapacity> line{};
    std::size_t lineLength = 0;
    int x = kFirstLineX;
    int y = kScratchTop + 2 - kLineHeight * firstLine - scrollOffset;
    std::size_t i = 0;
    while (i < shown) {
        const auto b = static_cast<unsigned char>(t[i]);
        const std::size_t unit = UnitLength(t, i);
        if (b == '\\') {
            const char mark = unit == 2 ? t[i + 1] : '\0';
            if (mark == 'n') {
                DrawLine(engine, std::string_view(line.data(), lineLength), x, y);
                ++linesDrawn;
                x = kNextLineX;
                y += kLineHeight;
                lineLength = 0;
            } else if (mark == 'e') {
                DrawLine(engine, std::string_view(line.data(), lineLength), 2, y);
                x = 2;
                lineLength = 0;
            }
        } else {
            std::memcpy(line.data() + lineLength, t.data() + i, unit);
            lineLength += unit;
        }
        i += unit;
    }
    DrawLine(engine, std::string_view(line.data(), lineLength), x, y);
}

void TextBox::RevealStep(Engine& engine) {
    const std::string_view t = Text();
    const std::int32_t length = Length();
    std::int32_t interval = 1;
    std::int32_t step = speed - 9;
    if (speed < 10) {
        interval = (10 - speed) * 60;
        step = 1;
    }
    revealTimer += engine.FrameMs;
    if (revealTimer > interval) {
        revealTimer = 0;
        std::int32_t target = std::min(revealed + std::max(step, 1), length);
        // A step never jumps over a mark: it stops on the mark's backslash, so that ScrollAtMark
        // sees every line break and page end whatever the speed.
        for (std::size_t u = 0; static_cast<std::int32_t>(u) < target; u += UnitLength(t, u)) {
            if (static_cast<std::int32_t>(u) > revealed && t[u] == '\\') {
                target = static_cast<std::int32_t>(u);
                break;
            }
        }
        revealed = std::max(revealed, target);
    }
}

void TextBox::ScrollAtMark() {
    const std::string_view t = Text();
    const std::int32_t length = Length();
    if (revealed >= length || t[static_cast<std::size_t>(revealed)] != '\\') return;
    if (!IsUnitStart(t, static_cast<std::size_t>(revealed))) return;
    const char mark = revealed + 1 < length ? t[static_cast<std::size_t>(revealed) + 1] : '\0';
    if (mark == 'e' && previousPageLines != 0) {
        linesToScroll = FindFirstPage(t).lines - firstLine;
        if (linesToScroll <= 0) {
            linesToScroll = 0;
            DropFirstPage();
        } else {
            pageDropPending = 1;
        }
    } else if (mark == 'n' && linesDrawn - firstLine >= 3) {
        linesToScroll = 1;
    }
}

void TextBoxMode(Engine& engine) {
    engine.Text.Update(engine);
}
