#include "engine/platform/sdl/SdlPlatform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "common/ShiftJis.h"
#include "engine/core/CDib.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/platform/PngFile.h"

namespace {

constexpr int kDisplayWidth = 320;
constexpr int kDisplayHeight = 240;
constexpr int kPageX = 40;
constexpr int kPageY = 15;
constexpr int kDefaultScale = 3;
constexpr Sint16 kStickThreshold = 16000;

const char* const kSoundfontCandidates[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

SdlPlatform::SdlPlatform(SdlSettings settings)
    : settings_(std::move(settings)), scripted_(std::move(settings_.input)) {}

SdlPlatform::~SdlPlatform() {
    if (soundOpen_) {
        CloseMusic();
        for (int slot = 0; slot < static_cast<int>(effects_.size()); ++slot) ReleaseEffect(slot);
        Mix_CloseAudio();
        Mix_Quit();
    }
    if (controller_) SDL_GameControllerClose(controller_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_Quit();
}

SdlPlatform::OpenResult SdlPlatform::Open() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER) !=
        0) {
        std::fprintf(stderr, "dunmere: no window: %s\n", SDL_GetError());
        return OpenResult::NoWindow;
    }
    videoStarted_ = true;
    scale_ = std::clamp(settings_.scale.value_or(kDefaultScale), 1, MaxScale());
    fullscreen_ = settings_.fullscreen;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    window_ = SDL_CreateWindow("DEFAULT", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kDisplayWidth * scale_, kDisplayHeight * scale_,
                               fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!window_) {
        std::fprintf(stderr, "dunmere: no window: %s\n", SDL_GetError());
        return OpenResult::NoWindow;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::fprintf(stderr, "dunmere: no renderer: %s\n", SDL_GetError());
        return OpenResult::NoWindow;
    }
    SDL_RenderSetLogicalSize(renderer_, kDisplayWidth, kDisplayHeight);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB555, SDL_TEXTUREACCESS_STREAMING,
                                 kScreenWidth, kPageHeight);
    if (!texture_) {
        std::fprintf(stderr, "dunmere: no texture: %s\n", SDL_GetError());
        return OpenResult::NoWindow;
    }
    SDL_ShowCursor(SDL_DISABLE);
    if (!settings_.mute && !OpenSound()) return OpenResult::NoSound;
    return OpenResult::Ok;
}

bool SdlPlatform::OpenSound() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
        Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "dunmere: no sound device: %s\n", SDL_GetError());
        MessageBox(Sjis("エラー発生"),
                   Sjis("DirectSoundが生成できませんDirectSoundの使用が不可能です"));
        return false;
    }
    soundOpen_ = true;
    Mix_Init(MIX_INIT_MID);
    Mix_AllocateChannels(static_cast<int>(effects_.size()));

    std::string soundfont;
    if (settings_.soundfont) {
        soundfont = settings_.soundfont->string();
    } else if (const char* env = std::getenv("SDL_SOUNDFONTS"); env && *env) {
        soundfont = env;
    } else {
        for (const char* candidate : kSoundfontCandidates)
            if (FileExists(candidate)) {
                soundfont = candidate;
                break;
            }
    }
    if (soundfont.empty() || (settings_.soundfont && !FileExists(*settings_.soundfont))) {
        std::fprintf(stderr, "dunmere: warning: no soundfont found, the music stays silent\n");
    } else {
        haveSoundfont_ = Mix_SetSoundFonts(soundfont.c_str()) != 0;
    }
    return true;
}

int SdlPlatform::MaxScale() const {
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(0, &bounds) != 0) return kDefaultScale;
    return std::max(1, std::min(bounds.w / kDisplayWidth, bounds.h / kDisplayHeight));
}

