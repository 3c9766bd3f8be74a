#include "Background.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "Knob.h"
#include "PanelGeometry.h"
#include "Painting.h"
#include "Textures.h"

namespace artwork {
namespace {

constexpr Colour kLettering{0.95, 0.92, 0.83};
constexpr Colour kFaceplate{0.205, 0.210, 0.220};

// The metal faceplate inside the tolex cabinet, and the grille window cut
// into its upper left.
constexpr Region kFace{9, 9, 642, 230};
constexpr Region kGrille{19, 18, 446, 124};

void screw(cairo_t* cr, double cx, double cy, double slotAngle) {
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_arc(cr, cx + 0.6, cy + 0.8, 4.2, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_t* head = cairo_pattern_create_linear(cx - 4, cy - 4, cx + 4, cy + 4);
  cairo_pattern_add_color_stop_rgb(head, 0.0, 0.92, 0.92, 0.93);
  cairo_pattern_add_color_stop_rgb(head, 1.0, 0.38, 0.39, 0.41);
  cairo_set_source(cr, head);
  cairo_arc(cr, cx, cy, 3.8, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(head);
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.05, 0.85);
  cairo_set_line_width(cr, 1.0);
  const double dx = 3.0 * std::cos(slotAngle), dy = 3.0 * std::sin(slotAngle);
  cairo_move_to(cr, cx - dx, cy - dy);
  cairo_line_to(cr, cx + dx, cy + dy);
  cairo_stroke(cr);
}

void bevel(cairo_t* cr, double x, double y, double w, double h, double radius, double lightAlpha, double darkAlpha) {
  cairo_set_line_width(cr, 1.0);
  cairo_pattern_t* edge = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(edge, 0.0, 1, 1, 1, lightAlpha);
  cairo_pattern_add_color_stop_rgba(edge, 1.0, 0, 0, 0, darkAlpha);
  cairo_set_source(cr, edge);
  roundedRectangle(cr, x + 0.5, y + 0.5, w - 1.0, h - 1.0, radius);
  cairo_stroke(cr);
  cairo_pattern_destroy(edge);
}

void paintCabinet(cairo_surface_t* surface, cairo_t* cr) {
  paintTolex(surface, {0, 0, kPanelWidth, kPanelHeight}, 11);
  // Faceplate with a soft shadow into the tolex.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  roundedRectangle(cr, kFace.left - 1.5, kFace.top - 1.0, kFace.width + 3.0, kFace.height + 3.5, 4.0);
  cairo_fill(cr);
  cairo_surface_t* metal = createSurface(kPanelWidth, kPanelHeight);
  paintBrushedMetal(metal, kFace, kFaceplate, 23);
  cairo_save(cr);
  roundedRectangle(cr, kFace.left, kFace.top, kFace.width, kFace.height, 3.0);
  cairo_clip(cr);
  cairo_set_source_surface(cr, metal, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(metal);
  bevel(cr, kFace.left, kFace.top, kFace.width, kFace.height, 3.0, 0.35, 0.6);
}

void paintGrille(cairo_t* cr) {
  cairo_surface_t* cloth = createSurface(kPanelWidth, kPanelHeight);
  paintGrilleCloth(cloth, kGrille, {0.30, 0.28, 0.24});
  cairo_save(cr);
  roundedRectangle(cr, kGrille.left, kGrille.top, kGrille.width, kGrille.height, 4.0);
  cairo_clip(cr);
  cairo_set_source_surface(cr, cloth, 0, 0);
  cairo_paint(cr);
  // Shade the cloth towards the window's edges, where it sits behind the plate.
  const double cx = kGrille.left + kGrille.width / 2.0, cy = kGrille.top + kGrille.height / 2.0;
  cairo_pattern_t* vignette = cairo_pattern_create_radial(cx, cy, 40.0, cx, cy, kGrille.width * 0.62);
  cairo_pattern_add_color_stop_rgba(vignette, 0.0, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(vignette, 1.0, 0, 0, 0, 0.55);
  cairo_set_source(cr, vignette);
  cairo_paint(cr);
  cairo_pattern_destroy(vignette);
  cairo_restore(cr);
  cairo_surface_destroy(cloth);
  // Piping around the window: a cream cord over a dark gap.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_set_line_width(cr, 3.0);
  roundedRectangle(cr, kGrille.left, kGrille.top, kGrille.width, kGrille.height, 4.0);
  cairo_stroke(cr);
  cairo_pattern_t* cord = cairo_pattern_create_linear(0, kGrille.top - 2, 0, kGrille.top + kGrille.height + 2);
  cairo_pattern_add_color_stop_rgb(cord, 0.0, 0.93, 0.90, 0.80);
  cairo_pattern_add_color_stop_rgb(cord, 1.0, 0.66, 0.63, 0.55);
  cairo_set_source(cr, cord);
  cairo_set_line_width(cr, 1.6);
  roundedRectangle(cr, kGrille.left - 0.5, kGrille.top - 0.5, kGrille.width + 1.0, kGrille.height + 1.0, 4.5);
  cairo_stroke(cr);
  cairo_pattern_destroy(cord);
}

void paintLogoPlate(cairo_t* cr) {
  const double w = 262.0, h = 70.0;
  const double x = kGrille.left + (kGrille.width - w) / 2.0;
  const double y = kGrille.top + (kGrille.height - h) / 2.0;
  // Drop shadow on the cloth.
  for (int i = 4; i >= 1; --i) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.16);
    roundedRectangle(cr, x - i * 0.5 + 1.5, y + i * 0.8, w + i, h + i * 0.8, 6.0);
    cairo_fill(cr);
  }
  // Brushed aluminium.
  cairo_surface_t* metal = createSurface(kPanelWidth, kPanelHeight);
  paintBrushedMetal(metal, {static_cast<int>(x), static_cast<int>(y), static_cast<int>(w) + 1, static_cast<int>(h) + 1},
                    {0.74, 0.75, 0.76}, 31);
  cairo_save(cr);
  roundedRectangle(cr, x, y, w, h, 6.0);
  cairo_clip(cr);
  cairo_set_source_surface(cr, metal, 0, 0);
  cairo_paint(cr);
  cairo_pattern_t* sheen = cairo_pattern_create_linear(x, y, x + w, y + h);
  cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.20);
  cairo_pattern_add_color_stop_rgba(sheen, 0.45, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(sheen, 1.0, 0, 0, 0, 0.22);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);
  cairo_surface_destroy(metal);
  bevel(cr, x, y, w, h, 6.0, 0.8, 0.55);
  // Black enamel inlay.
  const double inset = 5.0;
  cairo_set_source_rgb(cr, 0.06, 0.06, 0.07);
  roundedRectangle(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 3.5);
  cairo_fill(cr);
  bevel(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 3.5, 0.0, 0.0);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 1.0);
  roundedRectangle(cr, x + inset - 0.5, y + inset - 0.5, w - 2 * inset + 1, h - 2 * inset + 1, 4.0);
  cairo_stroke(cr);

