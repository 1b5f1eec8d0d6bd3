#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace rostel {

constexpr int kStatCount = 11;
// A word buffer holds 512 bytes including its terminator.
constexpr std::size_t kMaxWordBytes = 511;
constexpr const char* kOutputName = "sv.qd";

// One character as typed: three Shift-JIS words and the low 8 bits of eleven statistics.
struct CharSheet {
    std::string codeName;
    std::string name;
    std::string title;
    std::array<std::uint8_t, kStatCount> stats{};
};

// The prompts, in the order they are asked (UTF-8, as the terminal shows them).
extern const std::array<const char*, 3> kWordPrompts;
extern const std::array<const char*, kStatCount> kStatPrompts;

// Asks every prompt on `out` and reads the answers from `in`. On failure returns false and sets
// `error` to a message naming the prompt whose answer was missing or unusable.
bool askCharSheet(std::istream& in, std::ostream& out, CharSheet& sheet, std::string& error);

// The file's bytes: the three words without terminators, then the eleven statistic bytes.
std::vector<std::uint8_t> encodeCharSheet(const CharSheet& sheet);

// The whole program: prompts, answers, and "sv.qd" in `dir` written whole or not at all.
// Returns the exit status (0 on success, 1 on any failure, reported on `err`).
int runCharSheet(std::istream& in, std::ostream& out, std::ostream& err,
                 const std::filesystem::path& dir);

}  // namespace rostel
