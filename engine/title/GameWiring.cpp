#include "engine/title/GameWiring.h"

#include "engine/battle/Battle.h"
#include "engine/core/Engine.h"
#include "engine/game/GameInstructions.h"
#include "engine/items/ItemInstructions.h"
#include "engine/menu/MenuInstructions.h"
#include "engine/save/SaveMenu.h"
#include "engine/title/Title.h"

void ConnectSubsystems(Engine& engine) {
    RegisterBattleInstructions(engine);
    RegisterSaveInstructions(engine);
    RegisterGameInstructions(engine);
    RegisterItemInstructions(engine);
    RegisterMenuInstructions(engine);
    RegisterSceneChange(engine, SceneChange::Title, ReturnToTitle);
}
