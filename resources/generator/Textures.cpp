#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "PanelGeometry.h"

namespace artwork {
namespace {

// A grey field of one value per pixel of the region.
struct Field {
  int width, height;
  std::vector<double> values;
  double& at(int x, int y) { return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
  double get(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

Field randomField(int width, int height, std::uint64_t seed) {
  Field field{width, height, std::vector<double>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))};
  Noise noise(seed);
  for (double& v : field.values) v = noise.signedUnit();
  return field;
}

Field boxBlur(const Field& in, int radiusX, int radiusY) {
  Field out = in;
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      double sum = 0.0;
      for (int dx = -radiusX; dx <= radiusX; ++dx) sum += in.get(x + dx, y);
      out.at(x, y) = sum / (2 * radiusX + 1);
    }
  Field result = out;
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      double sum = 0.0;
      for (int dy = -radiusY; dy <= radiusY; ++dy) sum += out.get(x, y + dy);
      result.at(x, y) = sum / (2 * radiusY + 1);
    }
  return result;
}

std::uint32_t packOpaque(Colour c) {
  auto channel = [](double v) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  };
  return 0xff000000u | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

template <typename Shade>
void fill(cairo_surface_t* surface, Region region, Shade shade) {
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < region.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(region.top + y) * stride);
    for (int x = 0; x < region.width; ++x) row[region.left + x] = packOpaque(shade(x, y));
  }
  cairo_surface_mark_dirty(surface);
}

}  // namespace

void paintTolex(cairo_surface_t* surface, Region region, std::uint64_t seed) {
  // Leather-like grain: blurred noise lit from above, plus a fine sparkle.
  const Field grain = boxBlur(randomField(region.width, region.height, seed), 1, 1);
  const Field coarse = boxBlur(randomField(region.width, region.height, seed + 1), 3, 3);
  Noise sparkle(seed + 2);
  fill(surface, region, [&](int x, int y) {
    const double relief = (grain.get(x, y - 1) - grain.get(x, y + 1)) * 0.10 + coarse.get(x, y) * 0.05;
    const double v = 0.085 + relief + sparkle.signedUnit() * 0.008;
    return Colour{v, v, v * 1.03};
  });
}

void paintBrushedMetal(cairo_surface_t* surface, Region region, Colour base, std::uint64_t seed) {
  // Long horizontal streaks of varying brightness, slightly brighter at the top.
  const Field streaks = boxBlur(randomField(region.width, region.height, seed), 24, 0);
  const Field fine = boxBlur(randomField(region.width, region.height, seed + 1), 4, 0);
  fill(surface, region, [&](int x, int y) {
    const double light = 1.08 - 0.16 * y / std::max(1, region.height - 1);
    const double streak = 1.0 + streaks.get(x, y) * 0.55 + fine.get(x, y) * 0.10;
    return Colour{base.r * light * streak, base.g * light * streak, base.b * light * streak};
  });
}

void paintGrilleCloth(cairo_surface_t* surface, Region region, Colour thread) {
  // Basket weave: 6 x 6 cells alternating between pairs of horizontal and
  // vertical threads, each thread rounded by its lighting.
  constexpr int kCell = 6;
  constexpr int kThread = 3;
  fill(surface, region, [&](int x, int y) {
    const bool horizontal = ((x / kCell) + (y / kCell)) % 2 == 0;
    const int across = horizontal ? y % kThread : x % kThread;
    const int along = horizontal ? x % kCell : y % kCell;
    const double profile = std::sin(kPi * (across + 0.5) / kThread);
    // Threads dip where they pass under the neighbouring cell.
    const double dip = 0.75 + 0.25 * std::sin(kPi * (along + 0.5) / kCell);
    const double v = 0.25 + 0.75 * profile * dip;
    return Colour{thread.r * v, thread.g * v, thread.b * v};
  });
}

}  // namespace artwork
