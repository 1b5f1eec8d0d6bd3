#pragma once
#include <cstdint>
#include <vector>

#include "engine/platform/headless/HeadlessPlatform.h"

// The engine on a web page. The page's script (dunmere-web.js) owns the canvas, the keyboard
// and game pads, Web Audio and the MIDI synthesizer; this class hands it frames and sounds.
//
// In a replay (the page was given recorded input) the clock, the keys and the trace are the
// headless platform's, so the page computes the very frames `dunmere --headless` does; the
// frames asked for are handed to the page as pixels for the test that compares them. Stepped, the
// clock and trace are the headless platform's but the keys are the page's (its touch controls in
// a test), and the page says how many frames to run.
class WebPlatform : public HeadlessPlatform {
  public:
    enum class Mode { kLive, kReplay, kStepped };
    WebPlatform(HeadlessOptions options, Mode mode);

    bool Replay() const { return replay_; }
    bool PageKeys() const { return pageKeys_; }
    // The tick at which the next frame is due (the frame loop's WaitUntil).
    std::uint32_t DueTick() const { return dueTick_; }
    void SetDueTick(std::uint32_t tick) { dueTick_ = tick; }

    PlatformEvents PumpEvents() override;
    KeyMask KeysDown() override;
    std::uint32_t Ticks() override;
    void WaitUntil(std::uint32_t tick) override;
    void Present(const CDib& screen) override;
    void MessageBox(std::string_view caption, std::string_view text) override;
    bool CreateEffect(int slot, const WaveFormat& format, const std::vector<std::uint8_t>& pcm,
                      std::string_view name) override;
    void ReleaseEffect(int slot) override;
    void PlayEffect(int slot, std::string_view name) override;
    void OpenMusic(const std::filesystem::path& path, std::string_view name) override;
    void CloseMusic() override;
    void NoteQuit() override;

  private:
    bool replay_;
    bool pageKeys_;
    std::set<std::uint64_t> dumpFrames_;
    std::uint32_t dueTick_ = 0;
    KeyMask previousKeys_ = 0;
    std::vector<std::uint8_t> rgba_;  // the visible page as the canvas takes it
};
