#pragma once
#include <optional>
#include <string>

#include "designer/core/KyrelApp.h"

namespace kyrel {

// Prepares the tracks for a render (renderEnabled from trackUse, start 0, end durationMs),
// renders them behind the progress dialog and writes the WAV file named by `prefix` + `name`
// with its extension made "wav". Returns the full path written, or nothing when no track is
// used, a setting is outside its table (reported, naming the setting), the render was
// cancelled, or the file could not be written (reported).
std::optional<std::string> CreateWavFile(KyrelApp& app, const std::string& name,
                                         const std::string& prefix);

// Rewrites the per-render words of every track (renderEnabled from trackUse, start 0, end
// durationMs); returns the number of enabled tracks.
int prepareTracks(SoundDesign& design);

// The reason a document cannot be rendered, as a message naming the setting; empty when it can.
std::string renderSettingsProblem(const DesignSettings& settings);

// Create WAV file: asks for a name (suggesting the document's name with "wav"), then writes it.
void commandCreateWav(KyrelApp& app);

// Play: renders the temporary file when the document changed since the last playback render,
// then starts the playback worker. Returns true when playback started.
bool commandPlay(KyrelApp& app);

// Play edited track: plays the current track alone; the next Play renders the full mix again.
bool commandPlayEditedTrack(KyrelApp& app);

// Stop: asks a running playback to end.
void commandStop(KyrelApp& app);

}  // namespace kyrel
