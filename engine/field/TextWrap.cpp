#include "engine/field/TextWrap.h"

namespace {

constexpr int kHalfWidth = 6;

struct Unit {
    std::size_t bytes;
    int width;
};

Unit UnitAt(std::string_view t, std::size_t i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b == '\\' && i + 1 < t.size()) return {2, 0};
    const bool halfWidthKana = b >= 0xa1 && b <= 0xdf;
    if (b >= 0x80 && !halfWidthKana && i + 1 < t.size()) return {2, 2 * kHalfWidth};
    return {1, kHalfWidth};
}

}  // namespace

std::string BreakLongLines(std::string_view page, int firstX, int nextX, int edge) {
    std::string out(page);
    int x = firstX;
    std::size_t lastSpace = std::string::npos;  // in `out`, on the current line
    for (std::size_t i = 0; i < out.size();) {
        const Unit unit = UnitAt(out, i);
        if (unit.bytes == 2 && out[i] == '\\') {
            if (out[i + 1] == 'n') {
                x = nextX;
                lastSpace = std::string::npos;
            } else if (out[i + 1] == 'e') {
                x = firstX;
                lastSpace = std::string::npos;
            }
            i += 2;
            continue;
        }
        // A space that itself runs past is where the line breaks.
        if (out[i] == ' ' && x + unit.width > edge) lastSpace = i;
        if (x + unit.width > edge && lastSpace != std::string::npos) {
            out.replace(lastSpace, 1, "\\n");
            // Measure the new line from just after the break.
            i = lastSpace + 2;
            x = nextX;
            lastSpace = std::string::npos;
            continue;
        }
        if (out[i] == ' ') lastSpace = i;
        x += unit.width;
        i += unit.bytes;
    }
    return out;
}
