#include "engine/core/CDib.h"

#include <span>

#include "common/LittleEndian.h"
#include "common/WholeFile.h"
#include "engine/core/BmpDecode.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"

bool CDib::Create(int width, int height) {
    Destroy();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    width_ = width;
    height_ = height;
    stride_ = 2 * (width + (width & 1));
    rowOffsets_.resize(static_cast<std::size_t>(height));
    for (int i = 0; i < height; ++i) rowOffsets_[static_cast<std::size_t>(i)] = i * stride_;
    pixels_.assign(static_cast<std::size_t>(stride_ / 2) * static_cast<std::size_t>(height), 0);
    return true;
}

void CDib::Destroy() {
    width_ = height_ = stride_ = 0;
    rowOffsets_.clear();
    rowOffsets_.shrink_to_fit();
    pixels_.clear();
    pixels_.shrink_to_fit();
}

namespace {

// The size a BMP header declares, checked before the decoder allocates a picture for it: a
// damaged header of a few bytes must not make the decoder take gigabytes. Uncompressed rows must
// also be in the file (the decoder would fail on them after the allocation).
bool PlausibleBmpHeader(std::span<const std::uint8_t> b) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return false;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;
    if (kit::readU32LE(b, 14) == 12) {  // the old core header: 16-bit sizes
        width = kit::readU16LE(b, 18);
        height = kit::readU16LE(b, 20);
        bits = kit::readU16LE(b, 24);
    } else {
        if (b.size() < 34) return false;
        width = kit::readI32LE(b, 18);
        height = kit::readI32LE(b, 22);
        bits = kit::readU16LE(b, 28);
        compression = kit::readU32LE(b, 30);
    }
    if (height < 0) height = -height;  // top-down rows
    if (width <= 0 || height == 0 || width > CDib::kMaxSide || height > CDib::kMaxSide)
        return false;
    constexpr std::uint32_t kRgb = 0, kBitFields = 3;
    if (compression == kRgb || compression == kBitFields) {
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
        const std::uint64_t offset = kit::readU32LE(b, 10);
        if (offset > b.size() || rowBytes * static_cast<std::uint64_t>(height) > b.size() - offset)
            return false;
    }
    return true;
}

}  // namespace

bool CDib::Decode(std::span<const std::uint8_t> bytes) {
    Destroy();
    return PlausibleBmpHeader(bytes) && DecodeBmp(bytes, *this);
}

bool CDib::LoadFile(Engine& engine, std::string_view name) {
    Destroy();
    std::string fileName(name);
    fileName += ".qdg";
    const auto bytes = kit::readWholeFile(AssetPath(engine, fileName));
    ChargeFileLoad(engine.Scripts, bytes ? bytes->size() : 0, kPictureByteWork);
    if (bytes && Decode(*bytes)) return true;
    Destroy();
    ErrorBox(engine, Sjis("CDib::LoadFile : えら～\n\n") + std::string(name));
    NoteLoadFailure(engine, fileName);
    return false;
}
