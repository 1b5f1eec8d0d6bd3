#pragma once
// The battle's Shift-JIS texts.

// Command menu: たたかう (fight), パス (pass), アイテム (item), 撤退 (retreat).
inline constexpr const char* kFightText = "\x82\xbd\x82\xbd\x82\xa9\x82\xa4";
inline constexpr const char* kPassText = "\x83\x70\x83\x58";
inline constexpr const char* kItemText = "\x83\x41\x83\x43\x83\x65\x83\x80";
inline constexpr const char* kRetreatText = "\x93\x50\x91\xde";
// "%s　の　わざ": the skill menu's caption, the member's name first.
inline constexpr const char* kSkillsOfText = "\x81\x40\x82\xcc\x81\x40\x82\xed\x82\xb4";
// 全滅した (the party was wiped out).
inline constexpr const char* kDefeatText = "\x91\x53\x96\xc5\x82\xb5\x82\xbd";
// 戦いに勝った！！ (we won the battle!).
inline constexpr const char* kVictoryText =
    "\x90\xed\x82\xa2\x82\xc9\x8f\x9f\x82\xc1\x82\xbd\x81\x49\x81\x49";
// アララ・・・ (oops...): a skill script asked for a target that is not there.
inline constexpr const char* kNoSuchTargetText = "\x83\x41\x83\x89\x83\x89\x81\x45\x81\x45\x81\x45";
// ｽｶ (miss), in half-width katakana.
inline constexpr const char* kMissText = "\xbd\xb6";
// ―― between the current and the maximum hit points.
inline constexpr const char* kHpBarText = "\x81\x5c\x81\x5c";
