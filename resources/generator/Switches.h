// The two-state images: the toggle lever, the lamp and the slide switch,
// each two frames stacked, upper = off (value 0), lower = on.
#pragma once

#include <cairo.h>

#include "ImageFiles.h"

namespace artwork {

// 50 x 52: upper frame lever up, lower frame lever down.
cairo_surface_t* paintToggleLever();
// 8 x 16, 16 bits per channel: upper frame dark red, lower frame lit.
DeepImage paintLamp();
// 50 x 52: upper frame slider at the left, lower frame at the right.
cairo_surface_t* paintSlideSwitch();

}  // namespace artwork
