#include "dsp/TransferTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamzor::dsp {
namespace {

struct Row {
    double x;
    double y;
};

// The rows that define the curve.
constexpr Row definingRows[] = {
    {-199.9, 0.41458735},   {-180.0, 0.413936235},  {-10.0, 0.413929307},  {-5.0, 0.413925389},
    {-3.0, 0.413267031},    {-2.5, 0.412076355},    {-2.0, 0.4095088},     {-1.5, 0.403934749},
    {-1.2, 0.39597021},     {-1.0, 0.385604632},    {-0.9, 0.376933646},   {-0.8, 0.363575359},
    {-0.7, 0.341727691},    {-0.6, 0.306025499},    {-0.5, 0.254750908},   {-0.4, 0.19486097},
    {-0.3, 0.135846425},    {-0.2, 0.083727749},    {-0.1, 0.03998617},    {0.0, 0.001348233},
    {0.1, -0.038798192},    {0.2, -0.087562953},    {0.3, -0.148712373},   {0.4, -0.219216745},
    {0.5, -0.287433471},    {0.6, -0.337232192},    {0.7, -0.36562355},    {0.8, -0.38131396},
    {0.9, -0.390774763},    {1.0, -0.397022777},    {1.2, -0.404729249},   {1.3, -0.40642492},
    {1.4, -0.406731264},    {2.0, -0.407345927},    {5.0, -0.408655918},   {10.0, -0.409792575},
    {50.0, -0.413314774},   {100.0, -0.414829698},  {180.0, -0.415087796}, {200.0, -0.415087843},
};

constexpr int firstReadIndex = 198;
constexpr int lastReadIndex = 3801;

int indexOf(double x) { return static_cast<int>(std::lround(x * 10.0)) + 1999; }

double slope(double x) { return (shape(x + 1e-5) - shape(x - 1e-5)) / 2e-5; }

TEST(TransferTable, GridIsTheNearestDoubleToEveryTenth)
{
    for (int k = 0; k < transferTableSize; ++k) {
        ASSERT_EQ(transferTable[k].x, static_cast<double>(k - 1999) / 10.0) << "k = " << k;
    }
    EXPECT_EQ(transferTable[1999].x, 0.0);
    EXPECT_EQ(transferTable[0].x, -199.9);
    EXPECT_EQ(transferTable[3999].x, 200.0);
}

TEST(TransferTable, PassesExactlyThroughTheDefiningRows)
{
    for (const Row& row : definingRows) {
        const int k = indexOf(row.x);
        EXPECT_EQ(transferTable[k].x, row.x);
        EXPECT_EQ(transferTable[k].y, row.y) << "x = " << row.x;
        if (row.x > -180.0 && row.x < 180.0) {
            EXPECT_EQ(shape(row.x), row.y) << "x = " << row.x;
        }
    }
}

TEST(TransferTable, ShapeReturnsTheStoredValueAtEveryStoredPoint)
{
    for (int k = 200; k < 3799; ++k) {
        ASSERT_EQ(shape(transferTable[k].x), transferTable[k].y) << "k = " << k;
    }
}

TEST(TransferTable, NeverIncreasesOverTheReadRange)
{
    for (int k = firstReadIndex; k < lastReadIndex; ++k) {
        ASSERT_LE(transferTable[k + 1].y, transferTable[k].y) << "k = " << k;
    }
}

TEST(TransferTable, PlateauKneesAndSteepStretch)
{
    // High plateau for large negative inputs, slowly falling tail for large positive ones.
    EXPECT_NEAR(shape(-100.0), 0.41393, 1e-5);
    EXPECT_NEAR(shape(-20.0), 0.41393, 1e-5);
    EXPECT_LT(shape(150.0), -0.4150);
    EXPECT_GT(shape(150.0), -0.4151);

    // Slopes of the steep stretch: about -0.59 near -0.4, -0.39 at 0, steepest
    // (about -0.72) near 0.36.
    EXPECT_NEAR(slope(-0.4), -0.59, 0.01);
    EXPECT_NEAR(slope(0.0), -0.39, 0.01);
    double steepest = 0.0;
    double steepestAt = 0.0;
    for (double x = -1.0; x <= 1.0; x += 0.001) {
        if (slope(x) < steepest) {
            steepest = slope(x);
            steepestAt = x;
        }
    }
    EXPECT_NEAR(steepest, -0.72, 0.01);
    EXPECT_NEAR(steepestAt, 0.36, 0.02);

    // Soft knee on the negative side: nearly flat at -3, steep by -0.6.
    EXPECT_GT(slope(-3.0), -0.002);
    EXPECT_LT(slope(-1.0), -0.05);
    EXPECT_LT(slope(-0.6), -0.4);
    for (double x = -3.0; x < -0.6; x += 0.3) {
        EXPECT_LT(slope(x + 0.3), slope(x)) << "x = " << x;
    }

    // Sharp knee near 1.4: the slope falls by an order of magnitude within 0.2.
    EXPECT_LT(slope(1.25), -0.01);
    EXPECT_GT(slope(1.5), -0.002);
    EXPECT_GT(slope(3.0), -0.001);
}

TEST(TransferTable, CrossesZeroNearTheOrigin)
{
    EXPECT_EQ(shape(0.0), 0.001348233);
    EXPECT_GT(shape(0.003), 0.0);
    EXPECT_LT(shape(0.004), 0.0);
    EXPECT_NEAR(shape(0.05), -0.018092, 2e-6);
}

TEST(TransferTable, OutsideTheRangeGivesTheEndValues)
{
    constexpr double below = 0.41458735;
    constexpr double above = -0.415087843;
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {-180.0, -180.05, -1000.0, -inf}) {
        EXPECT_EQ(shape(x), below) << x;
    }
    for (double x : {180.0, 180.05, 1000.0, inf, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(shape(x), above) << x;
    }

    // Just inside the bounds the outermost cells are read (the one below 180
    // reaches the entry after 180.1) without any clamping of the index.
    EXPECT_NEAR(shape(std::nextafter(180.0, 0.0)), transferTable[3799].y, 1e-15);
    EXPECT_NEAR(shape(std::nextafter(-180.0, 0.0)), transferTable[199].y, 1e-15);

    // The last interpolated values sit on the plateau, a step below the end value.
    const double nearLowerEnd = shape(-179.95);
    EXPECT_LE(nearLowerEnd, transferTable[199].y);
    EXPECT_GE(nearLowerEnd, transferTable[200].y);
    EXPECT_NEAR(below - nearLowerEnd, 0.00065, 0.00001);
}

TEST(TransferTable, CatmullRomInterpolation)
{
    // The cubic passes through its two middle points and reproduces a straight line.
    EXPECT_EQ(catmullRom(4.0, 3.0, 1.5, 0.25, 0.0), 3.0);
    EXPECT_NEAR(catmullRom(4.0, 3.0, 1.5, 0.25, 1.0), 1.5, 1e-15);
    for (double t : {0.1, 0.25, 0.5, 0.9}) {
        EXPECT_NEAR(catmullRom(1.0, 2.0, 3.0, 4.0, t), 2.0 + t, 1e-15);
    }

    // The curve is continuous with a continuous slope across every cell boundary.
    for (int k = 250; k < 3750; k += 7) {
        const double x = transferTable[k].x;
        const double left = shape(std::nextafter(x, -1000.0));
        ASSERT_NEAR(left, shape(x), 1e-13) << "x = " << x;
        const double h = 1e-6;
        const double slopeLeft = (shape(x) - shape(x - h)) / h;
        const double slopeRight = (shape(x + h) - shape(x)) / h;
        ASSERT_NEAR(slopeLeft, slopeRight, 1e-3 + 0.01 * std::abs(slopeLeft)) << "x = " << x;
    }
}

} // namespace
} // namespace tamzor::dsp
