// Fills through the exported calls, read back through the library, against the eager
// reference: what callers may do between a fill and the read must not change its result.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "platform/gdiplus/fill/eager_fill.h"
#include "tests/platform/gdiplus/session_fixture.h"

namespace vantrel::platform::gdiplus::testing {
namespace {

// The same bitmap kept by hand with the eager fill.
struct Reference {
  Reference(int width, int height)
      : memory(static_cast<std::size_t>(width) * height * 4, 0),
        view{memory.data(), width, height, static_cast<std::ptrdiff_t>(width) * 4,
             StoredFormat::Argb32} {}
  std::vector<std::uint8_t> memory;
  PixelView view;
};

std::vector<std::uint8_t> MemoryOf(GpBitmap* bitmap) {
  BitmapData data;
  EXPECT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(data.Width) * data.Height * 4);
  for (UINT y = 0; y < data.Height; ++y) {
    std::memcpy(bytes.data() + y * data.Width * 4,
                static_cast<std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                data.Width * 4);
  }
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  return bytes;
}

using FillApiTest = SessionTest;

TEST_F(FillApiTest, DeletingPathsAndBrushesOrChangingSettingsKeepsRecordedFills) {
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    std::mt19937 random(seed);
    const int width = 4 + static_cast<int>(random() % 20), height = 4 + static_cast<int>(random() % 20);
    GpBitmap* bitmaps[2] = {MakeBitmap(width, height), MakeBitmap(width, height)};
    Reference references[2] = {Reference(width, height), Reference(width, height)};
    GpGraphics* contexts[2] = {};
    for (int b = 0; b < 2; ++b) {
      ASSERT_EQ(GdipGetImageGraphicsContext(AsImage(bitmaps[b]), &contexts[b]), Ok);
      ASSERT_EQ(GdipSetSmoothingMode(contexts[b], SmoothingModeAntiAlias), Ok);
    }
    bool antiAlias[2] = {true, true};
    struct LivePath {
      GpPath* path;
      RectList rects;
      GpFillMode mode;
    };
    std::vector<LivePath> paths;
    for (int p = 0; p < 3; ++p) {
      const GpFillMode mode = random() % 2 ? FillModeAlternate : FillModeWinding;
      GpPath* path = nullptr;
      ASSERT_EQ(GdipCreatePath(mode, &path), Ok);
      paths.push_back({path, {}, mode});
    }
    const int steps = 10 + static_cast<int>(random() % 50);
    for (int step = 0; step < steps; ++step) {
      LivePath& path = paths[random() % paths.size()];
      const RectF rect{static_cast<float>(static_cast<int>(random() % (width + 4)) - 2),
                       static_cast<float>(static_cast<int>(random() % (height + 4)) - 2),
                       static_cast<float>(random() % 9) - 1 + (random() % 3 == 0 ? 0.5f : 0.0f),
                       static_cast<float>(random() % 9)};
      ASSERT_EQ(GdipAddPathRectangle(path.path, rect.x, rect.y, rect.width, rect.height), Ok);
      path.rects.push_back(rect);
      const ARGB colour = random() % 2 ? 0xFF000000u | random() : random();
      GpSolidFill* brush = nullptr;
      ASSERT_EQ(GdipCreateSolidFill(colour, &brush), Ok);
      const int b = static_cast<int>(random() % 2);
      ASSERT_EQ(GdipFillPath(contexts[b], AsBrush(brush), path.path), Ok);
      FillEagerly(references[b].view, path.rects, path.mode, Premultiply(colour), antiAlias[b]);
      // The brush changes and goes away; the fill keeps its colour.
      ASSERT_EQ(GdipSetSolidFillColor(brush, ~colour), Ok);
      ASSERT_EQ(GdipDeleteBrush(AsBrush(brush)), Ok);
      if (random() % 8 == 0) {
        antiAlias[b] = !antiAlias[b];
        ASSERT_EQ(GdipSetSmoothingMode(contexts[b], antiAlias[b] ? SmoothingModeHighQuality : SmoothingModeNone), Ok);
      }
      if (random() % 10 == 0) {
        // Deleted while its fills are pending; a fresh path takes its place.
        ASSERT_EQ(GdipDeletePath(path.path), Ok);
        path.rects.clear();
        ASSERT_EQ(GdipCreatePath(path.mode, &path.path), Ok);
      } else if (random() % 15 == 0) {
        ASSERT_EQ(GdipResetPath(path.path), Ok);
        path.rects.clear();
        path.mode = FillModeAlternate;
      }
      if (random() % 25 == 0) {
        // A read in the middle paints what is pending; later fills record anew.
        EXPECT_EQ(MemoryOf(bitmaps[b]), references[b].memory) << "seed " << seed << " step " << step;
      }
    }
    for (int b = 0; b < 2; ++b) {
      EXPECT_EQ(MemoryOf(bitmaps[b]), references[b].memory) << "seed " << seed << " bitmap " << b;
      ASSERT_EQ(GdipDeleteGraphics(contexts[b]), Ok);
      ASSERT_EQ(GdipDisposeImage(AsImage(bitmaps[b])), Ok);
    }
    for (LivePath& path : paths) ASSERT_EQ(GdipDeletePath(path.path), Ok);
  }
}

TEST_F(FillApiTest, ClearDropsPendingFillsAndAFillOnADisposedBitmapFails) {
  GpBitmap* bitmap = MakeBitmap(5, 5);
  GpGraphics* graphics = nullptr;
  GpSolidFill* brush = nullptr;
  GpPath* path = nullptr;
  ASSERT_EQ(GdipGetImageGraphicsContext(AsImage(bitmap), &graphics), Ok);
  ASSERT_EQ(GdipCreateSolidFill(0xFFFF0000, &brush), Ok);
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  ASSERT_EQ(GdipAddPathRectangle(path, 0, 0, 5, 5), Ok);
  ASSERT_EQ(GdipFillPath(graphics, AsBrush(brush), path), Ok);
  ASSERT_EQ(GdipGraphicsClear(graphics, 0xFF00FF00), Ok);
  for (const ARGB colour : PixelsOf(bitmap)) EXPECT_EQ(colour, 0xFF00FF00u);
  ASSERT_EQ(GdipDisposeImage(AsImage(bitmap)), Ok);
  EXPECT_EQ(GdipFillPath(graphics, AsBrush(brush), path), InvalidParameter);
  EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
}

}  // namespace
}  // namespace vantrel::platform::gdiplus::testing
