#include <gtest/gtest.h>

#include <vector>

#include "designer/core/CurveEdit.h"
#include "designer/core/PlotScale.h"

namespace kyrel {
namespace {

Curve filled(std::int32_t v) {
    Curve c;
    c.fill(v);
    return c;
}

TEST(PlotScaleTest, ValuesRunFromTopRowToBottomRow) {
    const PlotScale scale(2202, 256);
    EXPECT_EQ(scale.valueToRow(-32768), 0);
    EXPECT_EQ(scale.valueToRow(0), 128);
    EXPECT_EQ(scale.valueToRow(32767), 255);
    EXPECT_EQ(scale.rowToValue(0), -32768);
    EXPECT_EQ(scale.rowToValue(255), 32512);
}

TEST(PlotScaleTest, ColumnsMapToSamplesByTruncation) {
    EXPECT_EQ(PlotScale(2202, 100).columnToSample(77), 77);
    EXPECT_EQ(PlotScale(1101, 100).columnToSample(77), 154);
    EXPECT_EQ(PlotScale(4404, 100).columnToSample(77), 38);
    EXPECT_EQ(PlotScale(4404, 100).sampleToColumn(38), 76);
}

TEST(PlotScaleTest, PointsAreClampedAndOnlyALineReachesPastTheLastColumn) {
    const PlotScale scale(300, 200);
    EXPECT_EQ(scale.clampPoint(-5, -5, false), (PlotPoint{0, 0}));
    EXPECT_EQ(scale.clampPoint(500, 500, false), (PlotPoint{299, 199}));
    EXPECT_EQ(scale.clampPoint(500, 10, true), (PlotPoint{300, 10}));
}

TEST(PlotScaleTest, CurveRowOutsideThePlotUsesTheEndSamples) {
    const PlotScale scale(1101, 65536);
    Curve c = filled(0);
    c[0] = -32768;
    c[2201] = 32767;
    EXPECT_EQ(scale.curveRowAt(c, -1), 0);
    EXPECT_EQ(scale.curveRowAt(c, 1101), 65535);
    EXPECT_EQ(scale.curveRowAt(c, 1), 32768);
}

TEST(SetColumnTest, WritesEverySampleUnderTheColumn) {
    // 2202 columns: one sample each; the top row is the one place -32768 can be stored.
    Curve c = filled(5);
    setColumn(c, PlotScale(2202, 256), {40, 0});
    EXPECT_EQ(c[40], -32768);
    EXPECT_EQ(c[39], 5);
    EXPECT_EQ(c[41], 5);

    // 1101 columns: two samples per column.
    c = filled(5);
    setColumn(c, PlotScale(1101, 256), {40, 128});
    EXPECT_EQ(c[80], 0);
    EXPECT_EQ(c[81], 0);
    EXPECT_EQ(c[79], 5);
    EXPECT_EQ(c[82], 5);
}

TEST(SetColumnTest, WidePlotsHaveColumnsWithoutSamples) {
    const PlotScale scale(4404, 256);
    Curve c = filled(5);
    setColumn(c, scale, {100, 0});
    EXPECT_EQ(c, filled(5));
    setColumn(c, scale, {101, 0});
    EXPECT_EQ(c[50], -32768);
    c[50] = 5;
    EXPECT_EQ(c, filled(5));
}

TEST(SetColumnTest, ColumnsOutsideThePlotAndRowsOutsideAreHandled) {
    const PlotScale scale(2202, 256);
    Curve c = filled(5);
    setColumn(c, scale, {-1, 10});
    setColumn(c, scale, {2202, 10});
    EXPECT_EQ(c, filled(5));
    setColumn(c, scale, {2201, 9999});
    EXPECT_EQ(c[2201], scale.rowToValue(255));
}

TEST(SetSampleTest, ClampsValuesAndDropsIndicesOutsideTheCurve) {
    Curve c = filled(1);
    setSample(c, 0, -40000);
    setSample(c, 2201, 40000);
    setSample(c, -1, 7);
    setSample(c, 2202, 7);
    EXPECT_EQ(c[0], -32767);
    EXPECT_EQ(c[2201], 32767);
    EXPECT_EQ(c[1], 1);
    EXPECT_EQ(c[2200], 1);
}

// On a 2202 x 65536 plot, column x is sample x and row y is value y - 32768.
constexpr int kOneToOne = 65536;
int rowOf(int value) {
    return value + 32768;
}

TEST(RasterizeLineTest, ShallowLineFollowsItsOwnErrorTerms) {
    const PlotScale scale(2202, kOneToOne);
    Curve c = filled(99);
    rasterizeLine(c, scale, {0, rowOf(0)}, {10, rowOf(4)});
    const std::vector<int> expected = {0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4};
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(c[i], expected[i]) << "sample " << i;
    EXPECT_EQ(c[11], 99);
}

TEST(RasterizeLineTest, WalksTowardsLargerValuesWhateverTheOrderOfTheEnds) {
    const PlotScale scale(2202, kOneToOne);
    Curve forward = filled(99);
    Curve backward = filled(99);
    rasterizeLine(forward, scale, {20, rowOf(4)}, {30, rowOf(0)});
    rasterizeLine(backward, scale, {30, rowOf(0)}, {20, rowOf(4)});
    EXPECT_EQ(forward, backward);
    // The walk starts at the smaller value (sample 30) and steps left.
    const std::vector<int> expected = {0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4};
    for (int n = 0; n <= 10; ++n) EXPECT_EQ(forward[30 - n], expected[n]) << "step " << n;
}

TEST(RasterizeLineTest, SteepLineLeavesTheLargestValueOfEachSample) {
    const PlotScale scale(2202, kOneToOne);
    Curve c = filled(99);
    rasterizeLine(c, scale, {5, rowOf(0)}, {7, rowOf(10)});
    // dx 2, dv 10: sample steps happen where the error term allows; each sample keeps the last.
    EXPECT_EQ(c[5], 1);
    EXPECT_EQ(c[6], 6);
    EXPECT_EQ(c[7], 10);
    EXPECT_EQ(c[4], 99);
    EXPECT_EQ(c[8], 99);
}

TEST(RasterizeLineTest, VerticalLineEndsAtTheUpperValue) {
    const PlotScale scale(1101, 400);
    Curve c = filled(99);
    const int top = scale.valueToRow(-1000);
    const int bottom = scale.valueToRow(1000);
    rasterizeLine(c, scale, {10, bottom}, {10, top});
    EXPECT_EQ(c[20], scale.rowToValue(bottom));
    EXPECT_NEAR(c[20], 1000, 164);
    EXPECT_EQ(c[19], 99);
    EXPECT_EQ(c[21], 99);
}

TEST(RasterizeLineTest, TopRowIsStoredAsMinus32767) {
    const PlotScale scale(2202, 256);
    Curve c = filled(0);
    rasterizeLine(c, scale, {3, 0}, {3, 0});
    EXPECT_EQ(c[3], -32767);
}

TEST(RasterizeLineTest, LineToTheRightEdgeReachesTheLastSample) {
    // Column 1101 of a 1101-column plot is sample 2202, which is dropped; 2201 is written.
    const PlotScale scale(1101, 256);
    Curve c = filled(99);
    rasterizeLine(c, scale, {1000, 128}, {1101, 128});
    EXPECT_EQ(c[2000], 0);
    EXPECT_EQ(c[2201], 0);
    EXPECT_EQ(c[1999], 99);
}

}  // namespace
}  // namespace kyrel
