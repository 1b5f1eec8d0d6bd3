#pragma once
#include <QString>
#include <span>
#include <string_view>

namespace kyrel {

// A text from Kyrel's core (Shift-JIS, with names already put in) in the window's language: the
// core's texts are looked up by their Japanese pattern, where "%s", "%1" and "%2" stand for any
// name or number, which carries over into the translation. A text no pattern matches (a file
// name, a message of the data) is shown as it is.
QString coreText(std::string_view sjis);

// The same for a text already in UTF-8.
QString coreText(const QString& text);

// The patterns, in readable form (for the tests).
std::span<const char* const> coreTextPatterns();

}  // namespace kyrel
