#include "CBitmap.h"

#include <cairo.h>

#include <atomic>

#include "ImageDecoding.h"
#include "ImageResources.h"

namespace gui {
namespace {
std::atomic<ImageResourceLookup> installedLookup{nullptr};
}

void setImageResourceLookup(ImageResourceLookup lookup) { installedLookup.store(lookup, std::memory_order_release); }
ImageResourceLookup imageResourceLookup() { return installedLookup.load(std::memory_order_acquire); }

}  // namespace gui

namespace {
std::atomic<int> bitmapsAlive{0};
}

CBitmap::CBitmap(int resourceNumber) {
  bitmapsAlive.fetch_add(1, std::memory_order_relaxed);
  const gui::ImageResourceLookup lookup = gui::imageResourceLookup();
  if (lookup == nullptr) return;
  gui::ImageResourceBytes bytes;
  if (lookup(gui::ImageResourceKind::Png, resourceNumber, bytes)) {
    adopt(gui::decodePng(bytes.data, bytes.size));
  } else if (lookup(gui::ImageResourceKind::Bitmap, resourceNumber, bytes)) {
    adopt(gui::decodeBitmap(bytes.data, bytes.size));
  }
}

CBitmap::CBitmap(cairo_surface_t* adopted) {
  bitmapsAlive.fetch_add(1, std::memory_order_relaxed);
  adopt(adopted);
}

CBitmap::~CBitmap() {
  if (surface != nullptr) cairo_surface_destroy(surface);
  bitmapsAlive.fetch_sub(1, std::memory_order_relaxed);
}

void CBitmap::adopt(cairo_surface_t* decoded) {
  if (decoded == nullptr) return;
  surface = decoded;
  width = cairo_image_surface_get_width(decoded);
  height = cairo_image_surface_get_height(decoded);
}

void CBitmap::remember() { ++references; }

void CBitmap::forget() {
  if (--references == 0) delete this;
}

int CBitmap::liveCount() { return bitmapsAlive.load(std::memory_order_relaxed); }
