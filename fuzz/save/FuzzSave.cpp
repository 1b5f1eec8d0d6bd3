// The save reader: the bytes as a whole save file, and as the payload of every format version
// behind a header with the right size and checksum, so that each field is reached and mutated
// past the checksum. Whatever it accepts it writes back byte for byte, and an engine either
// refuses it (CheckGame) or plays it without a fault.
#include <vector>

#include "common/LittleEndian.h"
#include "engine/platform/headless/EngineHarness.h"
#include "engine/save/SaveFile.h"
#include "engine/save/SaveSnapshot.h"
#include "fuzz/common/FuzzInput.h"

namespace {

std::vector<std::uint8_t> Sealed(std::uint32_t version, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> file = {'D', 'U', 'N', 'S', 'A', 'V', 'E', 0x1A};
    kit::appendU32LE(file, version);
    kit::appendU32LE(file, static_cast<std::uint32_t>(payload.size()));
    kit::appendU32LE(file, save::Crc32(payload));
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

void Check(const std::vector<std::uint8_t>& file) {
    const auto game = save::DecodeSave(file);
    if (!game) return;
    if (save::EncodeSave(*game, kit::readU32LE(file, 8)) != file) FuzzFailure();
    EngineHarness harness;
    harness.engine.CharacterTable.resize(8);  // characters 0..7 exist, others are refused
    if (!CheckGame(*game, harness.engine.Saves.gameIdentity).empty()) return;
    RestoreGame(harness.engine, *game);
    harness.engine.SceneProc = FieldScene;
    harness.engine.ModeProc = ModeRoutine(game->mode);
    harness.RunFrames(2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = AsBytes(data, size);
    Check(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    for (std::uint32_t version = save::kVersionFirst; version <= save::kSaveVersion; ++version)
        Check(Sealed(version, bytes));
    return 0;
}
