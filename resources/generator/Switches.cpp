#include "Switches.h"

#include <cmath>

#include "PanelGeometry.h"
#include "Painting.h"

namespace artwork {
namespace {

void chromeGradientStops(cairo_pattern_t* p) {
  cairo_pattern_add_color_stop_rgb(p, 0.0, 0.97, 0.97, 0.98);
  cairo_pattern_add_color_stop_rgb(p, 0.35, 0.80, 0.81, 0.83);
  cairo_pattern_add_color_stop_rgb(p, 0.5, 0.50, 0.51, 0.53);
  cairo_pattern_add_color_stop_rgb(p, 0.75, 0.72, 0.73, 0.75);
  cairo_pattern_add_color_stop_rgb(p, 1.0, 0.35, 0.36, 0.38);
}

void hexagon(cairo_t* cr, double cx, double cy, double radius) {
  for (int i = 0; i < 6; ++i) {
    const double a = kPi / 6.0 + i * kPi / 3.0;
    const double x = cx + radius * std::cos(a);
    const double y = cy + radius * std::sin(a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

// Toggle switch seen from the front: a hexagonal nut with the bat-shaped
// lever thrown up (direction -1) or down (+1).
void drawToggle(cairo_t* cr, double cx, double cy, double direction) {
  const double tipY = cy + direction * 8.4;

  // Shadow of the nut and of the lever, cast down and to the right.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  hexagon(cr, cx + 1.0, cy + 1.5, 7.2);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 5.0);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
  cairo_move_to(cr, cx + 1.5, cy + 0.8);
  cairo_line_to(cr, cx + 2.0, tipY + 0.8);
  cairo_stroke(cr);

  // Nut.
  cairo_pattern_t* nut = cairo_pattern_create_linear(cx - 7, cy - 7, cx + 7, cy + 7);
  chromeGradientStops(nut);
  cairo_set_source(cr, nut);
  hexagon(cr, cx, cy, 7.2);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(nut);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
  // Threaded bushing inside the nut.
  cairo_pattern_t* bushing = cairo_pattern_create_linear(cx + 4, cy + 4, cx - 4, cy - 4);
  chromeGradientStops(bushing);
  cairo_set_source(cr, bushing);
  cairo_arc(cr, cx, cy, 4.4, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(bushing);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_arc(cr, cx, cy, 2.8, 0, 2 * kPi);
  cairo_fill(cr);

  // Lever: a tapered chrome bat from the bushing to a rounded tip.
  cairo_pattern_t* lever = cairo_pattern_create_linear(cx - 3, 0, cx + 3, 0);
  chromeGradientStops(lever);
  cairo_set_source(cr, lever);
  cairo_move_to(cr, cx - 2.2, cy);
  cairo_line_to(cr, cx - 3.2, tipY);
  cairo_line_to(cr, cx + 3.2, tipY);
  cairo_line_to(cr, cx + 2.2, cy);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_arc(cr, cx, tipY, 3.1, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(lever);
  // Glint on the tip.
  cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
  cairo_arc(cr, cx - 1.1, tipY - 1.1, 1.2, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_set_line_width(cr, 0.6);
  cairo_arc(cr, cx, tipY, 3.1, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void drawSlide(cairo_t* cr, double top, bool right) {
  const double y = top + kSlideTop;
  const double left = kSlideSlotLeft;
  // Chrome mounting plate with a black slot.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  roundedRectangle(cr, left + 0.8, y + 1.2, kSlideSlotWidth, kSlideHeight, 3.0);
  cairo_fill(cr);
  cairo_pattern_t* plate = cairo_pattern_create_linear(0, y, 0, y + kSlideHeight);
  chromeGradientStops(plate);
  cairo_set_source(cr, plate);
  roundedRectangle(cr, left, y, kSlideSlotWidth, kSlideHeight, 3.0);
  cairo_fill(cr);
  cairo_pattern_destroy(plate);
  cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
  roundedRectangle(cr, left + 2.5, y + 3.0, kSlideSlotWidth - 5.0, kSlideHeight - 6.0, 1.5);
  cairo_fill(cr);
  // Inner shadow along the slot's upper edge.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, left + 3.0, y + 3.5);
  cairo_line_to(cr, left + kSlideSlotWidth - 3.0, y + 3.5);
  cairo_stroke(cr);
  // The slider.
  const double sliderWidth = 17.0;
  const double sliderLeft = right ? left + kSlideSlotWidth - 1.5 - sliderWidth : left + 1.5;
  const double sliderTop = y - 1.5;
  const double sliderHeight = kSlideHeight + 3.0;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  roundedRectangle(cr, sliderLeft + 1.0, sliderTop + 1.5, sliderWidth, sliderHeight, 2.5);
  cairo_fill(cr);
  cairo_pattern_t* slider = cairo_pattern_create_linear(0, sliderTop, 0, sliderTop + sliderHeight);
  cairo_pattern_add_color_stop_rgb(slider, 0.0, 0.30, 0.30, 0.32);
  cairo_pattern_add_color_stop_rgb(slider, 0.5, 0.12, 0.12, 0.13);
  cairo_pattern_add_color_stop_rgb(slider, 1.0, 0.05, 0.05, 0.05);
  cairo_set_source(cr, slider);
  roundedRectangle(cr, sliderLeft, sliderTop, sliderWidth, sliderHeight, 2.5);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(slider);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  // Grip ribs.
  for (int i = 0; i < 4; ++i) {
    const double x = sliderLeft + 4.5 + i * 2.7;
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_rectangle(cr, x, sliderTop + 3.0, 1.0, sliderHeight - 6.0);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
    cairo_rectangle(cr, x + 1.0, sliderTop + 3.0, 0.8, sliderHeight - 6.0);
    cairo_fill(cr);
  }
  // A white index line so the position reads at a glance.
  cairo_set_source_rgb(cr, 0.96, 0.94, 0.88);
  cairo_rectangle(cr, sliderLeft + sliderWidth / 2.0 - 0.8 + (right ? 6.0 : -6.0), sliderTop + 2.5, 1.6,
                  sliderHeight - 5.0);
  cairo_fill(cr);
}

void drawLamp(cairo_t* cr, double cx, double cy, double scale, bool lit) {
  const double r = 3.8 * scale;
  cairo_pattern_t* body = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, 0.0, cx, cy, r);
  if (lit) {
    cairo_pattern_add_color_stop_rgb(body, 0.0, 1.0, 0.86, 0.78);
    cairo_pattern_add_color_stop_rgb(body, 0.35, 1.0, 0.22, 0.12);
    cairo_pattern_add_color_stop_rgb(body, 0.85, 0.86, 0.04, 0.02);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.55, 0.02, 0.01);
  } else {
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.45, 0.12, 0.11);
    cairo_pattern_add_color_stop_rgb(body, 0.4, 0.26, 0.03, 0.03);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.11, 0.01, 0.01);
  }
  cairo_set_source(cr, body);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  // Jewel highlight.
  cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.85 : 0.45);
  cairo_arc(cr, cx - r * 0.35, cy - r * 0.38, r * 0.26, 0, 2 * kPi);
  cairo_fill(cr);
}

}  // namespace

cairo_surface_t* paintToggleLever() {
  cairo_surface_t* surface = createSurface(kSwitchWidth, 2 * kSwitchHeight);
  cairo_t* cr = cairo_create(surface);
  for (int frame = 0; frame < 2; ++frame) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, frame * kSwitchHeight, kSwitchWidth, kSwitchHeight);
    cairo_clip(cr);
    drawToggle(cr, kSwitchWidth / 2.0, kSwitchHeight * (frame + 0.5), frame == 0 ? -1.0 : 1.0);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return surface;
}

DeepImage paintLamp() {
  constexpr int kOversample = 16;
  cairo_surface_t* surface = createSurface(kLampSize * kOversample, 2 * kLampSize * kOversample);
  cairo_t* cr = cairo_create(surface);
  const double half = kLampSize * kOversample / 2.0;
  drawLamp(cr, half, half, kOversample, false);
  drawLamp(cr, half, 3.0 * half, kOversample, true);
  cairo_destroy(cr);
  DeepImage image = reduceToDeepImage(surface, kOversample);
  cairo_surface_destroy(surface);
  return image;
}

cairo_surface_t* paintSlideSwitch() {
  cairo_surface_t* surface = createSurface(kSwitchWidth, 2 * kSwitchHeight);
  cairo_t* cr = cairo_create(surface);
  for (int frame = 0; frame < 2; ++frame) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, frame * kSwitchHeight, kSwitchWidth, kSwitchHeight);
    cairo_clip(cr);
    drawSlide(cr, frame * kSwitchHeight, frame == 1);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return surface;
}

}  // namespace artwork
