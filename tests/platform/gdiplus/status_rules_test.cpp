// Bad input answers a status, never a crash: null pointers, stale, foreign and wrong-kind
// handles, sizes out of range, and calls without a session.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "tests/platform/gdiplus/session_fixture.h"
#include "tests/platform/gdiplus/vector_stream.h"

namespace vantrel::platform::gdiplus::testing {
namespace {

struct Case {
  int line;
  std::function<GpStatus()> call;
  GpStatus expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.expected) << "case at line " << c.line;
}

template <class T>
T* Foreign() {
  return reinterpret_cast<T*>(std::uintptr_t{0x7F00DEADBEE0});
}

class StatusRulesTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    bitmap = MakeBitmap(8, 8);
    ASSERT_EQ(GdipGetImageGraphicsContext(AsImage(bitmap), &graphics), Ok);
    ASSERT_EQ(GdipCreateSolidFill(0xFF000000, &brush), Ok);
    ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
    ASSERT_EQ(GdipAddPathRectangle(path, 1, 1, 2, 2), Ok);
    ASSERT_EQ(GdipCreatePath(FillModeAlternate, &stalePath), Ok);
    ASSERT_EQ(GdipDeletePath(stalePath), Ok);
    staleBitmap = MakeBitmap(2, 2);
    ASSERT_EQ(GdipDisposeImage(AsImage(staleBitmap)), Ok);
  }

  GpBitmap* bitmap = nullptr;
  GpBitmap* staleBitmap = nullptr;
  GpGraphics* graphics = nullptr;
  GpSolidFill* brush = nullptr;
  GpPath* path = nullptr;
  GpPath* stalePath = nullptr;
  GpBitmap* made = nullptr;
};

