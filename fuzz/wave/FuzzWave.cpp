// The WAV effect reader: any file is either PCM data taken from inside it or a message.
#include "engine/core/WaveFile.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WaveReadResult result = ReadWave(AsBytes(data, size));
    if (!result.error.empty()) {
        if (!result.data.empty()) FuzzFailure();
        return 0;
    }
    if (result.data.size() > size) FuzzFailure();
    return 0;
}
