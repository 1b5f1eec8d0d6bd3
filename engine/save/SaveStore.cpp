#include "engine/save/SaveStore.h"

#include <cstdio>

#include "common/AtomicFile.h"
#include "common/WholeFile.h"
#include "engine/save/SaveFile.h"

namespace save {

std::optional<std::vector<std::uint8_t>> MemorySaveStore::Read(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return std::nullopt;
    return slots_[static_cast<std::size_t>(slot)];
}

std::string MemorySaveStore::Write(int slot, const std::vector<std::uint8_t>& bytes) {
    if (slot < 0 || slot >= kSlotCount) return "no such slot";
    slots_[static_cast<std::size_t>(slot)] = bytes;
    return {};
}

DirectorySaveStore::DirectorySaveStore(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

std::filesystem::path DirectorySaveStore::SlotPath(int slot) const {
    return directory_ / ("slot" + std::to_string(slot + 1) + ".sav");
}

std::optional<std::vector<std::uint8_t>> DirectorySaveStore::Read(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return std::nullopt;
    return kit::readWholeFile(SlotPath(slot));
}

std::string DirectorySaveStore::Write(int slot, const std::vector<std::uint8_t>& bytes) {
    if (slot < 0 || slot >= kSlotCount) return "no such slot";
    std::error_code ec;
    std::filesystem::create_directories(directory_, ec);
    if (ec) return "cannot make " + directory_.string() + ": " + ec.message();
    return kit::writeFileAtomically(SlotPath(slot), bytes);
}

std::filesystem::path DefaultSaveDirectory(const std::filesystem::path& gameDir,
                                           const char* dataHome, const char* home) {
    std::filesystem::path base;
    if (dataHome && *dataHome && std::filesystem::path(dataHome).is_absolute())
        base = dataHome;
    else
        base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::weakly_canonical(gameDir, ec);
    if (ec) absolute = std::filesystem::absolute(gameDir, ec);
    const std::string text = absolute.string();
    const std::uint32_t hash = Crc32(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(hash));
    std::string name = absolute.filename().string();
    if (name.empty()) name = "game";
    return base / "dunmere" / (name + "-" + hex);
}

}  // namespace save