TEST_F(StatusRulesTest, BitmapCreationRejectsBadSizesFormatsAndMemory) {
  std::uint8_t memory[64] = {};
  RunCases({
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(0, 5, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(5, -1, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(65536, 1, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(1, 65536, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(16384, 16385, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(65535, 65535, 0, PixelFormat32bppARGB, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 0, 0x00030803, nullptr, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, memory, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 12, PixelFormat32bppARGB, memory, &made); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 14, PixelFormat24bppRGB, memory, &made); }, InvalidParameter},
  });
  EXPECT_EQ(made, nullptr);
}

TEST_F(StatusRulesTest, StaleForeignNullAndWrongKindHandlesAreRejected) {
  GpGraphics* context = nullptr;
  ARGB colour = 0;
  UINT width = 0;
  RunCases({
      {__LINE__, [&] { return GdipDisposeImage(AsImage(staleBitmap)); }, InvalidParameter},
      {__LINE__, [&] { return GdipDisposeImage(nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipDisposeImage(Foreign<GpImage>()); }, InvalidParameter},
      {__LINE__, [&] { return GdipDisposeImage(reinterpret_cast<GpImage*>(brush)); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageWidth(reinterpret_cast<GpImage*>(path), &width); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageGraphicsContext(AsImage(staleBitmap), &context); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageGraphicsContext(reinterpret_cast<GpImage*>(graphics), &context); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageGraphicsContext(AsImage(bitmap), nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(graphics, AsBrush(brush), stalePath); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(graphics, AsBrush(brush), Foreign<GpPath>()); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(graphics, AsBrush(brush), reinterpret_cast<GpPath*>(brush)); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(graphics, reinterpret_cast<GpBrush*>(path), path); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(nullptr, AsBrush(brush), path); }, InvalidParameter},
      {__LINE__, [&] { return GdipFillPath(reinterpret_cast<GpGraphics*>(bitmap), AsBrush(brush), path); }, InvalidParameter},
      {__LINE__, [&] { return GdipAddPathRectangle(stalePath, 0, 0, 1, 1); }, InvalidParameter},
      {__LINE__, [&] { return GdipAddPathRectangle(reinterpret_cast<GpPath*>(graphics), 0, 0, 1, 1); }, InvalidParameter},
      {__LINE__, [&] { return GdipDeletePath(stalePath); }, InvalidParameter},
      {__LINE__, [&] { return GdipDeletePath(reinterpret_cast<GpPath*>(brush)); }, InvalidParameter},
      {__LINE__, [&] { return GdipDeleteBrush(reinterpret_cast<GpBrush*>(path)); }, InvalidParameter},
      {__LINE__, [&] { return GdipDeleteBrush(nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipDeleteGraphics(reinterpret_cast<GpGraphics*>(bitmap)); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetSolidFillColor(brush, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapGetPixel(bitmap, 8, 0, &colour); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapGetPixel(bitmap, 0, -1, &colour); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapGetPixel(bitmap, 0, 0, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapSetPixel(staleBitmap, 0, 0, 0); }, InvalidParameter},
  });
}

TEST_F(StatusRulesTest, SettingsAndFillModesOutsideTheirRangesAreRejected) {
  GpPath* other = nullptr;
  RunCases({
      {__LINE__, [&] { return GdipSetSmoothingMode(graphics, SmoothingModeInvalid); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetSmoothingMode(graphics, static_cast<SmoothingMode>(7)); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetSmoothingMode(reinterpret_cast<GpGraphics*>(path), SmoothingModeAntiAlias); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetInterpolationMode(graphics, static_cast<InterpolationMode>(8)); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetInterpolationMode(graphics, InterpolationModeInvalid); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetCompositingQuality(graphics, static_cast<CompositingQuality>(5)); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetCompositingQuality(graphics, CompositingQualityInvalid); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreatePath(static_cast<GpFillMode>(2), &other); }, InvalidParameter},
      {__LINE__, [&] { return GdipCreatePath(FillModeWinding, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetPathFillMode(path, static_cast<GpFillMode>(-1)); }, InvalidParameter},
      {__LINE__, [&] { return GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias); }, Ok},
      {__LINE__, [&] { return GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic); }, Ok},
      {__LINE__, [&] { return GdipSetCompositingQuality(graphics, CompositingQualityHighQuality); }, Ok},
  });
  SmoothingMode smoothing{};
  InterpolationMode interpolation{};
  CompositingQuality quality{};
  ASSERT_EQ(GdipGetSmoothingMode(graphics, &smoothing), Ok);
  ASSERT_EQ(GdipGetInterpolationMode(graphics, &interpolation), Ok);
  ASSERT_EQ(GdipGetCompositingQuality(graphics, &quality), Ok);
  EXPECT_EQ(smoothing, SmoothingModeAntiAlias);
  EXPECT_EQ(interpolation, InterpolationModeHighQualityBicubic);
  EXPECT_EQ(quality, CompositingQualityHighQuality);
}

TEST_F(StatusRulesTest, EncodingCallsRejectBadBuffersEncodersAndParameters) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  std::vector<std::uint8_t> buffer(size + 64);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  VectorStream stream;
  const CLSID unknown{0x12345678, 0, 0, {}};
  UINT32 quality = 101;
  EncoderParameters badQuality{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &quality}}};
  UINT32 wrongFlag = EncoderValueMultiFrame;
  EncoderParameters multiFrame{1, {{EncoderSaveFlag, 1, EncoderParameterValueTypeLong, &wrongFlag}}};
  EncoderParameters noValue{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, nullptr}}};
  UINT listSize = 0;
  ASSERT_EQ(GdipGetEncoderParameterListSize(AsImage(bitmap), &EncoderClsidJPEG, &listSize), Ok);
  std::vector<std::uint8_t> list(listSize);
  auto* parameters = reinterpret_cast<EncoderParameters*>(list.data());
  RunCases({
      {__LINE__, [&] { return GdipGetImageEncodersSize(nullptr, &size); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageEncodersSize(&count, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetImageEncoders(count - 1, size, codecs); }, InsufficientBuffer},
      {__LINE__, [&] { return GdipGetImageEncoders(count, size - 1, codecs); }, InsufficientBuffer},
      {__LINE__, [&] { return GdipGetImageEncoders(count, size, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, &ImageFormatPNG, nullptr); }, UnknownImageFormat},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, &unknown, nullptr); }, UnknownImageFormat},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), nullptr, &EncoderClsidPNG, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, nullptr, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(staleBitmap), &stream, &EncoderClsidPNG, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, &EncoderClsidJPEG, &badQuality); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, &EncoderClsidJPEG, &noValue); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToStream(AsImage(bitmap), &stream, &EncoderClsidPNG, &badQuality); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToFile(AsImage(bitmap), nullptr, &EncoderClsidPNG, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToFile(AsImage(bitmap), u"", &EncoderClsidPNG, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveImageToFile(AsImage(bitmap), u"/nonexistent-folder/x.png", &EncoderClsidPNG, nullptr); }, Win32Error},
      {__LINE__, [&] { return GdipGetEncoderParameterListSize(AsImage(bitmap), &unknown, &listSize); }, UnknownImageFormat},
      {__LINE__, [&] { return GdipGetEncoderParameterListSize(AsImage(bitmap), &EncoderClsidJPEG, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipGetEncoderParameterList(AsImage(bitmap), &EncoderClsidJPEG, listSize - 1, parameters); }, InsufficientBuffer},
      {__LINE__, [&] { return GdipGetEncoderParameterList(AsImage(bitmap), &EncoderClsidJPEG, listSize, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveAdd(AsImage(bitmap), &multiFrame); }, WrongState},
      {__LINE__, [&] { return GdipSaveAdd(AsImage(bitmap), nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdipSaveAddImage(AsImage(bitmap), AsImage(staleBitmap), &multiFrame); }, InvalidParameter},
  });
  EXPECT_TRUE(stream.bytes.empty());
  EXPECT_EQ(stream.references, 1u);
}

