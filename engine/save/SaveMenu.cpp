#include "engine/save/SaveMenu.h"

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/game/GameEvents.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSlots.h"
#include "engine/save/SaveSnapshot.h"
#include "engine/script/Opcodes.h"
#include "engine/script/ScriptExec.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// Leaving the menu holds the keys back as closing a text page does.
constexpr std::int32_t kAfterMenuTimer = -96;
constexpr int kFirstSlotY = 240;
constexpr int kSlotSpacing = 45;

void OpenSaveMenu(Engine& engine, std::int32_t requester) {
    SaveMenuState& menu = engine.Saves.menu;
    ScanSaveSlots(engine);
    menu.slotList.Create(save::kSlotCount);
    for (int i = 0; i < save::kSlotCount; ++i)
        menu.slotList.SetItem(engine, i, "DATA " + std::to_string(i + 1), i);
    menu.slotList.cursor = engine.Saves.lastSlot >= 0 ? engine.Saves.lastSlot : 0;
    menu.step = SaveMenuState::Step::Slots;
    menu.armed = false;
    menu.returnMode = engine.ModeProc;
    menu.requester = requester;
    engine.ModeProc = SaveMenuMode;
}

void CloseSaveMenu(Engine& engine, std::int32_t answer) {
    SaveMenuState& menu = engine.Saves.menu;
    menu.step = SaveMenuState::Step::Closed;
    engine.ModeProc = menu.returnMode;
    engine.Saves.answer = SaveSystem::Answer{menu.requester, answer};
    engine.InputTimer = kAfterMenuTimer;
}

void BackToSlots(SaveMenuState& menu) {
    menu.step = SaveMenuState::Step::Slots;
    menu.armed = false;
}

void AskOverwrite(Engine& engine) {
    SaveMenuState& menu = engine.Saves.menu;
    menu.step = SaveMenuState::Step::Overwrite;
    menu.armed = false;
    menu.question.Create(2);
    menu.question.SetItem(engine, 0, Sjis("はい"), 1);
    menu.question.SetItem(engine, 1, Sjis("いいえ"), 0);
    menu.question.AutoSize();
    menu.question.x = 100;
    menu.question.y = 312;
    menu.question.cursor = 0;
}

// Writes the game as it will stand once the menu has closed, with the answer a resumed game
// gets; the menu stays open with a message when the file cannot be written.
void SaveInto(Engine& engine, int slot) {
    SaveMenuState& menu = engine.Saves.menu;
    const auto mode = RoutineMode(menu.returnMode).value_or(save::Mode::ScriptMode);
    const std::int32_t timer = engine.InputTimer;
    engine.InputTimer = kAfterMenuTimer;
    const save::Game game = CaptureGame(engine, mode, menu.requester);
    engine.InputTimer = timer;
    const std::string problem = engine.Saves.store->Write(slot, save::EncodeSave(game));
    if (!problem.empty()) {
        ErrorBox(engine, Sjis("セーブできませんでした") + "\n\n" + problem);
        BackToSlots(menu);
        return;
    }
    engine.Saves.lastSlot = slot;
    NoteGameEvent(engine, "save " + std::to_string(slot + 1));
    engine.Saves.views[static_cast<std::size_t>(slot)] = {SlotView::State::Saved, game.summary};
    CloseSaveMenu(engine, 1);
}

void DrawSaveMenu(Engine& engine) {
    const SaveMenuState& menu = engine.Saves.menu;
    DrawWindowBox(engine, 10, 220, 220, 20);
    DrawString(engine, Sjis("どこに記録しますか？"), 12, 15, 225, kWhite);
    for (int i = 0; i < save::kSlotCount; ++i)
        DrawSlotBox(engine, i, kFirstSlotY + kSlotSpacing * i, menu.slotList.cursor == i,
                    SlotLabel::SaveMenu);
    if (menu.step != SaveMenuState::Step::Overwrite) return;
    DrawWindowBox(engine, 60, 290, 120, 20);
    DrawString(engine, Sjis("上書きしますか？"), 12, 72, 295, kWhite);
    menu.question.DrawList(engine);
}

}  // namespace

Flow SavePointInstruction(ScriptRun& run) {
    Engine& engine = run.engine;
    if (run.owner != ScriptOwner::Global && run.owner != ScriptOwner::Event) {
        ReportFault(run, "a battle script cannot open the save menu");
        return Flow::Next;
    }
    const std::int32_t me = run.owner == ScriptOwner::Global ? save::kGlobalScript : run.index;
    auto& answer = engine.Saves.answer;
    if (answer && answer->requester == me && engine.ModeProc != SaveMenuMode) {
        run.context.variables[2] = answer->value;
        answer.reset();
        return Flow::Next;
    }
    if (engine.ModeProc != SaveMenuMode) {
        if (!RoutineMode(engine.ModeProc) || engine.SceneProc != FieldScene || engine.Battle) {
            ReportFault(run, "the game cannot be saved here");
            run.context.variables[2] = 0;
            return Flow::Next;
        }
        answer.reset();
        OpenSaveMenu(engine, me);
    }
    return RepeatNextFrame(run);
}

void RegisterSaveInstructions(Engine& engine) {
    RegisterInstruction(engine, ScriptClass::Field, FieldOp::SavePoint, SavePointInstruction);
}

void SaveMenuMode(Engine& engine) {
    SaveMenuState& menu = engine.Saves.menu;
    const bool shift = engine.Keys[Key::Shift] >= KEY_PRESSED;
    const bool ctrl = engine.Keys[Key::Ctrl] >= KEY_PRESSED;
    // A key still down from the text page before counts only once it was let go.
    if (!shift && !ctrl) menu.armed = true;
    const bool asking = menu.step == SaveMenuState::Step::Overwrite;
    if (menu.armed && shift && !asking) {
        const int slot = menu.slotList.cursor;
        if (engine.Saves.views[static_cast<std::size_t>(slot)].state == SlotView::State::Empty)
            SaveInto(engine, slot);
        else
            AskOverwrite(engine);
    } else if (menu.armed && shift) {
        if (menu.question.cursor == 0)
            SaveInto(engine, menu.slotList.cursor);
        else
            BackToSlots(menu);
    } else if (menu.armed && ctrl) {
        if (asking)
            BackToSlots(menu);
        else
            CloseSaveMenu(engine, 0);
    } else {
        (asking ? menu.question : menu.slotList).InputList(engine);
    }
    if (menu.step != SaveMenuState::Step::Closed) DrawSaveMenu(engine);
}
