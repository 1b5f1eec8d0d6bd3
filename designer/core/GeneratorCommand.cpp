#include "designer/core/GeneratorCommand.h"

#include "designer/core/EditCommands.h"
#include "designer/core/EditTexts.h"

namespace kyrel {

bool applyGenerator(KyrelApp& app, const GeneratorSettings& settings) {
    const int track = currentTrackIndex(app);
    Curve& waveform = currentCurve(app, CurveKind::Waveform);

    app.ui.setWaitCursor(true);
    const GeneratedWaveform generated = generateWaveform(settings, waveform, app.random);
    app.ui.setWaitCursor(false);

    if (generated.clampedCount > 0 &&
        app.ui.showMessage(text::kAskWriteClampedWaveform, text::kCaptionWarning,
                           MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;

    // Only a waveform actually written puts the track to use.
    app.design.settings.trackUse[static_cast<std::size_t>(track)] = 1;
    pushCurrentUndoSnapshot(app, CurveKind::Waveform);
    app.design.markChanged();
    waveform = generated.points;
    app.design.tracks[static_cast<std::size_t>(track)].edited = 1;
    return true;
}

}  // namespace kyrel
