// Writing the artwork files: RGBA PNG with straight alpha (8 or 16 bits per
// channel) and the 24-bit bottom-up Windows bitmap of the background.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// Straight-alpha RGBA pixels, row by row, each channel 0..65535.
struct DeepImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> rgba;
};

// Writes a cairo ARGB32 surface (premultiplied) as an 8-bit RGBA PNG.
bool writePng8(cairo_surface_t* surface, const std::string& path);
// Writes a 16-bit RGBA PNG.
bool writePng16(const DeepImage& image, const std::string& path);
// Writes a cairo surface, drawn opaque, as a 24-bit uncompressed bitmap file.
bool writeBitmap24(cairo_surface_t* surface, const std::string& path);

// Averages `factor` x `factor` blocks of a premultiplied surface into a
// straight-alpha 16-bit image; drawing large and reducing keeps the
// precision that a 16-bit file can hold.
DeepImage reduceToDeepImage(cairo_surface_t* surface, int factor);

}  // namespace artwork
