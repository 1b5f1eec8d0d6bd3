// Class `f`: the field instructions of the global, event and battle scripts. Their arguments are
// P0..P3 (variables 0 to 3) and the string register S.
#include <string>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/game/GameInstructions.h"
#include "engine/save/SaveMenu.h"
#include "engine/script/GameDataAccess.h"
#include "engine/script/ScriptExec.h"

namespace {

bool CheckActor(ScriptRun& run, std::int32_t index) {
    return CheckIndex(run, index, static_cast<std::int64_t>(run.engine.Actors.size()), "actor");
}

bool CheckEvent(ScriptRun& run, std::int32_t index) {
    return CheckIndex(run, index, static_cast<std::int64_t>(run.engine.Field.events.size()),
                      "event object");
}

void ShowText(ScriptRun& run) {
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
}

void ActorProperty(ScriptRun& run) {
    Engine& engine = run.engine;
    const std::int32_t property = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    const std::int32_t index = Arg(run, 3);
    if (!CheckActor(run, index)) return;
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
        return;
    }
    if (!ApplyPropertyOperator(run, *target, op, value)) ErrorBox(engine, "Operator missing!");
}

void CameraProperty(ScriptRun& run) {
    FieldState& field = run.engine.Field;
    const std::int32_t property = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    std::int32_t* target = property == 0 ? &field.camX : property == 1 ? &field.camY : nullptr;
    if (!target) {
        ErrorBox(run.engine, "Proparty missing!");
        return;
    }
    if (op == 0)
        *target = value;
    else if (op == 1)
        *target = WrapAdd(*target, value);
    else
        ErrorBox(run.engine, "Operator missing!");
}

void TurnTowards(ScriptRun& run) {
    const std::int32_t who = Arg(run, 3), towards = Arg(run, 0);
    if (!CheckActor(run, who) || !CheckActor(run, towards)) return;
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
}

void ShowParty(ScriptRun& run) {
    Engine& engine = run.engine;
    for (int slot = 0; slot < 4; ++slot) {
        const std::int32_t* member = PartySlot(engine, slot);
        if (!member) {
            ReportFault(run, "the party line-up is not loaded");
            return;
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
}

void SetPartySlot(ScriptRun& run) {
    const std::int32_t slot = Arg(run, 0), member = Arg(run, 1);
    if (!CheckIndex(run, slot, 4, "party slot")) return;
    if (!CheckIndex(run, member, CharacterCount(run.engine), "character")) return;
    if (std::int32_t* target = PartySlot(run.engine, slot)) *target = member;
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

}  // namespace

Flow ExecuteField(ScriptRun& run, std::int8_t opcode) {
    Engine& engine = run.engine;
    FieldState& field = engine.Field;
    switch (opcode) {
        case 0:
            RestoreActiveFlags(engine);
            engine.ModeProc = PlayerControl;
            field.scriptMode = 0;
            break;
        case 1:
            ShowText(run);
            break;
        case 2: {
            const std::int32_t index = Arg(run, 3);
            if (!CheckEvent(run, index)) break;
            EventObject& event = *field.events[static_cast<std::size_t>(index)];
            event.script.READ(engine, "ev\\chr\\" + std::string(StringArg(run)));
            event.active = 1;
            break;
        }
        case 3:
            ActorProperty(run);
            break;
        case 4:
            SetActorPicture(engine, Arg(run, 3), StringArg(run));
            break;
        case 5:
            if (CheckActor(run, Arg(run, 3))) {
                Actor& actor = engine.Actors[static_cast<std::size_t>(Arg(run, 3))];
                actor.x = WrapAdd(WrapMul(16, Arg(run, 0)), 8);
                actor.y = WrapAdd(WrapMul(16, Arg(run, 1)), 226);
            }
            break;
        case 6:
            CentreCamera(engine);
            break;
        case 7: {
            static constexpr int kDx[] = {0, 0, -1, 1}, kDy[] = {-1, 1, 0, 0};
            const std::int32_t direction = Arg(run, 0);
            if (CheckActor(run, Arg(run, 3)) && direction >= 0 && direction < 4)
                Step(engine, Arg(run, 3), kDx[direction], kDy[direction]);
            break;
        }
        case 8:
            return WaitForReader(run);
        case 9:
            TurnTowards(run);
            break;
        case 10:
            NoteBattleStarter(run);
            field.enemyGroup = Arg(run, 0);
            if (field.battleStartMode)
                engine.ModeProc = field.battleStartMode;
            else
                ReportFault(run, "battles are not available");
            break;
        case 11:
            if (CheckIndex(run, Arg(run, 0), kMaxActors + 1, "actor count")) {
                CreateActors(engine, Arg(run, 0));
                if (run.owner == ScriptOwner::Event) return Flow::Gone;
            }
            break;
        case 12:
            ShowParty(run);
            break;
        case 13:
            LoadMap(engine, StringArg(run));
            break;
        case 14:
            if (Arg(run, 1) == 0 && CheckIndex(run, Arg(run, 0), kAnimActorCount, "animation"))
                LoadAnimActor(engine,
                              engine.Scripts.AnimActors[static_cast<std::size_t>(Arg(run, 0))],
                              StringArg(run));
            break;
        case 15:
            SetPartySlot(run);
            break;
        case 16:
            CameraProperty(run);
            break;
        case 17:
            run.context.READ(engine, "ev\\" + std::string(StringArg(run)));
            break;
        case 18:
            return FadeStep(run);
        case 19: {
            const std::int32_t index = Arg(run, 3);
            if (!CheckEvent(run, index)) break;
            QDCR& script = field.events[static_cast<std::size_t>(index)]->script;
            script.SetPosition(0);
            JumpToLabel(engine, script, false, std::string(StringArg(run)));
            break;
        }
        case 20:
            if (CheckActor(run, Arg(run, 3)) &&
                static_cast<std::size_t>(Arg(run, 3)) < field.movers.size())
                run.context.variables[2] =
                    field.movers[static_cast<std::size_t>(Arg(run, 3))].Walking();
            break;
        case 21:
            field.cameraFollow = Arg(run, 0);
            break;
        case 22:
            field.battleBackground = Arg(run, 0);
            break;
        case 23:
            if (CheckActor(run, 0) && !field.movers.empty())
                field.movers[0].stepX = field.movers[0].stepY = 0;
            break;
        case 24:
            if (Arg(run, 0) != 0)
                RestoreActiveFlags(engine);
            else
                SaveActiveFlags(engine);
            break;
        case 25:
            return SavePointInstruction(run);
        case 26:
            return GameVariableInstruction(run);
        case 27:
            return GameSwitchInstruction(run);
        case 28:
            return ChoiceInstruction(run);
        case 29:
            return FieldMusicInstruction(run);
        case 30:
            return BattleRulesInstruction(run);
        default:
            break;
    }
    return Flow::Next;
}
