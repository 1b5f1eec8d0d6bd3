#pragma once
#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/ShiftJis.h"
#include "engine/core/Platform.h"
#include "engine/platform/InputScript.h"

struct SdlSettings {
    std::optional<int> scale;  // window scale; default 3, at most what the desktop holds
    bool fullscreen = false;
    bool mute = false;  // no sound device: effects and music are silent
    std::optional<std::filesystem::path> soundfont;
    InputScript input;  // when not empty, the keys come from here instead of the keyboard
};

// The engine in a window: the 320 x 240 display (the 240 x 210 page at (40, 15) on black)
// scaled by a whole factor, the keyboard and a game controller, SDL message boxes, and sound
// through SDL2_mixer (effects one channel per slot, MIDI music through FluidSynth).
class SdlPlatform : public Platform {
  public:
    enum class OpenResult { Ok, NoWindow, NoSound };

    explicit SdlPlatform(SdlSettings settings);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // Creates the window and opens the sound device (unless muted).
    OpenResult Open();

    void BeginFrame(std::uint64_t frameNumber) override { frame_ = frameNumber; }
    PlatformEvents PumpEvents() override;
    KeyMask KeysDown() override;
    std::uint32_t Ticks() override { return SDL_GetTicks(); }
    void WaitUntil(std::uint32_t tick) override;
    void Present(const CDib& screen) override;
    void MessageBox(std::string_view caption, std::string_view text) override;
    void SetTitle(std::string_view sjisTitle) override {
        if (window_) SDL_SetWindowTitle(window_, kit::sjisToUtf8Lossy(sjisTitle).c_str());
    }
    bool CreateEffect(int slot, const WaveFormat& format, const std::vector<std::uint8_t>& pcm,
                      std::string_view name) override;
    void ReleaseEffect(int slot) override;
    void PlayEffect(int slot, std::string_view name) override;
    void OpenMusic(const std::filesystem::path& path, std::string_view name) override;
    void CloseMusic() override;

  private:
    struct Effect {
        Mix_Chunk* chunk = nullptr;
        std::vector<std::uint8_t> samples;  // in the device's format; the chunk points into it
    };

    bool OpenSound();
    void ToggleFullscreen();
    void CycleScale();
    void SaveScreenshot();
    int MaxScale() const;

    SdlSettings settings_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_GameController* controller_ = nullptr;
    bool videoStarted_ = false;
    bool soundOpen_ = false;
    bool haveSoundfont_ = false;
    int scale_ = 3;
    bool fullscreen_ = false;
    std::uint64_t frame_ = 0;
    ScriptedKeys scripted_;
    const CDib* lastScreen_ = nullptr;
    std::array<Effect, 40> effects_{};
    Mix_Music* music_ = nullptr;
};
