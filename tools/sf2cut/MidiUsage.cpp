#include "tools/sf2cut/MidiUsage.h"

#include <array>
#include <cstring>

namespace sf2 {
namespace {

constexpr int kDrumChannel = 9;

std::uint32_t be32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Reads a variable-length number; false when it runs past `end` or is longer than four bytes.
bool readNumber(const std::uint8_t*& at, const std::uint8_t* end, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at == end) return false;
        const std::uint8_t byte = *at++;
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
    }
    return false;
}

bool scanTrack(const std::uint8_t* at, const std::uint8_t* end, MidiUsage& usage) {
    std::array<int, 16> program{};
    std::uint8_t status = 0;
    while (at < end) {
        std::uint32_t delta = 0, length = 0;
        if (!readNumber(at, end, delta) || at == end) return false;
        if (*at & 0x80) status = *at++;
        if (status == 0xFF) {  // meta event: type, length, data
            if (at == end) return false;
            ++at;
            if (!readNumber(at, end, length) || length > static_cast<std::size_t>(end - at))
                return false;
            at += length;
            status = 0;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {  // system exclusive
            if (!readNumber(at, end, length) || length > static_cast<std::size_t>(end - at))
                return false;
            at += length;
            status = 0;
            continue;
        }
        if (status < 0x80 || status > 0xEF) return false;  // data without a running status
        const int kind = status >> 4, channel = status & 0x0F;
        const int dataBytes = (kind == 0xC || kind == 0xD) ? 1 : 2;
        if (end - at < dataBytes) return false;
        const int first = at[0] & 0x7F, second = dataBytes == 2 ? (at[1] & 0x7F) : 0;
        at += dataBytes;
        if (kind == 0xC) program[channel] = first;
        if (kind == 0x9 && second > 0) {
            if (channel == kDrumChannel)
                usage.drumNotes.insert({program[channel], first});
            else
                usage.programs.insert(program[channel]);
        }
    }
    return true;
}

}  // namespace

bool scanMidi(std::span<const std::uint8_t> bytes, MidiUsage& usage, std::string& error) {
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) {
        error = "not a standard MIDI file";
        return false;
    }
    std::size_t at = 8 + be32(bytes.data() + 4);
    while (at < bytes.size()) {
        if (bytes.size() - at < 8 || at < 8) {
            error = "the file ends inside a chunk header";
            return false;
        }
        const std::uint32_t size = be32(bytes.data() + at + 4);
        if (size > bytes.size() - at - 8) {
            error = "a track runs past the end of the file";
            return false;
        }
        const std::uint8_t* body = bytes.data() + at + 8;
        if (std::memcmp(bytes.data() + at, "MTrk", 4) == 0 &&
            !scanTrack(body, body + size, usage)) {
            error = "a track's events are damaged";
            return false;
        }
        at += 8 + size;
    }
    return true;
}

}  // namespace sf2
