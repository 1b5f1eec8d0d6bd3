// Class `c`: the core instructions every runner knows.
#include <string>

#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/script/GameDataAccess.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

namespace {

constexpr std::size_t kStringRegisterMax = QDCR::kStringRegisterSize - 1;

// Operand readers over the executing context; a script that ends inside an instruction's
// operands is stopped and reported.
std::optional<std::int32_t> IntOperand(ScriptRun& run) {
    std::size_t pos = run.context.Position();
    const auto value = ReadIntOperand(run.context.Script(), pos);
    if (!value) {
        StopScript(run.engine, run.context, "the script ends inside an instruction");
        return std::nullopt;
    }
    ChargeScriptWork(run.engine.Scripts, static_cast<long>(pos - run.context.Position()));
    run.context.SetPosition(pos);
    return value;
}

std::optional<std::uint8_t> ByteOperand(ScriptRun& run) {
    std::size_t pos = run.context.Position();
    const auto value = ReadByteOperand(run.context.Script(), pos);
    if (!value) {
        StopScript(run.engine, run.context, "the script ends inside an instruction");
        return std::nullopt;
    }
    ChargeScriptWork(run.engine.Scripts, static_cast<long>(pos - run.context.Position()));
    run.context.SetPosition(pos);
    return value;
}

std::optional<std::string_view> StringOperand(ScriptRun& run) {
    std::size_t pos = run.context.Position();
    const auto value = ReadStringOperand(run.context.Script(), pos, run.engine.Scripts.operands);
    if (!value) {
        StopScript(run.engine, run.context, "the script ends inside an instruction");
        return std::nullopt;
    }
    ChargeScriptWork(run.engine.Scripts, static_cast<long>(pos - run.context.Position()));
    run.context.SetPosition(pos);
    if (value->truncated)
        ReportFault(run, "a string operand is longer than 511 bytes or than the script");
    return value->text;
}

Flow Arithmetic(ScriptRun& run) {
    const auto a = IntOperand(run);
    if (!a) return Flow::Next;
    const auto b = IntOperand(run);
    if (!b) return Flow::Next;
    const auto op = ByteOperand(run);
    if (!op) return Flow::Next;
    if (*op != '=' && *op != '+' && *op != '*' && *op != '/' && *op != 'C' && *op != 'R') {
        ErrorBox(run.engine, Sjis("なんじゃ？！\"-\"を入れましたね？"));
        return Flow::Next;
    }
    std::int32_t* target = Variable(run, *a);
    if (!target) return Flow::Next;
    switch (*op) {
        case '=':
            *target = *b;
            break;
        case '+':
            *target = WrapAdd(*target, *b);
            break;
        case '*':
            *target = WrapMul(*target, *b);
            break;
        case '/':
            if (const auto q = SafeDiv(*target, *b))
                *target = *q;
            else
                ReportFault(run, "division by zero");
            break;
        case 'C':
            if (const std::int32_t* source = Variable(run, *b)) *target = *source;
            break;
        case 'R':
            if (*b <= 0)
                ReportFault(run, "a random number below " + std::to_string(*b) + " was asked for");
            else
                *target = run.engine.random.next() % *b;
            break;
    }
    return Flow::Next;
}

Flow Compare(ScriptRun& run) {
    const auto a = IntOperand(run);
    if (!a) return Flow::Next;
    const auto op = ByteOperand(run);
    if (!op) return Flow::Next;
    const auto b = IntOperand(run);
    if (!b) return Flow::Next;
    const std::int32_t* left = Variable(run, *a);
    const std::int32_t* right = left ? Variable(run, *b) : nullptr;
    if (!right) return Flow::Next;
    int result = -1;
    switch (*op) {
        case '=':
            result = *left == *right;
            break;
        case '<':
            result = *left < *right;
            break;
        case '>':
            result = *left > *right;
            break;
        case '!':
            result = *left != *right;
            break;
        default:
            return Flow::Next;  // variable 2 stays as it was
    }
    run.context.variables[2] = result;
    return Flow::Next;
}

Flow Jump(ScriptRun& run) {
    const auto direction = IntOperand(run);
    if (!direction) return Flow::Next;
    const auto label = StringOperand(run);
    if (!label) return Flow::Next;
    JumpToLabel(run.engine, run.context, *direction != 0, *label);
    return Flow::Next;
}

Flow StringRegister(ScriptRun& run) {
    const auto op = ByteOperand(run);
    if (!op) return Flow::Next;
    std::string result;
    switch (*op) {
        case '=':
        case '+': {
            const auto text = StringOperand(run);
            if (!text) return Flow::Next;
            if (*op == '+') result = run.context.String();
            result += text->substr(0, text->find('\0'));
            break;
        }
        case 'N': {
            const std::int32_t number = run.context.variables[0];
            const auto name = CharacterName(run.engine, number);
            if (!name) {
                ReportFault(run, "character " + std::to_string(number) + " does not exist");
                return Flow::Next;
            }
            result = std::string(run.context.String()) + *name;
            break;
        }
        default:
            ErrorBox(run.engine, Sjis("str:なんじゃ？！"));
            return Flow::Next;
    }
    if (result.size() > kStringRegisterMax) {
        ReportFault(run, "the string register would pass 255 bytes");
        return Flow::Next;
    }
    run.context.SetString(result);
    return Flow::Next;
}

Flow Loop(ScriptRun& run) {
    std::int32_t& counter = run.context.variables[6];
    counter = WrapAdd(counter, 1);
    if (counter >= run.context.variables[7]) return Flow::Next;  // the label is passed over
    const auto label = StringOperand(run);
    if (!label) return Flow::Next;
    JumpToLabel(run.engine, run.context, true, *label);
    return Flow::Next;
}

Flow JumpIfSet(ScriptRun& run) {
    // Not taken: the operands stay and are passed over as ignorable bytes.
    if (run.context.variables[2] == 0) return Flow::Next;
    return Jump(run);
}

Flow PlayScriptEffect(ScriptRun& run) {
    const std::string name = "SE\\" + std::string(StringArg(run));
    LoadEffect(run.engine, kScriptSoundSlot, name);
    PlayEffect(run.engine, kScriptSoundSlot);
    return Flow::Next;
}

Flow SetCharactersActive(ScriptRun& run) {
    auto& events = run.engine.Field.events;
    for (std::size_t i = kPartySize; i < events.size(); ++i)
        events[i]->active = run.context.variables[0];
    return Flow::Next;
}

Flow RunEveryEvent(ScriptRun& run) {
    RunAllEvents(run.engine);
    return Flow::Next;
}

Flow ShowFollowingBytes(ScriptRun& run) {
    // The message is the text up to the next zero byte; the position stays, so those bytes then
    // run as ordinary script bytes.
    const auto& script = run.context.Script();
    std::string text;
    for (std::size_t p = run.context.Position(); p < script.size() && script[p] != 0; ++p)
        text += static_cast<char>(script[p]);
    ErrorBox(run.engine, text);
    return Flow::Next;
}

}  // namespace

Flow ExecuteCore(ScriptRun& run, std::int8_t opcode) {
    switch (static_cast<CoreOp>(opcode)) {
        case CoreOp::Arithmetic:
            return Arithmetic(run);
        case CoreOp::Compare:
            return Compare(run);
        case CoreOp::Jump:
            return Jump(run);
        case CoreOp::JumpIfSet:
            return JumpIfSet(run);
        case CoreOp::StringRegister:
            return StringRegister(run);
        case CoreOp::Loop:
            return Loop(run);
        case CoreOp::PlayEffect:
            return PlayScriptEffect(run);
        case CoreOp::SetCharactersActive:
            return SetCharactersActive(run);
        case CoreOp::RunAllEvents:
            return RunEveryEvent(run);
        case CoreOp::ShowFollowingBytes:
            return ShowFollowingBytes(run);
        default:
            return RunRegistered(run, ScriptClass::Core, opcode);
    }
}
