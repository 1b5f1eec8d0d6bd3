#include "common/WholeFile.h"

#include <fstream>

namespace kit {

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Read in blocks rather than trusting a size: the file may grow, shrink or be a pipe.
    std::vector<std::uint8_t> bytes;
    char block[65536];
    do {
        in.read(block, sizeof block);
        bytes.insert(bytes.end(), block, block + in.gcount());
    } while (in);
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace kit
