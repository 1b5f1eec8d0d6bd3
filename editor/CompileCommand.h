#pragma once
#include <filesystem>
#include <iosfwd>

namespace pocora {

// `pocora --compile SOURCE OUT`: reads SOURCE as raw bytes, translates it and writes OUT whole or
// not at all. Returns the exit status: 0 on success, 1 after a message on `err` naming the file or
// the source line at fault.
int runCompileCommand(const std::filesystem::path& source, const std::filesystem::path& out,
                      std::ostream& err);

}  // namespace pocora
