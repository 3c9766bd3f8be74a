#include "Knob.h"

#include <cmath>

#include "PanelGeometry.h"
#include "Painting.h"

namespace artwork {
namespace {

constexpr double kSkirtRadius = 16.5;
constexpr double kCapRadius = 9.0;
constexpr int kRidges = 40;

// A point at `radius` in the direction `angle` (counter-clockwise from +x,
// screen y pointing down).
void polar(double cx, double cy, double angle, double radius, double& x, double& y) {
  x = cx + radius * std::cos(angle);
  y = cy - radius * std::sin(angle);
}

void drawShadow(cairo_t* cr, double cx, double cy) {
  cairo_pattern_t* shadow = cairo_pattern_create_radial(cx + 0.6, cy + 1.6, kSkirtRadius - 3.0, cx + 0.6, cy + 1.6,
                                                        kSkirtRadius + 3.5);
  cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0, 0, 0, 0.75);
  cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0, 0, 0, 0.0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, cx + 0.6, cy + 1.6, kSkirtRadius + 3.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
}

void drawSkirt(cairo_t* cr, double cx, double cy, double angle) {
  // Black body, lit from above.
  cairo_pattern_t* body = cairo_pattern_create_linear(cx, cy - kSkirtRadius, cx, cy + kSkirtRadius);
  cairo_pattern_add_color_stop_rgb(body, 0.0, 0.23, 0.23, 0.24);
  cairo_pattern_add_color_stop_rgb(body, 0.5, 0.07, 0.07, 0.08);
  cairo_pattern_add_color_stop_rgb(body, 1.0, 0.03, 0.03, 0.03);
  cairo_set_source(cr, body);
  cairo_arc(cr, cx, cy, kSkirtRadius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // Grip ridges around the rim turn with the knob.
  cairo_set_line_width(cr, 1.0);
  for (int i = 0; i < kRidges; ++i) {
    const double a = angle + 2 * kPi * i / kRidges;
    double x0, y0, x1, y1;
    polar(cx, cy, a, kSkirtRadius - 2.6, x0, y0);
    polar(cx, cy, a, kSkirtRadius - 0.3, x1, y1);
    // Ridges facing the light catch it.
    const double light = 0.5 + 0.5 * std::sin(a);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.05 + 0.13 * light);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
  }

  // Bevelled step between rim and top.
  cairo_pattern_t* step = cairo_pattern_create_linear(cx, cy - kSkirtRadius, cx, cy + kSkirtRadius);
  cairo_pattern_add_color_stop_rgba(step, 0.0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(step, 0.5, 1, 1, 1, 0.04);
  cairo_pattern_add_color_stop_rgba(step, 1.0, 0, 0, 0, 0.5);
  cairo_set_source(cr, step);
  cairo_set_line_width(cr, 1.0);
  cairo_arc(cr, cx, cy, kSkirtRadius - 0.5, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_pattern_destroy(step);

  cairo_pattern_t* top = cairo_pattern_create_linear(cx, cy - 13.5, cx, cy + 13.5);
  cairo_pattern_add_color_stop_rgb(top, 0.0, 0.17, 0.17, 0.18);
  cairo_pattern_add_color_stop_rgb(top, 1.0, 0.05, 0.05, 0.05);
  cairo_set_source(cr, top);
  cairo_arc(cr, cx, cy, kSkirtRadius - 3.0, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(top);
}

void drawCap(cairo_t* cr, double cx, double cy) {
  // Spun aluminium insert: a cone of light from the upper left.
  cairo_pattern_t* metal = cairo_pattern_create_linear(cx - kCapRadius, cy - kCapRadius, cx + kCapRadius,
                                                       cy + kCapRadius);
  cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.93, 0.93, 0.92);
  cairo_pattern_add_color_stop_rgb(metal, 0.45, 0.66, 0.67, 0.68);
  cairo_pattern_add_color_stop_rgb(metal, 0.55, 0.58, 0.59, 0.60);
  cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.36, 0.37, 0.38);
  cairo_set_source(cr, metal);
  cairo_arc(cr, cx, cy, kCapRadius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);

  // Concentric turning marks.
  cairo_set_line_width(cr, 0.5);
  for (double r = 1.5; r < kCapRadius - 0.5; r += 1.1) {
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.10);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.06);
    cairo_arc(cr, cx, cy, r + 0.5, 0, 2 * kPi);
    cairo_stroke(cr);
  }

  // Specular glint.
  cairo_pattern_t* glint = cairo_pattern_create_radial(cx - 3.5, cy - 4.0, 0.0, cx - 3.5, cy - 4.0, 6.0);
  cairo_pattern_add_color_stop_rgba(glint, 0.0, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(glint, 1.0, 1, 1, 1, 0.0);
  cairo_set_source(cr, glint);
  cairo_arc(cr, cx, cy, kCapRadius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glint);

  // Dark rim where the insert meets the knob.
  cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.6);
  cairo_set_line_width(cr, 0.8);
  cairo_arc(cr, cx, cy, kCapRadius, 0, 2 * kPi);
  cairo_stroke(cr);
}

void drawPointer(cairo_t* cr, double cx, double cy, double angle) {
  double x0, y0, x1, y1;
  // White line across the black rim...
  polar(cx, cy, angle, kCapRadius + 1.0, x0, y0);
  polar(cx, cy, angle, kSkirtRadius - 0.6, x1, y1);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.5);
  cairo_set_line_width(cr, 3.2);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 0.98, 0.96, 0.90);
  cairo_set_line_width(cr, 2.0);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  // ...continued as an engraved groove across the metal insert.
  polar(cx, cy, angle, 2.5, x0, y0);
  polar(cx, cy, angle, kCapRadius - 0.8, x1, y1);
  cairo_set_source_rgba(cr, 0.08, 0.08, 0.09, 0.9);
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

}  // namespace

void drawKnobScale(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius, double alpha) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i <= 10; ++i) {
    const double a = knobAngle(i / 10.0);
    const bool major = i == 0 || i == 5 || i == 10;
    double x0, y0, x1, y1;
    polar(cx, cy, a, major ? innerRadius - 0.8 : innerRadius, x0, y0);
    polar(cx, cy, a, outerRadius, x1, y1);
    cairo_set_source_rgba(cr, 0.95, 0.92, 0.84, alpha);
    cairo_set_line_width(cr, major ? 1.5 : 1.1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void drawKnob(cairo_t* cr, double cx, double cy, double value, bool printedScale) {
  const double angle = knobAngle(value);
  cairo_save(cr);
  if (printedScale) drawKnobScale(cr, cx, cy, 18.2, 20.8, 1.0);
  drawShadow(cr, cx, cy);
  drawSkirt(cr, cx, cy, angle);
  drawCap(cr, cx, cy);
  drawPointer(cr, cx, cy, angle);
  cairo_restore(cr);
}

cairo_surface_t* paintKnobStrip(bool printedScale) {
  cairo_surface_t* surface = createSurface(kKnobSize, kKnobSize * kKnobFrames);
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < kKnobFrames; ++i) {
    const double top = static_cast<double>(i * kKnobSize);
    cairo_save(cr);
    cairo_rectangle(cr, 0, top, kKnobSize, kKnobSize);
    cairo_clip(cr);
    drawKnob(cr, kKnobSize / 2.0, top + kKnobSize / 2.0, i / static_cast<double>(kKnobFrames - 1), printedScale);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return surface;
}

}  // namespace artwork
