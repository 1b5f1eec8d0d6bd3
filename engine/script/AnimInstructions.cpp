// Class `a` and the animation players: battle effects drawn from 48 x 48 frames of a sheet.
#include <string>

#include "engine/core/Engine.h"
#include "engine/field/SpriteDraw.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

void AnimActor::Clear() {
    script.Reset();
    active = 0;
    ResetCells();
    picture.Destroy();
}

std::int32_t& AnimActor::CellField(AnimCell& cell, int field) {
    switch (field) {
        case 0:
            return cell.x;
        case 1:
            return cell.y;
        case 2:
            return cell.column;
        case 3:
            return cell.row;
        case 4:
            return cell.stepX;
        case 5:
            return cell.stepY;
        default:
            return cell.level;
    }
}

void LoadAnimActor(Engine& engine, AnimActor& actor, std::string_view name) {
    actor.script.READ(engine, "ev\\anm\\" + std::string(name));
    actor.ResetCells();
    actor.active = 1;
}

namespace {

// Scripts may leave any number in a cell: positions far outside the screen or the sheet are
// simply not drawn, and never overflow.
constexpr std::int64_t kFarAway = 1 << 20;

bool Near(std::int64_t v) {
    return v > -kFarAway && v < kFarAway;
}

}  // namespace

void DrawAnimActor(Engine& engine, const AnimActor& actor, int pointX, int pointY) {
    for (const AnimCell& cell : actor.cells) {
        if (cell.level == 0) continue;
        const std::int64_t left = std::int64_t{cell.column} * kAnimFrameSize;
        const std::int64_t top = std::int64_t{cell.row} * kAnimFrameSize;
        const std::int64_t x = std::int64_t{actor.originX} + cell.x + pointX;
        const std::int64_t y = std::int64_t{actor.originY} + cell.y + pointY;
        if (!Near(left) || !Near(top) || !Near(x) || !Near(y)) continue;
        SpriteFrame frame;
        frame.left = static_cast<int>(left);
        frame.top = static_cast<int>(top);
        frame.width = frame.height = kAnimFrameSize;
        const int centreX = static_cast<int>(x);
        const int centreY = static_cast<int>(y);
        frame.mirrorX = cell.stepX < 0;
        frame.mirrorY = cell.stepY < 0;
        // Unmirrored, the frame covers centre - 24 .. centre + 23; mirrored, it runs back from
        // centre + 24.
        frame.firstX = frame.mirrorX ? centreX + 24 : centreX - 24;
        frame.firstY = frame.mirrorY ? centreY + 24 : centreY - 24;
        DrawSpriteFrame(engine, actor.picture, frame, cell.level);
    }
}

void RunAndDrawAnimActor(Engine& engine, int index, int pointX, int pointY) {
    if (index < 0 || index >= kAnimActorCount) return;
    RunAnimScript(engine, index);
    DrawAnimActor(engine, engine.Scripts.AnimActors[static_cast<std::size_t>(index)], pointX,
                  pointY);
}

AnimActor& RunningAnim(ScriptRun& run) {
    return run.engine.Scripts.AnimActors[static_cast<std::size_t>(run.index)];
}

namespace {

Flow StopAnimation(ScriptRun& run) {
    AnimActor& actor = RunningAnim(run);
    actor.active = 0;
    actor.ResetCells();
    actor.picture.Destroy();
    return Flow::Next;
}

Flow LoadSheet(ScriptRun& run) {
    AnimActor& actor = RunningAnim(run);
    actor.pictureName = std::string(StringArg(run));
    actor.picture.LoadFile(run.engine, "ev\\anm\\" + actor.pictureName);
    return Flow::Next;
}

Flow CellProperty(ScriptRun& run) {
    const std::int32_t field = Arg(run, 0), op = Arg(run, 1), value = Arg(run, 2);
    if (!CheckIndex(run, Arg(run, 3), kAnimCellCount, "animation cell")) return Flow::Next;
    if (!CheckIndex(run, field, kAnimCellFieldCount, "cell property")) return Flow::Next;
    AnimCell& cell = RunningAnim(run).cells[static_cast<std::size_t>(Arg(run, 3))];
    ApplyPropertyOperator(run, AnimActor::CellField(cell, field), op, value);
    return Flow::Next;
}

}  // namespace

Flow ExecuteAnim(ScriptRun& run, std::int8_t opcode) {
    switch (static_cast<AnimOp>(opcode)) {
        case AnimOp::Stop:
            return StopAnimation(run);
        case AnimOp::LoadSheet:
            return LoadSheet(run);
        case AnimOp::CellProperty:
            return CellProperty(run);
        default:
            return RunRegistered(run, ScriptClass::Anim, opcode);
    }
}
