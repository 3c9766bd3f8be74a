// Decoding of embedded images into cairo image surfaces with premultiplied
// 32-bit pixels. Both answer nullptr for data they cannot read.
#pragma once

#include <cstddef>

typedef struct _cairo_surface cairo_surface_t;

namespace gui {

// A PNG file in memory, any colour type and bit depth, decoded to 8 bits per
// channel with alpha (16-bit channels reduced to their high byte).
cairo_surface_t* decodePng(const unsigned char* data, std::size_t size);

// An uncompressed 24- or 32-bit Windows bitmap in memory, with or without the
// 14-byte file header, decoded opaque.
cairo_surface_t* decodeBitmap(const unsigned char* data, std::size_t size);

}  // namespace gui
