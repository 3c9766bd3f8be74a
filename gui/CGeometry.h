// Points and rectangles in panel pixels (origin at the top left corner).
#pragma once

struct CPoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const CPoint&, const CPoint&) = default;
};

// A rectangle covers the pixel columns left .. right - 1 and rows
// top .. bottom - 1 when drawn. Mouse presses count the right and bottom
// edges as inside too.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static CRect fromOriginAndSize(int x, int y, int width, int height) {
    return CRect{x, y, x + width, y + height};
  }

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }

  // Hit test for mouse presses: all four edges inclusive.
  bool containsForPress(CPoint p) const {
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }

  // Whether the drawn areas (right and bottom exclusive) overlap.
  bool overlapsDrawn(const CRect& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }

  CRect intersection(const CRect& other) const {
    CRect r{left > other.left ? left : other.left, top > other.top ? top : other.top,
            right < other.right ? right : other.right, bottom < other.bottom ? bottom : other.bottom};
    if (r.isEmpty()) return CRect{};
    return r;
  }

  CRect united(const CRect& other) const {
    if (isEmpty()) return other;
    if (other.isEmpty()) return *this;
    return CRect{left < other.left ? left : other.left, top < other.top ? top : other.top,
                 right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom};
  }

  friend bool operator==(const CRect&, const CRect&) = default;
};
