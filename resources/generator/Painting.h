// Small drawing helpers shared by the artwork painters: colours, text,
// deterministic noise and surfaces.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace artwork {

struct Colour {
  double r, g, b;
};

void setColour(cairo_t* cr, Colour c, double alpha = 1.0);
Colour mix(Colour a, Colour b, double t);

enum class Align { Left, Centre, Right };

struct TextStyle {
  const char* family = "DejaVu Sans";
  double size = 9.0;
  bool bold = true;
  bool italic = false;
  double maxWidth = 0.0;  // wider text is narrowed (down to 80 %), then shrunk
  double letterSpacing = 0.0;
};

// Advance width of `text` in `style` at natural width.
double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style);

// Lettering as printed on a panel: the colour over a faint dark shadow one
// pixel down, which reads as slightly raised paint on metal.
void drawLabel(cairo_t* cr, const std::string& text, double x, double baseline, Align align,
               const TextStyle& style, Colour colour, double shadowAlpha = 0.7);

// Reproducible pseudo-random numbers, the same on every machine.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  double uniform();  // in [0, 1)
  double signedUnit() { return uniform() * 2.0 - 1.0; }

 private:
  std::uint64_t state;
};

cairo_surface_t* createSurface(int width, int height);

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace artwork
