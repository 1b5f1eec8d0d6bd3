// Tessel, the kit's map editor. The commands that need no window run before Qt starts.
#include <iostream>
#include <string>
#include <vector>

#include "mapeditor/core/CommandLine.h"
#include "mapeditor/ui/WindowProgram.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto status = tessel::runCommandLine(args, std::cerr)) return *status;
    return tessel::runWindowProgram(argc, argv);
}
