#include "engine/save/SaveSnapshot.h"

#include <algorithm>
#include <cstring>

#include "engine/core/Engine.h"
#include "engine/field/Doors.h"
#include "engine/save/HoldingsSnapshot.h"
#include "engine/save/MemorySnapshot.h"
#include "engine/script/ScriptRunner.h"

namespace {

save::Script CaptureScript(const QDCR& context) {
    save::Script s;
    s.name = std::string(context.Name());
    s.bytes = context.Script();
    s.position = static_cast<std::uint32_t>(context.Position());
    s.variables = context.variables;
    s.stringRegister = std::string(context.String());
    return s;
}

void RestoreScript(QDCR& context, const save::Script& s) {
    context.Resume(s.name, s.bytes, s.position);
    context.variables = s.variables;
    context.SetString(s.stringRegister);
}

save::Actor CaptureActor(const Actor& a) {
    return {a.x,     a.y,     a.width,     a.height,    a.facing, a.walkFrame,
            a.stepX, a.stepY, a.reserved0, a.reserved1, a.level};
}

void RestoreActor(Actor& a, const save::Actor& s) {
    a.x = s.x, a.y = s.y, a.width = s.width, a.height = s.height, a.facing = s.facing;
    a.walkFrame = s.walkFrame, a.stepX = s.stepX, a.stepY = s.stepY;
    a.reserved0 = s.reserved0, a.reserved1 = s.reserved1, a.level = s.level;
}

save::Anim CaptureAnim(const AnimActor& a) {
    save::Anim s;
    s.script = CaptureScript(a.script);
    s.active = a.active, s.originX = a.originX, s.originY = a.originY;
    for (std::size_t i = 0; i < a.cells.size(); ++i) {
        const AnimCell& c = a.cells[i];
        s.cells[i] = {c.x, c.y, c.column, c.row, c.stepX, c.stepY, c.level};
    }
    if (!a.picture.Empty()) s.pictureName = a.pictureName;
    return s;
}

void RestoreAnim(Engine& engine, AnimActor& a, const save::Anim& s) {
    RestoreScript(a.script, s.script);
    a.active = s.active, a.originX = s.originX, a.originY = s.originY;
    for (std::size_t i = 0; i < a.cells.size(); ++i) {
        const save::AnimCell& c = s.cells[i];
        a.cells[i] = {c.x, c.y, c.column, c.row, c.stepX, c.stepY, c.level};
    }
    a.pictureName = s.pictureName;
    if (s.pictureName.empty())
        a.picture.Destroy();
    else
        a.picture.LoadFile(engine, "ev\\anm\\" + s.pictureName);
}

save::Field CaptureField(const FieldState& f) {
    save::Field s;
    s.mapName = f.mapName;
    s.tileSet = f.tileSet, s.width = f.width, s.height = f.height;
    s.layers = f.layers;
    s.tileAttributes = f.tileAttributes;
    s.camX = f.camX, s.camY = f.camY, s.cameraFollow = f.cameraFollow;
    s.talkPartner = f.talkPartner, s.hitTestStart = f.hitTestStart;
    s.playerControl = f.playerControl, s.scriptMode = f.scriptMode;
    s.battleBackground = f.battleBackground, s.enemyGroup = f.enemyGroup;
    return s;
}

void RestoreField(Engine& engine, const save::Field& s) {
    FieldState& f = engine.Field;
    f.mapName = s.mapName;
    f.tileSet = s.tileSet, f.width = s.width, f.height = s.height;
    f.layers = s.layers;
    f.tileAttributes = s.tileAttributes;
    f.tileSheet.LoadFile(engine, "Smt\\map" + std::to_string(s.tileSet));
    LoadDoors(engine, f.mapName);
    f.camX = s.camX, f.camY = s.camY, f.cameraFollow = s.cameraFollow;
    f.talkPartner = s.talkPartner, f.hitTestStart = s.hitTestStart;
    f.playerControl = s.playerControl, f.scriptMode = s.scriptMode;
    f.battleBackground = s.battleBackground, f.enemyGroup = s.enemyGroup;
}

save::TextBox CaptureText(const TextBox& t) {
    return {std::string(t.Text()),
            t.lastPartStart,
            t.previousPageLines,
            t.pageDropPending,
            t.revealed,
            t.revealTimer,
            t.speed,
            t.scrollOffset,
            t.linesToScroll,
            t.linesDrawn,
            t.firstLine};
}

void RestoreText(TextBox& t, const save::TextBox& s) {
    t.text.fill('\0');
    std::memcpy(t.text.data(), s.text.data(), std::min(s.text.size(), t.text.size() - 1));
    t.lastPartStart = s.lastPartStart, t.previousPageLines = s.previousPageLines;
    t.pageDropPending = s.pageDropPending, t.revealed = s.revealed;
    t.revealTimer = s.revealTimer, t.speed = s.speed, t.scrollOffset = s.scrollOffset;
    t.linesToScroll = s.linesToScroll, t.linesDrawn = s.linesDrawn, t.firstLine = s.firstLine;
}

bool ScriptFits(const save::Script& s) {
    return s.position <= s.bytes.size();
}

bool ScriptsFit(const save::Game& g) {
    if (!ScriptFits(g.global)) return false;
    for (const save::Event& e : g.events)
        if (!ScriptFits(e.script)) return false;
    for (const save::Anim& a : g.anims)
        if (!ScriptFits(a.script)) return false;
    return true;
}

// The box's own rules decide, on a box filled as a load would fill it; a zero byte would cut the
// text short of what was saved.
bool TextFits(const save::TextBox& s) {
    if (s.text.size() >= TextBox::kCapacity || s.text.find('\0') != std::string::npos) return false;
    TextBox box;
    RestoreText(box, s);
    return box.CountersInRange();
}

// Names as long as the field and the `a` 1 instruction keep them.
bool NamesFit(const save::Game& g) {
    if (g.field.mapName.size() >= kMapNameCapacity) return false;
    for (const save::Mover& m : g.movers)
        if (m.name.size() >= kMoverNameCapacity) return false;
    for (const save::Anim& a : g.anims)
        if (a.pictureName.size() >= QDCR::kStringRegisterSize) return false;
    return true;
}

// Timers grow by a frame's milliseconds and the camera is offset by the page's place on Screen:
// values this far out come near overflowing, and no game comes near them.
bool Near(std::int32_t v) {
    constexpr std::int32_t kFar = 1 << 30;
    return v > -kFar && v < kFar;
}

void RestoreMusic(Engine& engine, const std::string& name, bool open) {
    if (!open) {
        StopMusic(engine);
        engine.Music.currentName = name;
    } else if (!engine.Music.open || engine.Music.currentName != name) {
        StopMusic(engine);
        engine.Music.currentName.clear();  // so that PlayMusic opens it even under its old name
        PlayMusic(engine, name);
    }
}

}  // namespace

