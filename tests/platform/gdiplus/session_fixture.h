#pragma once
// A fixture that holds a library session for each test, plus small helpers over the flat calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus::testing {

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GdiplusStartupInput input;
    ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    ASSERT_NE(token_, 0u);
  }
  void TearDown() override { GdiplusShutdown(token_); }

  ULONG_PTR token_ = 0;
};

inline GpBitmap* MakeBitmap(int width, int height, PixelFormat format = PixelFormat32bppARGB) {
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap), Ok);
  return bitmap;
}

inline GpImage* AsImage(GpBitmap* bitmap) { return reinterpret_cast<GpImage*>(bitmap); }
inline GpBrush* AsBrush(GpSolidFill* brush) { return reinterpret_cast<GpBrush*>(brush); }

// Straight ARGB, row-major.
inline std::vector<ARGB> PixelsOf(GpBitmap* bitmap) {
  UINT width = 0, height = 0;
  EXPECT_EQ(GdipGetImageWidth(AsImage(bitmap), &width), Ok);
  EXPECT_EQ(GdipGetImageHeight(AsImage(bitmap), &height), Ok);
  std::vector<ARGB> pixels;
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      ARGB colour = 0;
      EXPECT_EQ(GdipBitmapGetPixel(bitmap, static_cast<INT>(x), static_cast<INT>(y), &colour), Ok);
      pixels.push_back(colour);
    }
  }
  return pixels;
}

}  // namespace vantrel::platform::gdiplus::testing
