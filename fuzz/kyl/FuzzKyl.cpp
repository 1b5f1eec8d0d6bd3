// Kyrel's project reader followed by a short render. The input is read as a project file; its
// bytes after the four-byte header are then also applied as patches (a word offset and a value,
// eight bytes each) to a whole saved project, so that the settings and the far curve points at
// the end of the file are reached by small inputs as well.
#include <cstring>

#include "common/LittleEndian.h"
#include "designer/core/ProjectFile.h"
#include "designer/core/Synthesis.h"
#include "designer/core/WavCommands.h"
#include "fuzz/common/FuzzInput.h"

namespace {

constexpr std::int32_t kShortRenderMs = 40;

void RenderShort(kyrel::SoundDesign& design) {
    using namespace kyrel;
    DesignSettings& s = design.settings;
    if (!renderSettingsProblem(s).empty()) return;  // refused with a message before any render
    // A short render still runs every curve through the synthesis; keep each input fast.
    s.durationMs = 1 + (s.durationMs - 1) % kShortRenderMs;
    int enabled = 0;
    for (std::size_t t = 0; t < design.tracks.size(); ++t) {
        Track& track = design.tracks[t];
        track.renderEnabled = s.trackUse[t] == 1 ? 1 : 0;
        track.startMs = 0;
        track.endMs = s.durationMs;
        enabled += track.renderEnabled;
    }
    if (enabled == 0) return;
    const int channels = s.channelIndex + 1;
    const int rate = kSampleRates[static_cast<std::size_t>(s.rateIndex)];
    const int bits = kBitDepths[static_cast<std::size_t>(s.bitsIndex)];
    kit::Random random;
    random.seed(1);
    RenderProgress quiet;
    RenderOutput out;
    if (!renderTracks(design.tracks, s, channels, rate, bits, random, quiet, out)) FuzzFailure();
    const std::size_t frameBytes = static_cast<std::size_t>(channels * bits / 8);
    if (out.data.size() % frameBytes != 0) FuzzFailure();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kyrel;
    const auto file = AsBytes(data, size);

    SoundDesign direct;
    resetDesign(direct);
    if (readProjectBytes(direct, file) != ProjectReadResult::Ok) return 0;
    RenderShort(direct);

    SoundDesign base;
    resetDesign(base);
    std::vector<std::uint8_t> whole = projectFileBytes(base);
    std::memcpy(whole.data(), data, kProjectHeaderBytes);
    const std::size_t words = (whole.size() - kProjectHeaderBytes) / 4;
    for (std::size_t at = kProjectHeaderBytes; at + 8 <= size; at += 8) {
        const std::size_t word = kit::readU32LE(file, at) % words;
        std::memcpy(whole.data() + kProjectHeaderBytes + 4 * word, data + at + 4, 4);
    }
    SoundDesign patched;
    resetDesign(patched);
    // A patch may write a value no document can hold: then the whole file is refused.
    if (readProjectBytes(patched, whole) != ProjectReadResult::Ok) return 0;
    RenderShort(patched);
    return 0;
}