void (*ModeRoutine(save::Mode mode))(Engine&) {
    switch (mode) {
        case save::Mode::PlayerControl:
            return PlayerControl;
        case save::Mode::TextBoxMode:
            return TextBoxMode;
        case save::Mode::ScriptMode:
            break;
    }
    return ScriptMode;
}

std::optional<save::Mode> RoutineMode(void (*routine)(Engine&)) {
    if (routine == PlayerControl) return save::Mode::PlayerControl;
    if (routine == ScriptMode) return save::Mode::ScriptMode;
    if (routine == TextBoxMode) return save::Mode::TextBoxMode;
    return std::nullopt;
}

save::Game CaptureGame(const Engine& engine, save::Mode mode, std::int32_t savePointScript) {
    save::Game g;
    g.gameIdentity = engine.Saves.gameIdentity;
    const std::int32_t leader = engine.PartyLineup[0];
    if (leader > 0 && static_cast<std::size_t>(leader) < engine.CharacterTable.size())
        g.summary.leaderName = engine.CharacterTable[static_cast<std::size_t>(leader)].name;
    g.summary.mapName = engine.Field.mapName;
    g.summary.playTimeMs = engine.PlayTimeMs;
    g.mode = mode;
    g.inputTimer = engine.InputTimer;
    g.randomState = engine.random.state();
    g.savePointScript = savePointScript;
    g.global = CaptureScript(engine.Scripts.GlobalScript);
    for (const auto& event : engine.Field.events)
        g.events.push_back({CaptureScript(event->script), event->active, event->savedActive});
    for (const Actor& actor : engine.Actors) g.actors.push_back(CaptureActor(actor));
    for (const Mover& m : engine.Field.movers)
        g.movers.push_back(
            {m.speed, m.animCounter, m.stepX, m.stepY, m.stepTimer, CaptureActor(m.saved), m.name});
    for (std::size_t i = 0; i < g.anims.size(); ++i)
        g.anims[i] = CaptureAnim(engine.Scripts.AnimActors[i]);
    g.field = CaptureField(engine.Field);
    g.text = CaptureText(engine.Text);
    g.party = engine.PartyLineup;
    for (const CharRecord& record : engine.CharacterTable) g.hitPoints.push_back(record.hp);
    g.music = engine.Music.currentName;
    g.musicOpen = engine.Music.open;
    g.memory = CaptureMemory(engine.Game);
    g.holdings = CaptureHoldings(engine);
    return g;
}

