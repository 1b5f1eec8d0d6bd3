#include "editor/language/TextWidth.h"

#include "common/ShiftJis.h"

namespace script_language {

std::vector<WideLine> wideLines(std::string_view page) {
    std::vector<WideLine> wide;
    int index = 0;
    int width = 0;
    const auto finishLine = [&] {
        const int room = index == 0 ? kFirstLineRoom : kLineRoom;
        if (width > room) wide.push_back(WideLine{index, width, room});
        ++index;
        width = 0;
    };
    for (std::size_t i = 0; i < page.size();) {
        const auto b = static_cast<unsigned char>(page[i]);
        if (b == '\\' && i + 1 < page.size()) {
            // Marks take no room; "\n" ends the line.
            if (page[i + 1] == 'n') finishLine();
            i += 2;
        } else if (kit::isSjisLeadByte(b) && i + 1 < page.size()) {
            width += 2;
            i += 2;
        } else {
            ++width;
            ++i;
        }
    }
    finishLine();
    return wide;
}

}  // namespace script_language
