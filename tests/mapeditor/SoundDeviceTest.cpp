// F9's sound test: which files make a machine one that can play sound.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/platform/headless/EngineHarness.h"
#include "mapeditor/core/SoundDevice.h"

namespace {

using namespace tessel;
namespace fs = std::filesystem;

TEST(SoundDeviceTest, PlaybackNodesAndServerSocketsCountOthersDoNot) {
    struct Case {
        std::vector<const char*> files;  // under the scratch folder: snd/... and run/...
        const char* pulseServer;
        bool sound;
    };
    const Case cases[] = {
        {{}, "", false},                                              // a container: nothing at all
        {{"snd/timer", "snd/controlC0", "snd/pcmC0D0c"}, "", false},  // capture only
        {{"snd/controlC0", "snd/pcmC0D0p"}, "", true},
        {{"run/pulse/native"}, "", true},
        {{"run/pipewire-0"}, "", true},
        {{"run/pulse/pid"}, "", false},
        {{}, "tcp:studio", true},
    };
    for (const Case& c : cases) {
        EngineHarness scratch;
        const fs::path root = scratch.gameDir / "probe";
        for (const char* file : c.files) {
            fs::create_directories((root / file).parent_path());
            std::ofstream(root / file).put('\0');
        }
        const SoundPlaces places{root / "snd", (root / "run").string(), c.pulseServer};
        EXPECT_EQ(hasSoundDevice(places), c.sound)
            << (c.files.empty() ? c.pulseServer : c.files.back());
    }
}

}  // namespace
