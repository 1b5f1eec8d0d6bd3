#include "engine/script/QDCR.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/WholeFile.h"
#include "engine/core/Engine.h"

QDCR::QDCR() {
    Reset();
}

void QDCR::Reset() {
    script_.assign(1, 0);
    position_ = 0;
}

bool QDCR::READ(Engine& engine, std::string_view name) {
    const std::string relative = std::string(name) + ".sc";
    if (LoadFile(AssetPath(engine, relative))) {
        name_ = std::string(name);
        return true;
    }
    ErrorBox(engine, "e]QDCR::READ");
    ErrorBox(engine, ModuleDir(engine) + relative);
    NoteLoadFailure(engine, relative);
    return false;
}

bool QDCR::LoadFile(const std::filesystem::path& path) {
    // A file that opens but cannot be read through (a directory, an I/O error) is not loaded
    // either: the previous script stays rather than a part of this one.
    auto bytes = kit::ReadWholeFile(path);
    if (!bytes) return false;
    Load(std::move(*bytes));
    return true;
}

void QDCR::Load(std::vector<std::uint8_t> bytes) {
    script_ = std::move(bytes);
    position_ = 0;
}

std::uint8_t QDCR::Next() {
    const std::uint8_t byte = Peek();
    if (position_ < Size()) ++position_;
    return byte;
}

std::int32_t QDCR::ParseInt(std::size_t offset) const {
    std::size_t at = offset;
    auto isBlank = [](std::uint8_t c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (at < Size() && isBlank(script_[at])) ++at;
    bool negative = false;
    if (at < Size() && (script_[at] == '+' || script_[at] == '-')) {
        negative = script_[at] == '-';
        ++at;
    }
    std::uint32_t value = 0;
    while (at < Size() && script_[at] >= '0' && script_[at] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(script_[at] - '0');
        ++at;
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t QDCR::ReadInt() {
    const std::int32_t value = ParseInt(position_);
    const auto from = script_.begin() + static_cast<std::ptrdiff_t>(position_);
    const auto semicolon = std::find(from, script_.end(), static_cast<std::uint8_t>(';'));
    position_ = semicolon == script_.end()
                    ? Size()
                    : static_cast<std::size_t>(semicolon - script_.begin()) + 1;
    return value;
}

std::string_view QDCR::ReadString() {
    const std::int32_t length = ParseInt(position_);
    const auto from = script_.begin() + static_cast<std::ptrdiff_t>(position_);
    const auto bang = std::find(from, script_.end(), static_cast<std::uint8_t>('!'));
    if (bang == script_.end()) {
        position_ = Size();
        return {};
    }
    const std::size_t start = static_cast<std::size_t>(bang - script_.begin()) + 1;
    const std::size_t count =
        std::min<std::size_t>(length < 0 ? 0 : static_cast<std::size_t>(length), Size() - start);
    position_ = start + count;
    return {reinterpret_cast<const char*>(script_.data()) + start, count};
}

std::string_view QDCR::String() const {
    const auto zero = std::find(stringRegister.begin(), stringRegister.end(), '\0');
    return {stringRegister.data(), static_cast<std::size_t>(zero - stringRegister.begin())};
}

void QDCR::SetString(std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), kStringRegisterSize - 1));
    std::copy(text.begin(), text.end(), stringRegister.begin());
    std::fill(stringRegister.begin() + static_cast<std::ptrdiff_t>(text.size()),
              stringRegister.end(), '\0');
}
