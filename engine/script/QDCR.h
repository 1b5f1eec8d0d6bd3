#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Engine;

// A script context: the variables and string register a script works with, the loaded .sc bytes
// and the position of the next byte to execute. The loaded bytes are untrusted: every read below
// stays inside them, and the end of the script reads as a zero byte, which stops it.
class QDCR {
  public:
    static constexpr int kVariableCount = 8;
    static constexpr std::size_t kStringRegisterSize = 256;  // including the terminating zero

    // Variables 0, string register empty, script a single zero byte.
    QDCR();

    // Discards the script: the context holds a single zero byte, position at its start.
    void Reset();

    // Loads "<module dir><name>.sc" (name like "ev\\START"). When the file cannot be read, shows
    // "e]QDCR::READ" and then the path, keeps the previous script and position, and returns false.
    // Variables and string register are never touched, so one script can hand values to the next.
    bool READ(Engine& engine, std::string_view name);
    // The name READ last loaded ("ev\\START"), for the runners' messages; empty otherwise.
    std::string_view Name() const { return name_; }

    // The same without the message boxes: replaces the script by the file's bytes and restarts.
    bool LoadFile(const std::filesystem::path& path);

    // Replaces the script by `bytes` and restarts at its first byte.
    void Load(std::vector<std::uint8_t> bytes);
    // A script taken back from a saved game: its name for messages, its bytes and position.
    void Resume(std::string name, std::vector<std::uint8_t> bytes, std::size_t position) {
        Load(std::move(bytes));
        name_ = std::move(name);
        SetPosition(position);
    }

    // ---- the loaded script ----
    const std::vector<std::uint8_t>& Script() const { return script_; }
    std::size_t Size() const { return script_.size(); }
    std::size_t Position() const { return position_; }
    // Moves to `position`; a place beyond the end is the end, where the script stops.
    void SetPosition(std::size_t position) { position_ = position < Size() ? position : Size(); }
    bool AtEnd() const { return position_ >= Size(); }

    // The byte at `offset`; 0 at and beyond the end.
    std::uint8_t ByteAt(std::size_t offset) const {
        return offset < script_.size() ? script_[offset] : 0;
    }
    // The byte at the position (0 at the end), and the same with a step past it.
    std::uint8_t Peek() const { return ByteAt(position_); }
    std::uint8_t Next();

    // ---- string register ----
    // The register's text up to its terminating zero.
    std::string_view String() const;
    // Stores `text` cut to 255 bytes (and at its first zero byte), zero-terminated.
    void SetString(std::string_view text);

    // Variables 0..7. Variable 2 receives comparison results, 6 and 7 are the loop counter and
    // limit, and the e, f and a instructions read their arguments from 0..3.
    std::array<std::int32_t, kVariableCount> variables{};
    std::array<char, kStringRegisterSize> stringRegister{};

  private:
    std::string name_;

    std::vector<std::uint8_t> script_;
    std::size_t position_ = 0;
};
