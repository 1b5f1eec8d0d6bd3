#pragma once

struct Engine;

// The first SceneProc of every run: loads what the game needs and installs the first scene
// (engine/title).
void StartUp(Engine& engine);
