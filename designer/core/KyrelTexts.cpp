#include "designer/core/KyrelTexts.h"

#include "common/ShiftJis.h"

namespace kyrel {

std::string formatMessage(std::string_view pattern, std::string_view arg) {
    std::string out(pattern);
    std::size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, arg);
    return out;
}

std::string nameForMessage(std::string_view utf8Name) {
    std::string rest(utf8Name);
    std::string out;
    while (true) {
        std::size_t bad = 0;
        if (auto sjis = kit::utf8ToSjis(rest, &bad)) return out + *sjis;
        // Convert the good prefix, replace one character by '?', go on after it.
        if (auto head = kit::utf8ToSjis(std::string_view(rest).substr(0, bad))) out += *head;
        out += '?';
        std::size_t next = bad + 1;
        while (next < rest.size() && (static_cast<unsigned char>(rest[next]) & 0xC0) == 0x80)
            ++next;
        rest.erase(0, next);
    }
}

}  // namespace kyrel
