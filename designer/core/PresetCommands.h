#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "designer/core/KyrelApp.h"
#include "designer/core/Presets.h"

namespace kyrel {

// A preset from the menu: replaces the design by a new one of `kind` as one undo step, makes
// track 1 current and marks the document changed; every window redraws.
void commandPreset(KyrelApp& app, PresetKind kind);

// 変異: nudges the design a little (mutateDesign) as one undo step.
void commandMutate(KyrelApp& app);

// True when the command line asks for a preset without a window ("--preset" among `args`).
bool isPresetCommand(const std::vector<std::string>& args);

// kyrel --preset NAME [--seed N] OUT.kyl|OUT.wav: builds the preset and writes its project or
// its rendered WAV. Messages go to `err`. Exit status: 0 written, 1 when the file cannot be
// written, 2 for a command-line error (an unknown NAME or an OUT that is neither .kyl nor .wav).
int runPresetCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace kyrel
