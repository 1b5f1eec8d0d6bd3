#pragma once
#include <cstdint>

namespace kit {

// The kit's one pseudo-random generator: a linear congruential generator whose draws are
// bits 16..30 of the state (0..32767). Games and sound designs replay exactly from a seed,
// so the arithmetic is fixed and never delegated to the C library.
class Random {
  public:
    static constexpr int kMax = 32767;

    explicit Random(std::uint32_t seed = 1) : state_(seed) {}

    void seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t state() const { return state_; }

    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

  private:
    std::uint32_t state_;
};

}  // namespace kit
