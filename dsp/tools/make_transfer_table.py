#!/usr/bin/env python3
"""Writes dsp/TransferTable.cpp, the 4000-point power amp transfer curve.

The curve is known at a set of defining rows (below). Every other entry is
filled by one deterministic method:

* Interior, x = -180.0 .. 180.0: monotone piecewise cubic Hermite
  interpolation through the defining rows (Fritsch-Carlson family). The slope
  at an inner row is the weighted harmonic mean of the two neighbouring
  secants (Fritsch-Butland weights 2h_k + h_{k-1} and h_k + 2h_{k-1}), or 0
  where the secants differ in sign or one is 0; the slope at an end row is
  the one-sided three-point estimate, set to 0 if its sign differs from the
  first secant and limited to three times that secant. These slopes keep
  every cubic piece monotone, so the curve never increases, and the pieces
  pass exactly through the rows. The plain harmonic mean reproduces the
  curve's slopes (about -0.59 at -0.4, -0.39 at 0, steepest about -0.72 near
  0.36) and its zero crossing near x = 0.0034 without any adjustment.
* k = 0 and k = 3999 hold the values outside the interpolated range.
* k = 1 .. 198 repeat y(-180.0) and k = 3801 .. 3998 repeat y(180.0), so
  the rows read around the range ends (k = 198 and k = 3800) keep the curve
  non-increasing.

Each x_k is the double nearest to (k - 1999) / 10. Each y is computed in
double precision and written with 17 significant digits, so the table reads
back bit for bit; the defining rows are written from their decimal values and
are therefore exact.

Usage: make_transfer_table.py [output path]   (default: ../TransferTable.cpp)
"""

import os
import sys
from fractions import Fraction

SIZE = 4000
ZERO_INDEX = 1999

# (x, y) as decimal strings: the defining rows of the curve.
LOWER_END = ("-199.9", "0.41458735")
UPPER_END = ("200.0", "-0.415087843")
ROWS = [
    ("-180.0", "0.413936235"),
    ("-10.0", "0.413929307"),
    ("-5.0", "0.413925389"),
    ("-3.0", "0.413267031"),
    ("-2.5", "0.412076355"),
    ("-2.0", "0.4095088"),
    ("-1.5", "0.403934749"),
    ("-1.2", "0.39597021"),
    ("-1.0", "0.385604632"),
    ("-0.9", "0.376933646"),
    ("-0.8", "0.363575359"),
    ("-0.7", "0.341727691"),
    ("-0.6", "0.306025499"),
    ("-0.5", "0.254750908"),
    ("-0.4", "0.19486097"),
    ("-0.3", "0.135846425"),
    ("-0.2", "0.083727749"),
    ("-0.1", "0.03998617"),
    ("0.0", "0.001348233"),
    ("0.1", "-0.038798192"),
    ("0.2", "-0.087562953"),
    ("0.3", "-0.148712373"),
    ("0.4", "-0.219216745"),
    ("0.5", "-0.287433471"),
    ("0.6", "-0.337232192"),
    ("0.7", "-0.36562355"),
    ("0.8", "-0.38131396"),
    ("0.9", "-0.390774763"),
    ("1.0", "-0.397022777"),
    ("1.2", "-0.404729249"),
    ("1.3", "-0.40642492"),
    ("1.4", "-0.406731264"),
    ("2.0", "-0.407345927"),
    ("5.0", "-0.408655918"),
    ("10.0", "-0.409792575"),
    ("50.0", "-0.413314774"),
    ("100.0", "-0.414829698"),
    ("180.0", "-0.415087796"),
]


def index_of(x_text):
    """Table index of a decimal x on the 0.1 grid."""
    tenths = Fraction(x_text) * 10
    assert tenths.denominator == 1, x_text
    return int(tenths) + ZERO_INDEX


def grid_x(k):
    """The double nearest to (k - 1999) / 10 (integer division rounds exactly)."""
    return (k - ZERO_INDEX) / 10


