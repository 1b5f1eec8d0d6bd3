#pragma once
#include <QString>
#include <string_view>

#include "common/ShiftJis.h"

namespace kyrel {

// Shift-JIS text for a Qt widget: bytes that do not decode show as U+FFFD.
inline QString fromSjis(std::string_view sjis) {
    return QString::fromStdString(kit::sjisToUtf8Lossy(sjis));
}

}  // namespace kyrel
