#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// Brightness levels 0..32 of every 5-5-5 colour: entry (L, c) has each channel of c multiplied by
// L and divided by 32, rounded down; bit 15 of c is ignored. Level 32 is the identity, level 0
// black. ShadeOf(32 - L, a) + ShadeOf(L, b) never carries between channels, so a blend is one
// addition of two entries.
inline constexpr int kShadeLevels = 33;

constexpr std::uint16_t ShadeOf(int level, std::uint16_t c) {
    const unsigned l = static_cast<unsigned>(level);
    const unsigned r = (((c >> 10) & 31u) * l) >> 5;
    const unsigned g = (((c >> 5) & 31u) * l) >> 5;
    const unsigned b = ((c & 31u) * l) >> 5;
    return static_cast<std::uint16_t>((r << 10) | (g << 5) | b);
}

class BrightnessTable {
  public:
    // Makes all 33 x 65536 entries (about 4 MB) available. They never change, so every table
    // of the process shares one copy, computed the first time.
    void Build();
    bool Built() const { return entries_ != nullptr; }
    std::uint16_t operator()(int level, std::uint16_t c) const {
        return (*entries_)[static_cast<std::size_t>(level) * 65536u + c];
    }
    const std::uint16_t* Level(int level) const {
        return entries_->data() + static_cast<std::size_t>(level) * 65536u;
    }

  private:
    std::shared_ptr<const std::vector<std::uint16_t>> entries_;
};
