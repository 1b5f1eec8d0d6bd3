#pragma once
#include <string>
#include <string_view>

// The engine's own texts are written as UTF-8 in the source and used as Shift-JIS bytes, like
// every other text inside the engine. The text must be representable in Shift-JIS.
std::string Sjis(std::string_view utf8);