PlatformEvents SdlPlatform::PumpEvents() {
    PlatformEvents events;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                events.closed = true;
                break;
            case SDL_KEYDOWN: {
                if (e.key.repeat) break;
                const SDL_Keycode key = e.key.keysym.sym;
                if (key == SDLK_F12)
                    events.f12Pressed = true;
                else if (key == SDLK_F5)
                    CycleScale();
                else if (key == SDLK_F4 || ((key == SDLK_RETURN || key == SDLK_KP_ENTER) &&
                                            (e.key.keysym.mod & KMOD_ALT)))
                    ToggleFullscreen();
                else if (key == SDLK_F7)
                    SaveScreenshot();
                else if (key == SDLK_F9)
                    events.f9Pressed = true;
                break;
            }
            case SDL_CONTROLLERDEVICEADDED:
                if (!controller_) controller_ = SDL_GameControllerOpen(e.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                if (controller_ && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(
                                       controller_)) == e.cdevice.which) {
                    SDL_GameControllerClose(controller_);
                    controller_ = nullptr;
                }
                break;
            default:
                break;
        }
    }
    // A replayed script quits where its F12 goes down; the keyboard's F12 still works too.
    if (!scripted_.Empty()) events.f12Pressed |= scripted_.F12WentDown(frame_);
    return events;
}

KeyMask SdlPlatform::KeysDown() {
    if (!scripted_.Empty()) return scripted_.KeysAt(frame_);
    const Uint8* k = SDL_GetKeyboardState(nullptr);
    KeyMask down = 0;
    auto set = [&down](Key key, bool on) {
        if (on) down |= KeyBit(key);
    };
    set(Key::Up, k[SDL_SCANCODE_UP]);
    set(Key::Down, k[SDL_SCANCODE_DOWN]);
    set(Key::Left, k[SDL_SCANCODE_LEFT]);
    set(Key::Right, k[SDL_SCANCODE_RIGHT]);
    set(Key::Shift, k[SDL_SCANCODE_LSHIFT] || k[SDL_SCANCODE_RSHIFT]);
    set(Key::Ctrl, k[SDL_SCANCODE_LCTRL] || k[SDL_SCANCODE_RCTRL]);
    set(Key::Enter, k[SDL_SCANCODE_RETURN] || k[SDL_SCANCODE_KP_ENTER]);
    set(Key::Space, k[SDL_SCANCODE_SPACE]);
    if (k[SDL_SCANCODE_F12]) down |= kF12Bit;
    if (controller_) {
        auto button = [this](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(controller_, b) != 0;
        };
        const Sint16 x = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
        const Sint16 y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
        set(Key::Up, button(SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kStickThreshold);
        set(Key::Down, button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kStickThreshold);
        set(Key::Left, button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickThreshold);
        set(Key::Right, button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickThreshold);
        set(Key::Shift, button(SDL_CONTROLLER_BUTTON_A));
        set(Key::Ctrl, button(SDL_CONTROLLER_BUTTON_B));
        set(Key::Enter, button(SDL_CONTROLLER_BUTTON_START));  // the field menu
    }
    return down;
}

void SdlPlatform::WaitUntil(std::uint32_t tick) {
    const auto remaining = static_cast<std::int32_t>(tick - SDL_GetTicks());
    if (remaining > 0) SDL_Delay(static_cast<Uint32>(remaining));
}

void SdlPlatform::Present(const CDib& screen) {
    lastScreen_ = &screen;
    if (screen.Empty()) return;
    SDL_UpdateTexture(texture_, nullptr, screen.Row(kVisibleTop), screen.Stride());
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect page{kPageX, kPageY, kScreenWidth, kPageHeight};
    SDL_RenderCopy(renderer_, texture_, nullptr, &page);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::MessageBox(std::string_view caption, std::string_view text) {
    const std::string title = kit::sjisToUtf8Lossy(caption);
    const std::string body = kit::sjisToUtf8Lossy(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), window_) != 0)
        std::fprintf(stderr, "dunmere: %s: %s\n", title.c_str(), body.c_str());
}

