#pragma once
#include <cstdint>
#include <string>

#include "common/Random.h"
#include "designer/core/KyrelUi.h"
#include "designer/core/Playback.h"
#include "designer/core/SoundDesign.h"
#include "designer/core/UndoRings.h"

namespace kyrel {

struct SelectionPoint {
    std::int32_t x = 0;  // sample index
    std::int32_t y = 0;  // pixel row where the gesture began (drawing only)
};

// Kyrel's process-wide state: the one document, the names that go with it, the random
// generator, the selection, clipboard buffer and undo rings, and playback. Exactly one exists
// per process; the window (or the command line, or a test) owns it and injects its KyrelUi.
// It is about a megabyte large: create it with std::make_unique.
struct KyrelApp {
    // Runs newDocument. `seed` is the random generator's state (the calendar time in seconds
    // in the program; fixed in tests and with --seed).
    KyrelApp(KyrelUi& ui, std::uint32_t seed);
    KyrelApp(const KyrelApp&) = delete;
    KyrelApp& operator=(const KyrelApp&) = delete;

    KyrelUi& ui;
    SoundDesign design;
    kit::Random random;
    // Every render (Play, auto-play, Create WAV, the command lines) draws its dispersion from a
    // generator started at this seed, so that the file written is the very sound last heard.
    // It belongs to the window's settings, not to the project.
    std::uint32_t renderSeed = 0;

    // File-system names (UTF-8 on this system); converted to Shift-JIS only for messages.
    std::string documentName;      // file name without directory; "新規作成.kyl" after New
    std::string lastOpenedName;    // initial name of the Open dialog; empty at start
    std::string projectDirectory;  // with a trailing '/'; the current directory at start
    bool untitled = true;          // never saved or opened: Save acts as Save As

    // Selection and clipboard buffer (edited by the curve tools).
    Curve clipBuffer{};
    SelectionPoint selectionStart;
    SelectionPoint selectionEnd;
    std::int32_t selectionVisible = 0;
    std::int32_t activeKind = static_cast<std::int32_t>(CurveKind::Pan);

    UndoHistory undo;

    // The temporary playback file: KYTemp<instance>.wav in the temporary directory.
    std::string tempWavPath;
    std::int32_t instanceNumber = 0;
    Playback playback;
    bool noDeviceReported = false;  // the missing sound device is told once a run

    bool isPlaying() const { return playback.isPlaying(); }
};

// The temporary directory: $TMPDIR when set and not empty, else /tmp; with a trailing '/'.
std::string temporaryDirectory();

// "<temporary directory>KYTemp<instance>.wav".
std::string tempWavPathFor(std::int32_t instanceNumber);

}  // namespace kyrel
