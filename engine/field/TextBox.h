#pragma once
#include <array>
#include <cstdint>
#include <string_view>

struct Engine;

// The message window at the bottom of the view. Scripts put text into it; it types the text out
// a little every frame, breaks lines at "\n", scrolls when a fourth line begins, and lets an
// appended page push the previous one out once the new page has been typed.
struct TextBox {
    static constexpr std::size_t kCapacity = 512;  // bytes, the terminating zero included
    static constexpr int kScratchTop = 525;        // text is composed in Screen rows 525..582
    static constexpr int kScratchBottom = 583;
    static constexpr int kScratchWidth = 196;
    static constexpr std::int32_t kMaxScrollOffset = 14;  // pixels moved before a line is done

    std::array<char, kCapacity> text{};  // zero-terminated Shift-JIS with "\n" and "\e" marks
    std::int32_t lastPartStart = 0;      // where the last appended part begins
    std::int32_t previousPageLines = 0;  // lines drawn when the current text was appended
    std::int32_t pageDropPending = 0;
    std::int32_t revealed = 0;  // bytes of text shown so far
    std::int32_t revealTimer = 0;
    std::int32_t speed = 11;
    std::int32_t scrollOffset = 0;  // pixels, 0..14
    std::int32_t linesToScroll = 0;
    std::int32_t linesDrawn = 0;  // counted afresh in every update
    std::int32_t firstLine = 0;

    // The box's text becomes `text` followed by "\n\e", typed from its beginning.
    void Start(std::string_view text);
    // Adds `text` and "\n\e" as a further page. Text that would pass the capacity is cut at a
    // character so that the page's closing marks always fit.
    void Append(std::string_view text);
    void Empty() { text[0] = '\0'; }
    bool IsEmpty() const { return text[0] == '\0'; }
    std::int32_t Length() const;
    std::string_view Text() const { return std::string_view(text.data(), Length()); }

    // One frame: scroll, lay out and draw the revealed text on its panel, reveal more.
    void Update(Engine& engine);

    // Whether the counters lie in the ranges Update keeps them in, for a box filled from outside
    // (a saved game): places within the box (an emptied box keeps its old ones), line counts
    // within the marks the box can hold, the scroll within a line, the speed from one byte every
    // 600 ms to the whole box at once, and timers that the next frames cannot overflow.
    bool CountersInRange() const {
        static constexpr std::int32_t kLastByte = kCapacity - 1, kMaxLines = kCapacity / 2;
        static constexpr std::int32_t kMaxTimerMs = 1 << 30;
        const auto in = [](std::int32_t v, std::int32_t low, std::int32_t high) {
            return v >= low && v <= high;
        };
        return in(revealed, 0, kLastByte) && in(lastPartStart, 0, kLastByte) &&
               in(previousPageLines, 0, kMaxLines) && in(pageDropPending, 0, 1) &&
               in(revealTimer, 0, kMaxTimerMs) && in(speed, 0, kLastByte) &&
               in(scrollOffset, 0, kMaxScrollOffset) && in(linesToScroll, 0, kMaxLines) &&
               in(linesDrawn, 0, kMaxLines) && in(firstLine, 0, kMaxLines);
    }

  private:
    // The parts of a frame's update, in order.
    void ScrollStep();
    void DrawRevealedText(Engine& engine);
    void RevealStep(Engine& engine);
    void ScrollAtMark();

    void DropFirstPage();
    void PutText(std::size_t at, std::string_view addition);
};

// The ModeProc of a conversation: updates the text box once a frame.
void TextBoxMode(Engine& engine);
