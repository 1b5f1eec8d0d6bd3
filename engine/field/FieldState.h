#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/CDib.h"
#include "engine/field/DoorTable.h"
#include "engine/script/EventObject.h"

struct Engine;

// Map tiles are 16 x 16 pixels. An actor on tile column c, row r stands at x = 16c + 8 (its
// centre) and y = 16r + 226 (its bottom edge, 210 being the visible page's offset in Screen).
inline constexpr int kTileSize = 16;
inline constexpr int kTileBlocks = 0x20;  // tile attribute bit: the tile blocks walking
inline constexpr int kPartySize = 5;      // actors 0..4 are the party, 0 the leader
inline constexpr int kMaxActors = 256;    // a script asking for more actors is refused

constexpr std::int32_t TileToX(std::int32_t column) {
    return 16 * column + 8;
}
constexpr std::int32_t TileToY(std::int32_t row) {
    return 16 * row + 226;
}

// Everything drawn on the map, party included.
struct Actor {
    std::int32_t x = 0, y = 0;
    std::int32_t width = 16, height = 16;  // frame size in pixels
    std::int32_t facing = 0;               // 0 down, 1 left, 2 up, 3 right: the frame column
    std::int32_t walkFrame = 0;            // 0 or 1: the frame row
    std::int32_t stepX = 1, stepY = 1;     // -1 mirrors the frame
    CDib picture;
    std::int32_t reserved0 = 0, reserved1 = 1;  // kept for the battle; the field never reads them
    std::int32_t level = 0;                     // blend level: 0 hidden, 32 opaque
};

using ActorTable = std::vector<Actor>;

// The walking of one actor.
struct Mover {
    std::int32_t speed = 9;
    std::int32_t animCounter = 0;
    std::int32_t stepX = 0, stepY = 0;  // pixels per movement step; both 0 when standing
    std::int32_t stepTimer = 0;         // milliseconds
    Actor saved;                        // the actor as it was before a battle
    std::string name;                   // the picture name last given (at most 31 bytes)

    bool Walking() const { return stepX != 0 || stepY != 0; }
};

inline constexpr std::size_t kMapNameCapacity = 64;
inline constexpr std::size_t kMoverNameCapacity = 32;

// A walk through a door in progress (DoorMode).
struct DoorTrip {
    enum class Phase { None, WaitStep, FadeOut, FadeIn };
    Phase phase = Phase::None;
    Door door;
    int level = 32;  // the page's brightness
};

struct FieldState {
    std::vector<Mover> movers;
    std::int32_t talkPartner = 0;
    std::int32_t hitTestStart = 0;
    std::int32_t playerControl = 0;  // while set, a blocked step still turns the walker
    CDib tileSheet;
    std::int32_t camX = 0, camY = 0;
    std::int32_t cameraFollow = 0;
    std::int32_t viewFirstColumn = 0, viewFirstRow = 0, viewEndColumn = 0, viewEndRow = 0;
    std::vector<std::uint8_t> layers;  // ground, upper, marks, overlay: width x height each
    std::int32_t width = 0, height = 0;
    std::string mapName;  // the current map (loading "NO" leaves it)
    std::int32_t battleBackground = 0, enemyGroup = 0;
    std::int32_t scriptMode = 0;  // after a battle: the global script takes over, not the player
    std::array<std::int32_t, 256> tileAttributes{};
    std::int32_t tileSet = 0;
    std::vector<std::unique_ptr<EventObject>> events;  // one per actor
    std::vector<Door> doors;                           // the current map's door table
    DoorTrip trip;

    // Event objects replaced while one of them may still be running; freed when no runner is.
    std::vector<std::unique_ptr<EventObject>> retiredEvents;
    // Counts the re-creations of the actors, so that runners notice their script is gone.
    std::uint64_t actorGeneration = 0;

    // Tile byte of `layer` at (column, row); nothing outside the map.
    const std::uint8_t* Tile(int layer, int column, int row) const;
    bool Inside(int column, int row) const {
        return column >= 0 && row >= 0 && column < width && row < height;
    }
};

// Empties the field and loads the tile sheet and attributes of tile-set 0.
void InitField(Engine& engine);
// Frees the map, tile sheet, movers and event objects (the actors are freed apart).
void DestroyField(Engine& engine);

// Loads the map "Mt\NAME.qd" with its tile sheet and attributes. "NO" leaves the remembered name.
bool LoadMap(Engine& engine, std::string_view name);

// Discards every actor, mover and event object and makes `count` new ones.
void CreateActors(Engine& engine, int count);

// Gives actor `index` the picture "pic\NAME" at full level and remembers NAME in its mover.
// An index beyond the actors is refused with "chr作りすぎ。".
bool SetActorPicture(Engine& engine, int index, std::string_view name);

// Starts actor `index` walking one tile by (dx, dy): 0 when it starts, 1 when it does not.
int Step(Engine& engine, int index, int dx, int dy);
// The actor occupying the place one tile from actor `index` in direction (dx, dy), or -1.
int HitTest(const Engine& engine, int index, int dx, int dy);
void CentreCamera(Engine& engine);

// Saves every event object's active flag and clears it; restores them from the saved flags.
void SaveActiveFlags(Engine& engine);
void RestoreActiveFlags(Engine& engine);

// The field's SceneProc: ground, actors by depth, upper layers, then movement and scripts.
void FieldScene(Engine& engine);
// The field's ModeProc while the player walks the leader.
void PlayerControl(Engine& engine);

void DrawActor(Engine& engine, const Actor& actor);
