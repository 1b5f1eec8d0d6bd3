#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The fuzzer's bytes seen as text or as a byte span.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline std::span<const std::uint8_t> AsBytes(const std::uint8_t* data, std::size_t size) {
    return {data, size};
}

// Stops the run so libFuzzer (or the replay test) reports the input: a broken promise of the
// code under test, not a crash it made by itself.
[[noreturn]] inline void FuzzFailure() {
    __builtin_trap();
}
