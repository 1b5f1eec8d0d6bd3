#include "engine/game/GameEvents.h"

#include "engine/core/Engine.h"
#include "engine/core/Sound.h"

void NoteGameEvent(Engine& engine, const std::string& line) {
    engine.platform.NoteGameEvent(line);
}

void PlayFieldMusic(Engine& engine) {
    const GameState& game = engine.Game;
    if (!game.fieldMusicChosen) {
        // Before any choice the field goes back to what it had; with nothing, the battle music
        // is closed as it always was.
        PlayMusic(engine, game.musicBeforeBattle.empty() ? "null" : game.musicBeforeBattle);
    } else if (game.fieldMusic.empty()) {
        StopMusic(engine);
        engine.Music.currentName.clear();  // so that choosing a piece again opens it
    } else {
        PlayMusic(engine, "BGM\\" + game.fieldMusic + ".mid");
    }
}

void BeginBattleRecord(Engine& engine, std::int32_t enemyGroup) {
    GameState& game = engine.Game;
    game.musicBeforeBattle = engine.Music.open ? engine.Music.currentName : std::string();
    game.battleRules = game.nextBattleRules;
    game.nextBattleRules = 0;
    NoteGameEvent(engine, "battle start " + std::to_string(enemyGroup));
}

void EndBattleRecord(Engine& engine, BattleOutcome outcome) {
    static constexpr const char* kNames[] = {"won", "retreated", "lost"};
    GameState& game = engine.Game;
    NoteGameEvent(engine, std::string("battle end ") + kNames[static_cast<int>(outcome)]);
    PlayFieldMusic(engine);
    QDCR* starter = nullptr;
    if (game.battleStarter == GameState::kGlobalScript) {
        starter = &engine.Scripts.GlobalScript;
    } else if (game.battleStarter >= 0 &&
               game.battleStarterGeneration == engine.Field.actorGeneration &&
               static_cast<std::size_t>(game.battleStarter) < engine.Field.events.size()) {
        starter = &engine.Field.events[static_cast<std::size_t>(game.battleStarter)]->script;
    }
    if (starter) starter->variables[2] = static_cast<std::int32_t>(outcome);
    game.battleStarter = GameState::kNoScript;
    game.battleRules = 0;
    game.musicBeforeBattle.clear();
}
