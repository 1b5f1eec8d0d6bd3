// Doors: the engine's own map change when the leader steps on a door's mark.
#include "engine/field/Doors.h"

#include <algorithm>
#include <string>

#include "common/ShiftJis.h"
#include "common/WholeFile.h"
#include "engine/core/Draw.h"
#include "engine/core/Engine.h"

namespace {

constexpr int kFullBrightness = 32;

void PlaceParty(Engine& engine, const Door& door) {
    FieldState& field = engine.Field;
    for (std::size_t i = 0; i < engine.Actors.size(); ++i) {
        Actor& actor = engine.Actors[i];
        if (i < static_cast<std::size_t>(kPartySize)) {
            actor.x = TileToX(door.column);
            actor.y = TileToY(door.row);
            actor.facing = door.facing;
            actor.walkFrame = 0;
        } else {
            // The people of the map left behind stay there: hidden, their scripts stopped.
            actor.level = 0;
            if (i < field.events.size()) field.events[i]->savedActive = 0;
        }
        if (i < field.movers.size()) field.movers[i].stepX = field.movers[i].stepY = 0;
    }
    CentreCamera(engine);
}

void Arrive(Engine& engine) {
    DoorTrip& trip = engine.Field.trip;
    trip.phase = DoorTrip::Phase::FadeIn;
    if (!EnterMap(engine, trip.door.map)) {
        // The old map stays; the party stays where it stood.
        trip.level = kFullBrightness;
        return;
    }
    PlaceParty(engine, trip.door);
}

void FinishTrip(Engine& engine) {
    engine.Field.trip = DoorTrip{};
    RestoreActiveFlags(engine);
    engine.ModeProc = PlayerControl;
}

}  // namespace

bool EnterMap(Engine& engine, std::string_view name) {
    name = name.substr(0, name.find('\0'));
    if (!LoadMap(engine, name)) return false;
    if (name != "NO") LoadDoors(engine, name);
    engine.platform.NoteGameEvent("map " + kit::sjisToUtf8Lossy(name));
    return true;
}

void LoadDoors(Engine& engine, std::string_view name) {
    FieldState& field = engine.Field;
    field.doors.clear();
    const std::string fileName = "Mt\\" + std::string(name) + ".dr";
    const std::filesystem::path path = AssetPath(engine, fileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return;  // a map without doors
    const auto bytes = kit::readWholeFile(path);
    auto table =
        bytes ? ParseDoorTable(*bytes)
              : std::variant<std::vector<Door>, DoorTableError>{DoorTableError{"cannot be read"}};
    if (auto* error = std::get_if<DoorTableError>(&table)) {
        ErrorBox(engine, "Door table " + fileName + ": " + error->message);
        return;
    }
    field.doors = std::move(std::get<std::vector<Door>>(table));
}

bool TakeDoor(Engine& engine, int mark) {
    const Door* door = FindDoor(engine.Field.doors, mark);
    if (!door) return false;
    FieldState& field = engine.Field;
    field.trip = DoorTrip{DoorTrip::Phase::WaitStep, *door, kFullBrightness};
    SaveActiveFlags(engine);
    engine.ModeProc = DoorMode;
    return true;
}

void DoorMode(Engine& engine) {
    FieldState& field = engine.Field;
    DoorTrip& trip = field.trip;
    const int fade = trip.door.fade;
    switch (trip.phase) {
        case DoorTrip::Phase::None:
            FinishTrip(engine);
            return;
        case DoorTrip::Phase::WaitStep:
            // The leader finishes the step onto the door first.
            if (!field.movers.empty() && field.movers[0].Walking()) return;
            trip.phase = DoorTrip::Phase::FadeOut;
            [[fallthrough]];
        case DoorTrip::Phase::FadeOut:
            trip.level = fade == 0 ? 0 : std::max(trip.level - fade, 0);
            FadeScreen(engine, trip.level);
            if (trip.level > 0) return;
            Arrive(engine);
            if (fade == 0) break;
            return;
        case DoorTrip::Phase::FadeIn:
            trip.level = fade == 0 ? kFullBrightness : std::min(trip.level + fade, kFullBrightness);
            FadeScreen(engine, trip.level);
            if (trip.level < kFullBrightness) return;
            break;
    }
    FinishTrip(engine);
}
