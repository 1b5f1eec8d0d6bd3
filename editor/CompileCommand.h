#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string_view>

#include "editor/TextFile.h"

namespace pocora {

// `pocora --compile SOURCE OUT`: a readable SOURCE (NAME.script, UTF-8) is compiled as such, its
// errors and warnings naming file, line and column. Any other SOURCE is the raw form: read as raw
// bytes in `encoding` (none: as detected, see detectEncoding), its Shift-JIS form translated and
// writes OUT whole or not at all. Warnings go to `err` too. Returns the exit status: 0 on success,
// 1 after a message on `err` naming the file, or the line and column at fault.
int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err, std::optional<TextEncoding> encoding = std::nullopt);

// `pocora --decompile IN OUT`: IN is a .sc file (any bytes) or a raw source (.src, compiled
// first); OUT becomes readable source that compiles back to the same bytes.
int runDecompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                        std::ostream& err);
int runDecompileCommandLine(std::span<const std::string_view> args, std::ostream& err);

// Files named NAME.script hold the readable form; every other source is the raw form.
bool isReadableScript(const std::filesystem::path& path);

// The arguments after `--compile`: SOURCE OUT.sc [--encoding auto|sjis|utf8]. Returns the exit
// status, 2 after a usage message for arguments it does not understand.
int runCompileCommandLine(std::span<const std::string_view> args, std::ostream& err);

}  // namespace pocora
