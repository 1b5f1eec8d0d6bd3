#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// A true-colour picture; (0, 0, 0) is the engine's transparent colour.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row from the top

    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads a picture written as text. Lines, '#' starting a comment line:
//   size W H                      first directive: the picture's size (at most 1024 x 1024)
//   include FILE                  reads further lines (colours, shared drawings) from FILE
//   colour C RRGGBB               the character C stands for that colour; '.' is (0,0,0) by default
//   fill X Y W H C                fills a rectangle
//   at X Y                        the rows that follow (up to an empty line or the next
//                                 directive) are stamped there; '.' and '_' in a row leave
//                                 the pixel as it is (fill with '.' to clear to transparent)
//   pattern X Y W H               the rows that follow are repeated over the rectangle ('.'
//                                 leaves the pixel)
//   copy SX SY W H DX DY [flipx] [flipy] [recolour AB...]
//                                 copies a block of the picture, mirrored if asked; each pair AB
//                                 of recolour turns colour A of the block into colour B
//   text X Y SCALE INK OUTLINE WORDS...
//                                 capital letters and digits of a built-in 5 x 7 font, with a
//                                 one-pixel outline unless OUTLINE is '-'
//   bands X Y W H C1 C2 ...       a dithered vertical gradient through the colours
//   scatter X Y W H C N SEED      N pixels of colour C spread by a fixed generator
// Included files are looked up relative to `baseDir`. A colour other than (0,0,0) whose channels
// are all below 8 is refused: the engine keeps the top five bits of each channel, so it would draw
// as transparent. Returns an error message naming the line, or an empty string. The path of every
// file read through include is added to `included` when one is given.
std::string parsePicture(std::string_view text, const std::string& baseDir, Picture& out,
                         std::vector<std::string>* included = nullptr);

}  // namespace tools
