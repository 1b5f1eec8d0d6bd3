#include "engine/core/Platform.h"

#include <cstdio>
#include <string>

// The game's own message names a file the way the game asked for it; authors also need the file
// that was looked for on disk, in a window as well as headless.
void Platform::NoteLoadFailure(std::string_view relativePath) {
    const std::string path(relativePath);
    std::fprintf(stderr, "dunmere: could not load %s\n", path.c_str());
}
