// Surface textures of the panel, drawn pixel by pixel into a region of an
// opaque cairo surface: tolex covering, brushed metal and grille cloth.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "Painting.h"

namespace artwork {

struct Region {
  int left, top, width, height;
};

void paintTolex(cairo_surface_t* surface, Region region, std::uint64_t seed);
void paintBrushedMetal(cairo_surface_t* surface, Region region, Colour base, std::uint64_t seed);
void paintGrilleCloth(cairo_surface_t* surface, Region region, Colour thread);

}  // namespace artwork
