// Where bitmaps made from a resource number find their bytes. The toolkit
// does not know the program's resources; the program installs a lookup.
#pragma once

#include <cstddef>

namespace gui {

enum class ImageResourceKind { Png, Bitmap };

struct ImageResourceBytes {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

// Answers the bytes of resource `number` of `kind`, or false when there is none.
using ImageResourceLookup = bool (*)(ImageResourceKind kind, int number, ImageResourceBytes& out);

void setImageResourceLookup(ImageResourceLookup lookup);
ImageResourceLookup imageResourceLookup();

}  // namespace gui
