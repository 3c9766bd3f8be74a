#include "Painting.h"

#include <algorithm>

namespace artwork {

void setColour(cairo_t* cr, Colour c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace {

void selectFont(cairo_t* cr, const TextStyle& style, double size, double narrowing) {
  cairo_select_font_face(cr, style.family, style.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, size * narrowing, size);
  cairo_set_font_matrix(cr, &matrix);
}

double measure(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  std::size_t characters = 0;
  for (char ch : text)
    if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u) ++characters;
  const double spacing = characters == 0 ? 0.0 : style.letterSpacing * static_cast<double>(characters - 1);
  return extents.x_advance + spacing;
}

void showText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) {
  if (style.letterSpacing == 0.0) {
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    return;
  }
  // One character (a whole UTF-8 sequence) at a time.
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0u) == 0x80u) ++length;
    const std::string one = text.substr(i, length);
    i += length;
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, one.c_str());
    cairo_text_extents_t extents;
    cairo_text_extents(cr, one.c_str(), &extents);
    x += extents.x_advance + style.letterSpacing;
  }
}

}  // namespace

double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_save(cr);
  selectFont(cr, style, style.size, 1.0);
  const double width = measure(cr, text, style);
  cairo_restore(cr);
  return width;
}

void drawLabel(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
               const TextStyle& style, Colour colour, double shadowAlpha) {
  cairo_save(cr);
  double size = style.size;
  double narrowing = 1.0;
  selectFont(cr, style, size, narrowing);
  double width = measure(cr, text, style);
  if (style.maxWidth > 0.0 && width > style.maxWidth) {
    narrowing = std::max(0.8, style.maxWidth / width);
    selectFont(cr, style, size, narrowing);
    width = measure(cr, text, style);
    if (width > style.maxWidth) {
      size *= style.maxWidth / width;
      selectFont(cr, style, size, narrowing);
      width = measure(cr, text, style);
    }
  }
  double left = x;
  if (align == Align::Centre) left = x - width / 2.0;
  if (align == Align::Right) left = x - width;
  if (shadowAlpha > 0.0) {
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, shadowAlpha);
    showText(cr, text, left, baseline + 1.0, style);
  }
  setColour(cr, colour);
  showText(cr, text, left, baseline, style);
  cairo_restore(cr);
}

double Noise::uniform() {
  // splitmix64
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

cairo_surface_t* createSurface(int width, int height) {
  return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double pi = 3.14159265358979323846;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -pi / 2.0, 0.0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0.0, pi / 2.0);
  cairo_arc(cr, x + radius, y + h - radius, radius, pi / 2.0, pi);
  cairo_arc(cr, x + radius, y + radius, radius, pi, 1.5 * pi);
  cairo_close_path(cr);
}

}  // namespace artwork
