#include "engine/title/GameWiring.h"

#include "engine/battle/Battle.h"
#include "engine/save/SaveMenu.h"

void ConnectSubsystems(Engine &engine) {
  RegisterBattleInstructions(engine);
  RegisterSaveInstructions(engine);
}
