#include "engine/script/ScriptRunner.h"

#include <algorithm>
#include <limits>

#include "engine/core/Engine.h"
#include "engine/field/TextBox.h"
#include "engine/script/ScriptExec.h"

namespace {

// Keeps a context on the running list for the length of one run.
class RunningMark {
  public:
    RunningMark(ScriptSystem& scripts, const QDCR& context) : scripts_(scripts) {
        scripts_.running.push_back(&context);
    }
    ~RunningMark() { scripts_.running.pop_back(); }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    ScriptSystem& scripts_;
};

bool Accepts(ScriptOwner owner, std::uint8_t classByte) {
    switch (classByte) {
        case 'c':
            return true;
        case 'e':
            return owner == ScriptOwner::Event;
        case 'f':
            return owner != ScriptOwner::Animation;
        case 'a':
            return owner == ScriptOwner::Animation;
        case 'w':
            return owner == ScriptOwner::Battle;
        default:
            return false;
    }
}

Flow Execute(ScriptRun& run, std::uint8_t classByte) {
    // The opcode follows the class byte; at the end of the script it reads as 0.
    const auto opcode = static_cast<std::int8_t>(run.context.Next());
    switch (classByte) {
        case 'c':
            return ExecuteCore(run, opcode);
        case 'e':
            return ExecuteEvent(run, opcode);
        case 'f':
            return ExecuteField(run, opcode);
        case 'a':
            return ExecuteAnim(run, opcode);
        case 'w':
            if (run.battle) run.battle(run.engine, run.context, opcode);
            return Flow::Next;
        default:
            return Flow::Next;
    }
}

void Run(ScriptRun run) {
    ScriptSystem& scripts = run.engine.Scripts;
    if (std::find(scripts.running.begin(), scripts.running.end(), &run.context) !=
        scripts.running.end())
        return;
    const RunningMark mark(scripts, run.context);
    const std::uint64_t generation = run.engine.Field.actorGeneration;
    QDCR& context = run.context;
    for (long executed = 0;; ++executed) {
        if (executed >= kScriptByteBudget) {
            StopScript(run.engine, context, "the script runs on without yielding ('#')");
            return;
        }
        const std::uint8_t byte = context.Peek();
        if (byte == 0) return;  // a zero byte or the end: the script stops here
        run.classPos = context.Position();
        context.Next();
        if (byte == '#') return;
        if (byte == '@') {
            const auto end = FindLabelEnd(context.Script(), context.Position());
            if (!end) {
                StopScript(run.engine, context, "a label '@' has no closing \"//\"");
                return;
            }
            context.SetPosition(*end);
            continue;
        }
        if (!Accepts(run.owner, byte)) continue;
        const Flow flow = Execute(run, byte);
        if (flow == Flow::Gone) return;
        if (run.owner == ScriptOwner::Event && run.engine.Field.actorGeneration != generation)
            return;  // the script replaced the actors, its own event object included
        if (flow == Flow::Yield) return;
    }
}

}  // namespace

std::string_view ScriptName(const QDCR& context) {
    return context.Name();
}

void StopScript(Engine& engine, QDCR& context, std::string_view fault) {
    context.SetPosition(context.Size());
    std::string text = "Script stopped: ";
    text += fault;
    text += "\n\n";
    text += ScriptName(context);
    ErrorBox(engine, text);
}

bool JumpToLabel(Engine& engine, QDCR& context, bool backward, std::string_view name,
                 bool stopWhenMissing) {
    name = name.substr(0, name.find('\0'));
    const auto at = FindLabel(context.Script(), context.Position(), backward, name);
    if (!at) {
        std::string fault = "the label \"";
        fault += name;
        fault +=
            backward ? "\" does not exist before this place" : "\" does not exist after this place";
        if (stopWhenMissing) {
            StopScript(engine, context, fault);
        } else {
            ErrorBox(engine, "Script error: " + fault + "\n\n" + std::string(ScriptName(context)));
        }
        return false;
    }
    context.SetPosition(*at);
    return true;
}

