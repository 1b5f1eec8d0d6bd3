#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tessel {

// Exit statuses of the commands that need no window.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a file is missing, damaged or cannot be written
inline constexpr int kExitUsage = 2;

// Runs `tessel --render MAP OUT.png [--game-dir DIR] [--layers LIST]`, `tessel --from-text TEXT
// OUT.qd`, `tessel --from-tmx IN.tmx OUT.qd` or `tessel --to-text MAP OUT.txt` (args without the
// program name) and returns the exit status, with messages on `err`. Returns nothing when the
// arguments ask for the window.
std::optional<int> runCommandLine(const std::vector<std::string>& args, std::ostream& err);

// The usage text of every form of the command line.
const char* usageText();

}  // namespace tessel
