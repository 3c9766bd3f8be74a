#pragma once

namespace tamzor::dsp {

// One point of the power amp transfer curve.
struct TransferPoint {
    double x;
    double y;
};

// The power amp curve: 4000 points in order of increasing x, x_k the double
// nearest to (k - 1999) / 10 (x_1999 = 0). An inverting saturating curve;
// y_0 and y_3999 are the values outside the interpolated range. The table is
// written by dsp/tools/make_transfer_table.py: monotone cubic Hermite
// interpolation through the curve's defining rows.
inline constexpr int transferTableSize = 4000;
extern const TransferPoint transferTable[transferTableSize];

// Inputs strictly between these bounds are interpolated.
inline constexpr double transferLowerBound = -180.0;
inline constexpr double transferUpperBound = 180.0;

// Catmull-Rom interpolation between p1 (t = 0) and p2 (t = 1).
inline double catmullRom(double p0, double p1, double p2, double p3, double t)
{
    const double m1 = (p2 - p0) * 0.5;
    const double h = p1 - p2;
    const double c3 = (p3 - p1) * 0.5 + (h + m1 + h);
    return ((c3 * t - (c3 + h + m1)) * t + m1) * t + p1;
}

// The curve at x: cubic interpolation of the table inside (-180, 180); y_0 at
// or below -180; y_3999 at or above 180 and for a NaN. Pure.
inline double shape(double x)
{
    if (x > transferLowerBound && x < transferUpperBound) {
        // floor(10 x + 1999): the value is at least 199 here, so truncation
        // gives the same cell without a rounding sequence.
        const int d = static_cast<int>(10.0 * x + 1999.0);
        const TransferPoint* const cell = transferTable + d;
        const double t = (x - cell[0].x) / (cell[1].x - cell[0].x);
        return catmullRom(cell[-1].y, cell[0].y, cell[1].y, cell[2].y, t);
    }
    if (x <= transferLowerBound) {
        return transferTable[0].y;
    }
    return transferTable[transferTableSize - 1].y;
}

} // namespace tamzor::dsp
