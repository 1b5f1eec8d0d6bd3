#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "FakeUi.h"
#include "designer/core/WavCommands.h"
#include "designer/player/SdlSoundPlayer.h"

namespace kyrel {
namespace {

using testing::FakeUi;
using testing::TempDir;

// The real player on SDL's dummy audio driver: no sound card needed.
TEST(SdlSoundPlayer, PlaysWhatKyrelWritesAndStops) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TempDir dir;
    FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    for (int bits : {0, 1}) {
        app->design.settings.bitsIndex = bits;
        app->design.settings.channelIndex = bits;
        const auto path = CreateWavFile(*app, dir.file("p" + std::to_string(bits) + ".wav"), "");
        ASSERT_TRUE(path);
        SdlSoundPlayer player;
        for (int again = 0; again < 2; ++again) {  // also after a stop
            EXPECT_TRUE(player.startFile(*path));
            player.stopAll();
        }
        EXPECT_FALSE(player.startFile(dir.file("missing.wav")));
    }
}

}  // namespace
}  // namespace kyrel
