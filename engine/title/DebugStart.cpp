// The debug start: play begins on a chosen map cell. The start script still runs (it makes the
// party, sets the lineup and the music); only where the party stands is the game author's choice.
#include "engine/title/DebugStart.h"

#include "engine/core/Engine.h"
#include "engine/field/Doors.h"
#include "engine/title/StartUp.h"
#include "engine/title/Title.h"

namespace {

// The SpareProc until the player first has control: then the party goes to the place.
void PlaceWhenPlayable(Engine& engine) {
    if (engine.ModeProc != PlayerControl) return;
    engine.SpareProc = IdleProc;
    const DebugStartPlace& place = engine.Title.debugStart;
    if (!EnterMap(engine, place.map)) return;
    FieldState& field = engine.Field;
    for (std::size_t i = 0; i < engine.Actors.size() && i < static_cast<std::size_t>(kPartySize);
         ++i) {
        engine.Actors[i].x = TileToX(place.column);
        engine.Actors[i].y = TileToY(place.row);
        if (i < field.movers.size()) field.movers[i].stepX = field.movers[i].stepY = 0;
    }
    for (std::size_t i = kPartySize; i < engine.Actors.size(); ++i) {
        engine.Actors[i].level = 0;  // the start map's people are not on this one
        if (i < field.events.size()) field.events[i]->active = 0;
    }
    CentreCamera(engine);
}

}  // namespace

void StartAtPlace(Engine& engine) {
    StartUp(engine);
    StartNewGame(engine);
    engine.SpareProc = PlaceWhenPlayable;
    PlaceWhenPlayable(engine);
}
