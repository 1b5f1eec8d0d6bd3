#include "designer/player/SdlSoundPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <iostream>

namespace kyrel {

SdlSoundPlayer::~SdlSoundPlayer() {
    std::lock_guard lock(mutex_);
    if (!opened_) return;
    Mix_HaltChannel(-1);
    releaseChunk();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::openDevice() {
    std::lock_guard lock(mutex_);
    return openDeviceLocked();
}

bool SdlSoundPlayer::openDeviceLocked() {
    if (opened_) return true;
    if (failed_) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::cerr << "kyrel: no sound device: " << SDL_GetError() << '\n';
        failed_ = true;
        return false;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        std::cerr << "kyrel: no sound device: " << Mix_GetError() << '\n';
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        failed_ = true;
        return false;
    }
    opened_ = true;
    return true;
}

void SdlSoundPlayer::releaseChunk() {
    if (chunk_) Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
}

bool SdlSoundPlayer::startFile(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (!openDeviceLocked()) return false;
    Mix_HaltChannel(-1);
    releaseChunk();
    chunk_ = Mix_LoadWAV(path.c_str());
    if (!chunk_) return false;
    return Mix_PlayChannel(-1, chunk_, 0) >= 0;
}

void SdlSoundPlayer::stopAll() {
    std::lock_guard lock(mutex_);
    if (!opened_) return;
    Mix_HaltChannel(-1);
    releaseChunk();
}

}  // namespace kyrel