TEST_F(StatusRulesTest, AFailingStreamIsReportedAndItsReferenceReturned) {
  VectorStream stream;
  stream.failWrites = true;
  EXPECT_EQ(GdipSaveImageToStream(AsImage(bitmap), &stream, &EncoderClsidPNG, nullptr), Win32Error);
  EXPECT_EQ(stream.references, 1u);
}

TEST_F(StatusRulesTest, LockedBitmapsRefuseOtherAccessUntilUnlocked) {
  BitmapData data;
  ARGB colour = 0;
  ASSERT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  RunCases({
      {__LINE__, [&] { return GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data); }, WrongState},
      {__LINE__, [&] { return GdipBitmapGetPixel(bitmap, 0, 0, &colour); }, WrongState},
      {__LINE__, [&] { return GdipFillPath(graphics, AsBrush(brush), path); }, WrongState},
  });
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  GpRect outside{4, 4, 5, 1};
  RunCases({
      {__LINE__, [&] { return GdipBitmapUnlockBits(bitmap, &data); }, WrongState},
      {__LINE__, [&] { return GdipBitmapLockBits(bitmap, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapLockBits(bitmap, nullptr, 0, PixelFormat32bppARGB, &data); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, 0x00030803, &data); }, InvalidParameter},
      {__LINE__, [&] { return GdipBitmapGetPixel(bitmap, 0, 0, &colour); }, Ok},
  });
}

TEST(SessionRules, CallsWithoutASessionAnswerNotInitialized) {
  GpBitmap* bitmap = nullptr;
  GpPath* path = nullptr;
  GpSolidFill* brush = nullptr;
  UINT count = 0, size = 0;
  RunCases({
      {__LINE__, [&] { return GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &bitmap); }, GdiplusNotInitialized},
      {__LINE__, [&] { return GdipCreatePath(FillModeAlternate, &path); }, GdiplusNotInitialized},
      {__LINE__, [&] { return GdipCreateSolidFill(0, &brush); }, GdiplusNotInitialized},
      {__LINE__, [&] { return GdipFillPath(nullptr, nullptr, nullptr); }, GdiplusNotInitialized},
      {__LINE__, [&] { return GdipGetImageEncodersSize(&count, &size); }, GdiplusNotInitialized},
      {__LINE__, [&] { return GdipDisposeImage(nullptr); }, GdiplusNotInitialized},
  });
  EXPECT_EQ(bitmap, nullptr);
}

