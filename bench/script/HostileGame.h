#pragma once
// Scripts that loop without a yield, each spending the frame's work in its own way, and the small
// game they run in: shared by the budget test and its benchmark (no test framework here).
#include <string>
#include <vector>

#include "editor/ScriptCompiler.h"
#include "engine/core/Engine.h"
#include "engine/field/FieldState.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/script/ScriptRunner.h"
#include "tests/engine/BmpFile.h"

namespace hostile {

struct Loop {
    const char* name;
    std::string source;
    bool fromCharacters = true;  // also run by ten character scripts
};

inline const std::vector<Loop>& Loops() {
    static const std::vector<Loop> loops = {
        {"arithmetic", "@L//c0;1;1;+c2;1;$L//"},
        {"endless_fade", "c0;0;0;=c0;1;16;=f18;"},  // `#f18;` without its `#`
        {"map_reload", "@L//c4;=$M1//f13;c2;1;$L//"},
        {"picture_reload", "@L//c0;3;0;=c4;=$npc//f4;c2;1;$L//"},
        {"sound_replay", "@L//c4;=$kin//c-4;c2;1;$L//"},
        {"script_reload", "@L//c4;=$L//c0;3;0;=f2;c2;1;$L//"},
        {"long_operand", "@L//c4;=$" + std::string(250, 'x') + "//c2;1;$L//"},
        {"actor_creation", "@L//c0;0;256;=f11;c2;1;$L//", false},
    };
    return loops;
}

inline std::vector<std::uint8_t> Compile(std::string_view source) {
    const std::string bytes = pocora::ScriptCompiler::compile(source).bytes;
    return {bytes.begin(), bytes.end()};
}

// One second of 16-bit mono sound at 22,050 Hz.
inline std::string Wave() {
    const std::uint32_t data = 44'100;
    std::string w;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) w += static_cast<char>(v >> (8 * i));
    };
    w += "RIFF", put(36 + data, 4), w += "WAVEfmt ", put(16, 4), put(1, 2), put(1, 2);
    put(22'050, 4), put(44'100, 4), put(2, 2), put(16, 2), w += "data", put(data, 4);
    for (std::uint32_t i = 0; i < data; ++i) w += static_cast<char>(i * 7);
    return w;
}

// The game: a 64 x 64 map "M1" on a 256 x 256 tile sheet, fourteen actors showing "npc" and the
// sound "kin"; the loop runs in the global script, or in the ten characters that the global
// script activates and runs (`c-3;`, `c-2;`).
inline void Start(EngineHarness& h, const Loop& loop, bool fromCharacters) {
    h.WriteFile("Smt\\map0.qdg",
                MakeBmp(256, 256, [](int x, int y) { return 0x10101u * (x ^ y); }));
    h.WriteFile("Smt\\sMat0.qd", std::string(256, '\0'));
    std::string map = {0, 64, 0, 64, 0};
    for (int i = 0; i < 4 * 64 * 64; ++i) map += static_cast<char>(i % 7);
    h.WriteFile("Mt\\M1.qd", map);
    h.WriteFile("pic\\npc.qdg", MakeBmp(64, 32, [](int x, int y) { return 0x808080u + x + y; }));
    h.WriteFile("SE\\kin.wav", Wave());
    h.WriteFile("ev\\chr\\L.sc", Compile("c0;0;1;+#"));
    Engine& e = h.engine;
    InitField(e);
    LoadMap(e, "M1");
    CreateActors(e, kPartySize + 10);
    for (int i = 0; i < kPartySize + 10; ++i) SetActorPicture(e, i, "npc");
    if (fromCharacters) {
        for (int i = kPartySize; i < kPartySize + 10; ++i)
            e.Field.events[static_cast<std::size_t>(i)]->script.Load(Compile(loop.source));
        e.Scripts.GlobalScript.Load(Compile("c0;0;1;=c-3;c-2;#"));
    } else {
        e.Scripts.GlobalScript.Load(Compile(loop.source));
    }
    e.SceneProc = FieldScene;
    e.ModeProc = ScriptMode;
    e.FrameMs = 16;
}

}  // namespace hostile
