#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "engine/core/Keys.h"

class CDib;

// The PCM format of one loaded sound effect, as its WAV file gives it.
struct WaveFormat {
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// What happened between two frames, as the window (or its stand-in) reports it.
struct PlatformEvents {
    bool f12Pressed = false;  // F12 went down: the game quits
    bool closed = false;      // the window was closed by other means
    bool f9Pressed = false;   // F9 went down: the debug view (--debug) shows or hides
};

// Everything the engine needs from the machine it runs on. The game logic only ever talks to
// this interface, so the same game runs in a window or headless for tests and replays.
// Text arguments are Shift-JIS bytes; implementations convert them where they show them.
class Platform {
  public:
    virtual ~Platform() = default;

    // Frame bookkeeping: the loop announces each frame's number (from 1) before its events.
    virtual void BeginFrame(std::uint64_t frameNumber) = 0;
    virtual PlatformEvents PumpEvents() = 0;

    // The polled keys (and F12) as they are down right now.
    virtual KeyMask KeysDown() = 0;

    // Milliseconds of the tick counter, and waiting until the counter reaches `tick`
    // (returns at once when it already has).
    virtual std::uint32_t Ticks() = 0;
    virtual void WaitUntil(std::uint32_t tick) = 0;

    // Shows the visible page (rows 210..419) of the 240 x 630 screen bitmap.
    virtual void Present(const CDib& screen) = 0;

    // A modal message box with one OK button; an empty caption stands for "no caption".
    virtual void MessageBox(std::string_view caption, std::string_view text) = 0;

    // Sound effects: one buffer per slot. CreateEffect takes the PCM data and returns false when
    // the device cannot make a buffer of it. `name` is the relative name the effect was loaded by.
    virtual bool CreateEffect(int slot, const WaveFormat& format,
                              const std::vector<std::uint8_t>& pcm, std::string_view name) = 0;
    virtual void ReleaseEffect(int slot) = 0;
    virtual void PlayEffect(int slot, std::string_view name) = 0;

    // Music: opens and plays `path` looping endlessly (a missing file is silent), and stops and
    // closes it. `name` is the relative name the game asked for.
    virtual void OpenMusic(const std::filesystem::path& path, std::string_view name) = 0;
    virtual void CloseMusic() = 0;

    // The game's orderly shutdown ran (for the trace of a headless run).
    virtual void NoteQuit() {}

    // A page of text went into the message window (for the trace of a headless run).
    virtual void NoteTextPage(std::string_view /*sjisPage*/) {}

    // A step of the game's progress ("var 3 10", "battle end won"), for the trace of a headless
    // run.
    virtual void NoteGameEvent(std::string_view /*line*/) {}

    // A file the game asked for could not be loaded. `relativePath` is the path that was tried,
    // with its extension, relative to the game directory (UTF-8). Game authors read it on
    // standard error next to the game's own message.
    virtual void NoteLoadFailure(std::string_view relativePath);
};
