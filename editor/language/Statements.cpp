#include "editor/language/Statements.h"

#include <limits>
#include <string>

namespace script_language {
namespace {

constexpr std::int32_t kAny = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kAll = std::numeric_limits<std::int32_t>::max();

constexpr NamedValue kActorProperty[] = {{"x", 0},     {"y", 1},       {"facing", 2},  {"frame", 3},
                                         {"blend", 4}, {"speed", 100}, {"active", 101}};
constexpr NamedValue kOperation[] = {{"set", 0}, {"add", 1}, {"mul", 2}, {"div", 3}};
constexpr NamedValue kCameraProperty[] = {{"x", 0}, {"y", 1}};
constexpr NamedValue kDirection[] = {{"up", 0}, {"down", 1}, {"left", 2}, {"right", 3}};
constexpr NamedValue kCellField[] = {{"x", 0},     {"y", 1},     {"column", 2}, {"row", 3},
                                     {"hstep", 4}, {"vstep", 5}, {"blend", 6}};
constexpr NamedValue kEffectKind[] = {{"physical", 0}, {"magic", 1}, {"healing", 2}};
constexpr NamedValue kOnOff[] = {{"off", 0}, {"on", 1}};
constexpr NamedValue kPauseResume[] = {{"pause", 0}, {"resume", 1}};
constexpr NamedValue kAnimationStart[] = {{"play", 0}};
constexpr NamedValue kGameVarOperation[] = {{"get", 0}, {"set", 1}, {"add", 2}};
constexpr NamedValue kSwitchOperation[] = {{"get", 0}, {"on", 1}, {"off", 2}, {"toggle", 3}};
constexpr NamedValue kCancel[] = {{"stay", 0}, {"cancel", 1}};
constexpr NamedValue kItemOperation[] = {{"count", 0}, {"add", 1}};
constexpr NamedValue kGoldOperation[] = {{"get", 0}, {"add", 1}};
constexpr NamedValue kMemberValue[] = {
    {"hp", 0}, {"maxhp", 1}, {"level", 2}, {"exp", 3}, {"inn", 10}};

constexpr int S = kStringRegister;

constexpr Parameter kNone[] = {{"", 0}};  // placeholder: spans below take zero of it
constexpr std::span<const Parameter> none() {
    return std::span<const Parameter>(kNone, 0);
}

constexpr Parameter kSoundArgs[] = {{"name", S}};
constexpr Parameter kActiveArgs[] = {{"state", 0, 0, 1, kOnOff}};
constexpr Parameter kAppendNameArgs[] = {{"character", 0, 0, 255}};
constexpr Parameter kLabelArgs[] = {{"label", S}};
constexpr Parameter kTextArgs[] = {{"text", S}};
constexpr Parameter kActorScriptArgs[] = {{"actor", 3, 0, 255}, {"script", S}};
constexpr Parameter kActorPropertyArgs[] = {{"actor", 3, 0, 255},
                                            {"property", 0, 0, 101, kActorProperty},
                                            {"operation", 1, 0, 3, kOperation},
                                            {"value", 2, kAny, kAll}};
constexpr Parameter kPictureArgs[] = {{"actor", 3, 0, 255}, {"picture", S}};
constexpr Parameter kPlaceArgs[] = {
    {"actor", 3, 0, 255}, {"column", 0, 0, 65535}, {"row", 1, 0, 65535}};
constexpr Parameter kStepArgs[] = {{"actor", 3, 0, 255}, {"direction", 0, 0, 3, kDirection}};
constexpr Parameter kFaceArgs[] = {{"actor", 3, 0, 255}, {"towards", 0, 0, 255}};
constexpr Parameter kGroupArgs[] = {{"group", 0, 0, 255}};
constexpr Parameter kCountArgs[] = {{"count", 0, 0, 256}};
constexpr Parameter kNameArgs[] = {{"name", S}};
constexpr Parameter kAnimationArgs[] = {
    {"player", 0, 0, 11}, {"start", 1, 0, 0, kAnimationStart}, {"name", S}};
constexpr Parameter kPartySlotArgs[] = {{"slot", 0, 0, 3}, {"character", 1, 0, 255}};
constexpr Parameter kCameraArgs[] = {{"property", 0, 0, 1, kCameraProperty},
                                     {"operation", 1, 0, 1, kOperation},
                                     {"value", 2, kAny, kAll}};
constexpr Parameter kFadeArgs[] = {{"step", 0, -32, 32}, {"from", 1, 0, 32}};
constexpr Parameter kActorLabelArgs[] = {{"actor", 3, 0, 255}, {"label", S}};
constexpr Parameter kActorArgs[] = {{"actor", 3, 0, 255}};
constexpr Parameter kFollowArgs[] = {{"state", 0, 0, 1, kOnOff}};
constexpr Parameter kBackgroundArgs[] = {{"number", 0, 0, 255}};
constexpr Parameter kCharactersArgs[] = {{"action", 0, 0, 1, kPauseResume}};
constexpr Parameter kGameVarArgs[] = {{"variable", 0, 0, 999},
                                      {"operation", 1, 0, 2, kGameVarOperation},
                                      {"value", 2, kAny, kAll, {}, true}};
constexpr Parameter kSwitchArgs[] = {{"switch", 0, 0, 999},
                                     {"operation", 1, 0, 3, kSwitchOperation}};
constexpr Parameter kAskArgs[] = {{"choices", S}, {"cancel", 1, 0, 1, kCancel}};
constexpr Parameter kRulesArgs[] = {{"rules", 0, 0, 3}};
constexpr Parameter kItemArgs[] = {
    {"item", 0, 0, 999}, {"operation", 1, 0, 1, kItemOperation}, {"amount", 2, -99, 99, {}, true}};
constexpr Parameter kGoldArgs[] = {{"operation", 1, 0, 1, kGoldOperation},
                                   {"amount", 2, -9999999, 9999999, {}, true}};
constexpr Parameter kShopArgs[] = {{"items", S}};
constexpr Parameter kMemberArgs[] = {{"slot", 0, 0, 3}, {"value", 1, 0, 10, kMemberValue}};
constexpr Parameter kCellArgs[] = {{"cell", 3, 0, 7},
                                   {"field", 0, 0, 6, kCellField},
                                   {"operation", 1, 0, 3, kOperation},
                                   {"value", 2, kAny, kAll}};
constexpr Parameter kPlaceAnimationArgs[] = {{"player", 0, 0, 11}, {"target", 1, 0, 10}};
constexpr Parameter kEffectArgs[] = {{"power", 0, 0, 100000}, {"kind", 1, 0, 2, kEffectKind}};
constexpr Parameter kCombatantArgs[] = {{"combatant", 3, 0, 10}};
constexpr Parameter kTargetArgs[] = {{"target", 0, 0, 10}};

constexpr unsigned kField = kGlobal | kCharacter | kSkill;

// clang-format off
constexpr Statement kTable[] = {
    // Class c, every runner.
    {"set", 'c', 0, Form::Assignment, none(), -1, "", "",
     "VARIABLE = VALUE | += N | -= N | *= N | /= N | = random N | = VARIABLE",
     "sets a variable: a number, another variable, a random number 0..N-1; adds (-= adds the negative), multiplies, divides", kEveryRunner},
    {"compare", 'c', 1, Form::Compare, none(), 2, "", "", "compare A == B  (also != < >)",
     "v2 = 1 when the comparison of two variables holds, else 0 (if and while write it for you)", kEveryRunner},
    {"goto", 'c', 2, Form::Goto, none(), -1, "", "", "goto [back|forward] LABEL",
     "jumps to a label: backward when it is defined above, else forward", kEveryRunner},
    {"if", 'c', 3, Form::GotoIf, none(), -1, "", "", "if CONDITION goto LABEL  |  if CONDITION ... [else ...] end",
     "jumps, or runs the lines up to else/end, when the condition holds", kEveryRunner},
    {"text", 'c', 4, Form::Text, kTextArgs, -1, "", "", "text \"WORDS\"",
     "sets the string register S", kEveryRunner},
    {"append", 'c', 4, Form::Append, kTextArgs, -1, "", "", "append \"WORDS\"",
     "adds to the end of the string register S (at most 255 bytes)", kEveryRunner},
    {"append name", 'c', 4, Form::AppendName, kAppendNameArgs, -1, "", "", "append name CHARACTER",
     "adds the name of character CHARACTER (Schr/schrN) to S; in a text write {name N}", kEveryRunner},
    {"loop", 'c', 5, Form::Loop, none(), -1, "", "", "loop LABEL",
     "v6 + 1; while it is below v7, jumps back to the label (repeat N ... end writes it for you)", kEveryRunner},
    {"sound", 'c', -4, Form::Generic, kSoundArgs, -1, "", "", "sound NAME",
     "plays the sound effect SE/NAME.wav", kEveryRunner},
    {"characters_active", 'c', -3, Form::Generic, kActiveArgs, -1, "", "", "characters_active on|off",
     "starts or stops the scripts of every character (actors 5 and up)", kEveryRunner},
    {"run_characters", 'c', -2, Form::Generic, none(), -1, "", "", "run_characters",
     "runs the script of every active character now", kEveryRunner},
    {"debug_box", 'c', -1, Form::Generic, none(), -1, "", "", "debug_box",
     "shows the bytes that follow, to the end of the script, in a message box (a debugging aid)", kEveryRunner},
    // Class e, character scripts.
    {"end_talk", 'e', 0, Form::Generic, none(), -1, "", "", "end_talk",
     "ends the conversation: back to NRM, the player walks again", kCharacter},
    {"self", 'e', 1, Form::Generic, none(), 3, "", "", "self",
     "p3 = this character's actor number", kCharacter},
    {"start_event", 'e', 2, Form::Generic, kLabelArgs, -1, "", "", "start_event LABEL",
     "the global script jumps forward to the label (a character starts an event of ev/START)", kCharacter},
    // Class f, the field.
    {"give_control", 'f', 0, Form::Generic, none(), -1, "", "", "give_control",
     "hands control to the player: the characters run again, the player walks", kField},
    {"show", 'f', 1, Form::Generic, kTextArgs, -1, "", "", "show \"WORDS\"",
     "shows a page in the text box (\\n breaks the line, {name N} inserts a name); empty closes it", kField},
    {"give_script", 'f', 2, Form::Generic, kActorScriptArgs, -1, "", "", "give_script ACTOR NAME",
     "actor ACTOR runs the character script ev/chr/NAME", kField},
    {"actor", 'f', 3, Form::Generic, kActorPropertyArgs, -1, "", "", "actor ACTOR x|y|facing|frame|blend|speed|active set|add|mul|div VALUE",
     "changes a property of an actor", kField},
    {"picture", 'f', 4, Form::Generic, kPictureArgs, -1, "", "", "picture ACTOR NAME",
     "gives the actor the walking picture pic/NAME and shows it", kField},
    {"place", 'f', 5, Form::Generic, kPlaceArgs, -1, "", "", "place ACTOR COLUMN ROW",
     "places the actor on a tile", kField},
    {"center_camera", 'f', 6, Form::Generic, none(), -1, "", "", "center_camera",
     "centres the camera on the leader", kField},
    {"step", 'f', 7, Form::Generic, kStepArgs, -1, "", "", "step ACTOR up|down|left|right",
     "walks the actor one tile (wait for it with walking)", kField},
    {"wait key", 'f', 8, Form::Generic, none(), -1, "#", "", "wait key",
     "waits until the page is shown and Shift is pressed", kField},
    {"face", 'f', 9, Form::Generic, kFaceArgs, -1, "", "", "face ACTOR TOWARDS",
     "turns the actor towards another actor", kField},
    {"battle", 'f', 10, Form::Generic, kGroupArgs, 2, "", "#", "battle GROUP",
     "fights enemy group GROUP (set battle_background first); p2 = 0 won, 1 retreated, 2 lost", kField},
    {"make_actors", 'f', 11, Form::Generic, kCountArgs, -1, "", "", "make_actors COUNT",
     "makes COUNT actors (0..4 are the party), discarding the old ones", kField},
    {"show_party", 'f', 12, Form::Generic, none(), -1, "", "", "show_party",
     "dresses actors 0..3 as the party", kField},
    {"map", 'f', 13, Form::Generic, kNameArgs, -1, "", "", "map NAME",
     "loads the map Mt/NAME", kField},
    {"animation", 'f', 14, Form::Generic, kAnimationArgs, -1, "", "", "animation PLAYER play NAME",
     "starts the animation script ev/anm/NAME in animation player PLAYER (0..11)", kField},
    {"party_slot", 'f', 15, Form::Generic, kPartySlotArgs, -1, "", "", "party_slot SLOT CHARACTER",
     "puts a character into a party slot (0 empties it); show_party shows it", kField},
    {"camera", 'f', 16, Form::Generic, kCameraArgs, -1, "", "", "camera x|y set|add VALUE",
     "moves the camera (pixels)", kField},
    {"chain", 'f', 17, Form::Generic, kNameArgs, -1, "", "", "chain NAME",
     "goes on with the script ev/NAME in place of this one", kField},
    {"fade", 'f', 18, Form::Generic, kFadeArgs, -1, "#", "", "fade STEP FROM",
     "fades from brightness FROM (0 black..32) by STEP a frame until it passes 0 or 32", kField},
    {"restart_script", 'f', 19, Form::Generic, kActorLabelArgs, -1, "", "", "restart_script ACTOR LABEL",
     "restarts the actor's script at the label", kField},
    {"walking", 'f', 20, Form::Generic, kActorArgs, 2, "", "", "walking ACTOR",
     "p2 = 1 while the actor walks, else 0", kField},
    {"camera_follow", 'f', 21, Form::Generic, kFollowArgs, -1, "", "", "camera_follow on|off",
     "the camera follows the leader on every step, or stays", kField},
    {"battle_background", 'f', 22, Form::Generic, kBackgroundArgs, -1, "", "", "battle_background NUMBER",
     "the background pic/btlBG/btlBGNUMBER of the next battle", kField},
    {"stop_leader", 'f', 23, Form::Generic, none(), -1, "", "", "stop_leader",
     "stops the leader's step at once", kField},
    {"characters", 'f', 24, Form::Generic, kCharactersArgs, -1, "", "", "characters pause|resume",
     "stops every character's script, keeping which ran; or lets them run again", kField},
    {"savepoint", 'f', 25, Form::Generic, none(), 2, "#", "", "savepoint",
     "opens the save menu; p2 = 1 saved, 0 cancelled, 2 resumed from this save", kGlobal | kCharacter},
    {"gamevar", 'f', 26, Form::Generic, kGameVarArgs, 2, "", "", "gamevar NUMBER get|set|add [VALUE]",
     "game variable 0..999 shared by every script: get into p2, set, add", kField},
    {"switch", 'f', 27, Form::Generic, kSwitchArgs, 2, "", "", "switch NUMBER get|on|off|toggle",
     "game switch 0..999: get (p2 = 1 on, 0 off), on, off, toggle", kField},
    {"ask", 'f', 28, Form::Generic, kAskArgs, 2, "#", "", "ask \"YES\\nNO\" stay|cancel",
     "a menu of 2 to 4 choices beside the text box; p2 = the chosen index, -1 when Ctrl cancels", kField},
    {"music", 'f', 29, Form::Generic, kNameArgs, -1, "", "", "music NAME",
     "plays BGM/NAME.mid as the field's music (\"\" for silence)", kField},
    {"battle_rules", 'f', 30, Form::Generic, kRulesArgs, -1, "", "", "battle_rules BITS",
     "rules of the next battle: 1 no retreat, 2 losing goes on", kField},
    {"item", 'f', 31, Form::Generic, kItemArgs, 2, "", "", "item ID count|add [AMOUNT]",
     "how many of an item the party has (into p2), or adds some (negative takes)", kField},
    {"gold", 'f', 32, Form::Generic, kGoldArgs, 2, "", "", "gold get|add [AMOUNT]",
     "the party's gold into p2, or adds to it", kField},
    {"shop", 'f', 33, Form::Generic, kShopArgs, -1, "#", "", "shop \"1,2,5\"",
     "a shop selling the listed items", kField},
    {"member", 'f', 34, Form::Generic, kMemberArgs, 2, "", "", "member SLOT hp|maxhp|level|exp|inn",
     "a party member's value into p2; inn heals the whole party", kField},
    {"to_title", 'f', 35, Form::Generic, none(), -1, "", "", "to_title",
     "ends the game in play and shows the title menu", kField},
    // Class a, animation scripts.
    {"stop_animation", 'a', 0, Form::Generic, none(), -1, "", "", "stop_animation",
     "stops the animation: its cells disappear", kAnimation},
    {"sheet", 'a', 1, Form::Generic, kNameArgs, -1, "", "", "sheet NAME",
     "loads the sheet ev/anm/NAME", kAnimation},
    {"cell", 'a', 2, Form::Generic, kCellArgs, -1, "", "", "cell CELL x|y|column|row|hstep|vstep|blend set|add|mul|div VALUE",
     "changes a field of cell 0..7", kAnimation},
    // Class w, skill scripts.
    {"end_action", 'w', 0, Form::Generic, none(), -1, "", "", "end_action",
     "the action is over; every skill script ends with it", kSkill},
    {"nothing", 'w', 1, Form::Generic, none(), -1, "", "", "nothing", "does nothing", kSkill},
    {"place_animation", 'w', 2, Form::Generic, kPlaceAnimationArgs, -1, "", "", "place_animation PLAYER TARGET",
     "places animation player PLAYER on the middle of target TARGET", kSkill},
    {"wait animation", 'w', 3, Form::Generic, none(), -1, ";#", "", "wait animation",
     "waits while any animation plays", kSkill},
    {"apply_effects", 'w', 4, Form::Generic, none(), -1, "", "", "apply_effects",
     "pushes the targets, then applies the computed effects", kSkill},
    {"wait numbers", 'w', 5, Form::Generic, none(), -1, ";#", "", "wait numbers",
     "waits until the damage numbers are gone", kSkill},
    {"compute_effect", 'w', 6, Form::Generic, kEffectArgs, -1, "", "", "compute_effect POWER physical|magic|healing",
     "computes the effect of power POWER percent on every target", kSkill},
    {"acting", 'w', 7, Form::Generic, none(), 3, "", "", "acting",
     "p3 = the acting combatant (0..3 party, 4..10 enemies)", kSkill},
    {"is_enemy", 'w', 8, Form::Generic, kCombatantArgs, 2, "", "", "is_enemy COMBATANT",
     "p2 = 1 when the combatant is an enemy", kSkill},
    {"target", 'w', 9, Form::Generic, kTargetArgs, 3, "", "", "target INDEX",
     "p3 = the INDEX-th target", kSkill},
    {"turn", 'w', 10, Form::Generic, kCombatantArgs, -1, "", "", "turn COMBATANT",
     "turns the combatant one step round", kSkill},
    {"missed", 'w', 11, Form::Generic, kTargetArgs, 2, "", "", "missed INDEX",
     "p2 = 1 when the INDEX-th target's effect is 0", kSkill},
    {"push_targets", 'w', 12, Form::Generic, none(), -1, "", "", "push_targets",
     "every target will be pushed one cell away (by apply_effects)", kSkill},
    // Several instructions.
    {"say", 0, 0, Form::Composite, kTextArgs, -1, "", "", "say \"PAGE\" [\"PAGE\"...] [close]",
     "each page shown and waited for (show, wait key); close closes the box after them", kField},
    {"close", 0, 0, Form::Composite, none(), -1, "", "", "close",
     "closes the text box (show \"\")", kField},
    {"wait", 0, 0, Form::Composite, none(), -1, "", "", "wait [FRAMES]",
     "ends this frame's work (#), FRAMES times", kEveryRunner},
};
// clang-format on

}  // namespace

unsigned runnerBit(ScriptKind kind) {
    switch (kind) {
        case ScriptKind::Character:
            return kCharacter;
        case ScriptKind::Animation:
            return kAnimation;
        case ScriptKind::Skill:
            return kSkill;
        case ScriptKind::Global:
            break;
    }
    return kGlobal;
}

std::string_view runnerName(ScriptKind kind) {
    switch (kind) {
        case ScriptKind::Character:
            return "character";
        case ScriptKind::Animation:
            return "animation";
        case ScriptKind::Skill:
            return "skill";
        case ScriptKind::Global:
            break;
    }
    return "global";
}

ScriptKind scriptKindForPath(std::string_view path) {
    std::string normal(path);
    for (char& c : normal)
        if (c == '\\') c = '/';
    const auto inFolder = [&](std::string_view folder) {
        const std::size_t at = normal.rfind(folder);
        return at != std::string::npos && (at == 0 || normal[at - 1] == '/') &&
               normal.find('/', at + folder.size()) == std::string::npos;
    };
    if (inFolder("ev/chr/")) return ScriptKind::Character;
    if (inFolder("ev/anm/")) return ScriptKind::Animation;
    if (inFolder("ev/wz/")) return ScriptKind::Skill;
    return ScriptKind::Global;
}

unsigned runnersOfClass(char letter) {
    switch (letter) {
        case 'c':
            return kEveryRunner;
        case 'e':
            return kCharacter;
        case 'f':
            return kField;
        case 'a':
            return kAnimation;
        case 'w':
            return kSkill;
        default:
            return 0;
    }
}

std::span<const Statement> statements() {
    return kTable;
}

const Statement* findInstruction(char letter, int opcode) {
    for (const Statement& s : kTable)
        if (s.letter == letter && s.opcode == opcode) return &s;
    return nullptr;
}

const Statement* findStatement(std::string_view name) {
    for (const Statement& s : kTable)
        if (s.name == name) return &s;
    return nullptr;
}

}  // namespace script_language
