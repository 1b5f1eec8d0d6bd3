#pragma once
#include <string_view>

struct Engine;

// Loads "Mt\NAME.qd" with its tile set and its door table "Mt\NAME.dr", and tells the platform
// (the trace's game event "map NAME"). The way scripts and doors enter a map.
bool EnterMap(Engine& engine, std::string_view name);

// Reads the door table of map `name` into the field: none when the file is missing, none and a
// message naming the file when it is damaged.
void LoadDoors(Engine& engine, std::string_view name);

// Starts the trip through the door on `mark` of the current map, if there is one: the fade out,
// the new map, the party placed, the camera centred, the fade in, then the player's control.
bool TakeDoor(Engine& engine, int mark);

// The ModeProc while a door trip runs.
void DoorMode(Engine& engine);
