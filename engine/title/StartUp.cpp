#include "engine/title/StartUp.h"

#include "engine/battle/GameData.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Engine.h"
#include "engine/core/Sound.h"
#include "engine/field/FieldState.h"
#include "engine/items/ItemFiles.h"
#include "engine/script/ScriptRunner.h"
#include "engine/title/GameCredits.h"
#include "engine/title/GameWiring.h"
#include "engine/title/Title.h"
#include "engine/words/Words.h"

// Runs once, in the first frame: the game data, the pictures, the field, the
// logo and the two sounds that serve the whole game, then the logo screen with
// Shift skipping to the menu.
void StartUp(Engine& engine) {
    SeedRandom(engine);
    LoadWords(engine);
    LoadSkillTable(engine);
    LoadCharacterTable(engine);
    LoadItemTable(engine);
    engine.PartyLineup = kStartLineup;
    engine.Text.speed = 11;
    for (CDib& picture : engine.PictureSlots) picture.Destroy();
    ConnectSubsystems(engine);
    InitField(engine);
    engine.Field.camX = 0;
    engine.Field.camY = 0;
    engine.Title.frame = -100;
    LoadGameCredits(engine);
    engine.PictureSlots[0].LoadFile(engine, "pic\\QD-logo");
    LoadEffect(engine, kCursorSoundSlot, "SE\\cur0");
    LoadEffect(engine, kKinSoundSlot, "SE\\kin");
    engine.SceneProc = LogoScreen;
    engine.ModeProc = SkipToMenu;
}

void LoadPlayPictures(Engine& engine) {
    engine.PictureSlots[0].LoadFile(engine, "pic\\cur0");
    engine.PictureSlots[1].LoadFile(engine, "pic\\cur1");
    engine.PictureSlots[2].LoadFile(engine, "pic\\koitsu");
}

void StartNewGame(Engine& engine) {
    LoadPlayPictures(engine);
    engine.InPlay = true;
    engine.SceneProc = FieldScene;
    engine.ModeProc = ScriptMode;
    engine.Field.scriptMode = 1;
    engine.Scripts.GlobalScript.READ(engine, "ev\\START");
    RunGlobalScript(engine);
    // An opening script that chose the field's music (`f` 29) keeps it.
    if (!engine.Game.fieldMusicChosen) PlayMusic(engine, "BGM\\lastDung.mid");
}
