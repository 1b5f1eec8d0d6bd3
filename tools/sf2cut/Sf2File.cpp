#include "tools/sf2cut/Sf2File.h"

#include <cstring>
#include <map>

namespace sf2 {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// The chunks of one list: id -> contents.
using Chunks = std::multimap<std::string, std::span<const std::uint8_t>>;

bool splitChunks(std::span<const std::uint8_t> body, Chunks& chunks, std::string& error) {
    std::size_t at = 0;
    while (at + 8 <= body.size()) {
        const std::string id(reinterpret_cast<const char*>(&body[at]), 4);
        const std::uint32_t size = le32(&body[at + 4]);
        if (size > body.size() - at - 8) {
            error = "chunk " + id + " runs past the end of the file";
            return false;
        }
        chunks.emplace(id, body.subspan(at + 8, size));
        at += 8 + size + (size & 1);
    }
    return true;
}

// A list chunk "LIST" of the given type among `chunks`.
bool findList(const Chunks& chunks, const char* type, std::span<const std::uint8_t>& body) {
    auto [first, last] = chunks.equal_range("LIST");
    for (auto it = first; it != last; ++it)
        if (it->second.size() >= 4 && std::memcmp(it->second.data(), type, 4) == 0) {
            body = it->second.subspan(4);
            return true;
        }
    return false;
}

template <typename Record, typename Decode>
bool readRecords(const Chunks& chunks, const char* id, std::size_t size, std::vector<Record>& out,
                 Decode decode, std::string& error) {
    const auto it = chunks.find(id);
    if (it == chunks.end() || it->second.size() % size != 0 || it->second.size() < size) {
        error = std::string("the ") + id + " list is missing or not whole records";
        return false;
    }
    out.resize(it->second.size() / size);
    for (std::size_t i = 0; i < out.size(); ++i) decode(it->second.data() + i * size, out[i]);
    return true;
}

void decodeBag(const std::uint8_t* p, Bag& bag) {
    bag.firstGenerator = le16(p);
    bag.firstModulator = le16(p + 2);
}
void decodeGenerator(const std::uint8_t* p, Generator& gen) {
    gen.oper = le16(p);
    gen.amount = le16(p + 2);
}
void decodeModulator(const std::uint8_t* p, Modulator& mod) {
    std::memcpy(mod.bytes, p, 10);
}
void decodePreset(const std::uint8_t* p, PresetHeader& h) {
    std::memcpy(h.name, p, 20);
    h.program = le16(p + 20);
    h.bank = le16(p + 22);
    h.firstBag = le16(p + 24);
    h.library = le32(p + 26);
    h.genre = le32(p + 30);
    h.morphology = le32(p + 34);
}
void decodeInstrument(const std::uint8_t* p, InstrumentHeader& h) {
    std::memcpy(h.name, p, 20);
    h.firstBag = le16(p + 20);
}
void decodeSample(const std::uint8_t* p, SampleHeader& h) {
    std::memcpy(h.name, p, 20);
    h.start = le32(p + 20);
    h.end = le32(p + 24);
    h.loopStart = le32(p + 28);
    h.loopEnd = le32(p + 32);
    h.sampleRate = le32(p + 36);
    h.originalPitch = p[40];
    h.pitchCorrection = static_cast<std::int8_t>(p[41]);
    h.link = le16(p + 42);
    h.type = le16(p + 44);
}

// Headers' first bags and bags' first records rise, and stay within the lists they index.
template <typename Header>
bool checkFirstBags(const std::vector<Header>& headers, std::size_t bags, const char* what,
                    std::string& error) {
    for (std::size_t i = 0; i < headers.size(); ++i)
        if (headers[i].firstBag >= bags ||
            (i > 0 && headers[i].firstBag < headers[i - 1].firstBag)) {
            error = std::string("the ") + what + " list's zones are out of order";
            return false;
        }
    return true;
}
bool checkBags(const std::vector<Bag>& bags, std::size_t generators, std::size_t modulators,
               const char* what, std::string& error) {
    for (std::size_t i = 0; i < bags.size(); ++i)
        if (bags[i].firstGenerator >= generators || bags[i].firstModulator >= modulators ||
            (i > 0 && (bags[i].firstGenerator < bags[i - 1].firstGenerator ||
                       bags[i].firstModulator < bags[i - 1].firstModulator))) {
            error = std::string("the ") + what + " zones' lists are out of order";
            return false;
        }
    return true;
}
bool checkIndexes(const std::vector<Generator>& generators, std::uint16_t oper, std::size_t limit,
                  const char* what, std::string& error) {
    for (const Generator& gen : generators)
        if (gen.oper == oper && gen.amount >= limit) {
            error = std::string("a zone names ") + what + " that does not exist";
            return false;
        }
    return true;
}

}  // namespace

