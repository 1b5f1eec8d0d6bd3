#pragma once

struct Engine;

// The first SceneProc of every run: loads what the game needs and installs the first scene.
void StartUp(Engine& engine);
