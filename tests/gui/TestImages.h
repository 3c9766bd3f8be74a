// Images made in memory for tests: PNG files (8 or 16 bits per channel) and
// bitmap files, plus a resource table the toolkit's bitmaps can load from.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "ImageResources.h"

namespace testimages {

struct Rgba {
  std::uint16_t r, g, b, a;  // 0..255, or 0..65535 for 16-bit images
};

using Pixels = std::function<Rgba(int x, int y)>;

std::vector<unsigned char> makePng(int width, int height, int bitDepth, const Pixels& pixels);
// A 24-bit bitmap file (file header, info header, bottom-up rows).
std::vector<unsigned char> makeBitmap(int width, int height, const std::function<Rgba(int, int)>& pixels);

// Installs a resource table as the toolkit's image lookup (replacing any).
class ResourceTable {
 public:
  ResourceTable();
  ~ResourceTable();
  void addPng(int number, std::vector<unsigned char> bytes) { pngs[number] = std::move(bytes); }
  void addBitmap(int number, std::vector<unsigned char> bytes) { bitmaps[number] = std::move(bytes); }

 private:
  static bool lookup(gui::ImageResourceKind kind, int number, gui::ImageResourceBytes& out);
  std::map<int, std::vector<unsigned char>> pngs;
  std::map<int, std::vector<unsigned char>> bitmaps;
};

// The panel's images with their real sizes: film strips whose sub-image k
// carries k in its red channel, two-state images whose lower half is opaque
// white and upper half opaque black, and a background with a gradient.
void addPanelImages(ResourceTable& table);

// Reads one premultiplied pixel of an ARGB32 cairo image surface.
std::uint32_t pixelAt(void* cairoSurface, int x, int y);

}  // namespace testimages
