// Class `e`: the instructions of field characters' scripts.
#include "engine/core/Engine.h"
#include "engine/script/ScriptExec.h"

EventObject& RunningEvent(ScriptRun& run) {
    return *run.engine.Field.events[static_cast<std::size_t>(run.index)];
}

Flow ExecuteEvent(ScriptRun& run, std::int8_t opcode) {
    Engine& engine = run.engine;
    switch (opcode) {
        case 0:  // the end of a conversation
            RunningEvent(run).active = 0;
            RestoreActiveFlags(engine);
            JumpToLabel(engine, run.context, true, "NRM");
            engine.Field.talkPartner = 0;
            engine.ModeProc = PlayerControl;
            engine.InputTimer = -96;
            return Flow::Next;
        case 1:
            run.context.variables[3] = run.index;
            return Flow::Next;
        case 2: {
            const std::string label(StringArg(run));
            JumpToLabel(engine, engine.Scripts.GlobalScript, false, label);
            return Flow::Next;
        }
        default:
            return Flow::Next;
    }
}
