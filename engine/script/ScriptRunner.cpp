#include "engine/script/ScriptRunner.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "engine/core/Engine.h"
#include "engine/field/TextBox.h"
#include "engine/script/ScriptExec.h"

namespace {

// A script that faults this many times in one runner call is stopped.
constexpr int kFaultLimit = 8;

// Keeps a context on the running list for the length of one run; the outermost run also holds
// back the message boxes of repeated faults.
class RunningMark {
  public:
    RunningMark(Engine& engine, QDCR& context) : engine_(engine) {
        ScriptSystem& scripts = engine.Scripts;
        if (scripts.running.empty()) {
            scripts.guard.faults.clear();
            previousGate_ = engine.MessageBoxGate;
            engine.MessageBoxGate = GateScriptBox;
        }
        scripts.running.push_back(&context);
    }
    ~RunningMark() {
        ScriptSystem& scripts = engine_.Scripts;
        scripts.running.pop_back();
        if (scripts.running.empty()) engine_.MessageBoxGate = previousGate_;
    }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    // A fault of the running script is shown once a frame; at its eighth fault in one runner call
    // the script is stopped with one box, and nothing more of it is shown.
    static bool GateScriptBox(Engine& engine, std::string_view text) {
        ScriptGuard& guard = engine.Scripts.guard;
        if (guard.stopBoxAllowed || engine.Scripts.running.empty()) return true;
        QDCR& context = *engine.Scripts.running.back();
        auto it = std::find_if(guard.faults.begin(), guard.faults.end(),
                               [&](const auto& f) { return f.first == &context; });
        if (it == guard.faults.end()) it = guard.faults.insert(it, {&context, 0});
        if (it->second >= kFaultLimit) return false;
        if (++it->second == kFaultLimit) {
            StopScript(engine, context, "it faulted 8 times in one run");
            return false;
        }
        const auto shown = [&](const auto& f) { return f.first == &context && f.second == text; };
        if (std::any_of(guard.shown.begin(), guard.shown.end(), shown)) return false;
        guard.shown.emplace_back(&context, std::string(text));
        return true;
    }

    Engine& engine_;
    BoxGate previousGate_ = nullptr;
};

bool FaultLimitReached(const ScriptGuard& guard, const QDCR& context) {
    return std::any_of(guard.faults.begin(), guard.faults.end(), [&](const auto& f) {
        return f.first == &context && f.second >= kFaultLimit;
    });
}

// A new frame brings a new budget and shows faults afresh.
void BeginFrame(Engine& engine) {
    ScriptGuard& guard = engine.Scripts.guard;
    if (guard.frame == engine.FrameNumber) return;
    guard.frame = engine.FrameNumber;
    guard.budget = kScriptWorkBudget;
    guard.shown.clear();
}

// The frame's budget ran out inside a run: every script on the running list is part of the work
// that never yielded, so all of them stop, with one box that names the innermost.
void StopRunningScripts(Engine& engine) {
    auto& running = engine.Scripts.running;
    for (QDCR* context : running) context->SetPosition(context->Size());
    std::string fault = "the script runs on without yielding ('#')";
    if (running.size() > 1)
        fault += " (with " + std::to_string(running.size() - 1) + " scripts that ran it)";
    StopScript(engine, *running.back(), fault);
}

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
    BeginFrame(run.engine);
    ScriptGuard& guard = scripts.guard;
    if (guard.budget <= 0) return;  // the frame's work is spent: the script waits for the next
    // Even a run that ends at once costs work (scripts running all the others in a loop make
    // many), as does looking through the running list.
    guard.budget -= 1 + static_cast<long>(scripts.running.size());
    if (std::find(scripts.running.begin(), scripts.running.end(), &run.context) !=
        scripts.running.end())
        return;
    const RunningMark mark(run.engine, run.context);
    const std::uint64_t generation = run.engine.Field.actorGeneration;
    QDCR& context = run.context;
    for (;;) {
        const std::uint8_t byte = context.Peek();
        if (byte == 0) return;  // a zero byte or the end: the script stops here
        // A script that did the frame's work in a few large steps and now yields only waits.
        if (guard.budget <= 0 && byte != '#') {
            StopRunningScripts(run.engine);
            return;
        }
        --guard.budget;
        run.classPos = context.Position();
        context.Next();
        if (byte == '#') return;
        if (byte == '@') {
            const auto end = FindLabelEnd(context.Script(), context.Position());
            if (!end) {
                StopScript(run.engine, context, "a label '@' has no closing \"//\"");
                return;
            }
            guard.budget -= static_cast<long>(*end - context.Position());
            context.SetPosition(*end);
            continue;
        }
        if (!Accepts(run.owner, byte)) continue;
        const Flow flow = Execute(run, byte);
        if (flow == Flow::Gone) return;
        if (FaultLimitReached(guard, context)) {
            context.SetPosition(context.Size());  // even if the instruction jumped on
            return;
        }
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
    ScriptGuard& guard = engine.Scripts.guard;
    guard.stopBoxAllowed = true;
    ErrorBox(engine, text);
    guard.stopBoxAllowed = false;
}

bool JumpToLabel(Engine& engine, QDCR& context, bool backward, std::string_view name,
                 MissingLabel missing) {
    name = name.substr(0, name.find('\0'));
    // Inside a run the search is paid from the frame's budget like executed bytes.
    ScriptGuard& guard = engine.Scripts.guard;
    const bool charged = !engine.Scripts.running.empty();
    std::size_t work = 0;
    const std::size_t limit =
        charged ? static_cast<std::size_t>(std::max(guard.budget, 0L)) : SIZE_MAX;
    const auto at = FindLabel(context.Script(), context.Position(), backward, name, work, limit);
    if (charged) guard.budget -= static_cast<long>(work);
    if (at) {
        context.SetPosition(*at);
        return true;
    }
    if (charged && guard.budget <= 0) {
        StopRunningScripts(engine);  // the search spent the frame's work
        return false;
    }
    std::string fault = "the label \"";
    fault += name;
    fault +=
        backward ? "\" does not exist before this place" : "\" does not exist after this place";
    if (missing == MissingLabel::Stop) {
        StopScript(engine, context, fault);
    } else if (missing == MissingLabel::Report) {
        ErrorBox(engine, "Script error: " + fault + "\n\n" + std::string(ScriptName(context)));
    }
    return false;
}

void RegisterInstruction(Engine& engine, ScriptClass cls, std::int8_t opcode,
                         Instruction instruction) {
    engine.Scripts.instructions
        .entries[static_cast<std::size_t>(cls)][static_cast<std::uint8_t>(opcode)] = instruction;
}

Instruction FindInstruction(const Engine& engine, ScriptClass cls, std::int8_t opcode) {
    return engine.Scripts.instructions
        .entries[static_cast<std::size_t>(cls)][static_cast<std::uint8_t>(opcode)];
}

Flow RunRegistered(ScriptRun& run, ScriptClass cls, std::int8_t opcode) {
    const Instruction instruction = FindInstruction(run.engine, cls, opcode);
    return instruction ? instruction(run) : Flow::Next;
}

void RegisterScriptShutdown(Engine& engine) {
    RegisterShutdown(engine, ShutdownStep::GlobalScript,
                     [](Engine& e) { e.Scripts.GlobalScript.Reset(); });
    RegisterShutdown(engine, ShutdownStep::AnimActors, [](Engine& e) {
        for (AnimActor& anim : e.Scripts.AnimActors) anim.Clear();
    });
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
