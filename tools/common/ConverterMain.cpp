#include "tools/common/ConverterMain.h"

#include <cstdio>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"

namespace tools {

std::optional<std::string> readInputFile(const char* tool, const std::string& path) {
    const auto bytes = kit::readWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "%s: cannot read %s\n", tool, path.c_str());
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

int writeOutputFile(const char* tool, const std::string& path,
                    std::span<const std::uint8_t> bytes) {
    if (auto why = kit::writeFileAtomically(path, bytes); !why.empty()) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", tool, path.c_str(), why.c_str());
        return kConversionFailed;
    }
    return 0;
}

int convertFile(const char* tool, const std::string& in, const std::string& out,
                const Conversion& convert) {
    const auto text = readInputFile(tool, in);
    if (!text) return kConversionFailed;
    std::vector<std::uint8_t> bytes;
    if (auto error = convert(*text, bytes); !error.empty()) {
        std::fprintf(stderr, "%s: %s: %s\n", tool, in.c_str(), error.c_str());
        return kConversionFailed;
    }
    return writeOutputFile(tool, out, bytes);
}

int usageError(const char* usage) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return kUsageError;
}

}  // namespace tools
