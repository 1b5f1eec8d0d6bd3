// `f` 28: a question with 2 to 4 answers in a menu beside the message window. The instruction
// repeats every frame until the player chooses (`#f28;`), as `f` 8 waits for the reader.
#include <string>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/game/GameEvents.h"
#include "engine/game/GameInstructions.h"

namespace {

constexpr std::size_t kMinChoices = 2, kMaxChoices = 4;
constexpr std::size_t kMaxChoiceBytes = 34;  // the widest menu that fits the page
constexpr int kMenuDelay = 86;               // InputTimer the menu waits for, as every menu does
constexpr int kAfterChoiceTimer = -96;       // as after `f` 8, so the next page is not skipped
constexpr int kTextBoxTop = 345, kTextBoxRight = 220;
constexpr int kCursorRoom = 12;

// The answers of S, separated by "\n" as `f` 1 breaks its lines; the second byte of a
// double-byte character is never taken for a backslash.
std::vector<std::string> SplitChoices(std::string_view text) {
    std::vector<std::string> choices(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80 && i + 1 < text.size()) {
            choices.back() += text.substr(i, 2);
            ++i;
        } else if (byte == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            choices.emplace_back();
            ++i;
        } else {
            choices.back() += static_cast<char>(byte);
        }
    }
    return choices;
}

bool OpenChoice(ScriptRun& run) {
    const std::int32_t cancelMode = Arg(run, 1);
    if (!CheckIndex(run, cancelMode, 2, "cancel mode of f28")) return false;
    const std::vector<std::string> choices = SplitChoices(StringArg(run));
    if (choices.size() < kMinChoices || choices.size() > kMaxChoices) {
        ReportFault(run, "a choice needs 2 to 4 answers, not " + std::to_string(choices.size()));
        return false;
    }
    for (const std::string& choice : choices) {
        if (choice.empty() || choice.size() > kMaxChoiceBytes) {
            ReportFault(run, "an answer of a choice must have 1 to " +
                                 std::to_string(kMaxChoiceBytes) + " bytes");
            return false;
        }
    }
    Engine& engine = run.engine;
    GameState::Choice& choice = engine.Game.choice;
    choice.box.Create(static_cast<int>(choices.size()));
    for (std::size_t i = 0; i < choices.size(); ++i)
        choice.box.SetItem(engine, static_cast<int>(i), choices[i], static_cast<std::int32_t>(i));
    choice.box.AutoSize();
    choice.box.width += kCursorRoom;
    choice.box.x = kTextBoxRight - choice.box.width;
    choice.box.y = kTextBoxTop - 4 - choice.box.height;
    choice.box.cursor = 0;
    choice.open = true;
    choice.cancellable = cancelMode == 1;
    choice.armed = false;
    choice.owner = &run.context;
    choice.source = std::string(StringArg(run));
    return true;
}

Flow Answer(ScriptRun& run, std::int32_t index) {
    Engine& engine = run.engine;
    engine.Game.choice.open = false;
    run.context.variables[2] = index;
    engine.InputTimer = kAfterChoiceTimer;
    NoteGameEvent(engine, "choice " + std::to_string(index));
    return Flow::Next;
}

}  // namespace

Flow ChoiceInstruction(ScriptRun& run) {
    Engine& engine = run.engine;
    GameState::Choice& choice = engine.Game.choice;
    const bool mine =
        choice.open && choice.owner == &run.context && choice.source == StringArg(run);
    if (!mine) {
        // Another script's question on view waits for its answer; one left unanswered by a
        // script that went away gives way.
        if (choice.open && choice.lastFrame + 1 >= engine.FrameNumber) return RepeatNextFrame(run);
        if (!OpenChoice(run)) return Flow::Next;
    }
    choice.lastFrame = engine.FrameNumber;
    const bool shift = engine.Keys[Key::Shift] >= KEY_PRESSED;
    const bool ctrl = engine.Keys[Key::Ctrl] >= KEY_PRESSED;
    // A key still held from the page before must not answer at once.
    if (!shift && !ctrl) choice.armed = true;
    if (choice.armed && engine.InputTimer >= kMenuDelay) {
        if (shift) return Answer(run, choice.box.cursor);
        if (ctrl && choice.cancellable) return Answer(run, -1);
    }
    choice.box.InputList(engine);
    choice.box.DrawList(engine);
    return RepeatNextFrame(run);
}
