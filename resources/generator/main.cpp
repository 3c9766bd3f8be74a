// tamzor_artwork_generator: draws the panel artwork and writes the seven
// image files into the directory given as the only argument.
#include <cstdio>
#include <string>

#include "Background.h"
#include "ImageFiles.h"
#include "Knob.h"
#include "Switches.h"

namespace {

bool writeAndRelease(cairo_surface_t* surface, const std::string& path) {
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS && artwork::writePng8(surface, path);
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tamzor_artwork_generator OUTPUT_DIRECTORY\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  bool ok = true;
  // The knob of the panel is written twice: once for the eight plain knobs
  // and once for Mix PLS.
  ok = writeAndRelease(artwork::paintKnobStrip(false), dir + "1.png") && ok;
  ok = writeAndRelease(artwork::paintKnobStrip(true), dir + "2.png") && ok;
  ok = writeAndRelease(artwork::paintToggleLever(), dir + "3.png") && ok;
  ok = artwork::writePng16(artwork::paintLamp(), dir + "4.png") && ok;
  ok = writeAndRelease(artwork::paintSlideSwitch(), dir + "5.png") && ok;
  ok = writeAndRelease(artwork::paintKnobStrip(false), dir + "6.png") && ok;
  cairo_surface_t* background = artwork::paintBackground();
  ok = artwork::writeBitmap24(background, dir + "background.bmp") && ok;
  cairo_surface_destroy(background);
  if (!ok) {
    std::fprintf(stderr, "tamzor_artwork_generator: could not write the images into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
