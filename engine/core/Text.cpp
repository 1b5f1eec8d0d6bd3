#include "common/ShiftJis.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Font12.h"

namespace {

constexpr std::uint32_t kShadowColour = 0x0F0F0F;

bool IsSjisTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The JIS X 0208 row and cell (1..94) of a Shift-JIS pair.
void SjisToJis(unsigned char lead, unsigned char trail, int& row, int& cell) {
    row = (lead <= 0x9F ? (lead - 0x81) : (lead - 0xC1)) * 2 + 1;
    if (trail >= 0x9F) {
        row += 1;
        cell = trail - 0x9E;
    } else {
        cell = trail - 0x3F - (trail >= 0x80 ? 1 : 0);
    }
}

void DrawGlyph(CDib& screen, const std::uint16_t* glyph, int width, int x, int y,
               std::uint16_t colour) {
    for (int r = 0; r < font12::kCellHeight; ++r) {
        const int py = y + r;
        if (py < 0 || py >= screen.Height() || glyph[r] == 0) continue;
        std::uint16_t* row = screen.Row(py);
        for (int c = 0; c < width; ++c) {
            const int px = x + c;
            if (px >= 0 && px < screen.Width() && (glyph[r] & (0x8000u >> c)) != 0)
                row[px] = colour;
        }
    }
}

// Draws the text once with its cell's top-left corner at (x, y). The text ends at a 0 byte.
void DrawText(CDib& screen, std::string_view text, int x, int y, std::uint16_t colour) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == 0) return;
        if (kit::isSjisLeadByte(b)) {
            if (i + 1 >= text.size() || text[i + 1] == 0) return;
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (IsSjisTrailByte(trail)) {
                ++i;
                int row = 0, cell = 0;
                SjisToJis(b, trail, row, cell);
                if (const std::uint16_t* glyph = font12::FullWidthGlyph(row, cell))
                    DrawGlyph(screen, glyph, font12::kFullWidth, x, y, colour);
                x += font12::kFullWidth;
                continue;
            }
        }
        if (const std::uint16_t* glyph = font12::HalfWidthGlyph(b))
            DrawGlyph(screen, glyph, font12::kHalfWidth, x, y, colour);
        x += font12::kHalfWidth;
    }
}

}  // namespace

void DrawString(Engine& engine, std::string_view text, int /*height*/, int x, int y,
                std::uint32_t colour) {
    CDib& screen = engine.Screen;
    if (screen.Empty() || text.empty()) return;
    const std::uint16_t shadow = ColorRefTo555(kShadowColour);
    if (colour & kOutlineBit) {
        DrawText(screen, text, x - 1, y, shadow);
        DrawText(screen, text, x, y - 1, shadow);
        DrawText(screen, text, x, y + 1, shadow);
        DrawText(screen, text, x + 1, y, shadow);
    } else {
        DrawText(screen, text, x + 1, y + 1, shadow);
    }
    DrawText(screen, text, x, y, ColorRefTo555(colour));
}
