#pragma once

struct Engine;

// Connects the subsystems that the lower ones may not name: the battle's and the save system's
// script instructions go into the runner's table, and the way back to the title becomes the
// scene change a lost battle asks for. The start-up calls it; so does anything that
// runs the game's scripts without the start-up (the test harness, the script fuzzer).
void ConnectSubsystems(Engine& engine);
