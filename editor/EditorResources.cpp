#include "editor/EditorResources.h"

#include "ImageResources.h"

#if TAMZOR_HAS_EMBEDDED_IMAGES
#include "resources/Resources.h"

namespace {

bool findEmbeddedImage(gui::ImageResourceKind kind, int number, gui::ImageResourceBytes& out) {
  const tamzor::Resource* resource = tamzor::findResource(
      kind == gui::ImageResourceKind::Png ? tamzor::ResourceKind::Png : tamzor::ResourceKind::Bitmap, number);
  if (resource == nullptr || resource->data == nullptr) return false;
  out = gui::ImageResourceBytes{resource->data, resource->size};
  return true;
}

}  // namespace

void installEditorImages() {
  // A program that brought its own images (a test, say) keeps them.
  if (gui::imageResourceLookup() == nullptr) gui::setImageResourceLookup(findEmbeddedImage);
}

#else

// A build without the image library shows empty controls on a black panel.
void installEditorImages() {}

#endif
