#include "mapeditor/core/SoundDevice.h"

#include <cstdlib>

namespace tessel {

namespace fs = std::filesystem;

SoundPlaces SoundPlaces::ofThisMachine() {
    SoundPlaces places;
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR")) places.runtimeDir = dir;
    if (const char* server = std::getenv("PULSE_SERVER")) places.pulseServer = server;
    return places;
}

bool hasSoundDevice(const SoundPlaces& places) {
    if (!places.pulseServer.empty()) return true;
    std::error_code ec;
    if (!places.runtimeDir.empty()) {
        const fs::path run = places.runtimeDir;
        if (fs::exists(run / "pulse" / "native", ec) || fs::exists(run / "pipewire-0", ec))
            return true;
    }
    // ALSA names playback devices pcmC<card>D<device>p; a folder with only a timer plays nothing.
    for (fs::directory_iterator it(places.alsaDevices, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("pcm") && name.ends_with("p")) return true;
    }
    return false;
}

}  // namespace tessel
