#include "resources/Resources.h"

#include "EmbeddedImages.h"

namespace tamzor {

const Resource* findResource(ResourceKind kind, int number) {
  if (kind == ResourceKind::Bitmap) return number == 128 ? &embedded::background : nullptr;
  switch (number) {
    case 1: return &embedded::png1;
    case 2: return &embedded::png2;
    case 3: return &embedded::png3;
    case 4: return &embedded::png4;
    case 5: return &embedded::png5;
    case 6: return &embedded::png6;
    default: return nullptr;
  }
}

}  // namespace tamzor
