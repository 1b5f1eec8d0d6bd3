#include <cmath>

#include "engine/core/Draw.h"
#include "engine/core/Engine.h"
#include "engine/core/Sjis.h"
#include "engine/core/Sound.h"
#include "engine/save/SaveSlots.h"
#include "engine/title/GameCredits.h"
#include "engine/title/LoadGame.h"
#include "engine/title/Title.h"
#include "engine/words/Words.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// Degrees to radians as the title has always computed it (3.14 / 180, single
// precision).
constexpr float kWaveK = 0.017444444f;

bool ShiftDown(const Engine& engine) {
    return engine.Keys[Key::Shift] >= KEY_PRESSED;
}

// The shared end of the logo and both credit screens: the next screen starts at
// -50.
bool ScreenEnds(Engine& engine, Routine next) {
    if (engine.Title.frame != kScreenEndFrame) return false;
    engine.Title.frame = -50;
    engine.SceneProc = next;
    return true;
}

// Copies source row `row` of the background opaquely to Screen row 210 + row
// from column x; whatever would fall outside Screen is left out.
void CopyWaveRow(Engine& engine, const CDib& picture, int row, int x) {
    const int y = kVisibleTop + row;
    if (y < 0 || y >= kScreenHeight) return;
    const std::uint16_t* from = picture.Row(row);
    std::uint16_t* to = engine.Screen.Row(y);
    for (int i = 0; i < picture.Width(); ++i) {
        const int column = x + i;
        if (column >= 0 && column < kScreenWidth) to[column] = from[i];
    }
}

}  // namespace

void CreateTitleMenu(Engine& engine) {
    QCBOX& menu = engine.Title.menu;
    menu.Create(5);
    menu.cursor = 0;
    // The menu draws its own labels; these texts only make the entries
    // selectable.
    for (int i = 0; i < 5; ++i) menu.SetItem(engine, i, Sjis("ね"), 0);
    ScanSaveSlots(engine);
}

int ScreenFadeLevel(std::int32_t t) {
    if (t < 50) return 0;
    if (t < 66) return 2 * t - 100;
    if (t < 250) return 32;
    if (t < kScreenEndFrame) return 532 - 2 * t;
    return 0;
}

float WaveStrength(std::int32_t t) {
    if (t < 1) return 0.0f;
    // t * t in single precision times K, then times 0.04 in double, kept as a
    // float.
    return static_cast<float>(
        static_cast<double>(static_cast<float>(static_cast<std::int64_t>(t) * t) * kWaveK) * 0.04);
}

int WaveShift(int row, float strength) {
    const float angle = static_cast<float>(row + 1) * kWaveK * strength;
    return static_cast<int>(24.0 * std::sin(static_cast<double>(angle)));
}

void SkipToMenu(Engine& engine) {
    if (!ShiftDown(engine)) return;
    engine.Title.frame = 80;
    engine.SceneProc = TitleMenu;
    engine.ModeProc = IdleProc;
    // Skipping leaves the menu unfilled, its cursor fixed on the new game; with
    // saves to load it is filled as the title fills it.
    ScanSaveSlots(engine);
    if (AnySlotUsed(engine)) CreateTitleMenu(engine);
}

void LogoScreen(Engine& engine) {
    std::int32_t& t = engine.Title.frame;
    ++t;
    ClearScreen(engine);
    int level = ScreenFadeLevel(t);
    if (ScreenEnds(engine, CreditScreen)) PlayMusic(engine, "BGM\\opn.mid");
    const CDib& logo = engine.PictureSlots[0];
    BltBlend(engine, 120 - logo.Width() / 2, 315 - logo.Height() / 2, logo, 0, 0, logo.Width(),
             logo.Height(), level);
}

void CreditScreen(Engine& engine) {
    std::int32_t& t = engine.Title.frame;
    ++t;
    ClearScreen(engine);
    int level = ScreenFadeLevel(t);
    ScreenEnds(engine, SecondCreditScreen);
    DrawFirstCreditScreen(engine);
    FadeScreen(engine, level);
}

void SecondCreditScreen(Engine& engine) {
    std::int32_t& t = engine.Title.frame;
    ++t;
    ClearScreen(engine);
    int level = ScreenFadeLevel(t);
    if (ScreenEnds(engine, TitleScreen)) {
        engine.Title.leave = 0;
        engine.ModeProc = IdleProc;
        engine.PictureSlots[0].LoadFile(engine, "pic\\title");
        engine.PictureSlots[1].LoadFile(engine, "pic\\title_bg");
    }
    DrawSecondCreditScreen(engine);
    FadeScreen(engine, level);
}

void TitleScreen(Engine& engine) {
    std::int32_t& t = engine.Title.frame;
    ++t;
    ClearScreen(engine);

    const CDib& background = engine.PictureSlots[1];
    const float strength = WaveStrength(t);
    const int left = 120 - background.Width() / 2;
    for (int i = 1; i <= background.Height() - 2; ++i)
        CopyWaveRow(engine, background, i, left + WaveShift(i, strength));

    if (t < -40) {
        FadeScreen(engine, 0);
    } else if (t < -24) {
        FadeScreen(engine, 2 * t + 80);
    }

    const CDib& title = engine.PictureSlots[0];
    const int titleLevel = t < 50 ? 0 : t < 66 ? 2 * t - 100 : 32;
    BltBlend(engine, 120 - title.Width() / 2, 230, title, 0, 0, title.Width(), title.Height(),
             titleLevel);

    if (t < 87) return;
    std::int32_t& leave = engine.Title.leave;
    if (leave == 0) {
        if (ShiftDown(engine)) leave = 1;
        return;
    }
    ++leave;
    FadeScreen(engine, 32 - leave);
    if (leave > 31) {
        t = 80;
        engine.SceneProc = TitleMenu;
        engine.ModeProc = IdleProc;
        FadeScreen(engine, 0);
        CreateTitleMenu(engine);
    }
}

void TitleMenu(Engine& engine) {
    std::int32_t& t = engine.Title.frame;
    ++t;
    ClearScreen(engine);
    if (t >= 80 && t < 96) {
        FadeScreen(engine, 2 * t - 160);
        return;
    }
    QCBOX& menu = engine.Title.menu;
    menu.InputList(engine);
    DrawWindowBox(engine, 10, 220, 220, 20);
    DrawString(engine, engine.GameWords[Word::NewGame], 12, 15, 225, kWhite);
    if (menu.cursor != 0) TintRect(engine, 10, 220, 230, 240, 16, 0);
    for (int i = 0; i < 4; ++i)
        DrawSlotBox(engine, i, 240 + 45 * i, menu.cursor == i + 1, SlotLabel::Title);
    // A slot with a save loads it; the new game and the empty slots start a new one.
    if (ShiftDown(engine) && !LoadFromTitle(engine, menu.cursor)) StartNewGame(engine);
    if (t < 80) FadeScreen(engine, 0);
}
