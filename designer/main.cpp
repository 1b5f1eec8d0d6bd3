#include <iostream>
#include <string>
#include <vector>

#include "designer/core/RenderCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (kyrel::isRenderCommand(args)) return kyrel::runRenderCommand(args, std::cerr);
    std::cerr << "usage: kyrel --render [PROJECT.kyl] OUT.wav [--seed N]\n";
    return 2;
}
