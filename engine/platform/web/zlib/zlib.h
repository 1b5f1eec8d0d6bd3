#pragma once
// The part of zlib the engine uses (the CRC-32 of saved games), for the page's build.
#include <cstdint>

using uLong = unsigned long;
using uInt = unsigned int;
using Bytef = unsigned char;
#define Z_NULL 0

uLong crc32(uLong crc, const Bytef* buf, uInt len);
