// Drawing into a frame's offscreen picture.
#pragma once

#include "CGeometry.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
class CBitmap;

class CDrawContext {
 public:
  explicit CDrawContext(cairo_surface_t* target);
  ~CDrawContext();
  CDrawContext(const CDrawContext&) = delete;
  CDrawContext& operator=(const CDrawContext&) = delete;

  // Restricts all drawing to `area` until the next call (an empty rectangle
  // lifts the restriction).
  void clipTo(const CRect& area);
  // Copies the bitmap opaque with its top left corner at `origin`.
  void copyOpaque(const CBitmap& bitmap, CPoint origin);
  // Alpha-blends the part of the bitmap starting at row `sourceTop` into
  // `destination` (same size as the part).
  void blend(const CBitmap& bitmap, const CRect& destination, int sourceTop);
  // Fills an area with opaque black (where there is no background).
  void clear(const CRect& area);

 private:
  cairo_t* cr;
};
