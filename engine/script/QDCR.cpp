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
    const bool loaded = LoadFile(AssetPath(engine, relative));
    ChargeFileLoad(engine.Scripts, loaded ? Size() : 0);
    if (loaded) {
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
    auto bytes = kit::readWholeFile(path);
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
