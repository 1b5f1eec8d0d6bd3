#include "engine/core/Sjis.h"

#include "common/ShiftJis.h"

std::string Sjis(std::string_view utf8) {
    auto converted = kit::utf8ToSjis(utf8);
    return converted ? *converted : std::string(utf8);
}
