// The text box laying out arbitrary text: the first byte sets the typing speed, the rest is cut
// at each 0xFF byte into pages (the first started, the others appended), and each page is typed
// out frame by frame.
#include <memory>

#include "engine/platform/headless/EngineHarness.h"
#include "fuzz/common/FuzzInput.h"

namespace {

constexpr int kFramesPerPage = 400;

void TypeOut(Engine& engine) {
    TextBox& box = engine.Text;
    for (int frame = 0; frame < kFramesPerPage; ++frame) {
        box.Update(engine);
        if (box.Length() >= static_cast<std::int32_t>(TextBox::kCapacity)) FuzzFailure();
        if (box.revealed < 0 || box.revealed > box.Length()) FuzzFailure();
        if (box.revealed == box.Length() && box.linesToScroll == 0) return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<EngineHarness> harness = std::make_unique<EngineHarness>();
    Engine& engine = harness->engine;
    engine.FrameMs = 16;
    engine.Text = TextBox{};
    if (size == 0) return 0;
    engine.Text.speed = data[0] % 40;
    std::string_view rest = AsText(data + 1, size - 1);
    bool first = true;
    while (true) {
        const std::size_t cut = rest.find('\xFF');
        const std::string_view page = rest.substr(0, cut);
        if (first)
            engine.Text.Start(page);
        else
            engine.Text.Append(page);
        first = false;
        TypeOut(engine);
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return 0;
}
