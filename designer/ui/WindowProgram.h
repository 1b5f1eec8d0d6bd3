#pragma once

namespace kyrel {

class SoundPlayer;

// `kyrel [PROJECT.kyl]`: the window program. Returns the exit status (2 for a command-line
// error). `player` plays the temporary WAV file; it may be null.
int runWindowProgram(int argc, char** argv, SoundPlayer* player);

}  // namespace kyrel
