#include "engine/platform/InputScript.h"

#include <array>
#include <charconv>
#include <sstream>

namespace {

struct NamedKey {
    std::string_view name;
    KeyMask bit;
};
constexpr std::array<NamedKey, 9> kKeyNames{{{"up", KeyBit(Key::Up)},
                                             {"down", KeyBit(Key::Down)},
                                             {"left", KeyBit(Key::Left)},
                                             {"right", KeyBit(Key::Right)},
                                             {"shift", KeyBit(Key::Shift)},
                                             {"ctrl", KeyBit(Key::Ctrl)},
                                             {"enter", KeyBit(Key::Enter)},
                                             {"space", KeyBit(Key::Space)},
                                             {"f12", kF12Bit}}};

}  // namespace

bool InputScript::Parse(std::string_view text, std::string& error) {
    steps_.clear();
    std::istringstream lines{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        Step step{0, 0};
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), step.frame);
        if (ec != std::errc() || end != word.data() + word.size() || step.frame == 0) {
            error = "line " + std::to_string(lineNumber) + ": '" + word + "' is not a frame number";
            return false;
        }
        if (!steps_.empty() && step.frame <= steps_.back().frame) {
            error = "line " + std::to_string(lineNumber) + ": frames must increase";
            return false;
        }
        while (words >> word) {
            bool known = false;
            for (const auto& k : kKeyNames)
                if (word == k.name) {
                    step.keys |= k.bit;
                    known = true;
                }
            if (!known) {
                error = "line " + std::to_string(lineNumber) + ": unknown key '" + word + "'";
                return false;
            }
        }
        steps_.push_back(step);
    }
    return true;
}

KeyMask InputScript::KeysAt(std::uint64_t frame) const {
    KeyMask keys = 0;
    for (const Step& step : steps_) {
        if (step.frame > frame) break;
        keys = step.keys;
    }
    return keys;
}

std::string KeyNames(KeyMask keys) {
    std::string names;
    for (const auto& k : kKeyNames)
        if (keys & k.bit) {
            if (!names.empty()) names += ' ';
            names += k.name;
        }
    return names;
}

void KeyRecorder::Record(std::uint64_t frame, KeyMask down) {
    if (down == last_) return;
    last_ = down;
    text_ += std::to_string(frame);
    if (down) text_ += ' ' + KeyNames(down);
    text_ += '\n';
}
