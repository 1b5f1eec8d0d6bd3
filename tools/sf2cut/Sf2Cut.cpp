#include "tools/sf2cut/Sf2Cut.h"

#include <algorithm>
#include <map>
#include <optional>

namespace sf2 {
namespace {

constexpr std::uint16_t kDrumBank = 128;
// The SoundFont format asks for this many silent sample points after each sample.
constexpr std::uint32_t kSampleGap = 46;

struct Range {
    std::size_t first = 0, last = 0;  // [first, last)
};

template <typename Header>
Range zonesOf(const std::vector<Header>& headers, std::size_t i) {
    return {headers[i].firstBag, headers[i + 1].firstBag};
}
Range generatorsOf(const std::vector<Bag>& bags, std::size_t zone) {
    return {bags[zone].firstGenerator, bags[zone + 1].firstGenerator};
}
Range modulatorsOf(const std::vector<Bag>& bags, std::size_t zone) {
    return {bags[zone].firstModulator, bags[zone + 1].firstModulator};
}

// The zone's target (instrument or sample index), when it has one: its last generator.
std::optional<std::uint16_t> target(const std::vector<Generator>& gens, Range range,
                                    std::uint16_t oper) {
    for (std::size_t g = range.first; g < range.last; ++g)
        if (gens[g].oper == oper) return gens[g].amount;
    return std::nullopt;
}

// Whether the zone's key range (all keys when it has none) holds one of `notes`.
bool playsAny(const std::vector<Generator>& gens, Range range, const std::set<int>* notes) {
    if (!notes) return true;
    for (std::size_t g = range.first; g < range.last; ++g)
        if (gens[g].oper == kGenKeyRange) {
            const int low = gens[g].amount & 0xFF, high = gens[g].amount >> 8;
            return notes->lower_bound(low) != notes->upper_bound(high);
        }
    return true;
}

// Copies the kept zones of the kept headers with their generators and modulators; `retarget`
// renumbers a zone's target generator. Returns the headers' new lists.
template <typename Header>
void copyZones(const std::vector<Header>& headers, const std::vector<Bag>& bags,
               const std::vector<Generator>& gens, const std::vector<Modulator>& mods,
               const std::vector<bool>& keepHeader,
               const std::vector<const std::set<int>*>& notesOf, std::uint16_t targetOper,
               const std::map<std::uint16_t, std::uint16_t>& retarget,
               std::vector<Header>& outHeaders, std::vector<Bag>& outBags,
               std::vector<Generator>& outGens, std::vector<Modulator>& outMods) {
    for (std::size_t h = 0; h + 1 < headers.size(); ++h) {
        if (!keepHeader[h]) continue;
        Header header = headers[h];
        header.firstBag = static_cast<std::uint16_t>(outBags.size());
        outHeaders.push_back(header);
        const Range zones = zonesOf(headers, h);
        for (std::size_t z = zones.first; z < zones.last; ++z) {
            const Range g = generatorsOf(bags, z);
            const bool global = z == zones.first && !target(gens, g, targetOper);
            if (!global && !playsAny(gens, g, notesOf[h])) continue;
            outBags.push_back({static_cast<std::uint16_t>(outGens.size()),
                               static_cast<std::uint16_t>(outMods.size())});
            for (std::size_t i = g.first; i < g.last; ++i) {
                Generator gen = gens[i];
                if (gen.oper == targetOper) gen.amount = retarget.at(gen.amount);
                outGens.push_back(gen);
            }
            const Range m = modulatorsOf(bags, z);
            outMods.insert(outMods.end(), mods.begin() + static_cast<std::ptrdiff_t>(m.first),
                           mods.begin() + static_cast<std::ptrdiff_t>(m.last));
        }
    }
    Header end = headers.back();
    end.firstBag = static_cast<std::uint16_t>(outBags.size());
    outHeaders.push_back(end);
    outBags.push_back(
        {static_cast<std::uint16_t>(outGens.size()), static_cast<std::uint16_t>(outMods.size())});
    outGens.push_back({});
    outMods.push_back({});
}

}  // namespace

SoundFont cutSoundFont(const SoundFont& font, const MidiUsage& usage) {
    std::set<int> drumPrograms, drumNotes;
    for (const auto& [program, note] : usage.drumNotes)
        drumPrograms.insert(program), drumNotes.insert(note);
    if (!drumNotes.empty()) drumPrograms.insert(0);  // the standard kit, where a kit is missing

    // Presets: every bank's preset of a used program; drum kits only for their used notes.
    const std::size_t presetCount = font.presets.size() - 1;
    std::vector<bool> keepPreset(presetCount);
    std::vector<const std::set<int>*> presetNotes(presetCount, nullptr);
    for (std::size_t p = 0; p < presetCount; ++p) {
        const PresetHeader& h = font.presets[p];
        const bool drums = h.bank == kDrumBank;
        keepPreset[p] =
            drums ? drumPrograms.count(h.program) > 0 : usage.programs.count(h.program) > 0;
        if (drums) presetNotes[p] = &drumNotes;
    }
    // Instruments those presets' kept zones reach; a drum kit's only for its used notes.
    const std::size_t instrumentCount = font.instruments.size() - 1;
    std::vector<bool> keepInstrument(instrumentCount);
    std::vector<const std::set<int>*> instrumentNotes(instrumentCount, &drumNotes);
    for (std::size_t p = 0; p < presetCount; ++p) {
        if (!keepPreset[p]) continue;
        const Range zones = zonesOf(font.presets, p);
        for (std::size_t z = zones.first; z < zones.last; ++z) {
            const Range g = generatorsOf(font.presetBags, z);
            const auto instrument = target(font.presetGenerators, g, kGenInstrument);
            if (!instrument || !playsAny(font.presetGenerators, g, presetNotes[p])) continue;
            keepInstrument[*instrument] = true;
            if (!presetNotes[p]) instrumentNotes[*instrument] = nullptr;
        }
    }
    // Samples the kept instrument zones reach, and their stereo partners.
    const std::size_t sampleCount = font.sampleHeaders.size() - 1;
    std::vector<bool> keepSample(sampleCount);
    for (std::size_t i = 0; i < instrumentCount; ++i) {
        if (!keepInstrument[i]) continue;
        const Range zones = zonesOf(font.instruments, i);
        for (std::size_t z = zones.first; z < zones.last; ++z) {
            const Range g = generatorsOf(font.instrumentBags, z);
            const auto sample = target(font.instrumentGenerators, g, kGenSampleId);
            if (!sample || !playsAny(font.instrumentGenerators, g, instrumentNotes[i])) continue;
            keepSample[*sample] = true;
            if (font.sampleHeaders[*sample].link < sampleCount)
                keepSample[font.sampleHeaders[*sample].link] = true;
        }
    }

    SoundFont cut;
    cut.info = font.info;
    std::map<std::uint16_t, std::uint16_t> newSample, newInstrument;
    for (std::size_t s = 0; s < sampleCount; ++s)
        if (keepSample[s])
            newSample[static_cast<std::uint16_t>(s)] = static_cast<std::uint16_t>(newSample.size());
    for (std::size_t i = 0; i < instrumentCount; ++i)
        if (keepInstrument[i])
            newInstrument[static_cast<std::uint16_t>(i)] =
                static_cast<std::uint16_t>(newInstrument.size());
    // Sample data: each kept sample's points with its loop, then the silent gap.
    for (std::size_t s = 0; s < sampleCount; ++s) {
        if (!keepSample[s]) continue;
        SampleHeader h = font.sampleHeaders[s];
        const std::uint32_t from = std::min(h.start, h.loopStart);
        const std::uint32_t to = std::max(h.end, h.loopEnd);
        const auto at = static_cast<std::uint32_t>(cut.samples.size());
        cut.samples.insert(cut.samples.end(), font.samples.begin() + from,
                           font.samples.begin() + to);
        if (!font.samples24.empty())
            cut.samples24.insert(cut.samples24.end(), font.samples24.begin() + from,
                                 font.samples24.begin() + to);
        cut.samples.resize(cut.samples.size() + kSampleGap);
        if (!font.samples24.empty()) cut.samples24.resize(cut.samples.size());
        h.start = h.start - from + at, h.end = h.end - from + at;
        h.loopStart = h.loopStart - from + at, h.loopEnd = h.loopEnd - from + at;
        if (h.link < sampleCount) h.link = newSample.count(h.link) ? newSample[h.link] : 0;
        cut.sampleHeaders.push_back(h);
    }
    cut.sampleHeaders.push_back(font.sampleHeaders.back());
    copyZones(font.instruments, font.instrumentBags, font.instrumentGenerators,
              font.instrumentModulators, keepInstrument, instrumentNotes, kGenSampleId, newSample,
              cut.instruments, cut.instrumentBags, cut.instrumentGenerators,
              cut.instrumentModulators);
    copyZones(font.presets, font.presetBags, font.presetGenerators, font.presetModulators,
              keepPreset, presetNotes, kGenInstrument, newInstrument, cut.presets, cut.presetBags,
              cut.presetGenerators, cut.presetModulators);
    return cut;
}

}  // namespace sf2
