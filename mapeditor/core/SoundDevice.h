#pragma once
#include <filesystem>
#include <string>

namespace tessel {

// Where a machine's sound would come from: the ALSA device folder and the sound servers'
// sockets. Looking at files needs no sound library and answers the same with no display.
struct SoundPlaces {
    std::filesystem::path alsaDevices = "/dev/snd";
    std::string runtimeDir;   // $XDG_RUNTIME_DIR, where PulseAudio and PipeWire listen
    std::string pulseServer;  // $PULSE_SERVER, a server named by hand
    static SoundPlaces ofThisMachine();
};

// True when the game could play sound: an ALSA playback device (a pcm...p node), a PulseAudio
// or PipeWire socket, or a PulseAudio server named in the environment.
bool hasSoundDevice(const SoundPlaces& places);

}  // namespace tessel
