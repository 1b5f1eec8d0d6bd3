#pragma once

namespace tessel {

// `tessel [GAME-DIR | MAP-FILE]`: the window program. Returns its exit status.
int runWindowProgram(int argc, char** argv);

}  // namespace tessel
