#include "engine/core/WaveFile.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/LittleEndian.h"

namespace {

constexpr std::string_view kNotFound = "ウエイブファイルが見つかりません";
constexpr std::string_view kFormatUnreadable = "ウエイブフォーマットを読み込めません";
constexpr std::string_view kBadFormat = "不正なウエイブフォーマットです";
constexpr std::string_view kNoAccess = "ウエイブファイルにアクセスできません";
constexpr std::string_view kNoData = "ウエイブファイルにデータがありません";
constexpr std::string_view kShortData = "ウエイブデータ読み込みに失敗しました";

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmRecord = 16;   // the PCM format record
constexpr std::size_t kFormatRead = 18;  // the record and the two bytes after it
constexpr std::uint16_t kFormatPcm = 1;

struct Chunk {
    std::size_t dataStart = 0;
    std::uint32_t size = 0;
};

bool IdIs(std::span<const std::uint8_t> file, std::size_t at, const char* id) {
    return std::memcmp(file.data() + at, id, 4) == 0;
}

std::uint64_t PaddedEnd(const Chunk& c) {
    return static_cast<std::uint64_t>(c.dataStart) + c.size + (c.size & 1u);
}

}  // namespace

WaveReadResult ReadWave(std::span<const std::uint8_t> file) {
    WaveReadResult result;
    const std::uint64_t fileSize = file.size();

    // The RIFF chunk of form type "WAVE", searched among the top-level chunks.
    std::optional<Chunk> riff;
    for (std::uint64_t at = 0; at + kChunkHeader <= fileSize;) {
        const auto pos = static_cast<std::size_t>(at);
        const Chunk c{pos + kChunkHeader, kit::readU32LE(file, pos + 4)};
        if (IdIs(file, pos, "RIFF") && at + 12 <= fileSize && IdIs(file, pos + 8, "WAVE")) {
            riff = c;
            break;
        }
        at = PaddedEnd(c);
    }
    if (!riff) return {kNotFound, {}, {}};

    // The chunk right after the form type must be "fmt ".
    const std::uint64_t fmtHeader = riff->dataStart + 4;
    if (fmtHeader + kChunkHeader > fileSize ||
        !IdIs(file, static_cast<std::size_t>(fmtHeader), "fmt "))
        return {kNotFound, {}, {}};
    const Chunk fmt{static_cast<std::size_t>(fmtHeader) + kChunkHeader,
                    kit::readU32LE(file, static_cast<std::size_t>(fmtHeader) + 4)};

    if (fmt.dataStart + kFormatRead > fileSize) return {kFormatUnreadable, {}, {}};
    const std::size_t f = fmt.dataStart;
    WaveFormat& format = result.format;
    const std::uint16_t tag = kit::readU16LE(file, f);
    format.channels = kit::readU16LE(file, f + 2);
    format.sampleRate = kit::readU32LE(file, f + 4);
    format.avgBytesPerSec = kit::readU32LE(file, f + 8);
    format.blockAlign = kit::readU16LE(file, f + 12);
    format.bitsPerSample = kit::readU16LE(file, f + 14);
    // Only plain 8- or 16-bit PCM in one or two channels can be played; a format chunk too short
    // to hold the PCM record would have its fields read from the next chunk.
    if (tag != kFormatPcm || fmt.size < kPcmRecord || format.channels < 1 || format.channels > 2 ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16) || format.sampleRate == 0)
        return {kBadFormat, {}, {}};

    // Ascend out of the format chunk.
    if (PaddedEnd(fmt) > fileSize) return {kNoAccess, {}, {}};

    // Search "data" from there to the end of the RIFF chunk.
    const std::uint64_t riffEnd = std::min<std::uint64_t>(PaddedEnd(*riff), fileSize);
    std::optional<Chunk> data;
    for (std::uint64_t at = PaddedEnd(fmt); at + kChunkHeader <= riffEnd;) {
        const auto pos = static_cast<std::size_t>(at);
        const Chunk c{pos + kChunkHeader, kit::readU32LE(file, pos + 4)};
        if (IdIs(file, pos, "data")) {
            data = c;
            break;
        }
        at = PaddedEnd(c);
    }
    if (!data) return {kNoData, {}, {}};

    if (static_cast<std::uint64_t>(data->dataStart) + data->size > fileSize)
        return {kShortData, {}, {}};
    result.data.assign(file.begin() + static_cast<std::ptrdiff_t>(data->dataStart),
                       file.begin() + static_cast<std::ptrdiff_t>(data->dataStart + data->size));
    return result;
}
