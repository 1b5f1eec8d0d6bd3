#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/core/Keys.h"

// The key script of a replay: lines "FRAME KEY..." meaning that from frame FRAME on exactly the
// listed keys are down, until the next line. Keys: up down left right shift ctrl enter space f12.
// A line without keys releases all; '#' starts a comment; frames increase from line to line.
class InputScript {
  public:
    // Parses the script; on failure returns false and sets `error` to a message naming the line.
    bool Parse(std::string_view text, std::string& error);
    // The keys down in `frame` (frames count from 1).
    KeyMask KeysAt(std::uint64_t frame) const;
    bool Empty() const { return steps_.empty(); }

  private:
    struct Step {
        std::uint64_t frame;
        KeyMask keys;
    };
    std::vector<Step> steps_;
};

// The keys of a replay as both platforms take them: the keys down in a frame, and F12 counted
// once, in the frame where the script puts it down.
class ScriptedKeys {
  public:
    explicit ScriptedKeys(InputScript script = {}) : script_(std::move(script)) {}
    bool Empty() const { return script_.Empty(); }
    KeyMask KeysAt(std::uint64_t frame) const { return script_.KeysAt(frame); }
    // True in the frame where F12 goes down; asked once a frame, in frame order.
    bool F12WentDown(std::uint64_t frame) {
        const KeyMask keys = script_.KeysAt(frame);
        const bool wentDown = (keys & kF12Bit) && !(previous_ & kF12Bit);
        previous_ = keys;
        return wentDown;
    }

  private:
    InputScript script_;
    KeyMask previous_ = 0;
};

// Writes the keys of every frame in the script format, one line whenever they change.
class KeyRecorder {
  public:
    void Record(std::uint64_t frame, KeyMask down);
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    KeyMask last_ = 0;
};

// The script's name of every key in a mask, separated by spaces.
std::string KeyNames(KeyMask keys);
