// Class `e`: the instructions of field characters' scripts.
#include "engine/core/Engine.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

EventObject& RunningEvent(ScriptRun& run) {
    return *run.engine.Field.events[static_cast<std::size_t>(run.index)];
}

namespace {

Flow EndConversation(ScriptRun& run) {
    Engine& engine = run.engine;
    RunningEvent(run).active = 0;
    RestoreActiveFlags(engine);
    JumpToLabel(engine, run.context, true, "NRM");
    engine.Field.talkPartner = 0;
    engine.ModeProc = PlayerControl;
    engine.InputTimer = -96;
    return Flow::Next;
}

Flow OwnActor(ScriptRun& run) {
    run.context.variables[3] = run.index;
    return Flow::Next;
}

Flow JumpGlobalScript(ScriptRun& run) {
    const std::string label(StringArg(run));
    JumpToLabel(run.engine, run.engine.Scripts.GlobalScript, false, label);
    return Flow::Next;
}

}  // namespace

Flow ExecuteEvent(ScriptRun& run, std::int8_t opcode) {
    switch (static_cast<EventOp>(opcode)) {
        case EventOp::EndConversation:
            return EndConversation(run);
        case EventOp::OwnActor:
            return OwnActor(run);
        case EventOp::JumpGlobalScript:
            return JumpGlobalScript(run);
        default:
            return RunRegistered(run, ScriptClass::Event, opcode);
    }
}
