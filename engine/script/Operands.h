#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Operand text inside a compiled script: integers as "<decimal>;", strings as "<length>!<bytes>".
// Every reader stays inside the script's bytes; a read that would run off the end returns nothing.

// Reads an integer operand at `pos` like "%ld;" (blanks, an optional sign, digits) and moves `pos`
// just past the first ';' at or after the operand's start. Text without digits reads as 0; values
// beyond 32 bits saturate.
std::optional<std::int32_t> ReadIntOperand(std::span<const std::uint8_t> code, std::size_t& pos);

// Reads one raw byte operand.
std::optional<std::uint8_t> ReadByteOperand(std::span<const std::uint8_t> code, std::size_t& pos);

// All string operands share one buffer, so a string is valid only until the next one is read.
using OperandBuffer = std::array<char, 512>;

struct StringOperand {
    std::string_view text;
    bool truncated = false;  // the stored length passed the buffer or the script's end
};

// Reads a string operand at `pos` like "%ld!" followed by that many raw bytes, copies them into
// `buffer` (at most 511, zero-terminated) and moves `pos` past them.
std::optional<StringOperand> ReadStringOperand(std::span<const std::uint8_t> code, std::size_t& pos,
                                               OperandBuffer& buffer);

// Finds the label "@name//" by testing each position from `from`, forward or backward, and
// returns the position of its '@'. Every position tested and every byte compared counts one unit
// of `work`; the search gives up (nothing found) once `work` reaches `limit`, so that a script
// cannot spend an unbounded time searching.
std::optional<std::size_t> FindLabel(std::span<const std::uint8_t> code, std::size_t from,
                                     bool backward, std::string_view name, std::size_t& work,
                                     std::size_t limit = SIZE_MAX);

// Position just past the first "//" at or after `from` (the end of a label definition).
std::optional<std::size_t> FindLabelEnd(std::span<const std::uint8_t> code, std::size_t from);
