#include <png.h>

#include <cairo.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "ImageDecoding.h"

namespace gui {
namespace {

constexpr png_uint_32 kMaxSide = 16384;

struct MemoryReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t position;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->position) png_error(png, "truncated image");
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
}

void ignoreWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp out of libpng lives here, created
// before the jump buffer is set.
struct PngDecodeState {
  MemoryReader reader{};
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<unsigned char> rgba;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;

  ~PngDecodeState() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

bool readRgba(PngDecodeState& state) {
  if (setjmp(png_jmpbuf(state.png))) return false;
  png_set_read_fn(state.png, &state.reader, readFromMemory);
  png_read_info(state.png, state.info);
  int bitDepth = 0, colorType = 0;
  png_get_IHDR(state.png, state.info, &state.width, &state.height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  if (state.width == 0 || state.height == 0 || state.width > kMaxSide || state.height > kMaxSide) return false;
  png_set_expand(state.png);
  png_set_strip_16(state.png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(state.png);
  if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(state.png, state.info, PNG_INFO_tRNS))
    png_set_add_alpha(state.png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(state.png);
  png_read_update_info(state.png, state.info);
  if (png_get_rowbytes(state.png, state.info) != static_cast<png_size_t>(state.width) * 4) return false;
  state.rgba.resize(static_cast<std::size_t>(state.width) * state.height * 4);
  state.rows.resize(state.height);
  for (png_uint_32 y = 0; y < state.height; ++y) state.rows[y] = state.rgba.data() + static_cast<std::size_t>(y) * state.width * 4;
  png_read_image(state.png, state.rows.data());
  png_read_end(state.png, nullptr);
  return true;
}

std::uint32_t premultiply(unsigned channel, unsigned alpha) { return (channel * alpha + 127) / 255; }

}  // namespace

cairo_surface_t* decodePng(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return nullptr;
  auto state = std::make_unique<PngDecodeState>();
  state->reader = MemoryReader{data, size, 0};
  state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
  if (state->png == nullptr) return nullptr;
  state->info = png_create_info_struct(state->png);
  if (state->info == nullptr || !readRgba(*state)) return nullptr;

  const int width = static_cast<int>(state->width);
  const int height = static_cast<int>(state->height);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const unsigned char* in = state->rows[static_cast<std::size_t>(y)];
    auto* out = reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x, in += 4) {
      const unsigned alpha = in[3];
      out[x] = (static_cast<std::uint32_t>(alpha) << 24) | (premultiply(in[0], alpha) << 16) |
               (premultiply(in[1], alpha) << 8) | premultiply(in[2], alpha);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace gui
