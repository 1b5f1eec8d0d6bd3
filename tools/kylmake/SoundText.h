#pragma once
#include <string>
#include <string_view>

#include "designer/core/SoundDesign.h"

namespace tools {

// Reads a sound effect described as text and fills a Kyrel document with it. Lines, '#' starting
// a comment:
//   duration MS                 length of the sound, 1..30000 ms
//   format RATE BITS CHANNELS   11025|22050|44100, 8|16, 1|2
//   pitch linear|square         how the frequency curve maps to Hz
//   track N                     starts describing track N (1..6) and marks it used
//     volume V                  the track's volume, 0..127
//     wave SHAPE [AMOUNT%]      one oscillator period: sine, square, saw, triangle or noise
//     hz T:F T:F ...            the frequency in Hz at moments T (percent of the duration),
//                               straight lines between them
//     loud T:P ...              loudness in percent (0..100)
//     pan T:P ...               stereo position, -100 (left) .. 100 (right)
//     spread FREQ VOLUME WAVE   random dispersion of the three, 0..127 each
// Returns an error naming the line, or "".
std::string makeSound(std::string_view text, kyrel::SoundDesign& design);

}  // namespace tools
