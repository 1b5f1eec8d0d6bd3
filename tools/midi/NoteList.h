#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Reads music written as note lists and produces a standard MIDI file (format 1, 96 ticks per
// quarter note). Lines, '#' starting a comment:
//   tempo BPM                          quarter notes per minute (before the first track)
//   track CHANNEL [program P] [volume V] [pan P]
//                                      starts a track on channel 0..15 (9 is percussion)
//   NOTES...                           tokens of the current track, in order:
//     c4/4  f#3/8.  bb2/2  n36/16      a note (name and octave, or n and a key number) and its
//                                      length as a fraction of a whole note, '.' for dotted
//     c4+e4+g4/2                       a chord
//     r/4                              a rest
//     v90                              the velocity of the following notes
//     |                                a bar line (ignored)
//   repeat N: TOKENS...                the tokens of this line N times
// Returns an error naming the line, or "".
std::string makeMidi(std::string_view text, std::vector<std::uint8_t>& out);

}  // namespace tools
