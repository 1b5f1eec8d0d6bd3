#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/save/SaveData.h"

// Where the four slots live: files "slotN.sav" in a directory, or memory for one run (headless
// runs without --save-dir, and tests).
namespace save {

class SaveStore {
  public:
    virtual ~SaveStore() = default;
    // The slot's bytes (slot 0..3), or nothing when the slot is empty or cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> Read(int slot) const = 0;
    // Replaces the slot's bytes whole, or leaves them as they were; returns an empty string on
    // success, otherwise a short English reason.
    virtual std::string Write(int slot, const std::vector<std::uint8_t>& bytes) = 0;
};

class MemorySaveStore : public SaveStore {
  public:
    std::optional<std::vector<std::uint8_t>> Read(int slot) const override;
    std::string Write(int slot, const std::vector<std::uint8_t>& bytes) override;

  private:
    std::array<std::optional<std::vector<std::uint8_t>>, kSlotCount> slots_;
};

class DirectorySaveStore : public SaveStore {
  public:
    // The directory is made when the first save is written.
    explicit DirectorySaveStore(std::filesystem::path directory);
    std::optional<std::vector<std::uint8_t>> Read(int slot) const override;
    std::string Write(int slot, const std::vector<std::uint8_t>& bytes) override;
    std::filesystem::path SlotPath(int slot) const;

  private:
    std::filesystem::path directory_;
};

// The default save directory of the game in `gameDir`: $XDG_DATA_HOME (else ~/.local/share)
// /dunmere/NAME-HASH, NAME being the game directory's name and HASH eight hex digits of its
// absolute path, so that two games of the same name keep apart. `dataHome` and `home` are the
// environment's values (null when unset).
std::filesystem::path DefaultSaveDirectory(const std::filesystem::path& gameDir,
                                           const char* dataHome, const char* home);

}  // namespace save
