#include <cairo.h>

#include <cstdint>

#include "ImageDecoding.h"

namespace gui {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kMaxSide = 16384;

std::uint32_t readU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t readU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

cairo_surface_t* decodeBitmap(const unsigned char* data, std::size_t size) {
  if (data == nullptr) return nullptr;
  // A bitmap resource starts with the info header; a bitmap file puts the
  // file header, with the offset of the pixels, in front of it.
  std::size_t infoAt = 0;
  std::size_t pixelsAt = 0;
  const bool hasFileHeader = size >= kFileHeaderSize && data[0] == 'B' && data[1] == 'M';
  if (hasFileHeader) {
    infoAt = kFileHeaderSize;
    pixelsAt = readU32(data + 10);
  }
  if (size < infoAt + kInfoHeaderSize) return nullptr;
  const unsigned char* info = data + infoAt;
  const std::uint32_t infoSize = readU32(info);
  const auto width = static_cast<std::int32_t>(readU32(info + 4));
  const auto signedHeight = static_cast<std::int32_t>(readU32(info + 8));
  const std::uint16_t bitsPerPixel = readU16(info + 14);
  const std::uint32_t compression = readU32(info + 16);
  if (infoSize < kInfoHeaderSize || (bitsPerPixel != 24 && bitsPerPixel != 32) || compression != 0) return nullptr;
  if (width <= 0 || width > kMaxSide || signedHeight == 0 || signedHeight < -kMaxSide || signedHeight > kMaxSide)
    return nullptr;
  const bool bottomUp = signedHeight > 0;
  const std::int32_t height = bottomUp ? signedHeight : -signedHeight;
  if (!hasFileHeader) pixelsAt = infoSize;
  const std::size_t bytesPerPixel = bitsPerPixel / 8u;
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~static_cast<std::size_t>(3);
  if (pixelsAt > size || (size - pixelsAt) / rowBytes < static_cast<std::size_t>(height)) return nullptr;

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (std::int32_t y = 0; y < height; ++y) {
    const std::int32_t sourceRow = bottomUp ? height - 1 - y : y;
    const unsigned char* in = data + pixelsAt + static_cast<std::size_t>(sourceRow) * rowBytes;
    auto* out = reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(y) * stride);
    for (std::int32_t x = 0; x < width; ++x, in += bytesPerPixel)
      out[x] = 0xff000000u | (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[1]) << 8) | in[0];
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace gui
