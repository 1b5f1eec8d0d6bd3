#include "BattleGame.h"

#include <string>

#include "editor/ScriptCompiler.h"
#include "engine/battle/Battle.h"
#include "engine/battle/GameDataFiles.h"
#include "engine/core/Sound.h"
#include "engine/field/FieldState.h"
#include "engine/platform/headless/TraceLine.h"
#include "tests/engine/BmpFile.h"

std::string SolidBmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t colour = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    const auto bytes = MakeBmp(width, height, [colour](int, int) { return colour; });
    return {bytes.begin(), bytes.end()};
}

std::string TinyWav() {
    // RIFF header of 64 silent 8-bit mono samples at 11025 Hz.
    const std::string header(
        "RIFF\x64\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x11\x2B\0\0"
        "\x11\x2B\0\0\x01\0\x08\0data\x40\0\0\0",
        44);
    return header + std::string(64, '\x80');
}

std::string CompileScript(std::string_view source) {
    return pocora::ScriptCompiler::compile(source).bytes;
}

BattleGame::BattleGame() : engine(h.engine) {}

BattleGame::BattleGame(const std::filesystem::path& sharedGameDir)
    : h(sharedGameDir, {}), engine(h.engine) {}

void BattleGame::WriteCharacter(int n, std::string_view name, int maxHp,
                                std::initializer_list<int> stats) {
    std::string text = "code" + std::to_string(n) + "\n" + std::string(name) + " hero\n" +
                       std::to_string(maxHp) + ",5,\n";
    for (int s : stats) text += std::to_string(s) + ",";
    h.WriteFile("Schr\\schr" + std::to_string(n) + ".qd", text + "\n");
}

void BattleGame::WriteEnemy(int n, std::string_view name, int maxHp,
                            std::initializer_list<int> stats, std::string_view actions) {
    std::string text = std::string(name) + " slime\n" + std::to_string(maxHp) + ",0,\n";
    for (int s : stats) text += std::to_string(s) + ",";
    text += "\n10,10,\n";
    text += actions;
    h.WriteFile("Schr\\e" + std::to_string(n) + ".qd", text);
}

void BattleGame::WriteSkillScript(int id, std::string_view source) {
    h.WriteFile("ev\\wz\\wz" + std::to_string(id) + ".sc", CompileScript(source));
}

void BattleGame::WriteStandardFiles() {
    // Skill 1 hits one enemy anywhere in a wide reach; 2 is the enemies' blow; 3 heals the own
    // side; 4 hits a row of three.
    h.WriteFile("Dtbs\\wzDt.qd",
                "none none 0,0,0,0,0,0,0,-0,0*0,\n"
                "strike hit 127,127,127,127,127,127,127,-0,1*1,\n"
                "bite chomp 127,127,127,127,127,127,127,-0,1*1,\n"
                "mend heal 127,127,127,127,127,127,127,-1,1*1,\n"
                "sweep wide 127,127,127,127,127,127,127,-0,3*1,\n");
    WriteCharacter(0, "nobody", 10, {0, 0, 0, 0, 0, 0, 0, 0});
    WriteCharacter(1, "Allen", 100, {0, 100, 9, 10, 50, 0, 6, 0});
    WriteCharacter(2, "Beth", 100, {0, 100, 8, 10, 50, 0, 6, 0});
    WriteCharacter(3, "Cid", 100, {0, 100, 7, 10, 50, 0, 6, 0});
    WriteCharacter(4, "Dora", 100, {0, 100, 6, 10, 50, 0, 6, 0});
    WriteEnemy(0, "none", 0, {0, 0, 0, 0, 0, 0, 0, 0}, "0:\n");
    WriteEnemy(1, "slime", 20, {0, 10, 3, 2, 5, 0, 1, 0}, "1:\n2-1\n");
    // Group 0: one slime at column 5, row 3. Group 1: two slimes side by side.
    h.WriteFile("Schr\\group.qd",
                "1,0,0,0,0,0,0,1-1,1-2,1-3,1-4,6-3,0-0,0-0,0-0,0-0,0-0,0-0,\n"
                "1,1,0,0,0,0,0,1-1,1-2,1-3,1-4,6-3,7-3,0-0,0-0,0-0,0-0,0-0,\n");
    h.WriteFile("pic\\hero.qdg", SolidBmp(64, 192, 200, 200, 200));
    h.WriteFile("pic\\slime.qdg", SolidBmp(64, 32, 0, 200, 0));
    h.WriteFile("pic\\btlBG\\btlBG0.qdg", SolidBmp(240, 210, 40, 40, 120));
    h.WriteFile("pic\\cur1.qdg", SolidBmp(32, 17, 255, 255, 0));
    h.WriteFile("pic\\koitsu.qdg", SolidBmp(16, 16, 255, 0, 255));
    h.WriteFile("SE\\cur0.wav", TinyWav());
    h.WriteFile("SE\\kin.wav", TinyWav());
    h.WriteFile("Mt\\NO.qd", std::string("\x00\x01\x00\x01\x00\x00\x00\x00\x00", 9));
    // A blow: damage with power 150, push, wait for the numbers, done.
    const char* blow = "c0;0;150;=c0;1;0;=w6;w12;w4;# #w5;w0;";
    WriteSkillScript(1, blow);
    WriteSkillScript(2, blow);
    WriteSkillScript(3, "c0;0;100;=c0;1;2;=w6;w4;# #w5;w0;");
    WriteSkillScript(4, blow);
}

void BattleGame::LoadGame() {
    LoadSkillTable(engine);
    LoadCharacterTable(engine);
    engine.PictureSlots[1].LoadFile(engine, "pic\\cur1");
    engine.PictureSlots[2].LoadFile(engine, "pic\\koitsu");
    LoadEffect(engine, kCursorSoundSlot, "SE\\cur0");
    LoadEffect(engine, kKinSoundSlot, "SE\\kin");
}

void BattleGame::StartBattle(int group) {
    CreateActors(engine, 5);
    engine.Field.enemyGroup = group;
    engine.ModeProc = BattleStartMode;
    h.RunFrames(1);
    h.RunFrames(27);
}

void BattleGame::Hold(std::string_view keys, int frames) {
    const auto next = engine.FrameNumber + 1;
    std::string script = std::to_string(next) + " " + std::string(keys) + "\n" +
                         std::to_string(next + static_cast<std::uint64_t>(frames)) + "\n";
    h.SetKeys(script);
    h.RunFrames(frames);
}

std::vector<std::string> BattleGame::Boxes() const {
    std::vector<std::string> boxes;
    for (const auto& line : h.Trace()) {
        const std::optional<TraceLine> event = ParseTraceLine(line);
        if (event && event->IsMessageBox()) boxes.push_back(line);
    }
    return boxes;
}
