// Class `f`: the field instructions of the global, event and battle scripts. Their arguments are
// P0..P3 (variables 0 to 3) and the string register S. The battle (10) and the save point (25)
// come from the instruction table, where their subsystems register them.
#include <string>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/field/Doors.h"
#include "engine/script/GameDataAccess.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

namespace {

bool CheckActor(ScriptRun& run, std::int32_t index) {
    return CheckIndex(run, index, static_cast<std::int64_t>(run.engine.Actors.size()), "actor");
}

bool CheckEvent(ScriptRun& run, std::int32_t index) {
    return CheckIndex(run, index, static_cast<std::int64_t>(run.engine.Field.events.size()),
                      "event object");
}

Flow ShowText(ScriptRun& run) {
    Engine& engine = run.engine;
    const std::string_view text = StringArg(run);
    TextBox& box = engine.Text;
    if (!text.empty()) engine.platform.NoteTextPage(text);
    if (text.empty()) {
        box.Empty();
        engine.Field.talkPartner = 0;
    } else if (!box.IsEmpty()) {
        box.Append(text);
    } else {
        box.Start(text);
        if (engine.Field.talkPartner != 0) engine.ModeProc = TextBoxMode;
    }
    return Flow::Next;
}

Flow ActorProperty(ScriptRun& run) {
    Engine& engine = run.engine;
    const std::int32_t property = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    const std::int32_t index = Arg(run, 3);
    if (!CheckActor(run, index)) return Flow::Next;
    const auto i = static_cast<std::size_t>(index);
    Actor& actor = engine.Actors[i];
    std::int32_t* target = nullptr;
    switch (property) {
        case 0:
            target = &actor.x;
            break;
        case 1:
            target = &actor.y;
            break;
        case 2:
            target = &actor.facing;
            break;
        case 3:
            target = &actor.walkFrame;
            break;
        case 4:
            target = &actor.level;
            break;
        case 100:
            if (i < engine.Field.movers.size()) target = &engine.Field.movers[i].speed;
            break;
        case 101:
            if (i < engine.Field.events.size()) target = &engine.Field.events[i]->active;
            break;
        default:
            break;
    }
    if (!target) {
        ErrorBox(engine, "Proparty missing!");
        return Flow::Next;
    }
    if (!ApplyPropertyOperator(run, *target, op, value)) ErrorBox(engine, "Operator missing!");
    return Flow::Next;
}

Flow CameraProperty(ScriptRun& run) {
    FieldState& field = run.engine.Field;
    const std::int32_t property = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    std::int32_t* target = property == 0 ? &field.camX : property == 1 ? &field.camY : nullptr;
    if (!target) {
        ErrorBox(run.engine, "Proparty missing!");
        return Flow::Next;
    }
    if (op == 0)
        *target = value;
    else if (op == 1)
        *target = WrapAdd(*target, value);
    else
        ErrorBox(run.engine, "Operator missing!");
    return Flow::Next;
}

Flow TurnTowards(ScriptRun& run) {
    const std::int32_t who = Arg(run, 3), towards = Arg(run, 0);
    if (!CheckActor(run, who) || !CheckActor(run, towards)) return Flow::Next;
    Actor& actor = run.engine.Actors[static_cast<std::size_t>(who)];
    const Actor& other = run.engine.Actors[static_cast<std::size_t>(towards)];
    if (actor.x > other.x)
        actor.facing = 1;
    else if (actor.x < other.x)
        actor.facing = 3;
    else if (actor.y < other.y)
        actor.facing = 0;
    else if (actor.y > other.y)
        actor.facing = 2;
    return Flow::Next;
}

Flow ShowParty(ScriptRun& run) {
    Engine& engine = run.engine;
    for (int slot = 0; slot < 4; ++slot) {
        const std::int32_t* member = PartySlot(engine, slot);
        if (!member) {
            ReportFault(run, "the party line-up is not loaded");
            return Flow::Next;
        }
        if (*member == 0) {
            if (CheckActor(run, slot)) engine.Actors[static_cast<std::size_t>(slot)].level = 0;
            continue;
        }
        const auto pictureName = CharacterPictureName(engine, *member);
        if (!pictureName) {
            ReportFault(run, "character " + std::to_string(*member) + " does not exist");
            continue;
        }
        if (!SetActorPicture(engine, slot, "f-" + *pictureName)) continue;
        Actor& actor = engine.Actors[static_cast<std::size_t>(slot)];
        actor.width = actor.height = 16;
    }
    return Flow::Next;
}

Flow SetPartySlot(ScriptRun& run) {
    const std::int32_t slot = Arg(run, 0), member = Arg(run, 1);
    if (!CheckIndex(run, slot, 4, "party slot")) return Flow::Next;
    if (!CheckIndex(run, member, CharacterCount(run.engine), "character")) return Flow::Next;
    if (std::int32_t* target = PartySlot(run.engine, slot)) *target = member;
    return Flow::Next;
}

Flow FadeStep(ScriptRun& run) {
    std::int32_t& level = run.context.variables[1];
    level = WrapAdd(level, Arg(run, 0));
    bool done = true;
    if (level > 32)
        level = 32;
    else if (level < 0)
        level = 0;
    else
        done = false;
    FadeScreen(run.engine, level);
    return done ? Flow::Next : RepeatNextFrame(run);
}

Flow WaitForReader(ScriptRun& run) {
    Engine& engine = run.engine;
    const TextBox& box = engine.Text;
    if (box.revealed >= box.Length() - 2 && engine.Keys[Key::Shift] != KEY_UP) {
        engine.InputTimer = -96;
        return Flow::Next;
    }
    return RepeatNextFrame(run);
}

Flow HandToPlayer(ScriptRun& run) {
    RestoreActiveFlags(run.engine);
    run.engine.ModeProc = PlayerControl;
    run.engine.Field.scriptMode = 0;
    return Flow::Next;
}

Flow LoadCharacterScript(ScriptRun& run) {
    const std::int32_t index = Arg(run, 3);
    if (!CheckEvent(run, index)) return Flow::Next;
    EventObject& event = *run.engine.Field.events[static_cast<std::size_t>(index)];
    event.script.READ(run.engine, "ev\\chr\\" + std::string(StringArg(run)));
    event.active = 1;
    return Flow::Next;
}

Flow ActorPicture(ScriptRun& run) {
    SetActorPicture(run.engine, Arg(run, 3), StringArg(run));
    return Flow::Next;
}

Flow PlaceActor(ScriptRun& run) {
    if (!CheckActor(run, Arg(run, 3))) return Flow::Next;
    Actor& actor = run.engine.Actors[static_cast<std::size_t>(Arg(run, 3))];
    actor.x = WrapAdd(WrapMul(16, Arg(run, 0)), 8);
    actor.y = WrapAdd(WrapMul(16, Arg(run, 1)), 226);
    return Flow::Next;
}

Flow CentreCameraOnLeader(ScriptRun& run) {
    CentreCamera(run.engine);
    return Flow::Next;
}

Flow StepActor(ScriptRun& run) {
    static constexpr int kDx[] = {0, 0, -1, 1}, kDy[] = {-1, 1, 0, 0};
    const std::int32_t direction = Arg(run, 0);
    if (CheckActor(run, Arg(run, 3)) && direction >= 0 && direction < 4)
        Step(run.engine, Arg(run, 3), kDx[direction], kDy[direction]);
    return Flow::Next;
}

// The battle registers this instruction; an engine without battles refuses it.
Flow StartBattle(ScriptRun& run) {
    const auto opcode = static_cast<std::int8_t>(FieldOp::StartBattle);
    if (const Instruction start = FindInstruction(run.engine, ScriptClass::Field, opcode))
        return start(run);
    ReportFault(run, "battles are not available");
    return Flow::Next;
}

Flow MakeActors(ScriptRun& run) {
    if (!CheckIndex(run, Arg(run, 0), kMaxActors + 1, "actor count")) return Flow::Next;
    CreateActors(run.engine, Arg(run, 0));
    return run.owner == ScriptOwner::Event ? Flow::Gone : Flow::Next;
}

Flow LoadMapNamed(ScriptRun& run) {
    EnterMap(run.engine, StringArg(run));
    return Flow::Next;
}

Flow StartAnimation(ScriptRun& run) {
    if (Arg(run, 1) == 0 && CheckIndex(run, Arg(run, 0), kAnimActorCount, "animation"))
        LoadAnimActor(run.engine,
                      run.engine.Scripts.AnimActors[static_cast<std::size_t>(Arg(run, 0))],
                      StringArg(run));
    return Flow::Next;
}

Flow ContinueWithScript(ScriptRun& run) {
    run.context.READ(run.engine, "ev\\" + std::string(StringArg(run)));
    return Flow::Next;
}

Flow RestartCharacterAt(ScriptRun& run) {
    const std::int32_t index = Arg(run, 3);
    if (!CheckEvent(run, index)) return Flow::Next;
    QDCR& script = run.engine.Field.events[static_cast<std::size_t>(index)]->script;
    script.SetPosition(0);
    JumpToLabel(run.engine, script, false, std::string(StringArg(run)));
    return Flow::Next;
}

Flow IsWalking(ScriptRun& run) {
    const FieldState& field = run.engine.Field;
    if (CheckActor(run, Arg(run, 3)) && static_cast<std::size_t>(Arg(run, 3)) < field.movers.size())
        run.context.variables[2] = field.movers[static_cast<std::size_t>(Arg(run, 3))].Walking();
    return Flow::Next;
}

Flow CameraFollow(ScriptRun& run) {
    run.engine.Field.cameraFollow = Arg(run, 0);
    return Flow::Next;
}

Flow BattleBackground(ScriptRun& run) {
    run.engine.Field.battleBackground = Arg(run, 0);
    return Flow::Next;
}

Flow StopLeader(ScriptRun& run) {
    FieldState& field = run.engine.Field;
    if (CheckActor(run, 0) && !field.movers.empty())
        field.movers[0].stepX = field.movers[0].stepY = 0;
    return Flow::Next;
}

Flow KeepActiveFlags(ScriptRun& run) {
    if (Arg(run, 0) != 0)
        RestoreActiveFlags(run.engine);
    else
        SaveActiveFlags(run.engine);
    return Flow::Next;
}

}  // namespace

