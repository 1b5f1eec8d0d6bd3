// The picture loader: any file under a picture's name is either a picture within the size limit
// or an error box, and a failed load leaves the picture empty.
#include <memory>

#include "engine/core/CDib.h"
#include "engine/platform/headless/EngineHarness.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One engine for many inputs; a fresh one now and then keeps the trace of error boxes short.
    static std::unique_ptr<EngineHarness> harness;
    if (!harness || harness->Trace().size() > 1000) {
        harness.reset();
        harness = std::make_unique<EngineHarness>();
    }
    harness->WriteFile("pic\\fuzz.qdg", std::string_view(AsText(data, size)));
    CDib& picture = harness->engine.PictureSlots[0];
    const std::size_t boxes = harness->Trace().size();
    if (picture.LoadFile(harness->engine, "pic\\fuzz")) {
        if (picture.Empty() || picture.Width() > CDib::kMaxSide ||
            picture.Height() > CDib::kMaxSide)
            FuzzFailure();
        // Touch the corners: the rows really hold the picture.
        picture.At(0, 0) ^= picture.At(picture.Width() - 1, picture.Height() - 1);
        if (harness->Trace().size() != boxes) FuzzFailure();
    } else {
        if (!picture.Empty() || harness->Trace().size() != boxes + 1) FuzzFailure();
    }
    return 0;
}
