#include "engine/platform/web/WebPlatform.h"

#include <emscripten.h>

#include "common/ShiftJis.h"
#include "engine/core/CDib.h"
#include "engine/core/Engine.h"
#include "engine/platform/Rgb24.h"

// The page's side (dunmere-web.js installs Module.kit before the engine starts).
// clang-format off
EM_JS(int, JsKeys, (), { return Module.kit.keys(); });
EM_JS(void, JsPresent, (const std::uint8_t* rgba, int width, int height), {
    Module.kit.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});
EM_JS(void, JsFrameDump, (double frame, const std::uint8_t* rgb, int size), {
    Module.kit.frameDump(frame, HEAPU8.slice(rgb, rgb + size));
});
EM_JS(void, JsMessage, (const char* caption, const char* text), {
    Module.kit.message(UTF8ToString(caption), UTF8ToString(text));
});
EM_JS(void, JsCreateEffect, (int slot, int channels, int rate, int bits, const std::uint8_t* pcm, int size), {
    Module.kit.createEffect(slot, channels, rate, bits, HEAPU8.slice(pcm, pcm + size));
});
EM_JS(void, JsReleaseEffect, (int slot), { Module.kit.releaseEffect(slot); });
EM_JS(void, JsPlayEffect, (int slot), { Module.kit.playEffect(slot); });
EM_JS(void, JsOpenMusic, (const char* path), {
    var data = null;
    try { data = FS.readFile(UTF8ToString(path)); } catch (e) { /* a missing file is silent */ }
    Module.kit.openMusic(data);
});
EM_JS(void, JsCloseMusic, (), { Module.kit.closeMusic(); });
EM_JS(void, JsQuit, (), { Module.kit.quit(); });
// clang-format on

namespace {
HeadlessOptions WithoutFileDumps(HeadlessOptions options) {
    options.dumpFrames.clear();  // the page takes the frames as pixels, not as PNG files
    options.boxesToStderr = false;
    return options;
}
}  // namespace

WebPlatform::WebPlatform(HeadlessOptions options, Mode mode)
    : HeadlessPlatform(WithoutFileDumps(options)),
      replay_(mode != Mode::kLive),
      pageKeys_(mode != Mode::kReplay),
      dumpFrames_(std::move(options.dumpFrames)),
      rgba_(static_cast<std::size_t>(kScreenWidth) * kPageHeight * 4, 255) {}

PlatformEvents WebPlatform::PumpEvents() {
    if (!pageKeys_) return HeadlessPlatform::PumpEvents();
    const KeyMask keys = KeysDown();
    PlatformEvents events;
    events.f12Pressed = (keys & kF12Bit) && !(previousKeys_ & kF12Bit);
    previousKeys_ = keys;
    return events;
}

KeyMask WebPlatform::KeysDown() {
    if (!pageKeys_) return HeadlessPlatform::KeysDown();
    return static_cast<KeyMask>(JsKeys());
}

std::uint32_t WebPlatform::Ticks() {
    if (replay_) return HeadlessPlatform::Ticks();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

void WebPlatform::WaitUntil(std::uint32_t tick) {
    // The page's animation frames drive the loop: it runs the next frame once this tick is due.
    dueTick_ = tick;
    if (replay_) HeadlessPlatform::WaitUntil(tick);
}

void WebPlatform::Present(const CDib& screen) {
    const std::vector<std::uint8_t> rgb = ToRgb24(screen, kVisibleTop, kPageHeight);
    if (rgb.empty()) return;
    if (dumpFrames_.count(Frame()))
        JsFrameDump(static_cast<double>(Frame()), rgb.data(), static_cast<int>(rgb.size()));
    for (std::size_t i = 0, o = 0; i < rgb.size(); i += 3, o += 4) {
        rgba_[o] = rgb[i];
        rgba_[o + 1] = rgb[i + 1];
        rgba_[o + 2] = rgb[i + 2];
    }
    JsPresent(rgba_.data(), kScreenWidth, kPageHeight);
}

void WebPlatform::MessageBox(std::string_view caption, std::string_view text) {
    if (replay_) {
        HeadlessPlatform::MessageBox(caption, text);
        return;
    }
    JsMessage(kit::sjisToUtf8Lossy(caption).c_str(), kit::sjisToUtf8Lossy(text).c_str());
}

bool WebPlatform::CreateEffect(int slot, const WaveFormat& format,
                               const std::vector<std::uint8_t>& pcm, std::string_view name) {
    if (replay_) return HeadlessPlatform::CreateEffect(slot, format, pcm, name);
    JsCreateEffect(slot, format.channels, static_cast<int>(format.sampleRate), format.bitsPerSample,
                   pcm.data(), static_cast<int>(pcm.size()));
    return true;
}

void WebPlatform::ReleaseEffect(int slot) {
    if (replay_) HeadlessPlatform::ReleaseEffect(slot);
    JsReleaseEffect(slot);
}

void WebPlatform::PlayEffect(int slot, std::string_view name) {
    if (replay_) {
        HeadlessPlatform::PlayEffect(slot, name);
        return;
    }
    JsPlayEffect(slot);
}

void WebPlatform::OpenMusic(const std::filesystem::path& path, std::string_view name) {
    if (replay_) {
        HeadlessPlatform::OpenMusic(path, name);
        return;
    }
    JsOpenMusic(path.string().c_str());
}

void WebPlatform::CloseMusic() {
    if (replay_) {
        HeadlessPlatform::CloseMusic();
        return;
    }
    JsCloseMusic();
}

void WebPlatform::NoteQuit() {
    HeadlessPlatform::NoteQuit();
    JsQuit();
}
