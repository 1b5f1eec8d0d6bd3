#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "designer/core/KyrelApp.h"

namespace kyrel {

// Imports the sfxr sound (sfxr-qt .sfxj, jsfxr JSON) at `path` in place of the design, as one
// undo step; the document becomes untitled, as after a preset. The settings Kyrel cannot
// express are named in one message. False, after a message naming the file, when it cannot be
// read as such a sound; the design is then unchanged.
bool importSfxrFile(KyrelApp& app, const std::string& path);

// ファイル → インポート: asks for the file, then imports it.
void commandImport(KyrelApp& app);

// True when the command line asks for an import ("--import" among `args`).
bool isImportCommand(const std::vector<std::string>& args);

// kyrel --import IN.sfxj|IN.json OUT.kyl|OUT.wav [--seed N]: writes the imported design as a
// project or renders it. Exit status: 0 written (the dropped settings reported on `err`), 1 when
// the input cannot be read or the output written, 2 for a command-line error.
int runImportCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace kyrel
