#include "engine/platform/headless/HeadlessPlatform.h"

#include <cstdio>

#include "common/ShiftJis.h"
#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/platform/PngFile.h"

namespace {

// Text on one trace line: backslashes doubled, line feeds as \n, carriage returns dropped. On a
// text-box page the box's line-break mark (backslash, n) is a line break too.
enum class TraceText { Box, Page };

std::string EscapeForTrace(std::string_view sjis, TraceText kind = TraceText::Box) {
    const std::string utf8 = kit::sjisToUtf8Lossy(sjis);
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (kind == TraceText::Page && c == '\\' && i + 1 < utf8.size() && utf8[i + 1] == 'n') {
            out += "\\n";
            ++i;
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : options_(std::move(options)), keys_(std::move(options_.input)), effects_(kSoundSlotCount) {
    if (options_.traceFile) {
        traceOut_.open(*options_.traceFile, std::ios::trunc);
        if (!traceOut_)
            problems_.push_back("cannot write the trace " + options_.traceFile->string());
    }
    std::error_code ignored;  // a directory that cannot be made shows in each frame's problem
    if (!options_.dumpFrames.empty())
        std::filesystem::create_directories(options_.dumpDir, ignored);
}

void HeadlessPlatform::BeginFrame(std::uint64_t frameNumber) {
    frame_ = frameNumber;
}

PlatformEvents HeadlessPlatform::PumpEvents() {
    PlatformEvents events;
    events.f12Pressed = keys_.F12WentDown(frame_);
    return events;
}

KeyMask HeadlessPlatform::KeysDown() {
    return keys_.KeysAt(frame_);
}

void HeadlessPlatform::WaitUntil(std::uint32_t tick) {
    // No sleeping: the clock jumps to the end of the frame, or stays when the frame ran late.
    if (static_cast<std::int32_t>(tick - clock_) > 0) clock_ = tick;
}

void HeadlessPlatform::Present(const CDib& screen) {
    if (!options_.dumpFrames.count(frame_)) return;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06llu.png", static_cast<unsigned long long>(frame_));
    const std::filesystem::path path = options_.dumpDir / name;
    const std::string problem = WritePng(path, screen, kVisibleTop, kPageHeight);
    if (!problem.empty()) problems_.push_back(path.string() + ": " + problem);
}

void HeadlessPlatform::MessageBox(std::string_view caption, std::string_view text) {
    const std::string line = "box " + EscapeForTrace(caption) + "|" + EscapeForTrace(text);
    Trace(line);
    if (options_.boxesToStderr) std::fprintf(stderr, "dunmere: %s\n", line.c_str() + 4);
}

bool HeadlessPlatform::CreateEffect(int slot, const WaveFormat&,
                                    const std::vector<std::uint8_t>& pcm, std::string_view) {
    effects_[static_cast<std::size_t>(slot)] = pcm;
    return true;
}

void HeadlessPlatform::ReleaseEffect(int slot) {
    effects_[static_cast<std::size_t>(slot)].reset();
}

void HeadlessPlatform::PlayEffect(int slot, std::string_view name) {
    Trace("effect " + std::to_string(slot) + " " + kit::sjisToUtf8Lossy(name));
}

void HeadlessPlatform::OpenMusic(const std::filesystem::path&, std::string_view name) {
    Trace("music " + kit::sjisToUtf8Lossy(name));
}

void HeadlessPlatform::CloseMusic() {
    Trace("music-stop");
}

void HeadlessPlatform::NoteTextPage(std::string_view sjisPage) {
    Trace("text " + EscapeForTrace(sjisPage, TraceText::Page));
}

void HeadlessPlatform::NoteGameEvent(std::string_view line) {
    Trace(std::string(line));
}

void HeadlessPlatform::NoteQuit() {
    Trace("quit");
}

const std::vector<std::uint8_t>* HeadlessPlatform::EffectData(int slot) const {
    if (slot < 0 || slot >= kSoundSlotCount) return nullptr;
    const auto& effect = effects_[static_cast<std::size_t>(slot)];
    return effect ? &*effect : nullptr;
}

void HeadlessPlatform::Trace(const std::string& event) {
    std::string line = std::to_string(frame_) + " " + event;
    if (traceOut_.is_open()) {
        traceOut_ << line << '\n';
        traceOut_.flush();
    }
    trace_.push_back(std::move(line));
}
