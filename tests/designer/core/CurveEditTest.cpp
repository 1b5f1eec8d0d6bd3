#include <gtest/gtest.h>

#include "designer/core/CurveEdit.h"
#include "designer/core/PlotScale.h"

namespace kyrel {
namespace {

Curve filled(std::int32_t v) {
    Curve c;
    c.fill(v);
    return c;
}

TEST(PlotScaleTest, ColumnsMapToSamplesAtTheThreeWidths) {
    struct Case {
        int width, column, first, end;  // samples first ... end - 1 under the column
    };
    const Case cases[] = {{2202, 0, 0, 1},          {2202, 2201, 2201, 2202}, {1101, 7, 14, 16},
                          {1101, 1100, 2200, 2202}, {4404, 10, 5, 5},         {4404, 11, 5, 6},
                          {4404, 77, 38, 39}};
    for (const Case& c : cases) {
        const auto span = PlotScale(c.width, 256).samplesUnderColumn(c.column);
        EXPECT_EQ(span.first, c.first) << c.width << " " << c.column;
        EXPECT_EQ(span.end, c.end) << c.width << " " << c.column;
    }
    EXPECT_EQ(PlotScale(1101, 256).sampleToColumn(2201), 1100);
    EXPECT_EQ(PlotScale(4404, 256).sampleToColumn(2201), 4402);
}

TEST(PlotScaleTest, ValuesSpanTheHeightWithTheLowestValueOnTop) {
    for (int height : {256, 300, 97, 1000}) {
        const PlotScale scale(500, height);
        EXPECT_EQ(scale.valueToRow(-32768), 0) << height;
        EXPECT_EQ(scale.valueToRow(32767), height - 1) << height;
        EXPECT_EQ(scale.rowToValue(0), -32768) << height;
    }
    const PlotScale scale(500, 256);
    EXPECT_EQ(scale.valueToRow(0), 128);
    EXPECT_EQ(scale.rowToValue(128), 0);
    EXPECT_EQ(scale.rowToValue(255), 32512);
}

TEST(PlotScaleTest, EdgesOutsideThePlotAndPlotsOfNoPixels) {
    const PlotScale scale(1101, 256);
    Curve c = filled(0);
    c.front() = -32768;
    c.back() = 32767;
    EXPECT_EQ(scale.curveRowAt(c, -5), 0);
    EXPECT_EQ(scale.curveRowAt(c, 2), 128);
    EXPECT_EQ(scale.curveRowAt(c, 1101), 255);
    EXPECT_EQ(scale.clampPoint(-5, -5, false), (PlotPoint{0, 0}));
    EXPECT_EQ(scale.clampPoint(5000, 500, false), (PlotPoint{1100, 255}));
    EXPECT_EQ(scale.clampPoint(5000, 10, true), (PlotPoint{1101, 10}));  // a line's end
    for (auto [w, h] : {std::pair{0, 168}, {168, 0}, {-22, -22}})
        EXPECT_TRUE(PlotScale(w, h).empty());
    EXPECT_TRUE(PlotScale().empty());
    EXPECT_FALSE(PlotScale(1, 1).empty());
}

TEST(SetColumnTest, WritesEverySampleUnderTheColumnAndNothingElse) {
    struct Case {
        int width, column, row;
        int first, last;  // samples written, none when first > last
        std::int32_t value;
    };
    const Case cases[] = {
        {2202, 40, 0, 40, 40, -32768},  // the top row is the one place -32768 can be stored
        {1101, 40, 128, 80, 81, 0},
        {4404, 100, 0, 1, 0, 0},  // no sample under the column
        {4404, 101, 0, 50, 50, -32768},
        {2202, -1, 10, 1, 0, 0},
        {2202, 2202, 10, 1, 0, 0},
        {2202, 2201, 9999, 2201, 2201, 32512},  // the row is clamped into the plot
    };
    for (const Case& c : cases) {
        Curve curve = filled(5);
        setColumn(curve, PlotScale(c.width, 256), {c.column, c.row});
        for (int i = 0; i < kCurvePoints; ++i) {
            const bool written = i >= c.first && i <= c.last;
            ASSERT_EQ(curve[i], written ? c.value : 5) << c.width << " " << c.column << " " << i;
        }
    }
}

TEST(SetSampleTest, ClampsValuesAndDropsIndicesOutsideTheCurve) {
    Curve c = filled(1);
    for (auto [i, v] : {std::pair{0, -40000}, {2201, 40000}, {-1, 7}, {2202, 7}})
        setSample(c, i, v);
    EXPECT_EQ((std::vector<int>{c[0], c[1], c[2200], c[2201]}),
              (std::vector<int>{-32767, 1, 1, 32767}));
}

// On a 2202 x 65536 plot, column x is sample x and row y is value y - 32768.
const PlotScale kOneToOne(2202, 65536);
int rowOf(int value) {
    return value + 32768;
}

TEST(RasterizeLineTest, WalksWithItsOwnErrorTermsTowardsLargerValues) {
    const std::vector<int> walk = {0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4};
    Curve c = filled(99);
    rasterizeLine(c, kOneToOne, {0, rowOf(0)}, {10, rowOf(4)});
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(c[i], walk[i]) << "sample " << i;
    EXPECT_EQ(c[11], 99);

    // The walk starts at the smaller value (sample 30) and steps left, whatever the order.
    Curve forward = filled(99);
    Curve backward = filled(99);
    rasterizeLine(forward, kOneToOne, {20, rowOf(4)}, {30, rowOf(0)});
    rasterizeLine(backward, kOneToOne, {30, rowOf(0)}, {20, rowOf(4)});
    EXPECT_EQ(forward, backward);
    for (int n = 0; n <= 10; ++n) EXPECT_EQ(forward[30 - n], walk[n]) << "step " << n;
}

TEST(RasterizeLineTest, SteepLinesKeepTheLastValueOfEachSample) {
    Curve c = filled(99);
    rasterizeLine(c, kOneToOne, {5, rowOf(0)}, {7, rowOf(10)});
    EXPECT_EQ((std::vector<int>{c[4], c[5], c[6], c[7], c[8]}),
              (std::vector<int>{99, 1, 6, 10, 99}));

    // A vertical line writes one sample about 2000 times and leaves the upper value in it.
    const PlotScale scale(1101, 400);
    c = filled(99);
    const int bottom = scale.valueToRow(1000);
    rasterizeLine(c, scale, {10, bottom}, {10, scale.valueToRow(-1000)});
    EXPECT_EQ(c[20], scale.rowToValue(bottom));
    EXPECT_EQ(c[19], 99);
    EXPECT_EQ(c[21], 99);
}

TEST(RasterizeLineTest, TopRowIsMinus32767AndTheRightEdgeReachesTheLastSample) {
    Curve c = filled(0);
    rasterizeLine(c, PlotScale(2202, 256), {3, 0}, {3, 0});
    EXPECT_EQ(c[3], -32767);
    // Column 1101 of a 1101-column plot is sample 2202, which is dropped; 2201 is written.
    c = filled(99);
    rasterizeLine(c, PlotScale(1101, 256), {1000, 128}, {1101, 128});
    EXPECT_EQ(c[1999], 99);
    EXPECT_EQ(c[2000], 0);
    EXPECT_EQ(c[2201], 0);
}

}  // namespace
}  // namespace kyrel
