// Kyrel's reader of sounds from the sfxr family (sfxr-qt's .sfxj, jsfxr's JSON), followed by the
// design it builds: every accepted sound must give a design the project reader would accept.
#include <memory>

#include "designer/core/ProjectFile.h"
#include "designer/core/SfxrImport.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kyrel;
    const std::optional<SfxrSound> sound = readSfxrSound(AsBytes(data, size));
    if (!sound) return 0;
    auto design = std::make_unique<SoundDesign>();
    buildFromSfxr(*sound, *design);
    auto reread = std::make_unique<SoundDesign>();
    if (readProjectBytes(*reread, projectFileBytes(*design)) != ProjectReadResult::Ok)
        FuzzFailure();
    return 0;
}
