#pragma once
#include <span>
#include <string>
#include <string_view>

namespace script_language {

// "did you mean NAME?" for the known name nearest to `word` (by edit distance), or `otherwise`
// when none is near enough.
std::string suggestion(std::string_view word, std::span<const std::string_view> known,
                       std::string otherwise);

}  // namespace script_language
