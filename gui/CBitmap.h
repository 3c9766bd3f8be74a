// A reference-counted image. Whoever creates one holds one reference; every
// further user takes its own with remember() and gives it back with forget().
// The pixels are premultiplied 32-bit ARGB. A bitmap whose resource is
// missing or cannot be decoded is empty: 0 x 0 and draws nothing.
#pragma once

typedef struct _cairo_surface cairo_surface_t;

class CBitmap {
 public:
  // The PNG resource with this number if there is one, else the bitmap
  // resource with this number.
  explicit CBitmap(int resourceNumber);
  // Takes over a surface (which may be nullptr for an empty bitmap).
  explicit CBitmap(cairo_surface_t* adopted);

  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  void remember();
  void forget();
  int referenceCount() const { return references; }

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  bool isLoaded() const { return surface != nullptr; }
  cairo_surface_t* getSurface() const { return surface; }

  // Bitmaps currently alive in the process; for leak checks.
  static int liveCount();

 private:
  ~CBitmap();
  void adopt(cairo_surface_t* decoded);

  cairo_surface_t* surface = nullptr;
  int width = 0;
  int height = 0;
  int references = 1;
};
