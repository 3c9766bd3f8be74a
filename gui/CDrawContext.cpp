#include "CDrawContext.h"

#include <cairo.h>

#include "CBitmap.h"

CDrawContext::CDrawContext(cairo_surface_t* target) : cr(cairo_create(target)) {}

CDrawContext::~CDrawContext() { cairo_destroy(cr); }

void CDrawContext::clipTo(const CRect& area) {
  cairo_reset_clip(cr);
  if (area.isEmpty()) return;
  cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
  cairo_clip(cr);
}

void CDrawContext::copyOpaque(const CBitmap& bitmap, CPoint origin) {
  if (!bitmap.isLoaded()) return;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, bitmap.getSurface(), origin.x, origin.y);
  cairo_rectangle(cr, origin.x, origin.y, bitmap.getWidth(), bitmap.getHeight());
  cairo_fill(cr);
  cairo_restore(cr);
}

void CDrawContext::blend(const CBitmap& bitmap, const CRect& destination, int sourceTop) {
  if (!bitmap.isLoaded() || destination.isEmpty()) return;
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_set_source_surface(cr, bitmap.getSurface(), destination.left, destination.top - sourceTop);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr, destination.left, destination.top, destination.width(), destination.height());
  cairo_fill(cr);
  cairo_restore(cr);
}

void CDrawContext::clear(const CRect& area) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
  cairo_fill(cr);
  cairo_restore(cr);
}
