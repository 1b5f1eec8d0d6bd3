// A script context holding arbitrary bytes: its operand readers walk the script the way the
// runners do (an instruction byte, then its operands) and never leave it.
#include <vector>

#include "engine/script/QDCR.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QDCR context;
    context.Load(std::vector<std::uint8_t>(data, data + size));
    // Every step moves forward or ends the script, so this many steps always reach the end.
    for (std::size_t step = 0; step <= size + 1 && !context.AtEnd(); ++step) {
        const std::size_t before = context.Position();
        const std::uint8_t instruction = context.Next();
        switch (instruction % 4) {
            case 0:
                context.variables[instruction % QDCR::kVariableCount] = context.ReadInt();
                break;
            case 1: {
                const std::string_view text = context.ReadString();
                const auto* first = reinterpret_cast<const std::uint8_t*>(text.data());
                const auto* script = context.Script().data();
                if (!text.empty() &&
                    (first < script || first + text.size() > script + context.Size()))
                    FuzzFailure();
                context.SetString(text);
                if (context.String().size() >= QDCR::kStringRegisterSize) FuzzFailure();
                break;
            }
            case 2:
                context.SetPosition(static_cast<std::size_t>(context.ReadInt()));
                if (context.Position() <= before) return 0;  // a jump back: the runner loops
                break;
            default:
                break;
        }
        if (context.Position() > context.Size()) FuzzFailure();
        if (!context.AtEnd() && context.Position() <= before) FuzzFailure();
    }
    if (!context.AtEnd()) FuzzFailure();
    return 0;
}
