// The desktop's BMP decoder: SDL's, which also reads the run-length encoded forms.
#include <SDL.h>

#include "engine/core/BmpDecode.h"
#include "engine/core/CDib.h"

bool DecodeBmp(std::span<const std::uint8_t> bytes, CDib& dib) {
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
