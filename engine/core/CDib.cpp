#include "engine/core/CDib.h"

#include <SDL.h>

#include <fstream>
#include <iterator>

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

std::vector<char> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Decodes a BMP file with SDL's decoder into `dib`, keeping the top five bits of each channel.
bool DecodeBmp(const std::vector<char>& bytes, CDib& dib) {
    if (bytes.empty()) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (!loaded) return false;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) return false;
    bool ok = dib.Create(rgb->w, rgb->h);
    if (ok && SDL_LockSurface(rgb) == 0) {
        for (int y = 0; y < rgb->h; ++y) {
            const auto* src = reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch);
            std::uint16_t* dst = dib.Row(y);
            for (int x = 0; x < rgb->w; ++x) {
                const std::uint32_t p = src[x];
                dst[x] = Rgb555(static_cast<std::uint8_t>(p >> 16),
                                static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
            }
        }
        SDL_UnlockSurface(rgb);
    } else {
        ok = false;
        dib.Destroy();
    }
    SDL_FreeSurface(rgb);
    return ok;
}

}  // namespace

bool CDib::LoadFile(Engine& engine, std::string_view name) {
    Destroy();
    std::string fileName(name);
    fileName += ".qdg";
    if (DecodeBmp(ReadWholeFile(AssetPath(engine, fileName)), *this)) return true;
    Destroy();
    return ErrorBox(engine, Sjis("CDib::LoadFile : えら～\n\n") + std::string(name));
}
