// Bitmap formats, pixel access, caller memory and lock bits.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/platform/gdiplus/session_fixture.h"

namespace vantrel::platform::gdiplus::testing {
namespace {

using BitmapTest = SessionTest;

TEST_F(BitmapTest, EachFormatStartsEmptyAndStoresColoursItsOwnWay) {
  struct Row {
    int line;
    PixelFormat format;
    ARGB fresh;
    ARGB written;
    ARGB readBack;
  };
  const Row rows[] = {
      {__LINE__, PixelFormat32bppARGB, 0x00000000, 0x80FF4020, 0x80FF4020},
      {__LINE__, PixelFormat32bppPARGB, 0x00000000, 0x80FF4020, 0x80FF4020},
      {__LINE__, PixelFormat32bppPARGB, 0x00000000, 0x03FF4020, 0x03FF5500},
      {__LINE__, PixelFormat32bppRGB, 0xFF000000, 0x80FF4020, 0xFFFF4020},
      {__LINE__, PixelFormat24bppRGB, 0xFF000000, 0x00123456, 0xFF123456},
  };
  for (const Row& row : rows) {
    GpBitmap* bitmap = MakeBitmap(3, 2, row.format);
    PixelFormat format = 0;
    ASSERT_EQ(GdipGetImagePixelFormat(AsImage(bitmap), &format), Ok) << row.line;
    EXPECT_EQ(format, row.format) << row.line;
    ARGB colour = 1;
    ASSERT_EQ(GdipBitmapGetPixel(bitmap, 2, 1, &colour), Ok) << row.line;
    EXPECT_EQ(colour, row.fresh) << row.line;
    ASSERT_EQ(GdipBitmapSetPixel(bitmap, 2, 1, row.written), Ok) << row.line;
    ASSERT_EQ(GdipBitmapGetPixel(bitmap, 2, 1, &colour), Ok) << row.line;
    EXPECT_EQ(colour, row.readBack) << std::hex << colour << " line " << std::dec << row.line;
    GUID raw{};
    ASSERT_EQ(GdipGetImageRawFormat(AsImage(bitmap), &raw), Ok);
    EXPECT_EQ(raw, ImageFormatMemoryBMP) << row.line;
    EXPECT_EQ(GdipDisposeImage(AsImage(bitmap)), Ok) << row.line;
  }
}

TEST_F(BitmapTest, CallerMemoryIsUsedInPlaceAndShowsFillsOnceTheContextIsDeleted) {
  // 24-bit rows of 3 pixels: 9 bytes, padded to 12.
  std::vector<std::uint8_t> memory(12 * 2, 0xEE);
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 12, PixelFormat24bppRGB, memory.data(), &bitmap), Ok);
  ARGB colour = 0;
  ASSERT_EQ(GdipBitmapGetPixel(bitmap, 1, 1, &colour), Ok);
  EXPECT_EQ(colour, 0xFFEEEEEE);

  GpGraphics* graphics = nullptr;
  GpSolidFill* brush = nullptr;
  GpPath* path = nullptr;
  ASSERT_EQ(GdipGetImageGraphicsContext(AsImage(bitmap), &graphics), Ok);
  ASSERT_EQ(GdipCreateSolidFill(0xFF102030, &brush), Ok);
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  ASSERT_EQ(GdipAddPathRectangle(path, 0.5f, -0.5f, 1, 1), Ok);  // exactly pixel (1, 0)
  ASSERT_EQ(GdipFillPath(graphics, AsBrush(brush), path), Ok);
  ASSERT_EQ(GdipDeleteGraphics(graphics), Ok);
  EXPECT_EQ(memory[3], 0x30);
  EXPECT_EQ(memory[4], 0x20);
  EXPECT_EQ(memory[5], 0x10);
  EXPECT_EQ(memory[0], 0xEE);
  EXPECT_EQ(memory[12 + 3], 0xEE);
  EXPECT_EQ(memory[9], 0xEE) << "row padding is not touched";
  EXPECT_EQ(GdipDeleteBrush(AsBrush(brush)), Ok);
  EXPECT_EQ(GdipDeletePath(path), Ok);
  EXPECT_EQ(GdipDisposeImage(AsImage(bitmap)), Ok);
}

TEST_F(BitmapTest, NegativeStrideMeansBottomUpRows) {
  std::vector<std::uint32_t> memory(4, 0);
  GpBitmap* bitmap = nullptr;
  auto* lastRow = reinterpret_cast<BYTE*>(memory.data() + 2);
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, -8, PixelFormat32bppARGB, lastRow, &bitmap), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 1, 0, 0xFF00FF00), Ok);
  EXPECT_EQ(memory[3], 0xFF00FF00u);
  EXPECT_EQ(memory[1], 0u);
}

TEST_F(BitmapTest, LockBitsGivesTheOwnMemoryOrAConvertedCopy) {
  GpBitmap* bitmap = MakeBitmap(4, 3);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 1, 1, 0x80FF0000), Ok);

  BitmapData data;
  GpRect rect{1, 1, 2, 2};
  ASSERT_EQ(GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeWrite,
                               PixelFormat32bppARGB, &data),
            Ok);
  EXPECT_EQ(data.Width, 2u);
  EXPECT_EQ(data.Height, 2u);
  std::uint32_t first = 0;
  std::memcpy(&first, data.Scan0, 4);
  EXPECT_EQ(first, 0x80FF0000u);
  const std::uint32_t written = 0xFF0000FF;
  std::memcpy(static_cast<std::uint8_t*>(data.Scan0) + data.Stride + 4, &written, 4);
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  ARGB colour = 0;
  ASSERT_EQ(GdipBitmapGetPixel(bitmap, 2, 2, &colour), Ok);
  EXPECT_EQ(colour, 0xFF0000FFu);

  ASSERT_EQ(GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeWrite,
                               PixelFormat32bppPARGB, &data),
            Ok);
  std::memcpy(&first, data.Scan0, 4);
  EXPECT_EQ(first, 0x80800000u) << "premultiplied copy";
  const std::uint32_t premultiplied = 0x40200000;
  std::memcpy(data.Scan0, &premultiplied, 4);
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  ASSERT_EQ(GdipBitmapGetPixel(bitmap, 1, 1, &colour), Ok);
  EXPECT_EQ(colour, 0x40800000u);

  std::vector<std::uint8_t> own(3 * 2 * 2, 0);
  data.Scan0 = own.data();
  data.Stride = 6;
  ASSERT_EQ(GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeUserInputBuf,
                               PixelFormat24bppRGB, &data),
            Ok);
  EXPECT_EQ(own[6 + 3], 0xFF) << "blue of (2, 2) in the caller's buffer";
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
}

}  // namespace
}  // namespace vantrel::platform::gdiplus::testing
