// The save reader: the bytes as a whole save file, and as a payload behind a valid header (so
// that the fields are reached past the checksum). Whatever it accepts it writes back byte for
// byte, and an engine either refuses it or plays it.
#include <zlib.h>

#include <vector>

#include "common/LittleEndian.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "fuzz/common/FuzzInput.h"

namespace {

std::vector<std::uint8_t> BehindHeader(std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> file = {'D', 'U', 'N', 'S', 'A', 'V', 'E', 0x1A};
    kit::appendU32LE(file, save::kSaveVersion);
    kit::appendU32LE(file, static_cast<std::uint32_t>(payload.size()));
    kit::appendU32LE(file, static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), payload.data(),
                                                            static_cast<uInt>(payload.size()))));
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

void Check(const std::vector<std::uint8_t>& file) {
    const auto game = save::DecodeSave(file);
    if (!game) return;
    if (save::EncodeSave(*game) != file) FuzzFailure();
    EngineHarness harness;
    harness.engine.CharacterTable.resize(8);  // characters 0..7 exist, others are refused
    if (!CheckGame(*game).empty()) return;
    RestoreGame(harness.engine, *game);
    harness.engine.SceneProc = FieldScene;
    harness.engine.ModeProc = ModeRoutine(game->mode);
    harness.RunFrames(2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    Check(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    Check(BehindHeader(bytes));
    return 0;
}
