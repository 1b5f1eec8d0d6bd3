#pragma once
#include <cstdint>

struct Engine;

// The screens between the start of the program and the start of play, in their
// order. StartUp (engine/title/StartUp.h) installs the first of them. Each is a
// SceneProc counting frames in engine.Title.frame; SkipToMenu is the ModeProc
// while the logo and the credits run.
void LogoScreen(Engine& engine);
void CreditScreen(Engine& engine);
void SecondCreditScreen(Engine& engine);
void TitleScreen(Engine& engine);
void TitleMenu(Engine& engine);
void SkipToMenu(Engine& engine);
// Loads the play pictures, installs the field and runs the opening script
// "ev\START".
void StartNewGame(Engine& engine);
// The pictures play uses: the menu cursor, the battle's target cursor and its
// corner brackets (picture slots 0 to 2).
void LoadPlayPictures(Engine& engine);
// Fills the title menu's five entries (so that its cursor moves) and reads
// what the four slots hold.
void CreateTitleMenu(Engine& engine);
// Ends the game in play and shows the title menu again, so that the player can
// load a save or start afresh (after a defeat).
void ReturnToTitle(Engine& engine);

// The brightness of the logo and the credit screens at frame t of the screen:
// black until 49, a fade-in over 50..65, full until 249, a fade-out over
// 250..265. The screen ends at 266.
int ScreenFadeLevel(std::int32_t t);
inline constexpr std::int32_t kScreenEndFrame = 266;

// The title background's wave: its strength at frame t, and the shift of source
// row i.
float WaveStrength(std::int32_t t);
int WaveShift(int row, float strength);
