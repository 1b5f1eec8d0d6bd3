// kit-kylmake: writes a Kyrel project (.kyl) from a sound effect described as text, with Kyrel's
// own document code, so that `kyrel --render` turns it into the game's WAV file.
//   kit-kylmake IN.sound OUT.kyl
#include <memory>

#include "designer/core/ProjectFile.h"
#include "tools/common/ConverterMain.h"
#include "tools/kylmake/SoundText.h"

int main(int argc, char** argv) {
    if (argc != 3) return tools::usageError("kit-kylmake IN.sound OUT.kyl");
    return tools::convertFile("kit-kylmake", argv[1], argv[2],
                              [](const std::string& text, std::vector<std::uint8_t>& out) {
                                  auto design = std::make_unique<kyrel::SoundDesign>();
                                  std::string error = tools::makeSound(text, *design);
                                  if (error.empty()) out = kyrel::projectFileBytes(*design);
                                  return error;
                              });
}
