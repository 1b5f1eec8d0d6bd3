#pragma once
#include <cstdint>
#include <set>
#include <span>
#include <string>

// What a standard MIDI file plays: the programs its melodic channels sound notes with, and the
// programs and notes of its drum channel (channel 10), so that a sound font can be cut to them.
namespace sf2 {

struct MidiUsage {
    std::set<int> programs;                   // melodic programs, 0..127
    std::set<std::pair<int, int>> drumNotes;  // (drum kit program, note)
};

// Adds what the file in `bytes` plays to `usage`; false with a message for a damaged file.
bool scanMidi(std::span<const std::uint8_t> bytes, MidiUsage& usage, std::string& error);

}  // namespace sf2
