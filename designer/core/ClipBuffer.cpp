#include "designer/core/ClipBuffer.h"

#include <algorithm>

#include "common/LittleEndian.h"

namespace kyrel {

namespace {

constexpr std::size_t kBufferBytes = kCurvePoints * 4;  // 8808
constexpr std::size_t kStartXAt = 8808;
constexpr std::size_t kLengthAt = 8816;
constexpr int kExtraPoints = 256;

}  // namespace

void copySelectionToBuffer(ClipBuffer& buffer, const Curve& curve, int start, int end) {
    if (start < 0) return;
    const int last = end - start + kExtraPoints;
    for (int i = 0; i <= last && i < kCurvePoints && start + i < kCurvePoints; ++i)
        buffer[static_cast<std::size_t>(i)] = curve[static_cast<std::size_t>(start + i)];
}

void writeBufferToCurve(const ClipBuffer& buffer, Curve& curve, int start, int end) {
    for (int i = 0; i <= end - start && i < kCurvePoints; ++i) {
        const int at = start + i;
        if (at < 0 || at >= kCurvePoints) continue;
        curve[static_cast<std::size_t>(at)] = buffer[static_cast<std::size_t>(i)];
    }
}

std::vector<std::uint8_t> encodeClipBlock(const ClipBuffer& buffer, std::int32_t length) {
    std::vector<std::uint8_t> out;
    out.reserve(kClipBlockBytes);
    for (std::int32_t v : buffer) kit::appendI32LE(out, v);
    kit::appendI32LE(out, 0);  // start x
    kit::appendI32LE(out, 0);  // start y
    kit::appendI32LE(out, length);
    kit::appendI32LE(out, 0);  // end y
    out.resize(kClipBlockBytes, 0);
    return out;
}

std::optional<DecodedClipBlock> decodeClipBlock(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kLengthAt + 4) return std::nullopt;
    DecodedClipBlock block;
    for (std::size_t i = 0; i < block.buffer.size(); ++i)
        block.buffer[i] = kit::readI32LE(bytes, i * 4);
    block.startX = std::clamp(kit::readI32LE(bytes, kStartXAt), 0, kCurvePoints - 1);
    block.endX = std::clamp(kit::readI32LE(bytes, kLengthAt), 0, kCurvePoints - 1);
    static_assert(kBufferBytes == kStartXAt);
    return block;
}

}  // namespace kyrel