std::string CheckGame(const save::Game& g, std::string_view gameIdentity) {
    if (!gameIdentity.empty() && !g.gameIdentity.empty() && g.gameIdentity != gameIdentity)
        return "saved by another game";
    const std::size_t actors = g.actors.size();
    if (g.events.size() != actors || g.movers.size() != actors || actors > kMaxActors)
        return "the actors, movers and event objects do not agree";
    if (g.savePointScript < save::kGlobalScript ||
        g.savePointScript >= static_cast<std::int32_t>(actors))
        return "the script that saved does not exist";
    // A map file gives its size in 16 bits.
    const auto side = [](std::int32_t n) { return n >= 0 && n <= 0xFFFF; };
    if (!side(g.field.width) || !side(g.field.height) ||
        g.field.layers.size() !=
            4 * static_cast<std::size_t>(g.field.width) * static_cast<std::size_t>(g.field.height))
        return "the map's layers do not match its size";
    if (!ScriptsFit(g)) return "a script's position lies beyond its end";
    if (!TextFits(g.text)) return "the text box's counters do not fit its text";
    if (!NamesFit(g)) return "a picture or map name is longer than the engine keeps";
    if (!Near(g.inputTimer) || !Near(g.field.camX) || !Near(g.field.camY))
        return "a timer or the camera lies beyond any game";
    return {};
}

void RestoreGame(Engine& engine, const save::Game& g) {
    CreateActors(engine, static_cast<int>(g.actors.size()));
    FieldState& field = engine.Field;
    for (std::size_t i = 0; i < g.actors.size(); ++i) {
        const save::Mover& m = g.movers[i];
        Mover& mover = field.movers[i];
        mover.speed = m.speed, mover.animCounter = m.animCounter;
        mover.stepX = m.stepX, mover.stepY = m.stepY, mover.stepTimer = m.stepTimer;
        RestoreActor(mover.saved, m.saved);
        mover.name = m.name;
        Actor& actor = engine.Actors[i];
        if (!m.name.empty()) actor.picture.LoadFile(engine, "pic\\" + m.name);
        RestoreActor(actor, g.actors[i]);
        RestoreScript(field.events[i]->script, g.events[i].script);
        field.events[i]->active = g.events[i].active;
        field.events[i]->savedActive = g.events[i].savedActive;
    }
    RestoreScript(engine.Scripts.GlobalScript, g.global);
    for (std::size_t i = 0; i < g.anims.size(); ++i)
        RestoreAnim(engine, engine.Scripts.AnimActors[i], g.anims[i]);
    RestoreField(engine, g.field);
    RestoreText(engine.Text, g.text);
    engine.PartyLineup = g.party;
    for (std::size_t i = 0; i < g.hitPoints.size() && i < engine.CharacterTable.size(); ++i)
        engine.CharacterTable[i].hp = g.hitPoints[i];
    RestoreMusic(engine, g.music, g.musicOpen);
    RestoreMemory(engine.Game, g.memory);
    RestoreHoldings(engine, g.holdings);
    engine.random.seed(g.randomState);
    engine.InputTimer = g.inputTimer;
    engine.PlayTimeMs = g.summary.playTimeMs;
    engine.InPlay = true;
}