void RunGlobalScript(Engine& engine) {
    Run(ScriptRun{engine, engine.Scripts.GlobalScript, ScriptOwner::Global});
}

void RunEventScript(Engine& engine, int actorIndex) {
    auto& events = engine.Field.events;
    if (actorIndex < 0 || static_cast<std::size_t>(actorIndex) >= events.size()) return;
    Run(ScriptRun{engine, events[static_cast<std::size_t>(actorIndex)]->script, ScriptOwner::Event,
                  actorIndex});
}

void RunAnimScript(Engine& engine, int animIndex) {
    if (animIndex < 0 || animIndex >= kAnimActorCount) return;
    Run(ScriptRun{engine, engine.Scripts.AnimActors[static_cast<std::size_t>(animIndex)].script,
                  ScriptOwner::Animation, animIndex});
}

void RunBattleScript(Engine& engine, QDCR& context, BattleInstruction w) {
    Run(ScriptRun{engine, context, ScriptOwner::Battle, -1, w});
}

void RunAllEvents(Engine& engine) {
    FieldState& field = engine.Field;
    const std::uint64_t generation = field.actorGeneration;
    for (std::size_t i = 0; i < field.events.size(); ++i) {
        if (i == kPartySize) field.hitTestStart = field.playerControl = 0;
        if (field.events[i]->active) RunEventScript(engine, static_cast<int>(i));
        if (field.actorGeneration != generation) return;
    }
}

void ScriptMode(Engine& engine) {
    RunGlobalScript(engine);
    if (!engine.Text.IsEmpty()) engine.Text.Update(engine);
}

// ---- shared machinery of the instruction classes ----

void ReportFault(ScriptRun& run, std::string_view fault) {
    std::string text = "Script error: ";
    text += fault;
    text += "\n\n";
    text += ScriptName(run.context);
    ErrorBox(run.engine, text);
}

std::int32_t* Variable(ScriptRun& run, std::int32_t i) {
    if (!CheckIndex(run, i, QDCR::kVariableCount, "variable")) return nullptr;
    return &run.context.variables[static_cast<std::size_t>(i)];
}

std::int32_t Arg(const ScriptRun& run, int i) {
    return run.context.variables[static_cast<std::size_t>(i)];
}

std::string_view StringArg(const ScriptRun& run) {
    return run.context.String();
}

bool CheckIndex(ScriptRun& run, std::int64_t value, std::int64_t count, std::string_view what) {
    if (value >= 0 && value < count) return true;
    std::string fault(what);
    fault += ' ';
    fault += std::to_string(value);
    fault += " does not exist";
    ReportFault(run, fault);
    return false;
}

std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::optional<std::int32_t> SafeDiv(std::int32_t a, std::int32_t b) {
    if (b == 0) return std::nullopt;
    if (b == -1) return WrapMul(a, -1);
    return a / b;
}

bool ApplyPropertyOperator(ScriptRun& run, std::int32_t& target, std::int32_t op,
                           std::int32_t value) {
    switch (op) {
        case 0:
            target = value;
            return true;
        case 1:
            target = WrapAdd(target, value);
            return true;
        case 2:
            target = WrapMul(target, value);
            return true;
        case 3:
            if (const auto q = SafeDiv(target, value)) {
                target = *q;
            } else {
                ReportFault(run, "division by zero");
            }
            return true;
        default:
            return false;
    }
}

Flow RepeatNextFrame(ScriptRun& run) {
    // Back to the byte before the class byte: written as '#', it yields at once, and the next
    // frame meets the instruction again.
    if (run.classPos == 0) {
        run.context.SetPosition(0);
        return Flow::Yield;
    }
    run.context.SetPosition(run.classPos - 1);
    return Flow::Next;
}
