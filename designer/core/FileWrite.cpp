#include "designer/core/FileWrite.h"

#include <unistd.h>

#include <filesystem>

#include "common/AtomicFile.h"
#include "designer/core/KyrelTexts.h"

namespace kyrel {

namespace {

// True when the file could not even be created: its directory is missing or not writable, or
// the name is a directory.
bool cannotCreate(const std::string& path) {
    std::filesystem::path p(path);
    std::filesystem::path dir = p.parent_path();
    if (dir.empty()) dir = ".";
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) return true;
    return access(dir.c_str(), W_OK | X_OK) != 0;
}

}  // namespace

bool writeWholeFile(KyrelUi& ui, const std::string& path, std::span<const std::uint8_t> bytes) {
    const bool openFailure = cannotCreate(path);
    std::string why = openFailure ? "" : kit::writeFileAtomically(path, bytes);
    if (!openFailure && why.empty()) return true;
    std::string shown = nameForMessage(path);
    std::string message = openFailure ? formatMessage(text::kCannotOpen, shown)
                                      : formatMessage(text::kCannotWrite, shown) + "\n" + why;
    ui.showMessage(message, text::kCaptionError, MessageButtons::Ok);
    return false;
}

}  // namespace kyrel
