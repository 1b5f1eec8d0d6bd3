// The game's credits file: any bytes give at most the lines each credit screen has room for, and
// drawing them stays on the screen bitmap.
#include <memory>
#include <string_view>

#include "engine/platform/headless/EngineHarness.h"
#include "engine/title/GameCredits.h"
#include "fuzz/common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<EngineHarness> harness = std::make_unique<EngineHarness>();
    const GameCredits credits =
        GameCredits::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (credits.list.size() > GameCredits::kListLines ||
        credits.closing.size() > GameCredits::kClosingLines ||
        credits.secondScreen.size() > GameCredits::kSecondScreenLines)
        FuzzFailure();
    Engine& engine = harness->engine;
    engine.Title.credits = credits;
    DrawFirstCreditScreen(engine);
    DrawSecondCreditScreen(engine);
    return 0;
}
