#include "engine/title/GameWiring.h"

#include "engine/battle/Battle.h"
#include "engine/core/Engine.h"
#include "engine/save/SaveMenu.h"
#include "engine/title/Title.h"

void ConnectSubsystems(Engine& engine) {
    RegisterBattleInstructions(engine);
    RegisterSaveInstructions(engine);
    RegisterSceneChange(engine, SceneChange::Title, ReturnToTitle);
}
