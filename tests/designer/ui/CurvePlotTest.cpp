#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "designer/ui/CurvePlot.h"
#include "designer/ui/InstanceLock.h"

namespace kyrel {
namespace {

constexpr int kM = 2 * CurvePlot::kMargin;

TEST(CurvePlot, ColumnsMapToSamplesAtTheThreeWidths) {
    const CurvePlot exact = CurvePlot::forClient(2202 + kM, 256 + kM);
    EXPECT_EQ(exact.width(), 2202);
    for (int x : {0, 1, 1000, 2201}) {
        EXPECT_EQ(exact.columnToSample(x), x);
        EXPECT_EQ(exact.sampleToColumn(x), x);
        EXPECT_EQ(exact.samplesUnder(x).first, x);
        EXPECT_EQ(exact.samplesUnder(x).end, x + 1);
    }

    const CurvePlot half = CurvePlot::forClient(1101 + kM, 256 + kM);
    for (int x : {0, 7, 1100}) {
        EXPECT_EQ(half.columnToSample(x), 2 * x);
        EXPECT_EQ(half.samplesUnder(x).end - half.samplesUnder(x).first, 2);
    }
    EXPECT_EQ(half.sampleToColumn(2201), 1100);

    // Twice as wide as the curve: each point shows on two columns, and only odd columns have a
    // point under them.
    const CurvePlot twice = CurvePlot::forClient(4404 + kM, 256 + kM);
    EXPECT_EQ(twice.columnToSample(10), 5);
    EXPECT_EQ(twice.columnToSample(11), 5);
    EXPECT_EQ(twice.samplesUnder(10).first, twice.samplesUnder(10).end);
    EXPECT_EQ(twice.samplesUnder(11).first, 5);
    EXPECT_EQ(twice.samplesUnder(11).end, 6);
    EXPECT_EQ(twice.sampleToColumn(5), 10);
    EXPECT_EQ(twice.sampleToColumn(2201), 4402);
}

TEST(CurvePlot, ValuesSpanTheHeightWithTheLowestValueOnTop) {
    for (int height : {256, 300, 97, 1000}) {
        const CurvePlot plot = CurvePlot::forClient(500, height + kM);
        EXPECT_EQ(plot.valueToRow(-32768), 0) << height;
        EXPECT_EQ(plot.valueToRow(0), static_cast<int>(32768 / plot.valuePerPixel())) << height;
        EXPECT_EQ(plot.valueToRow(32767), height - 1) << height;
        EXPECT_EQ(plot.rowToValue(0), -32768) << height;
        EXPECT_LE(plot.rowToValue(height - 1), 32767) << height;
    }
    const CurvePlot plot = CurvePlot::forClient(500, 256 + kM);
    EXPECT_EQ(plot.valueToRow(0), 128);
    EXPECT_EQ(plot.rowToValue(128), 0);
    EXPECT_EQ(plot.rowToValue(255), 32512);
}

TEST(CurvePlot, CurveRowHoldsTheEndPointsOutsideThePlot) {
    const CurvePlot plot = CurvePlot::forClient(1101 + kM, 256 + kM);
    Curve curve{};
    curve.front() = -32768;
    curve.back() = 32767;
    curve[4] = 0;
    EXPECT_EQ(plot.curveRowAt(curve, -5), 0);
    EXPECT_EQ(plot.curveRowAt(curve, 0), 0);
    EXPECT_EQ(plot.curveRowAt(curve, 2), 128);
    EXPECT_EQ(plot.curveRowAt(curve, 1101), 255);
    EXPECT_EQ(plot.curveRowAt(curve, 5000), 255);
}

TEST(CurvePlot, TinyClientAreasHaveNoPlot) {
    EXPECT_TRUE(CurvePlot::forClient(32, 200).empty());
    EXPECT_TRUE(CurvePlot::forClient(200, 32).empty());
    EXPECT_TRUE(CurvePlot::forClient(0, 0).empty());
    EXPECT_TRUE(CurvePlot::forClient(10, 10).empty());
    EXPECT_FALSE(CurvePlot::forClient(33, 33).empty());
}

TEST(InstanceLock, CopiesTakeTheSmallestFreeNumber) {
    testing::TempDir dir;
    {
        InstanceLock first;
        InstanceLock second;
        EXPECT_EQ(first.acquire(dir.dir()), 0);
        EXPECT_EQ(second.acquire(dir.dir()), 1);
        {
            InstanceLock third;
            EXPECT_EQ(third.acquire(dir.dir()), 2);
        }
        // Copies 0 and 1 run, 2 has ended: the next copy gets 2 again.
        InstanceLock again;
        EXPECT_EQ(again.acquire(dir.dir()), 2);
    }
    // The gap: copies 0 and 2 run, a new copy gets 1.
    InstanceLock zero;
    InstanceLock one;
    InstanceLock two;
    zero.acquire(dir.dir());
    one.acquire(dir.dir());
    two.acquire(dir.dir());
    one.release();
    InstanceLock next;
    EXPECT_EQ(next.acquire(dir.dir()), 1);
}

TEST(InstanceLock, NoLockDirectoryMeansNumberZero) {
    InstanceLock lock;
    EXPECT_EQ(lock.acquire("/nonexistent-kyrel-dir/"), 0);
    EXPECT_FALSE(lock.held());
}

}  // namespace
}  // namespace kyrel
