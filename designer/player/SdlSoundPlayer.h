#pragma once
#include <mutex>
#include <string>

#include "designer/core/Playback.h"

struct Mix_Chunk;

namespace kyrel {

// Plays the temporary WAV file through SDL2_mixer. The sound device is opened on the first
// play and closed with the player; when it cannot be opened, playback stays silent and the
// reason goes to standard error once.
class SdlSoundPlayer : public SoundPlayer {
  public:
    SdlSoundPlayer() = default;
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool startFile(const std::string& path) override;
    void stopAll() override;
    bool openDevice() override;

  private:
    bool openDeviceLocked();
    void releaseChunk();

    std::mutex mutex_;
    bool opened_ = false;
    bool failed_ = false;
    Mix_Chunk* chunk_ = nullptr;
};

}  // namespace kyrel
