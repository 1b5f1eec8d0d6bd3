#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/core/Platform.h"
#include "engine/platform/InputScript.h"

struct HeadlessOptions {
    InputScript input;
    std::optional<std::filesystem::path> traceFile;
    std::set<std::uint64_t> dumpFrames;
    std::filesystem::path dumpDir = ".";
    bool boxesToStderr = true;
};

// The platform without window, sound device or sleeping: a virtual clock that advances exactly
// 16 ms per frame, keys from a script, frames dumped as PNG files, and every message box, sound
// and quit written to a trace, one line per event: "FRAME box CAPTION|TEXT",
// "FRAME effect SLOT NAME", "FRAME music NAME", "FRAME music-stop", "FRAME quit", and
// "FRAME text PAGE" for each page put into the message window.
class HeadlessPlatform : public Platform {
  public:
    explicit HeadlessPlatform(HeadlessOptions options = {});

    void BeginFrame(std::uint64_t frameNumber) override;
    PlatformEvents PumpEvents() override;
    KeyMask KeysDown() override;
    std::uint32_t Ticks() override { return clock_; }
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
    void NoteTextPage(std::string_view sjisPage) override;
    void NoteGameEvent(std::string_view line) override;

    // The running frame's number, as the loop announced it.
    std::uint64_t Frame() const { return frame_; }
    // Every trace line so far, without the trailing line break.
    const std::vector<std::string>& TraceLines() const { return trace_; }
    // Makes the running frame's work take `ms` longer on the virtual clock.
    void AdvanceClock(std::uint32_t ms) { clock_ += ms; }
    // Replaces the key script (for tests that drive keys frame by frame).
    void SetInput(InputScript input) { keys_ = ScriptedKeys(std::move(input)); }
    // The PCM data of the effect in a slot, as the device was given it.
    const std::vector<std::uint8_t>* EffectData(int slot) const;
    // Problems writing frame dumps or the trace, for the program to report.
    const std::vector<std::string>& Problems() const { return problems_; }

  private:
    void Trace(const std::string& line);

    HeadlessOptions options_;
    ScriptedKeys keys_;
    std::ofstream traceOut_;
    std::vector<std::string> trace_;
    std::vector<std::string> problems_;
    std::vector<std::optional<std::vector<std::uint8_t>>> effects_;
    std::uint64_t frame_ = 0;
    std::uint32_t clock_ = 0;
};
