#pragma once
#include <optional>
#include <string>
#include <string_view>

struct Engine;

// The whole of a game data file named relative to the game directory ("Dtbs\\wzDt.qd"), or
// nothing when it cannot be opened. Files beyond any sensible size are refused like missing ones.
// CR LF line ends read as LF.
std::optional<std::string> ReadGameDataFile(const Engine& engine, std::string_view relativeName);

// Builds the skill table from "Dtbs\\wzDt.qd"; a missing file leaves it empty after naming its
// path.
void LoadSkillTable(Engine& engine);

// Counts the character files "Schr\\schr0.qd", "Schr\\schr1.qd", ... up to the first gap and
// builds the character table from them.
void LoadCharacterTable(Engine& engine);

// The shutdown's parts: the character table goes with the actors, the skill table after the
// global script.
void FreeCharacterTable(Engine& engine);
void FreeSkillTable(Engine& engine);
