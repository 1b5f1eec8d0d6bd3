#include <gtest/gtest.h>

#include <cstring>

#include "FakeUi.h"
#include "common/LittleEndian.h"
#include "designer/core/ClipBuffer.h"
#include "designer/core/EditCommands.h"
#include "designer/core/KyrelApp.h"

namespace kyrel {
namespace {

Curve ramp() {
    Curve c;
    for (int i = 0; i < kCurvePoints; ++i) c[static_cast<std::size_t>(i)] = i * 10;
    return c;
}

TEST(ClipBufferTest, CopyTakesUpTo256PointsPastTheEndButNeverPastTheCurve) {
    struct Case {
        int start, end, lastTaken;  // entries after lastTaken keep their content
    };
    for (const Case& c : {Case{100, 250, 506}, Case{2100, 2150, 2201}, Case{0, 2201, 2201}}) {
        ClipBuffer buffer;
        buffer.fill(-1);
        copySelectionToBuffer(buffer, ramp(), c.start, c.end);
        const int taken = c.lastTaken - c.start;
        EXPECT_EQ(buffer[0], 10 * c.start);
        EXPECT_EQ(buffer[static_cast<std::size_t>(taken)], 10 * c.lastTaken);
        EXPECT_TRUE(taken + 1 == kCurvePoints || buffer[static_cast<std::size_t>(taken + 1)] == -1);
    }
    Curve curve;
    curve.fill(7);
    writeBufferToCurve(ramp(), curve, 2000, 2003);
    EXPECT_EQ((std::vector<int>{curve[1999], curve[2000], curve[2003], curve[2004]}),
              (std::vector<int>{7, 0, 30, 7}));
}

TEST(ClipBlockTest, BlockHoldsBufferAndLengthAndRoundTrips) {
    const auto block = encodeClipBlock(ramp(), 150);
    ASSERT_EQ(block.size(), 8872u);
    EXPECT_EQ(kit::readI32LE(block, 4 * 150), 1500);
    for (auto [at, value] : {std::pair{8808, 0}, {8812, 0}, {8816, 150}, {8820, 0}})
        EXPECT_EQ(kit::readI32LE(block, static_cast<std::size_t>(at)), value) << at;

    auto decoded = decodeClipBlock(block);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->buffer, ramp());
    EXPECT_EQ(std::pair(decoded->startX, decoded->endX), std::pair(0, 150));
}

TEST(ClipBlockTest, ShortOrDamagedBlocksCannotPlacePointsOutsideTheCurve) {
    std::vector<std::uint8_t> shortBlock(8819, 0);
    EXPECT_FALSE(decodeClipBlock(shortBlock));

    auto block = encodeClipBlock(ramp(), 0);
    block[8808] = 0xFF;  // start x -1 ... -ish
    block[8811] = 0xFF;
    block[8819] = 0x7F;  // a huge length
    auto decoded = decodeClipBlock(block);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::pair(decoded->startX, decoded->endX), std::pair(0, 2201));
}

TEST(ClipCommandsTest, PasteLoadsTheBlockForTheActiveKindAndChangesNoCurve) {
    testing::FakeUi ui;
    auto app = std::make_unique<KyrelApp>(ui, 1);
    app->design.settings.modified = 1;
    const SoundDesign before = app->design;
    const auto block = encodeClipBlock(ramp(), 150);
    for (auto [active, kind] : {std::pair{std::optional(CurveKind::Pan), CurveKind::Pan},
                                {std::nullopt, CurveKind::Waveform}}) {
        ASSERT_TRUE(commandPaste(*app, block, active));
        EXPECT_EQ(app->activeKind, static_cast<int>(kind));
        EXPECT_EQ(app->selectionStart.x, 0);
        EXPECT_EQ(app->selectionEnd.x, 150);
        EXPECT_EQ(app->clipBuffer, ramp());
    }
    // Paste itself writes nothing, so unsaved changes stay marked; the drop writes.
    EXPECT_EQ(app->design.settings.modified, 1);
    EXPECT_EQ(std::memcmp(&app->design, &before, sizeof before), 0);
}

}  // namespace
}  // namespace kyrel
