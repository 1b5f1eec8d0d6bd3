#pragma once
#include <cstdint>
#include <vector>

class CDib;

// Rows top..top+height-1 of a 5-5-5 picture as 8-bit RGB triples, each 5-bit channel widened by
// repeating its top bits (so white stays 255): the pixels of every picture the engine writes out.
// Empty when the rows are not all inside the picture.
std::vector<std::uint8_t> ToRgb24(const CDib& picture, int top, int height);
