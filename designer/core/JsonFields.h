#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace kyrel {

// The numbers of a JSON document, each under its path of object keys joined by '.'
// ("properties.baseFrequency"); true and false count as 1 and 0. Strings, nulls and arrays are
// read over and left out. Nothing when the text is not one well-formed JSON object, nests deeper
// than a sound file ever does, or is larger than one.
using JsonFields = std::map<std::string, double>;

inline constexpr std::size_t kMaxJsonBytes = 1 << 20;

std::optional<JsonFields> readJsonFields(std::span<const std::uint8_t> text);

}  // namespace kyrel
