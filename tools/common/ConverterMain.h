#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What every converter program does around its conversion: read the input file, write the output
// whole or not at all, and report a failure on standard error with the program's name and exit
// status (1 for a file or conversion failure, 2 for a command-line mistake).
namespace tools {

constexpr int kConversionFailed = 1;
constexpr int kUsageError = 2;

// The bytes of `path`, or nothing after "TOOL: cannot read PATH".
std::optional<std::string> readInputFile(const char* tool, const std::string& path);

// Writes `bytes` as the whole of `path`; returns 0, or 1 after "TOOL: cannot write PATH: WHY".
int writeOutputFile(const char* tool, const std::string& path, std::span<const std::uint8_t> bytes);

// Turns the input text into the output bytes; returns an error message, empty on success.
using Conversion =
    std::function<std::string(const std::string& text, std::vector<std::uint8_t>& out)>;

// Reads `in`, converts it and writes `out`; a conversion error is reported as "TOOL: IN: ERROR".
int convertFile(const char* tool, const std::string& in, const std::string& out,
                const Conversion& convert);

// Prints "usage: USAGE" and returns the command-line mistake's status.
int usageError(const char* usage);

}  // namespace tools
