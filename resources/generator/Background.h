// The 660 x 248 panel picture: cabinet, faceplate, grille with the logo
// plate, and every control's lettering and scale.
#pragma once

#include <cairo.h>

namespace artwork {

cairo_surface_t* paintBackground();

}  // namespace artwork
