#include "designer/core/Playback.h"

#include <chrono>

namespace kyrel {

Playback::~Playback() {
    if (worker_.joinable()) {
        if (playing.load()) stopRequest.store(true);
        worker_.join();
    }
}

bool Playback::start(const PlaybackParams& params) {
    if (playing.load()) return false;
    if (worker_.joinable()) worker_.join();  // the last worker has ended (playing is 0)
    stopRequest.store(false);
    params_ = params;
    // Set before the thread starts: the worker may end before start returns.
    playing.store(true);
    worker_ = std::thread(&Playback::run, this);
    return true;
}

void Playback::requestStop() {
    if (playing.load()) stopRequest.store(true);
}

void Playback::run() {
    using Clock = std::chrono::steady_clock;
    if (player_) player_->startFile(params_.path);
    const auto t0 = Clock::now();
    const auto length = std::chrono::milliseconds(params_.durationMs > 0 ? params_.durationMs : 0);
    while (true) {
        if (Clock::now() - t0 >= length) break;
        if (stopRequest.load()) {
            stopRequest.store(false);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Stop the sound before clearing the flag: once `playing` is 0 a new Play may start a worker,
    // whose sound this one must not cut off.
    if (player_) player_->stopAll();
    playing.store(false);
}

}  // namespace kyrel