Flow ExecuteField(ScriptRun& run, std::int8_t opcode) {
    switch (static_cast<FieldOp>(opcode)) {
        case FieldOp::HandToPlayer:
            return HandToPlayer(run);
        case FieldOp::ShowText:
            return ShowText(run);
        case FieldOp::LoadCharacterScript:
            return LoadCharacterScript(run);
        case FieldOp::ActorProperty:
            return ActorProperty(run);
        case FieldOp::ActorPicture:
            return ActorPicture(run);
        case FieldOp::PlaceActor:
            return PlaceActor(run);
        case FieldOp::CentreCamera:
            return CentreCameraOnLeader(run);
        case FieldOp::StepActor:
            return StepActor(run);
        case FieldOp::WaitForReader:
            return WaitForReader(run);
        case FieldOp::TurnTowards:
            return TurnTowards(run);
        case FieldOp::StartBattle:
            return StartBattle(run);
        case FieldOp::CreateActors:
            return MakeActors(run);
        case FieldOp::ShowParty:
            return ShowParty(run);
        case FieldOp::LoadMap:
            return LoadMapNamed(run);
        case FieldOp::StartAnimation:
            return StartAnimation(run);
        case FieldOp::SetPartySlot:
            return SetPartySlot(run);
        case FieldOp::CameraProperty:
            return CameraProperty(run);
        case FieldOp::ContinueWithScript:
            return ContinueWithScript(run);
        case FieldOp::Fade:
            return FadeStep(run);
        case FieldOp::RestartCharacterAt:
            return RestartCharacterAt(run);
        case FieldOp::IsWalking:
            return IsWalking(run);
        case FieldOp::CameraFollow:
            return CameraFollow(run);
        case FieldOp::BattleBackground:
            return BattleBackground(run);
        case FieldOp::StopLeader:
            return StopLeader(run);
        case FieldOp::KeepActiveFlags:
            return KeepActiveFlags(run);
        default:
            return RunRegistered(run, ScriptClass::Field, opcode);
    }
}