def sign(v):
    return (v > 0) - (v < 0)


def end_slope(h0, h1, d0, d1):
    """One-sided three-point slope at an end row, kept shape preserving."""
    slope = ((2 * h0 + h1) * d0 - h0 * d1) / (h0 + h1)
    if sign(slope) != sign(d0):
        return 0.0
    if sign(d0) != sign(d1) and abs(slope) > abs(3 * d0):
        return 3 * d0
    return slope


def hermite_slopes(xs, ys):
    h = [xs[i + 1] - xs[i] for i in range(len(xs) - 1)]
    delta = [(ys[i + 1] - ys[i]) / h[i] for i in range(len(h))]
    slopes = [0.0] * len(xs)
    for i in range(1, len(xs) - 1):
        if sign(delta[i - 1]) * sign(delta[i]) <= 0:
            slopes[i] = 0.0
            continue
        w1 = 2 * h[i] + h[i - 1]
        w2 = h[i] + 2 * h[i - 1]
        slopes[i] = (w1 + w2) / (w1 / delta[i - 1] + w2 / delta[i])
    slopes[0] = end_slope(h[0], h[1], delta[0], delta[1])
    slopes[-1] = end_slope(h[-1], h[-2], delta[-1], delta[-2])
    return slopes


def hermite(x0, x1, y0, y1, m0, m1, x):
    h = x1 - x0
    s = (x - x0) / h
    s2 = s * s
    s3 = s2 * s
    return ((2 * s3 - 3 * s2 + 1) * y0 + (s3 - 2 * s2 + s) * h * m0
            + (-2 * s3 + 3 * s2) * y1 + (s3 - s2) * h * m1)


def build_table():
    row_k = [index_of(x) for x, _ in ROWS]
    row_y = [float(y) for _, y in ROWS]
    xs = [grid_x(k) for k in row_k]
    slopes = hermite_slopes(xs, row_y)

    y = [None] * SIZE
    y[0] = float(LOWER_END[1])
    y[SIZE - 1] = float(UPPER_END[1])
    assert index_of(LOWER_END[0]) == 0 and index_of(UPPER_END[0]) == SIZE - 1

    first, last = row_k[0], row_k[-1]
    for k in range(1, first):
        y[k] = row_y[0]
    for k in range(last + 1, SIZE - 1):
        y[k] = row_y[-1]
    for piece in range(len(row_k) - 1):
        k0, k1 = row_k[piece], row_k[piece + 1]
        y[k0] = row_y[piece]
        for k in range(k0 + 1, k1):
            y[k] = hermite(xs[piece], xs[piece + 1], row_y[piece], row_y[piece + 1],
                           slopes[piece], slopes[piece + 1], grid_x(k))
    y[last] = row_y[-1]

    # The properties the curve must keep.
    for k in range(first - 1, last + 2):
        assert y[k + 1] <= y[k], k
    for (x_text, y_text) in ROWS + [LOWER_END, UPPER_END]:
        assert y[index_of(x_text)] == float(y_text), x_text
    return y


def literal(v):
    """A C++ double literal that reads back as exactly v."""
    text = "%.17g" % v
    if not any(c in text for c in ".en"):
        text += ".0"
    assert float(text) == v
    return text


def write_source(path, y):
    lines = [
        "// Generated by dsp/tools/make_transfer_table.py; edit the generator, not this file.",
        "#include \"dsp/TransferTable.h\"",
        "",
        "namespace tamzor::dsp {",
        "",
        "const TransferPoint transferTable[transferTableSize] = {",
    ]
    for k in range(SIZE):
        lines.append("    {%s, %s}," % (literal(grid_x(k)), literal(y[k])))
    lines += ["};", "", "} // namespace tamzor::dsp", ""]
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "TransferTable.cpp")
    write_source(path, build_table())


if __name__ == "__main__":
    main()
