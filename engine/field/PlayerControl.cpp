// The player's control of the party leader: walking, the party following, and talking.
#include <cstdint>

#include "engine/core/Engine.h"
#include "engine/script/ScriptRunner.h"

namespace {

constexpr int kMenuRepeatMs = 86;
constexpr int kAfterTalkTimer = -96;

void FollowLeader(Engine& engine) {
    FieldState& field = engine.Field;
    ActorTable& actors = engine.Actors;
    field.hitTestStart =
        static_cast<std::int32_t>(actors.size());  // followers collide with nothing
    std::int64_t prevX = actors[0].x, prevY = actors[0].y;
    for (std::size_t i = 1; i < kPartySize && i < actors.size(); ++i) {
        if (actors[i].level == 0) continue;
        // Positions set by scripts may lie any distance apart: the difference takes 64 bits (and
        // a sixteenth of it fits an int again).
        const int ddx = static_cast<int>((actors[i].x - prevX) >> 4);
        const int ddy = static_cast<int>((actors[i].y - prevY) >> 4);
        if (ddx != 0 || ddy != 0) Step(engine, static_cast<int>(i), -ddx, -ddy);
        prevX = actors[i].x;
        prevY = actors[i].y;
    }
}

void Talk(Engine& engine) {
    static constexpr int kDx[] = {0, -1, 0, 1}, kDy[] = {1, 0, -1, 0};
    FieldState& field = engine.Field;
    const int facing = engine.Actors[0].facing & 3;
    const int partner = HitTest(engine, 0, kDx[facing], kDy[facing]);
    if (partner < 0 || static_cast<std::size_t>(partner) >= field.events.size() ||
        field.movers[static_cast<std::size_t>(partner)].Walking())
        return;
    EventObject& event = *field.events[static_cast<std::size_t>(partner)];
    // A character without a "SPK" label keeps to itself; it is reported once, and Shift held on
    // waits as after a talk instead of asking again every frame.
    if (!JumpToLabel(engine, event.script, false, "SPK",
                     event.speechMissingReported ? MissingLabel::Quiet : MissingLabel::Report)) {
        event.speechMissingReported = true;
        engine.InputTimer = kAfterTalkTimer;
        return;
    }
    SaveActiveFlags(engine);
    field.talkPartner = partner;
    event.active = 1;
}

}  // namespace

void PlayerControl(Engine& engine) {
    FieldState& field = engine.Field;
    ActorTable& actors = engine.Actors;
    if (actors.empty() || field.movers.empty() || field.movers[0].Walking()) return;
    const bool faster = engine.Keys[Key::Ctrl] == KEY_HELD;
    for (std::size_t i = 0; i < kPartySize && i < field.movers.size(); ++i)
        field.movers[i].speed = faster ? 11 : 10;
    field.hitTestStart = kPartySize;
    field.playerControl = 1;
    if (engine.Keys[Key::Enter] == KEY_PRESSED && engine.OpenFieldMenu) {
        engine.OpenFieldMenu(engine);
        if (engine.ModeProc != PlayerControl) return;
    }
    if (engine.Keys[Key::Shift] >= KEY_PRESSED) {
        if (engine.InputTimer >= kMenuRepeatMs) Talk(engine);
        return;
    }
    static constexpr struct {
        Key key;
        int dx, dy;
    } kArrows[] = {{Key::Up, 0, -1}, {Key::Down, 0, 1}, {Key::Left, -1, 0}, {Key::Right, 1, 0}};
    for (const auto& arrow : kArrows) {
        if (engine.Keys[arrow.key] != KEY_HELD) continue;
        if (Step(engine, 0, arrow.dx, arrow.dy) == 0) FollowLeader(engine);
        return;
    }
}
