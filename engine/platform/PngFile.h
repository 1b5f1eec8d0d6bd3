#pragma once
#include <filesystem>
#include <string>

class CDib;

// Writes rows top..top+height-1 of a 5-5-5 picture as an 8-bit RGB PNG file (written whole or
// not at all). Returns an empty string on success, otherwise the reason.
std::string WritePng(const std::filesystem::path& path, const CDib& picture, int top, int height);
