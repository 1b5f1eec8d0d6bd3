#pragma once
// What the tests of every program share to keep files of their own and to run a program.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "common/TemporaryDirectory.h"

namespace testsupport {

// A new directory in the system's temporary directory, named `prefix` and six random characters.
inline std::filesystem::path newTemporaryDirectory(std::string_view prefix) {
    const auto made = kit::makeTemporaryDirectory(prefix);
    if (!made) throw std::runtime_error("cannot make a temporary directory");
    return *made;
}

// A new temporary directory, removed with this object.
class ScratchDirectory {
  public:
    explicit ScratchDirectory(std::string_view prefix) : path_(newTemporaryDirectory(prefix)) {}
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Runs a shell command line; its exit status, or -1 when it did not exit by itself.
inline int runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
