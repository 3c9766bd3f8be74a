// The plug-in's images, embedded in the library: the six PNG images
// (numbers 1 to 6) and the panel background (bitmap 128).
#pragma once

#include <cstddef>

namespace tamzor {

enum class ResourceKind { Png, Bitmap };

struct Resource {
  const unsigned char* data;
  std::size_t size;
};

// The resource of `kind` with `number` (PNG 1..6, bitmap 128), or nullptr
// when the library has no such resource.
const Resource* findResource(ResourceKind kind, int number);

}  // namespace tamzor
