// Walking one tile, the hit test between actors, and the camera.
#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/core/Engine.h"
#include "engine/field/Doors.h"
#include "engine/script/ScriptRunner.h"

namespace {

// The field's tile coordinates of an actor: column (x - 8) >> 4, row (y - 218) >> 4. Scripts may
// place actors anywhere, so the arithmetic is done in 64 bits.
std::int64_t ColumnOf(const Actor& actor) {
    return (std::int64_t{actor.x} - 8) >> 4;
}
std::int64_t RowOf(const Actor& actor) {
    return (std::int64_t{actor.y} - 218) >> 4;
}

// A tile coordinate far outside any map stays outside it as an int.
int TileIndex(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -1, 1 << 20));
}

// A moving actor is tested where it will be a quarter of a step on, rounded half up.
std::int64_t QuarterStep(std::int32_t step) {
    return (std::int64_t{step} + 2) / 4;
}

bool BlockingTile(const FieldState& field, int column, int row) {
    const std::uint8_t* ground = field.Tile(0, column, row);
    // Tiles outside the map block: the walker would leave the map's layers.
    return !ground || (field.tileAttributes[*ground] & kTileBlocks) != 0;
}

// A leader stepping onto a marked tile goes through the door on that mark, or else starts the
// tile's event in the global script.
bool FireTileEvent(Engine& engine, int column, int row) {
    const std::uint8_t* mark = engine.Field.Tile(2, column, row);
    const int n = mark ? (*mark & 0x3F) : 0;
    if (n == 0) return false;
    if (TakeDoor(engine, n)) return true;
    // A missing label is reported and the event does not start, so that the player can go on and
    // later events still find their labels.
    if (!JumpToLabel(engine, engine.Scripts.GlobalScript, false, "PLC" + std::to_string(n - 1),
                     MissingLabel::Report))
        return false;
    SaveActiveFlags(engine);
    engine.ModeProc = ScriptMode;
    RunGlobalScript(engine);
    return true;
}

}  // namespace

int Step(Engine& engine, int index, int dx, int dy) {
    FieldState& field = engine.Field;
    if (index < 0 || static_cast<std::size_t>(index) >= engine.Actors.size() ||
        static_cast<std::size_t>(index) >= field.movers.size())
        return 1;
    Actor& actor = engine.Actors[static_cast<std::size_t>(index)];
    Mover& mover = field.movers[static_cast<std::size_t>(index)];
    const int column = TileIndex(ColumnOf(actor) + dx);
    const int row = TileIndex(RowOf(actor) + dy);
    const bool blocked = BlockingTile(field, column, row) || HitTest(engine, index, dx, dy) >= 0;
    if (blocked && field.playerControl == 0) return 1;
    int result = 1;
    if (!blocked) {
        const std::int64_t pixels = mover.speed < 10 ? 1 : std::int64_t{mover.speed} - 9;
        mover.stepX =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels * dx, INT32_MIN, INT32_MAX));
        mover.stepY =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels * dy, INT32_MIN, INT32_MAX));
        result = 0;
    }
    if (dx > 0)
        actor.facing = 3;
    else if (dx < 0)
        actor.facing = 1;
    else
        actor.facing = dy > 0 ? 0 : 2;
    if (index == 0 && FireTileEvent(engine, column, row)) return 1;
    return result;
}

int HitTest(const Engine& engine, int index, int dx, int dy) {
    const ActorTable& actors = engine.Actors;
    const FieldState& field = engine.Field;
    if (index < 0 || static_cast<std::size_t>(index) >= actors.size()) return -1;
    const Actor& a = actors[static_cast<std::size_t>(index)];
    const std::int64_t probeX = std::int64_t{a.x} + 16 * std::int64_t{dx};
    const std::int64_t probeY = std::int64_t{a.y} + 16 * std::int64_t{dy};
    const std::int64_t hw = a.width / 2;
    const std::size_t count = std::min(actors.size(), field.movers.size());
    for (std::size_t i = static_cast<std::size_t>(std::max(field.hitTestStart, 0)); i < count;
         ++i) {
        if (i == static_cast<std::size_t>(index) || actors[i].level == 0) continue;
        const Actor& other = actors[i];
        const std::int64_t x = std::int64_t{other.x} + QuarterStep(field.movers[i].stepX);
        const std::int64_t y = std::int64_t{other.y} + QuarterStep(field.movers[i].stepY);
        const std::int64_t hwi = other.width / 2;
        if (probeX + hw > x - hwi && probeX - hw < x + hwi && probeY > y - hw &&
            probeY - a.height < y)
            return static_cast<int>(i);
    }
    return -1;
}

void CentreCamera(Engine& engine) {
    FieldState& field = engine.Field;
    if (engine.Actors.empty()) return;
    const Actor& leader = engine.Actors[0];
    // The clamps below always bring the camera back into the int range.
    std::int64_t camX = std::int64_t{leader.x} - 120;
    std::int64_t camY = std::int64_t{leader.y} - 324;
    const std::int64_t maxX = (std::int64_t{field.width} - 15) * 16;
    const std::int64_t maxY = 16 * std::int64_t{field.height} - 210;
    if (camX < 16)
        camX = 16;
    else if (camX > maxX)
        camX = maxX;
    if (camY < 16)
        camY = 16;
    else if (camY > maxY)
        camY = maxY;
    field.camX = static_cast<std::int32_t>(camX);
    field.camY = static_cast<std::int32_t>(camY);
}
