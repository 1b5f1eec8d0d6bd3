#pragma once

struct Engine;

// The first SceneProc of every run: loads what the game needs and installs the first scene.
// engine/core/StartUpPlaceholder.cpp stands in for it until the title scenes define it; that file
// goes when they do.
void StartUp(Engine& engine);
