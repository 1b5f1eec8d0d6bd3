#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string_view>

#include "editor/TextFile.h"

namespace pocora {

// `pocora --compile SOURCE OUT`: reads SOURCE as raw bytes in `encoding` (none: as detected, see
// detectEncoding), translates its Shift-JIS form and writes OUT whole or not at all. Warnings go
// to `err` too. Returns the exit status: 0 on success, 1 after a message on `err` naming the
// file, or the line and column at fault.
int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err, std::optional<TextEncoding> encoding = std::nullopt);

// The arguments after `--compile`: SOURCE OUT.sc [--encoding auto|sjis|utf8]. Returns the exit
// status, 2 after a usage message for arguments it does not understand.
int runCompileCommandLine(std::span<const std::string_view> args, std::ostream& err);

}  // namespace pocora
