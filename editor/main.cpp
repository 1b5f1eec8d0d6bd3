#include <cstring>
#include <iostream>

#include "editor/CompileCommand.h"

namespace {

int usage() {
    std::cerr << "usage: pocora [FILE]\n"
                 "       pocora --compile SOURCE OUT.sc\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--compile") == 0) {
        if (argc != 4) return usage();
        return pocora::runCompileCommand(argv[2], argv[3], std::cerr);
    }
    return usage();
}
