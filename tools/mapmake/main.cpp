// kit-mapmake: turns maps and tile attributes written as text into the engine's binary files.
//   kit-mapmake map IN.map OUT.qd
//   kit-mapmake attributes IN.attr OUT.qd
#include <string>

#include "tools/common/ConverterMain.h"
#include "tools/mapmake/MapText.h"

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "map" && mode != "attributes")
        return tools::usageError("kit-mapmake map|attributes IN OUT.qd");
    return tools::convertFile("kit-mapmake", argv[2], argv[3],
                              mode == "map" ? tools::makeMap : tools::makeAttributes);
}
