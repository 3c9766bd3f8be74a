// The film-strip knob: 63 frames of 45 x 45, top to bottom, frame i showing
// the pointer at value i / 62.
#pragma once

#include <cairo.h>

namespace artwork {

// Draws one knob centred at (cx, cy) with its pointer at `value` (0..1).
// With `printedScale` the knob carries its own scale marks around it.
void drawKnob(cairo_t* cr, double cx, double cy, double value, bool printedScale);

// Draws the scale that the panel prints around a plain knob.
void drawKnobScale(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius, double alpha);

cairo_surface_t* paintKnobStrip(bool printedScale);

}  // namespace artwork
