#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "designer/core/ImportCommands.h"
#include "designer/core/PresetCommands.h"
#include "designer/core/RenderCommand.h"
#include "designer/player/SdlSoundPlayer.h"
#include "designer/ui/WindowProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The render needs no display and no sound device.
    if (kyrel::isRenderCommand(args))
        return kyrel::runRenderCommand(args, std::cerr, ::isatty(STDERR_FILENO) == 1);
    if (kyrel::isPresetCommand(args)) return kyrel::runPresetCommand(args, std::cerr);
    if (kyrel::isImportCommand(args)) return kyrel::runImportCommand(args, std::cerr);
    kyrel::SdlSoundPlayer player;
    return kyrel::runWindowProgram(argc, argv, &player);
}
