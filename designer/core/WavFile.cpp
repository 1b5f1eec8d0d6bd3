#include "designer/core/WavFile.h"

#include <algorithm>

#include "designer/core/FileWrite.h"

namespace kyrel {

namespace {

// Fills a preallocated header in place.
class HeaderWriter {
  public:
    explicit HeaderWriter(std::uint8_t* at) : at_(at) {}
    void tag(const char (&text)[5]) {
        for (int i = 0; i < 4; ++i) *at_++ = static_cast<std::uint8_t>(text[i]);
    }
    void u16(std::uint16_t v) { bytes(v, 2); }
    void u32(std::uint32_t v) { bytes(v, 4); }

  private:
    void bytes(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i) *at_++ = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::uint8_t* at_;
};

}  // namespace

std::vector<std::uint8_t> wavFileBytes(const PcmFormat& format,
                                       std::span<const std::uint8_t> data) {
    const auto dataLength = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> out(kWavHeaderBytes + data.size());
    HeaderWriter header(out.data());
    header.tag("RIFF");
    header.u32(dataLength + 36);
    header.tag("WAVE");
    header.tag("fmt ");
    header.u32(16);
    header.u16(format.formatTag);
    header.u16(format.channels);
    header.u32(format.samplesPerSecond);
    header.u32(format.averageBytesPerSecond);
    header.u16(format.blockAlign);
    header.u16(format.bitsPerSample);
    header.tag("data");
    header.u32(dataLength);
    std::copy(data.begin(), data.end(), out.begin() + kWavHeaderBytes);
    return out;
}

bool writeWav(KyrelUi& ui, const std::string& path, const PcmFormat& format,
              std::span<const std::uint8_t> data) {
    return writeWholeFile(ui, path, wavFileBytes(format, data));
}

std::string wavOutputName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.size() <= nameStart + 1) return path;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return path;
    return path.substr(0, dot + 1) + "wav";
}

std::string suggestedWavName(const std::string& documentName) {
    const std::size_t dot = documentName.find('.');
    if (dot == std::string::npos) return documentName;
    return documentName.substr(0, dot + 1) + "wav";
}

}  // namespace kyrel
