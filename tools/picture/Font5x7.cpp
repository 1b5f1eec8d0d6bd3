#include "tools/picture/Font5x7.h"

namespace tools {
namespace {

const char* const kGlyph0[7] = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
const char* const kGlyph1[7] = {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."};
const char* const kGlyph2[7] = {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."};
const char* const kGlyph3[7] = {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."};
const char* const kGlyph4[7] = {"#####", "#....", "#....", "####.", "#....", "#....", "#####"};
const char* const kGlyph5[7] = {"#####", "#....", "#....", "####.", "#....", "#....", "#...."};
const char* const kGlyph6[7] = {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"};
const char* const kGlyph7[7] = {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
const char* const kGlyph8[7] = {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."};
const char* const kGlyph9[7] = {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."};
const char* const kGlyph10[7] = {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
const char* const kGlyph11[7] = {"#....", "#....", "#....", "#....", "#....", "#....", "#####"};
const char* const kGlyph12[7] = {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"};
const char* const kGlyph13[7] = {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"};
const char* const kGlyph14[7] = {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
const char* const kGlyph15[7] = {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."};
const char* const kGlyph16[7] = {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"};
const char* const kGlyph17[7] = {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
const char* const kGlyph18[7] = {".####", "#....", "#....", ".###.", "....#", "....#", "####."};
const char* const kGlyph19[7] = {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
const char* const kGlyph20[7] = {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
const char* const kGlyph21[7] = {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."};
const char* const kGlyph22[7] = {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."};
const char* const kGlyph23[7] = {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"};
const char* const kGlyph24[7] = {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."};
const char* const kGlyph25[7] = {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"};
const char* const kGlyph26[7] = {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."};
const char* const kGlyph27[7] = {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
const char* const kGlyph28[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
const char* const kGlyph29[7] = {"####.", "....#", "....#", ".###.", "....#", "....#", "####."};
const char* const kGlyph30[7] = {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."};
const char* const kGlyph31[7] = {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."};
const char* const kGlyph32[7] = {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."};
const char* const kGlyph33[7] = {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."};
const char* const kGlyph34[7] = {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."};
const char* const kGlyph35[7] = {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."};
const char* const kGlyph36[7] = {".....", ".....", ".....", ".....", ".....", ".....", "....."};
const char* const kGlyph37[7] = {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."};
const char* const kGlyph38[7] = {".....", ".....", ".....", ".###.", ".....", ".....", "....."};
const char* const kGlyph39[7] = {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."};
const char* const kGlyph40[7] = {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."};

}  // namespace

const char* const* glyph5x7(char c) {
    switch (c) {
        case 'A':
            return kGlyph0;
        case 'B':
            return kGlyph1;
        case 'C':
            return kGlyph2;
        case 'D':
            return kGlyph3;
        case 'E':
            return kGlyph4;
        case 'F':
            return kGlyph5;
        case 'G':
            return kGlyph6;
        case 'H':
            return kGlyph7;
        case 'I':
            return kGlyph8;
        case 'J':
            return kGlyph9;
        case 'K':
            return kGlyph10;
        case 'L':
            return kGlyph11;
        case 'M':
            return kGlyph12;
        case 'N':
            return kGlyph13;
        case 'O':
            return kGlyph14;
        case 'P':
            return kGlyph15;
        case 'Q':
            return kGlyph16;
        case 'R':
            return kGlyph17;
        case 'S':
            return kGlyph18;
        case 'T':
            return kGlyph19;
        case 'U':
            return kGlyph20;
        case 'V':
            return kGlyph21;
        case 'W':
            return kGlyph22;
        case 'X':
            return kGlyph23;
        case 'Y':
            return kGlyph24;
        case 'Z':
            return kGlyph25;
        case '0':
            return kGlyph26;
        case '1':
            return kGlyph27;
        case '2':
            return kGlyph28;
        case '3':
            return kGlyph29;
        case '4':
            return kGlyph30;
        case '5':
            return kGlyph31;
        case '6':
            return kGlyph32;
        case '7':
            return kGlyph33;
        case '8':
            return kGlyph34;
        case '9':
            return kGlyph35;
        case ' ':
            return kGlyph36;
        case '.':
            return kGlyph37;
        case '-':
            return kGlyph38;
        case '!':
            return kGlyph39;
        case '\'':
            return kGlyph40;
        default:
            return nullptr;
    }
}

}  // namespace tools
