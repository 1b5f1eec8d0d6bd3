#include "engine/field/FieldState.h"

#include "engine/script/ScriptRunner.h"

#include <string>

#include "common/WholeFile.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/field/MapFile.h"

namespace {

// Loads the tile sheet "Smt\mapT" and the attributes "Smt\sMatT.qd" of tile-set `tileSet`.
void LoadTileSet(Engine& engine, int tileSet) {
    FieldState& field = engine.Field;
    field.tileSet = tileSet;
    const std::string number = std::to_string(tileSet);
    field.tileSheet.LoadFile(engine, "Smt\\map" + number);
    const std::string attributeFile = "Smt\\sMat" + number + ".qd";
    const auto bytes = kit::readWholeFile(AssetPath(engine, attributeFile));
    ChargeFileLoad(engine.Scripts, bytes ? bytes->size() : 0);
    if (!bytes) {
        ErrorBox(engine, "SMat file Reading error!");
        NoteLoadFailure(engine, attributeFile);
        field.tileAttributes.fill(0);
        return;
    }
    field.tileAttributes = ParseTileAttributes(*bytes);
}

}  // namespace

const std::uint8_t* FieldState::Tile(int layer, int column, int row) const {
    if (!Inside(column, row)) return nullptr;
    const std::size_t area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t at = static_cast<std::size_t>(layer) * area +
                           static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(column);
    return at < layers.size() ? &layers[at] : nullptr;
}

void InitField(Engine& engine) {
    DestroyField(engine);
    engine.Field = FieldState{};
    RegisterShutdown(engine, ShutdownStep::FieldState, DestroyField);
    RegisterShutdown(engine, ShutdownStep::ActorTable, [](Engine& e) { e.Actors.clear(); });
    RegisterScriptShutdown(engine);
    LoadTileSet(engine, 0);
}

void DestroyField(Engine& engine) {
    FieldState& field = engine.Field;
    field.layers.clear();
    field.width = field.height = 0;
    field.tileSheet.Destroy();
    field.movers.clear();
    field.events.clear();
    field.retiredEvents.clear();
}

bool LoadMap(Engine& engine, std::string_view name) {
    FieldState& field = engine.Field;
    name = name.substr(0, name.find('\0'));
    if (name != "NO") field.mapName = std::string(name.substr(0, kMapNameCapacity - 1));
    const std::string fileName = "Mt\\" + std::string(name) + ".qd";
    const auto bytes = kit::readWholeFile(AssetPath(engine, fileName));
    ChargeFileLoad(engine.Scripts, bytes ? bytes->size() : 0);
    // A map whose layers would pass the limit is refused like a missing one: the old map stays.
    const auto map = bytes ? ParseMapFile(*bytes) : std::nullopt;
    // A short file may declare a large map: its layers are paid for too.
    if (map) ChargeScriptWork(engine.Scripts, static_cast<long>(map->layers.size()));
    if (!map) {
        ErrorBox(engine, "Mat file Reading error!");
        NoteLoadFailure(engine, fileName);
        return false;
    }
    LoadTileSet(engine, map->tileSet);
    field.layers = std::move(map->layers);
    field.width = map->width;
    field.height = map->height;
    return true;
}

void CreateActors(Engine& engine, int count) {
    FieldState& field = engine.Field;
    count = std::clamp(count, 0, kMaxActors);
    ChargeScriptWork(engine.Scripts, count * kActorWork);
    // The running script may belong to one of the old event objects: keep them alive until no
    // runner is active.
    for (auto& event : field.events) field.retiredEvents.push_back(std::move(event));
    field.events.clear();
    engine.Actors.clear();
    engine.Actors.resize(static_cast<std::size_t>(count));
    field.movers.assign(static_cast<std::size_t>(count), Mover{});
    for (int i = 0; i < count; ++i) {
        auto event = std::make_unique<EventObject>();
        event->index = i;
        field.events.push_back(std::move(event));
    }
    ++field.actorGeneration;
}

bool SetActorPicture(Engine& engine, int index, std::string_view name) {
    if (index < 0 || static_cast<std::size_t>(index) >= engine.Actors.size())
        return ErrorBox(engine, Sjis("chr作りすぎ。"));
    name = name.substr(0, name.find('\0'));
    Actor& actor = engine.Actors[static_cast<std::size_t>(index)];
    actor.picture.LoadFile(engine, "pic\\" + std::string(name));
    actor.level = 32;
    if (static_cast<std::size_t>(index) < engine.Field.movers.size())
        engine.Field.movers[static_cast<std::size_t>(index)].name =
            std::string(name.substr(0, kMoverNameCapacity - 1));
    return true;
}

void SaveActiveFlags(Engine& engine) {
    for (auto& event : engine.Field.events) {
        event->savedActive = event->active;
        event->active = 0;
    }
}

void RestoreActiveFlags(Engine& engine) {
    for (auto& event : engine.Field.events) event->active = event->savedActive;
}
