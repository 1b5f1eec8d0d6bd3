#include "engine/battle/Battle.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/title/Title.h"

// Everything of the game in play goes; what start-up made stays (the skill table, the shared
// sounds). The character table is read again so that a new game starts with full hit points.
void ReturnToTitle(Engine& engine) {
    DestroyBattle(engine);
    engine.Actors.clear();
    InitField(engine);
    engine.Scripts.GlobalScript.Reset();
    for (AnimActor& anim : engine.Scripts.AnimActors) anim.Clear();
    engine.Text = TextBox{};
    engine.Text.speed = 11;
    LoadCharacterTable(engine);
    engine.PartyLineup = kStartLineup;
    engine.PlayTimeMs = 0;
    engine.Game = GameState{};
    engine.Items.held = Holdings{};
    engine.InPlay = false;
    engine.Saves.answer.reset();
    engine.Saves.menu.step = SaveMenuState::Step::Closed;
    PlayMusic(engine, "BGM\\opn.mid");
    engine.Title.frame = 80;
    engine.SceneProc = TitleMenu;
    engine.ModeProc = IdleProc;
    engine.SpareProc = IdleProc;
    CreateTitleMenu(engine);
}
