#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "designer/core/KyrelUi.h"

namespace kyrel {

// Writes a whole file through a temporary file and a rename, so a failed write leaves the old
// file as it was. On failure shows "%s を開けません" (when the file cannot be created at all)
// or "%s に書き込めません" with the reason (when writing failed), caption "Error".
bool writeWholeFile(KyrelUi& ui, const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kyrel