  const double cx = x + w / 2.0;
  TextStyle maker{"DejaVu Sans", 9.5, true, false, 0.0, 3.2};
  drawLabel(cr, "DRAVIK", cx, y + 21.0, Align::Centre, maker, {0.78, 0.70, 0.48}, 0.0);
  // The product name in chrome lettering.
  TextStyle product{"DejaVu Serif", 29.0, true, true, w - 30.0, 0.0};
  drawLabel(cr, "Tamzor Head", cx + 1.0, y + 53.0, Align::Centre, product, {0.05, 0.05, 0.05}, 0.0);
  drawLabel(cr, "Tamzor Head", cx, y + 52.0, Align::Centre, product, {0.93, 0.93, 0.94}, 0.0);
}

void paintSideBadge(cairo_t* cr) {
  // Upper right of the faceplate: the amplifier's description.
  const double cx = 557.0;
  TextStyle small{"DejaVu Sans", 8.0, true, false, 150.0, 1.6};
  drawLabel(cr, "TWO CHANNEL", cx, 52.0, Align::Centre, small, kLettering);
  drawLabel(cr, "VALVE AMPLIFIER", cx, 65.0, Align::Centre, small, kLettering);
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgba(cr, 0.95, 0.92, 0.83, 0.55);
  cairo_move_to(cr, cx - 60.0, 36.5);
  cairo_line_to(cr, cx + 60.0, 36.5);
  cairo_move_to(cr, cx - 60.0, 77.5);
  cairo_line_to(cr, cx + 60.0, 77.5);
  cairo_stroke(cr);
}

void paintSwitchLettering(cairo_t* cr) {
  TextStyle style{"DejaVu Sans", 9.0, true, false, 0.0, 0.0};
  const double slideMiddle = kSlideTop + kSlideHeight / 2.0 + 3.3;
  const double leftEdge = kQualityLeft - 2.0;
  const double rightEdge = kQualityLeft + kSwitchWidth + 2.0;
  drawLabel(cr, "LowQ", leftEdge, kQualityTop + slideMiddle, Align::Right, style, kLettering);
  drawLabel(cr, "HighQ", rightEdge, kQualityTop + slideMiddle, Align::Left, style, kLettering);
  drawLabel(cr, "Mono", leftEdge, kStereoTop + slideMiddle, Align::Right, style, kLettering);
  drawLabel(cr, "Stereo", rightEdge, kStereoTop + slideMiddle, Align::Left, style, kLettering);
}

void paintKnobLettering(cairo_t* cr) {
  TextStyle style{"DejaVu Sans", 9.0, true, false, 47.0, 0.0};
  for (const KnobPlace& knob : kKnobs) {
    const double cx = knob.left + kKnobSize / 2.0;
    const double cy = knob.top + kKnobSize / 2.0;
    drawLabel(cr, knob.label, cx, knob.top - 4.0, Align::Centre, style, kLettering);
    drawKnobScale(cr, cx, cy, 19.0, 21.8, 0.9);
  }
}

void paintChannelLettering(cairo_t* cr) {
  TextStyle title{"DejaVu Sans", 9.0, true, false, 0.0, 0.0};
  TextStyle state{"DejaVu Sans", 8.0, true, false, 0.0, 0.0};
  const double cx = kChannelLeft + kSwitchWidth / 2.0;
  drawLabel(cr, "Channel", cx, kKnobs[0].top - 4.0, Align::Centre, title, kLettering);
  drawLabel(cr, "PLS", cx, kChannelTop - 2.0, Align::Centre, state, {0.90, 0.78, 0.50});
  drawLabel(cr, "MCJ", cx, kChannelTop + kSwitchHeight + 9.0, Align::Centre, state, {0.90, 0.78, 0.50});

  // The boost lamp sits in a chrome bezel.
  const double lx = kBoostLeft + kLampSize / 2.0, ly = kBoostTop + kLampSize / 2.0;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_arc(cr, lx + 0.5, ly + 1.0, 6.8, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_t* ring = cairo_pattern_create_linear(lx - 6, ly - 6, lx + 6, ly + 6);
  cairo_pattern_add_color_stop_rgb(ring, 0.0, 0.95, 0.95, 0.96);
  cairo_pattern_add_color_stop_rgb(ring, 1.0, 0.35, 0.36, 0.38);
  cairo_set_source(cr, ring);
  cairo_arc(cr, lx, ly, 6.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(ring);
  cairo_set_source_rgb(cr, 0.05, 0.02, 0.02);
  cairo_arc(cr, lx, ly, 4.4, 0, 2 * kPi);
  cairo_fill(cr);
  drawLabel(cr, "MCJ", lx, kBoostTop - 18.0, Align::Centre, state, kLettering);
  drawLabel(cr, "Boost", lx, kBoostTop - 9.0, Align::Centre, state, kLettering);
}

}  // namespace

cairo_surface_t* paintBackground() {
  cairo_surface_t* surface = createSurface(kPanelWidth, kPanelHeight);
  cairo_t* cr = cairo_create(surface);
  paintCabinet(surface, cr);
  paintGrille(cr);
  paintLogoPlate(cr);
  paintSideBadge(cr);
  paintSwitchLettering(cr);
  paintKnobLettering(cr);
  paintChannelLettering(cr);
  screw(cr, 28.0, 198.5, 0.6);
  screw(cr, 630.0, 198.5, 2.2);
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
    std::fprintf(stderr, "background: %s\n", cairo_status_to_string(cairo_status(cr)));
  cairo_destroy(cr);
  return surface;
}

}  // namespace artwork
