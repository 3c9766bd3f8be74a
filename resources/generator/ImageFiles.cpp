#include "ImageFiles.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace artwork {
namespace {

bool writePng(const std::string& path, int width, int height, int depth, std::vector<png_bytep>& rows) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

unsigned char unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<unsigned char>(std::min<std::uint32_t>(255u, (channel * 255u + alpha / 2u) / alpha));
}

}  // namespace

bool writePng8(cairo_surface_t* surface, const std::string& path) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = in[x];
      const std::uint32_t a = p >> 24;
      unsigned char* out = &pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4u];
      out[0] = unpremultiply((p >> 16) & 255u, a);
      out[1] = unpremultiply((p >> 8) & 255u, a);
      out[2] = unpremultiply(p & 255u, a);
      out[3] = static_cast<unsigned char>(a);
    }
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = &pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4u];
  return writePng(path, width, height, 8, rows);
}

bool writePng16(const DeepImage& image, const std::string& path) {
  // PNG stores 16-bit samples big-endian.
  std::vector<unsigned char> bytes(image.rgba.size() * 2u);
  for (std::size_t i = 0; i < image.rgba.size(); ++i) {
    bytes[2 * i] = static_cast<unsigned char>(image.rgba[i] >> 8);
    bytes[2 * i + 1] = static_cast<unsigned char>(image.rgba[i] & 255u);
  }
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 8u;
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) rows[static_cast<std::size_t>(y)] = &bytes[static_cast<std::size_t>(y) * rowBytes];
  return writePng(path, image.width, image.height, 16, rows);
}

bool writeBitmap24(cairo_surface_t* surface, const std::string& path) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3u + 3u) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 14u + 40u;
  std::vector<unsigned char> file(offset + pixelBytes, 0);
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    file[at] = static_cast<unsigned char>(v & 255u);
    file[at + 1] = static_cast<unsigned char>((v >> 8) & 255u);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xffffu);
    put16(at + 2, v >> 16);
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, offset + pixelBytes);
  put32(10, offset);
  put32(14, 40);                                  // info header size
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  put16(26, 1);                                   // planes
  put16(28, 24);                                  // bits per pixel
  put32(30, 0);                                   // uncompressed
  put32(34, pixelBytes);
  put32(38, 2835);                                // 72 dots per inch
  put32(42, 2835);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    unsigned char* out = &file[offset + static_cast<std::size_t>(height - 1 - y) * rowBytes];
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = static_cast<unsigned char>(in[x] & 255u);
      out[1] = static_cast<unsigned char>((in[x] >> 8) & 255u);
      out[2] = static_cast<unsigned char>((in[x] >> 16) & 255u);
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && written;
}

DeepImage reduceToDeepImage(cairo_surface_t* surface, int factor) {
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  DeepImage image;
  image.width = cairo_image_surface_get_width(surface) / factor;
  image.height = cairo_image_surface_get_height(surface) / factor;
  image.rgba.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4u);
  const double count = static_cast<double>(factor * factor);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      double sum[4] = {0.0, 0.0, 0.0, 0.0};  // premultiplied r, g, b and alpha, 0..255
      for (int sy = 0; sy < factor; ++sy) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y * factor + sy) * stride);
        for (int sx = 0; sx < factor; ++sx) {
          const std::uint32_t p = row[x * factor + sx];
          sum[0] += static_cast<double>((p >> 16) & 255u);
          sum[1] += static_cast<double>((p >> 8) & 255u);
          sum[2] += static_cast<double>(p & 255u);
          sum[3] += static_cast<double>(p >> 24);
        }
      }
      std::uint16_t* out = &image.rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4u];
      const double alpha = sum[3] / count;  // 0..255
      for (int c = 0; c < 3; ++c) {
        const double straight = alpha > 0.0 ? std::min(1.0, (sum[c] / count) / alpha) : 0.0;
        out[c] = static_cast<std::uint16_t>(std::lround(straight * 65535.0));
      }
      out[3] = static_cast<std::uint16_t>(std::lround(alpha / 255.0 * 65535.0));
    }
  }
  return image;
}

}  // namespace artwork
