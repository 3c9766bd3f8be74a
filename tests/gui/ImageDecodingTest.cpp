// Image decoding and bitmap reference counting.
#include <gtest/gtest.h>

#include <cairo.h>

#include "CBitmap.h"
#include "ImageDecoding.h"
#include "TestImages.h"

using testimages::makeBitmap;
using testimages::makePng;
using testimages::pixelAt;
using testimages::Rgba;

namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

TEST(PngDecoding, EightBitPixelsArePremultiplied) {
  const auto png = makePng(3, 2, 8, [](int x, int y) {
    if (x == 0) return Rgba{200, 100, 50, 255};   // opaque
    if (x == 1) return Rgba{200, 100, 50, 128};   // half transparent
    return Rgba{static_cast<std::uint16_t>(y), 255, 255, 0};  // transparent
  });
  Surface surface(gui::decodePng(png.data(), png.size()));
  ASSERT_TRUE(surface);
  EXPECT_EQ(cairo_image_surface_get_width(surface.get()), 3);
  EXPECT_EQ(cairo_image_surface_get_height(surface.get()), 2);
  EXPECT_EQ(pixelAt(surface.get(), 0, 0), 0xffc86432u);
  // 200 * 128 / 255 = 100.39, 100 * 128 / 255 = 50.2, 50 * 128 / 255 = 25.1
  EXPECT_EQ(pixelAt(surface.get(), 1, 1), 0x80643219u);
  EXPECT_EQ(pixelAt(surface.get(), 2, 1), 0x00000000u);
}

TEST(PngDecoding, SixteenBitChannelsAreReducedToTheirHighByte) {
  const auto png = makePng(1, 2, 16, [](int, int y) {
    return y == 0 ? Rgba{0x12ff, 0xab01, 0x0080, 0xffff} : Rgba{0xffff, 0xffff, 0xffff, 0xffff};
  });
  Surface surface(gui::decodePng(png.data(), png.size()));
  ASSERT_TRUE(surface);
  EXPECT_EQ(pixelAt(surface.get(), 0, 0), 0xff12ab00u);
  EXPECT_EQ(pixelAt(surface.get(), 0, 1), 0xffffffffu);
}

TEST(PngDecoding, BadDataIsRefused) {
  const auto png = makePng(4, 4, 8, [](int, int) { return Rgba{1, 2, 3, 4}; });
  const std::vector<unsigned char> garbage{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '!'};
  EXPECT_EQ(gui::decodePng(nullptr, 0), nullptr);
  EXPECT_EQ(gui::decodePng(garbage.data(), garbage.size()), nullptr);
  for (std::size_t cut : {std::size_t{8}, std::size_t{30}, png.size() - 14})
    EXPECT_EQ(gui::decodePng(png.data(), cut), nullptr) << "cut at " << cut;
  auto corrupt = png;
  corrupt[45] ^= 0xff;  // inside the image data: checksum mismatch
  EXPECT_EQ(gui::decodePng(corrupt.data(), corrupt.size()), nullptr);
}

TEST(BitmapDecoding, BottomUpRowsWithPaddingReadOpaque) {
  // Width 3 needs one byte of padding per row.
  const auto bmp = makeBitmap(3, 2, [](int x, int y) {
    return Rgba{static_cast<std::uint16_t>(10 * x + y), static_cast<std::uint16_t>(100 + y), 7, 0};
  });
  Surface surface(gui::decodeBitmap(bmp.data(), bmp.size()));
  ASSERT_TRUE(surface);
  EXPECT_EQ(pixelAt(surface.get(), 0, 0), 0xff006407u);
  EXPECT_EQ(pixelAt(surface.get(), 2, 1), 0xff156507u);
  // Without the file header (as a bitmap resource stores it).
  const std::vector<unsigned char> resource(bmp.begin() + 14, bmp.end());
  Surface fromResource(gui::decodeBitmap(resource.data(), resource.size()));
  ASSERT_TRUE(fromResource);
  EXPECT_EQ(pixelAt(fromResource.get(), 2, 1), 0xff156507u);
}

TEST(BitmapDecoding, UnsupportedOrShortDataIsRefused) {
  auto bmp = makeBitmap(4, 4, [](int, int) { return Rgba{1, 2, 3, 255}; });
  EXPECT_EQ(gui::decodeBitmap(bmp.data(), bmp.size() - 1), nullptr);
  EXPECT_EQ(gui::decodeBitmap(bmp.data(), 20), nullptr);
  auto eightBit = bmp;
  eightBit[28] = 8;
  EXPECT_EQ(gui::decodeBitmap(eightBit.data(), eightBit.size()), nullptr);
  auto compressed = bmp;
  compressed[30] = 1;
  EXPECT_EQ(gui::decodeBitmap(compressed.data(), compressed.size()), nullptr);
  auto huge = bmp;
  huge[21] = 0x7f;  // width in the billions
  EXPECT_EQ(gui::decodeBitmap(huge.data(), huge.size()), nullptr);
}

TEST(CBitmapTest, LoadsThePngOfANumberBeforeTheBitmapOfThatNumber) {
  testimages::ResourceTable table;
  table.addPng(7, makePng(5, 6, 8, [](int, int) { return Rgba{1, 1, 1, 255}; }));
  table.addBitmap(7, makeBitmap(9, 9, [](int, int) { return Rgba{1, 1, 1, 255}; }));
  table.addBitmap(8, makeBitmap(9, 4, [](int, int) { return Rgba{1, 1, 1, 255}; }));
  table.addPng(9, {1, 2, 3});
  auto* png = new CBitmap(7);
  auto* bitmap = new CBitmap(8);
  auto* broken = new CBitmap(9);
  auto* missing = new CBitmap(10);
  EXPECT_EQ(png->getWidth(), 5);
  EXPECT_EQ(png->getHeight(), 6);
  EXPECT_EQ(bitmap->getWidth(), 9);
  EXPECT_EQ(bitmap->getHeight(), 4);
  for (CBitmap* empty : {broken, missing}) {
    EXPECT_FALSE(empty->isLoaded());
    EXPECT_EQ(empty->getWidth(), 0);
    EXPECT_EQ(empty->getHeight(), 0);
  }
  for (CBitmap* b : {png, bitmap, broken, missing}) b->forget();
}

TEST(CBitmapTest, LivesUntilTheLastReferenceIsGivenBack) {
  const int before = CBitmap::liveCount();
  auto* bitmap = new CBitmap(static_cast<cairo_surface_t*>(nullptr));
  bitmap->remember();
  bitmap->remember();
  EXPECT_EQ(bitmap->referenceCount(), 3);
  bitmap->forget();
  bitmap->forget();
  EXPECT_EQ(CBitmap::liveCount(), before + 1);
  bitmap->forget();
  EXPECT_EQ(CBitmap::liveCount(), before);
}

}  // namespace