bool readSoundFont(std::span<const std::uint8_t> bytes, SoundFont& font, std::string& error) {
    font = {};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "sfbk", 4) != 0) {
        error = "not a SoundFont 2 file (no RIFF sfbk header)";
        return false;
    }
    const std::uint32_t riffSize = le32(bytes.data() + 4);
    if (riffSize < 4 || riffSize > bytes.size() - 8) {
        error = "the file ends before its RIFF chunk does";
        return false;
    }
    Chunks top, sdta, pdta;
    std::span<const std::uint8_t> info, sdtaBody, pdtaBody;
    if (!splitChunks(bytes.subspan(12, riffSize - 4), top, error)) return false;
    if (!findList(top, "sdta", sdtaBody) || !findList(top, "pdta", pdtaBody)) {
        error = "the sdta or pdta list is missing";
        return false;
    }
    if (findList(top, "INFO", info)) font.info.assign(info.begin(), info.end());
    if (!splitChunks(sdtaBody, sdta, error) || !splitChunks(pdtaBody, pdta, error)) return false;
    const auto smpl = sdta.find("smpl");
    if (smpl != sdta.end()) {
        font.samples.resize(smpl->second.size() / 2);
        for (std::size_t i = 0; i < font.samples.size(); ++i)
            font.samples[i] = static_cast<std::int16_t>(le16(smpl->second.data() + 2 * i));
    }
    if (const auto sm24 = sdta.find("sm24"); sm24 != sdta.end()) {
        if (sm24->second.size() < font.samples.size()) {
            error = "the sm24 chunk is shorter than the samples";
            return false;
        }
        font.samples24.assign(sm24->second.begin(), sm24->second.begin() + font.samples.size());
    }
    if (!readRecords(pdta, "phdr", 38, font.presets, decodePreset, error) ||
        !readRecords(pdta, "pbag", 4, font.presetBags, decodeBag, error) ||
        !readRecords(pdta, "pmod", 10, font.presetModulators, decodeModulator, error) ||
        !readRecords(pdta, "pgen", 4, font.presetGenerators, decodeGenerator, error) ||
        !readRecords(pdta, "inst", 22, font.instruments, decodeInstrument, error) ||
        !readRecords(pdta, "ibag", 4, font.instrumentBags, decodeBag, error) ||
        !readRecords(pdta, "imod", 10, font.instrumentModulators, decodeModulator, error) ||
        !readRecords(pdta, "igen", 4, font.instrumentGenerators, decodeGenerator, error) ||
        !readRecords(pdta, "shdr", 46, font.sampleHeaders, decodeSample, error))
        return false;
    if (!checkFirstBags(font.presets, font.presetBags.size(), "preset", error) ||
        !checkFirstBags(font.instruments, font.instrumentBags.size(), "instrument", error) ||
        !checkBags(font.presetBags, font.presetGenerators.size(), font.presetModulators.size(),
                   "preset", error) ||
        !checkBags(font.instrumentBags, font.instrumentGenerators.size(),
                   font.instrumentModulators.size(), "instrument", error) ||
        !checkIndexes(font.presetGenerators, kGenInstrument, font.instruments.size() - 1,
                      "an instrument", error) ||
        !checkIndexes(font.instrumentGenerators, kGenSampleId, font.sampleHeaders.size() - 1,
                      "a sample", error))
        return false;
    for (const SampleHeader& s : font.sampleHeaders) {
        if (&s == &font.sampleHeaders.back()) break;  // EOS holds no sample
        if (s.start > s.end || s.end > font.samples.size() || s.loopStart > s.loopEnd ||
            s.loopEnd > font.samples.size() || s.link >= font.sampleHeaders.size()) {
            error = "sample \"" + std::string(s.name, strnlen(s.name, 20)) +
                    "\" lies outside the sample data";
            return false;
        }
    }
    return true;
}