TEST(SessionRules, TheAllocatorWorksWithOrWithoutASession) {
  void* block = GdipAlloc(64);
  ASSERT_NE(block, nullptr);
  std::memset(block, 0xAB, 64);
  GdipFree(block);
  void* empty = GdipAlloc(0);
  EXPECT_NE(empty, nullptr);
  GdipFree(empty);
  GdipFree(nullptr);
}

TEST(SessionRules, StartupChecksItsArguments) {
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  GdiplusStartupInput future;
  future.GdiplusVersion = 3;
  GdiplusStartupInput suppressed;
  suppressed.SuppressBackgroundThread = 1;
  RunCases({
      {__LINE__, [&] { return GdiplusStartup(nullptr, &input, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdiplusStartup(&token, nullptr, nullptr); }, InvalidParameter},
      {__LINE__, [&] { return GdiplusStartup(&token, &future, nullptr); }, UnsupportedGdiplusVersion},
      {__LINE__, [&] { return GdiplusStartup(&token, &suppressed, nullptr); }, InvalidParameter},
  });
  EXPECT_EQ(token, 0u);
  GdiplusShutdown(12345);  // not a token: ignored
}

TEST(SessionRules, ShutdownFreesObjectsAndTheirHandlesStopWorking) {
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
  GpBitmap* bitmap = MakeBitmap(16, 16);
  GpGraphics* graphics = nullptr;
  GpSolidFill* brush = nullptr;
  GpPath* path = nullptr;
  ASSERT_EQ(GdipGetImageGraphicsContext(AsImage(bitmap), &graphics), Ok);
  ASSERT_EQ(GdipCreateSolidFill(0xFF102030, &brush), Ok);
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
  ASSERT_EQ(GdipAddPathRectangle(path, 0, 0, 8, 8), Ok);
  ASSERT_EQ(GdipFillPath(graphics, AsBrush(brush), path), Ok);
  GdiplusShutdown(token);

  ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
  // New objects of the next session must not revive the old handles.
  GpBitmap* newer = MakeBitmap(16, 16);
  GpPath* newerPath = nullptr;
  ASSERT_EQ(GdipCreatePath(FillModeAlternate, &newerPath), Ok);
  UINT width = 0;
  ARGB colour = 0;
  EXPECT_EQ(GdipGetImageWidth(AsImage(bitmap), &width), InvalidParameter);
  EXPECT_EQ(GdipBitmapGetPixel(bitmap, 0, 0, &colour), InvalidParameter);
  EXPECT_EQ(GdipFillPath(graphics, AsBrush(brush), path), InvalidParameter);
  EXPECT_EQ(GdipDeleteBrush(AsBrush(brush)), InvalidParameter);
  EXPECT_EQ(GdipDeletePath(path), InvalidParameter);
  EXPECT_EQ(GdipDeleteGraphics(graphics), InvalidParameter);
  EXPECT_EQ(GdipGetImageWidth(AsImage(newer), &width), Ok);
  EXPECT_EQ(width, 16u);
  GdiplusShutdown(token);
  EXPECT_EQ(GdipGetImageWidth(AsImage(newer), &width), GdiplusNotInitialized);
}

TEST(SessionRules, NestedSessionsKeepObjectsUntilTheLastCloses) {
  ULONG_PTR outer = 0, inner = 0;
  GdiplusStartupInput input;
  ASSERT_EQ(GdiplusStartup(&outer, &input, nullptr), Ok);
  ASSERT_EQ(GdiplusStartup(&inner, &input, nullptr), Ok);
  EXPECT_NE(outer, inner);
  GpBitmap* bitmap = MakeBitmap(3, 3);
  GdiplusShutdown(inner);
  UINT width = 0;
  EXPECT_EQ(GdipGetImageWidth(AsImage(bitmap), &width), Ok);
  GdiplusShutdown(outer);
  EXPECT_EQ(GdipGetImageWidth(AsImage(bitmap), &width), GdiplusNotInitialized);
}

}  // namespace
}  // namespace vantrel::platform::gdiplus::testing
