#include "TestImages.h"

#include <cairo.h>
#include <png.h>

#include <cstring>

namespace testimages {
namespace {

ResourceTable* current = nullptr;

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

void put16(std::vector<unsigned char>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<unsigned char>(v & 0xff);
  out[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

std::vector<unsigned char> makePng(int width, int height, int bitDepth, const Pixels& pixels) {
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, appendToVector, noFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bitDepth,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const int bytesPerChannel = bitDepth == 16 ? 2 : 1;
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(bytesPerChannel));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba p = pixels(x, y);
      const std::uint16_t channels[4] = {p.r, p.g, p.b, p.a};
      for (int c = 0; c < 4; ++c) {
        const std::size_t at = (static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(c)) * static_cast<std::size_t>(bytesPerChannel);
        if (bytesPerChannel == 2) {
          row[at] = static_cast<unsigned char>(channels[c] >> 8);  // big-endian
          row[at + 1] = static_cast<unsigned char>(channels[c] & 0xff);
        } else {
          row[at] = static_cast<unsigned char>(channels[c]);
        }
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<unsigned char> makeBitmap(int width, int height, const std::function<Rgba(int, int)>& pixels) {
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t size = 54 + rowBytes * static_cast<std::size_t>(height);
  std::vector<unsigned char> out(size, 0);
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, static_cast<std::uint32_t>(size));
  put32(out, 10, 54);
  put32(out, 14, 40);
  put32(out, 18, static_cast<std::uint32_t>(width));
  put32(out, 22, static_cast<std::uint32_t>(height));
  put16(out, 26, 1);
  put16(out, 28, 24);
  for (int y = 0; y < height; ++y) {
    const std::size_t rowAt = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const Rgba p = pixels(x, y);
      out[rowAt + static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(p.b);
      out[rowAt + static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(p.g);
      out[rowAt + static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(p.r);
    }
  }
  return out;
}

ResourceTable::ResourceTable() {
  current = this;
  gui::setImageResourceLookup(lookup);
}

ResourceTable::~ResourceTable() {
  gui::setImageResourceLookup(nullptr);
  current = nullptr;
}

bool ResourceTable::lookup(gui::ImageResourceKind kind, int number, gui::ImageResourceBytes& out) {
  if (current == nullptr) return false;
  auto& table = kind == gui::ImageResourceKind::Png ? current->pngs : current->bitmaps;
  const auto it = table.find(number);
  if (it == table.end()) return false;
  out = gui::ImageResourceBytes{it->second.data(), it->second.size()};
  return true;
}

void addPanelImages(ResourceTable& table) {
  auto filmStrip = [](int x, int y) {
    (void)x;
    return Rgba{static_cast<std::uint16_t>(y / 45), 0, 0, 255};
  };
  auto twoState = [](int height) {
    return [height](int, int y) {
      const std::uint16_t v = y < height / 2 ? 0 : 255;
      return Rgba{v, v, v, 255};
    };
  };
  table.addPng(1, makePng(45, 2835, 8, filmStrip));
  table.addPng(2, makePng(45, 2835, 8, filmStrip));
  table.addPng(3, makePng(50, 52, 8, twoState(52)));
  table.addPng(4, makePng(8, 16, 16, [](int, int y) {
    const std::uint16_t v = y < 8 ? 0 : 65535;
    return Rgba{v, v, v, 65535};
  }));
  table.addPng(5, makePng(50, 52, 8, twoState(52)));
  table.addPng(6, makePng(45, 2835, 8, filmStrip));
  table.addBitmap(128, makeBitmap(660, 248, [](int x, int y) {
    return Rgba{static_cast<std::uint16_t>(x % 256), static_cast<std::uint16_t>(y), 100, 255};
  }));
}

std::uint32_t pixelAt(void* cairoSurface, int x, int y) {
  auto* surface = static_cast<cairo_surface_t*>(cairoSurface);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, 4);
  return pixel;
}

}  // namespace testimages