namespace {

struct Writer {
    std::vector<std::uint8_t> out;
    void u8(std::uint8_t v) { out.push_back(v); }
    void u16(std::uint16_t v) { u8(v & 0xFF), u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(static_cast<std::uint16_t>(v >> 16)); }
    void text(const char* p, std::size_t n) { out.insert(out.end(), p, p + n); }
    // Opens a chunk; close() fills in its size and pads it to an even length.
    std::size_t open(const char* id) {
        text(id, 4);
        u32(0);
        return out.size();
    }
    void close(std::size_t body) {
        const std::uint32_t size = static_cast<std::uint32_t>(out.size() - body);
        for (int i = 0; i < 4; ++i) out[body - 4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        if (size & 1) u8(0);
    }
};

void writeBags(Writer& w, const char* id, const std::vector<Bag>& bags) {
    const std::size_t c = w.open(id);
    for (const Bag& b : bags) w.u16(b.firstGenerator), w.u16(b.firstModulator);
    w.close(c);
}
void writeGenerators(Writer& w, const char* id, const std::vector<Generator>& gens) {
    const std::size_t c = w.open(id);
    for (const Generator& g : gens) w.u16(g.oper), w.u16(g.amount);
    w.close(c);
}
void writeModulators(Writer& w, const char* id, const std::vector<Modulator>& mods) {
    const std::size_t c = w.open(id);
    for (const Modulator& m : mods) w.text(reinterpret_cast<const char*>(m.bytes), 10);
    w.close(c);
}

}  // namespace

std::vector<std::uint8_t> writeSoundFont(const SoundFont& font) {
    Writer w;
    const std::size_t riff = w.open("RIFF");
    w.text("sfbk", 4);
    std::size_t list = w.open("LIST");
    w.text("INFO", 4);
    w.text(reinterpret_cast<const char*>(font.info.data()), font.info.size());
    w.close(list);
    list = w.open("LIST");
    w.text("sdta", 4);
    std::size_t c = w.open("smpl");
    for (const std::int16_t s : font.samples) w.u16(static_cast<std::uint16_t>(s));
    w.close(c);
    if (!font.samples24.empty()) {
        c = w.open("sm24");
        w.text(reinterpret_cast<const char*>(font.samples24.data()), font.samples24.size());
        w.close(c);
    }
    w.close(list);
    list = w.open("LIST");
    w.text("pdta", 4);
    c = w.open("phdr");
    for (const PresetHeader& h : font.presets) {
        w.text(h.name, 20);
        w.u16(h.program), w.u16(h.bank), w.u16(h.firstBag);
        w.u32(h.library), w.u32(h.genre), w.u32(h.morphology);
    }
    w.close(c);
    writeBags(w, "pbag", font.presetBags);
    writeModulators(w, "pmod", font.presetModulators);
    writeGenerators(w, "pgen", font.presetGenerators);
    c = w.open("inst");
    for (const InstrumentHeader& h : font.instruments) w.text(h.name, 20), w.u16(h.firstBag);
    w.close(c);
    writeBags(w, "ibag", font.instrumentBags);
    writeModulators(w, "imod", font.instrumentModulators);
    writeGenerators(w, "igen", font.instrumentGenerators);
    c = w.open("shdr");
    for (const SampleHeader& h : font.sampleHeaders) {
        w.text(h.name, 20);
        w.u32(h.start), w.u32(h.end), w.u32(h.loopStart), w.u32(h.loopEnd), w.u32(h.sampleRate);
        w.u8(h.originalPitch), w.u8(static_cast<std::uint8_t>(h.pitchCorrection));
        w.u16(h.link), w.u16(h.type);
    }
    w.close(c);
    w.close(list);
    w.close(riff);
    return w.out;
}

}  // namespace sf2
