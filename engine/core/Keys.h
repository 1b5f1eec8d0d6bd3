#pragma once
#include <array>
#include <cstdint>

// The eight polled keys, in the order the engine polls them.
enum class Key : int { Up, Down, Left, Right, Shift, Ctrl, Enter, Space };
inline constexpr int kKeyCount = 8;

// A polled key's state for the current frame. Scenes test "pressed or held" as a state of 2 or
// more and "anything but up" as 1 or more, so the values are fixed.
enum KeyState : std::int32_t {
    KEY_UP = 0,
    KEY_RELEASED = 1,  // went up this frame
    KEY_PRESSED = 2,   // went down this frame
    KEY_HELD = 3,
};

// Which keys are down at one moment: bit i is Key i; F12 has its own bit.
using KeyMask = std::uint16_t;
inline constexpr KeyMask kF12Bit = 1u << kKeyCount;
constexpr KeyMask KeyBit(Key k) {
    return static_cast<KeyMask>(1u << static_cast<int>(k));
}

// The next state of one key from its previous state and whether it is down now. A key released
// in one frame and down again in the next counts as held, not pressed.
constexpr KeyState NextKeyState(KeyState previous, bool down) {
    if (down) return previous == KEY_UP ? KEY_PRESSED : KEY_HELD;
    return (previous == KEY_PRESSED || previous == KEY_HELD) ? KEY_RELEASED : KEY_UP;
}

// The eight key states, indexed by Key: engine.Keys[Key::Shift] >= KEY_PRESSED.
struct KeyStates {
    std::array<KeyState, kKeyCount> states{};
    KeyState& operator[](Key k) { return states[static_cast<std::size_t>(k)]; }
    KeyState operator[](Key k) const { return states[static_cast<std::size_t>(k)]; }
};
