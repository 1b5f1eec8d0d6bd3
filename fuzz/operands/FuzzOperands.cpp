// The runners' operand readers and label searches over arbitrary bytes, walked the way a runner
// walks a script (an instruction byte, then its operands): every read stays inside the script,
// every read moves forward or gives up, a string never passes 511 bytes, and a label found is a
// label.
#include <cstring>
#include <string>
#include <string_view>

#include "engine/script/Operands.h"
#include "fuzz/common/FuzzInput.h"

namespace {

bool IsLabelAt(std::span<const std::uint8_t> code, std::size_t at, std::string_view name) {
    if (at + name.size() + 3 > code.size() || code[at] != '@') return false;
    return std::memcmp(code.data() + at + 1, name.data(), name.size()) == 0 &&
           code[at + 1 + name.size()] == '/' && code[at + 2 + name.size()] == '/';
}

void CheckLabelSearch(std::span<const std::uint8_t> code, std::size_t from, std::string_view name,
                      bool backward) {
    name = name.substr(0, name.find('\0'));  // a label name ends at a zero byte
    std::size_t work = 0;
    const std::size_t limit = 4 * code.size() + 8;
    const auto at = FindLabel(code, from, backward, name, work, limit);
    if (at && !IsLabelAt(code, *at, name)) FuzzFailure();
    if (at && (backward ? *at > from : *at < from)) FuzzFailure();
    // The work never runs far past its limit: at most one label's comparison.
    if (work > limit + name.size() + 1) FuzzFailure();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> code = AsBytes(data, size);
    OperandBuffer buffer{};
    std::size_t pos = 0;
    while (pos < code.size()) {
        const std::size_t before = pos;
        const std::uint8_t instruction = code[pos++];
        switch (instruction % 4) {
            case 0:
                if (!ReadIntOperand(code, pos)) return 0;  // the runner stops the script here
                break;
            case 1: {
                const auto text = ReadStringOperand(code, pos, buffer);
                if (!text) return 0;
                if (text->text.size() > buffer.size() - 1 || text->text.data() != buffer.data() ||
                    buffer[text->text.size()] != '\0')
                    FuzzFailure();
                CheckLabelSearch(code, pos, text->text, instruction & 4);
                break;
            }
            case 2:
                if (!ReadByteOperand(code, pos)) return 0;
                break;
            default:
                if (const auto end = FindLabelEnd(code, pos)) {
                    if (*end < pos + 2 || code[*end - 1] != '/' || code[*end - 2] != '/')
                        FuzzFailure();
                    pos = *end;
                }
                break;
        }
        if (pos > code.size() || pos <= before) FuzzFailure();
    }
    return 0;
}
