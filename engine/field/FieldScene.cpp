// The field's scene routine: the map's layers, the actors by depth, then their walking and
// scripts.
#include <algorithm>
#include <array>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/field/MapLayers.h"
#include "engine/field/SpriteDraw.h"
#include "engine/script/ScriptRunner.h"

namespace {

MapLayersView LayersOf(const FieldState& field) {
    return MapLayersView{field.layers, field.width, field.height};
}

TileRange ViewRange(const FieldState& field) {
    return TileRange{field.viewFirstColumn, field.viewFirstRow, field.viewEndColumn,
                     field.viewEndRow};
}

void DrawGround(Engine& engine) {
    FieldState& field = engine.Field;
    field.viewFirstColumn = field.camX >> 4;
    field.viewEndColumn = field.viewFirstColumn + 16;
    field.viewFirstRow = field.camY >> 4;
    field.viewEndRow = field.viewFirstRow + 15;
    DrawMapLayer(engine.Screen, field.tileSheet, LayersOf(field), kGroundLayer, ViewRange(field),
                 field.camX, field.camY - kVisibleTop);
}

void DrawUpperLayers(Engine& engine) {
    const FieldState& field = engine.Field;
    for (const int layer : {kUpperLayer, kOverlayLayer})
        DrawMapLayer(engine.Screen, field.tileSheet, LayersOf(field), layer, ViewRange(field),
                     field.camX, field.camY - kVisibleTop);
}

void DrawActors(Engine& engine) {
    const ActorTable& actors = engine.Actors;
    const FieldState& field = engine.Field;
    std::vector<std::size_t> order(actors.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    // The game's own exchange sort: actors at equal y are drawn in the order it leaves them.
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        for (std::size_t j = i + 1; j < order.size(); ++j)
            if (actors[order[i]].y > actors[order[j]].y) std::swap(order[i], order[j]);
    for (const std::size_t i : order) {
        const Actor& a = actors[i];
        const long bottom = static_cast<long>(a.y) - field.camY;
        const long x = static_cast<long>(a.x) - field.camX;
        if (bottom > 210 && bottom - a.height < 430 && x + a.width > 0 && x - a.width < 240)
            DrawActor(engine, a);
    }
}

// Scripts may store any number in a position or a speed (`f` 3): the walking arithmetic is done
// in 64 bits and positions wrap at 32 bits as the game's integers always have.
std::int32_t Wrapped(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// One movement step of a walking actor, paced by its speed.
void Walk(Engine& engine, std::size_t i) {
    FieldState& field = engine.Field;
    Mover& mover = field.movers[i];
    Actor& actor = engine.Actors[i];
    std::int64_t interval = 1, pixels = std::int64_t{mover.speed} - 9;
    if (mover.speed < 10) {
        interval = (10 - std::int64_t{mover.speed}) * 60;
        pixels = 1;
    }
    const std::int64_t timer = std::int64_t{mover.stepTimer} + engine.FrameMs;
    if (timer < interval) {
        mover.stepTimer = static_cast<std::int32_t>(timer);
        return;
    }
    mover.stepTimer = 0;
    actor.x = Wrapped(std::int64_t{actor.x} + mover.stepX);
    actor.y = Wrapped(std::int64_t{actor.y} + mover.stepY);
    if (i == 0 && field.cameraFollow) CentreCamera(engine);
    mover.animCounter = Wrapped(mover.animCounter + pixels);
    if (mover.animCounter > 7) {
        mover.animCounter = 0;
        actor.walkFrame ^= 1;
    }
    if ((std::int64_t{actor.x} - 8) % kTileSize == 0 &&
        (std::int64_t{actor.y} - 210) % kTileSize == 0) {
        mover.stepX = mover.stepY = 0;
        actor.walkFrame = 0;
    }
}

void MoveAndRunScripts(Engine& engine) {
    FieldState& field = engine.Field;
    const std::uint64_t generation = field.actorGeneration;
    for (std::size_t i = 0; i < engine.Actors.size() && i < field.movers.size(); ++i) {
        if (i == kPartySize) field.hitTestStart = field.playerControl = 0;
        if (field.movers[i].Walking()) {
            Walk(engine, i);
        } else if (i < field.events.size() && field.events[i]->active) {
            RunEventScript(engine, static_cast<int>(i));
            if (field.actorGeneration != generation) return;  // a script replaced the actors
        }
    }
}

}  // namespace

void DrawActor(Engine& engine, const Actor& actor) {
    const FieldState& field = engine.Field;
    const std::int64_t bottom = std::int64_t{actor.y} - field.camY;
    if (actor.level == 0 || bottom - actor.height < 0 || bottom > 630) return;
    // Scripts may store any number in an actor: frames far outside the sheet or the screen are
    // not drawn, and nothing overflows.
    constexpr std::int64_t kFar = 1 << 20;
    const std::int64_t left = std::int64_t{actor.facing} * actor.width;
    const std::int64_t top = std::int64_t{actor.walkFrame} * actor.height;
    const std::int64_t firstX =
        std::int64_t{actor.x} - field.camX - std::int64_t{actor.stepX} * (actor.width / 2);
    for (const std::int64_t v :
         {left, top, firstX, std::int64_t{actor.width}, std::int64_t{actor.height}})
        if (v <= -kFar || v >= kFar) return;
    SpriteFrame frame;
    frame.left = static_cast<int>(left);
    frame.top = static_cast<int>(top);
    frame.width = actor.width;
    frame.height = actor.height;
    frame.mirrorX = actor.stepX < 0;
    frame.mirrorY = actor.stepY < 0;
    frame.firstX = static_cast<int>(firstX);
    frame.firstY = static_cast<int>(frame.mirrorY ? bottom : bottom - actor.height);
    DrawSpriteFrame(engine, actor.picture, frame, actor.level);
}

void FieldScene(Engine& engine) {
    engine.Field.retiredEvents.clear();  // no runner is active between frames' routines
    DrawGround(engine);
    DrawActors(engine);
    DrawUpperLayers(engine);
    MoveAndRunScripts(engine);
}