void SdlPlatform::ToggleFullscreen() {
    fullscreen_ = !fullscreen_;
    SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void SdlPlatform::CycleScale() {
    if (fullscreen_) return;
    scale_ = scale_ % MaxScale() + 1;
    SDL_SetWindowSize(window_, kDisplayWidth * scale_, kDisplayHeight * scale_);
}

void SdlPlatform::SaveScreenshot() {
    if (!lastScreen_ || lastScreen_->Empty()) return;
    char name[64];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(name, sizeof name, "dunmere-%Y%m%d-%H%M%S.png", &local);
    std::string file = name;
    for (int n = 2; FileExists(file); ++n)
        file = std::string(name, std::strlen(name) - 4) + "-" + std::to_string(n) + ".png";
    const std::string problem = WritePng(file, *lastScreen_, kVisibleTop, kPageHeight);
    if (problem.empty())
        std::fprintf(stderr, "dunmere: saved %s\n", file.c_str());
    else
        std::fprintf(stderr, "dunmere: cannot save %s: %s\n", file.c_str(), problem.c_str());
}

bool SdlPlatform::CreateEffect(int slot, const WaveFormat& format,
                               const std::vector<std::uint8_t>& pcm, std::string_view) {
    if (slot < 0 || slot >= static_cast<int>(effects_.size())) return false;
    if (!soundOpen_) return true;  // muted: the effect exists but is silent
    int rate = 0, channels = 0;
    Uint16 deviceFormat = 0;
    if (!Mix_QuerySpec(&rate, &deviceFormat, &channels)) return false;
    const std::size_t frameBytes =
        static_cast<std::size_t>(format.channels) * (format.bitsPerSample / 8u);
    const std::size_t bytes = pcm.size() / frameBytes * frameBytes;
    if (bytes == 0 || bytes > static_cast<std::size_t>(INT32_MAX / 16)) return false;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB,
                          static_cast<Uint8>(format.channels), static_cast<int>(format.sampleRate),
                          deviceFormat, static_cast<Uint8>(channels), rate) < 0)
        return false;
    Effect effect;
    effect.samples.resize(bytes * static_cast<std::size_t>(std::max(cvt.len_mult, 1)));
    std::memcpy(effect.samples.data(), pcm.data(), bytes);
    cvt.buf = effect.samples.data();
    cvt.len = static_cast<int>(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    effect.samples.resize(static_cast<std::size_t>(cvt.needed ? cvt.len_cvt : cvt.len));
    effect.chunk =
        Mix_QuickLoad_RAW(effect.samples.data(), static_cast<Uint32>(effect.samples.size()));
    if (!effect.chunk) return false;
    ReleaseEffect(slot);
    effects_[static_cast<std::size_t>(slot)] = std::move(effect);
    return true;
}

void SdlPlatform::ReleaseEffect(int slot) {
    if (slot < 0 || slot >= static_cast<int>(effects_.size())) return;
    Effect& effect = effects_[static_cast<std::size_t>(slot)];
    if (effect.chunk) {
        Mix_HaltChannel(slot);
        Mix_FreeChunk(effect.chunk);
    }
    effect = Effect{};
}

void SdlPlatform::PlayEffect(int slot, std::string_view) {
    if (slot < 0 || slot >= static_cast<int>(effects_.size())) return;
    // Playing on the slot's own channel stops what it was playing and starts from the beginning.
    if (Mix_Chunk* chunk = effects_[static_cast<std::size_t>(slot)].chunk)
        Mix_PlayChannel(slot, chunk, 0);
}

void SdlPlatform::OpenMusic(const std::filesystem::path& path, std::string_view) {
    CloseMusic();
    if (!soundOpen_ || !haveSoundfont_ || !FileExists(path)) return;
    music_ = Mix_LoadMUS(path.c_str());
    if (music_) Mix_PlayMusic(music_, -1);  // loops endlessly
}

void SdlPlatform::CloseMusic() {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
}
