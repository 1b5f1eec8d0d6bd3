#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace kyrel {

// The system's sound player: starts a WAV file asynchronously and stops everything at once.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Returns false when the file cannot be played; playback then stays silent.
    virtual bool startFile(const std::string& path) = 0;
    // Opens the sound device when it is not open yet; false when there is none.
    virtual bool openDevice() { return true; }
    virtual void stopAll() = 0;
};

struct PlaybackParams {
    std::int32_t durationMs = 0;
    std::string path;
};

// One playback worker at a time. The worker plays the file, waits for the sound's length as the
// document sets it (not for the player), polling stopRequest every 10 ms, then stops the player
// and clears `playing`. The user-interface thread and the worker share only the two flags and
// the parameters, which are written before the worker starts.
class Playback {
  public:
    explicit Playback(SoundPlayer* player = nullptr) : player_(player) {}
    // Stops a running worker and waits for it, so it never outlives the flags it polls.
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    void setPlayer(SoundPlayer* player) { player_ = player; }

    // False when the player has no sound device (without a player playback is silent on
    // purpose, and counts as able to play).
    bool deviceReady() { return !player_ || player_->openDevice(); }

    bool isPlaying() const { return playing.load(); }

    // Starts a worker for `params`. Returns false (and starts nothing) while one still plays.
    bool start(const PlaybackParams& params);

    // The Stop command: asks a running worker to end; does nothing when none runs.
    void requestStop();

    std::atomic<bool> playing{false};
    std::atomic<bool> stopRequest{false};

  private:
    void run();

    SoundPlayer* player_;
    PlaybackParams params_;
    std::thread worker_;
};

}  // namespace kyrel
