#include "engine/title/TitleInstructions.h"

#include "engine/core/Engine.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptRunner.h"

Flow ToTitleInstruction(ScriptRun& run) {
    // The change is made between frames (ReturnToTitle), when no script is running any more.
    RequestSceneChange(run.engine, SceneChange::Title);
    // Nothing behind it runs: the script stops on the instruction, written with or without '#'.
    run.context.SetPosition(run.classPos);
    return Flow::Yield;
}

void RegisterTitleInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::ToTitle, ToTitleInstruction);
}
