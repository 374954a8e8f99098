// Encoding images to memory and files through the library's encoders.
#include <gtest/gtest.h>

#include <QImage>
#include <tiffio.h>

#include <filesystem>

#include "graphics/encoders.h"
#include "graphics/graphics_wrap.h"
#include "graphics/image_wrap.h"
#include "graphics/library_binding.h"
#include "graphics/path_wrap.h"
#include "graphics/session.h"
#include "graphics/solid_brush_wrap.h"
#include "graphics/text_helpers.h"
#include "platform/gdiplus/gdiplus_flat.h"
#include "tests/support/file_bytes.h"
#include "session_fixture.h"

namespace vantrel::graphics {
namespace {

namespace gp = platform::gdiplus;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view kQualityParameter = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
const Bytes kPngSignature{137, 80, 78, 71, 13, 10, 26, 10};

class ImageEncodingTest : public SessionTest {
 protected:
  // A Generate-like picture: anti-aliased black and white squares on transparency, so edge
  // pixels are partly transparent and grey.
  void Paint(int width, int height) {
    ASSERT_TRUE(image_.CreateBitmap(width, height));
    GraphicsWrap context;
    ASSERT_TRUE(context.FromImage(image_));
    context.SetSmoothingMode(4);
    SolidBrushWrap dark, light;
    dark.Create(0xFF000000);
    light.Create(0xFFFFFFFF);
    PathWrap darkPath, lightPath;
    darkPath.Create();
    lightPath.Create();
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 5; ++column) {
        const bool isDark = (row * 3 + column) % 2 == 0;
        PathWrap& path = isDark ? darkPath : lightPath;
        path.AddRectangle(column * width / 5.0f, row * height / 5.0f, width / 5.0f - 1,
                          height / 5.0f - 1);
        ASSERT_TRUE(context.FillPath(isDark ? dark : light, path));
      }
    }
  }

  std::uint32_t Pixel(int x, int y) {
    using GetPixel = decltype(gp::GdipBitmapGetPixel);
    static auto* const getPixel =
        reinterpret_cast<GetPixel*>(BindGraphicsFunction("GdipBitmapGetPixel"));
    gp::ARGB colour = 0;
    EXPECT_EQ(getPixel(reinterpret_cast<gp::GpBitmap*>(image_.GetHandle()), x, y, &colour),
              gp::Ok);
    return colour;
  }

  void ExpectDecodesToTheBitmap(const QImage& decoded, int width, int height) {
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.width(), width);
    ASSERT_EQ(decoded.height(), height);
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint32_t expected = Pixel(x, y);
        const std::uint32_t actual = argb.pixel(x, y);
        if (actual != expected && ++mismatches <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << actual
                        << " instead of " << expected;
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  }

  void TearDown() override {
    image_.Dispose();
    SessionTest::TearDown();
  }

  ImageWrap image_;
};

TEST_F(ImageEncodingTest, SaveToBytesWithThePngIdentifierGivesThePixels) {
  Paint(256, 256);
  const Bytes png = image_.SaveToBytes(kPngFormat);
  EXPECT_EQ(LastGdipStatus, 0);
  ASSERT_GE(png.size(), kPngSignature.size());
  EXPECT_TRUE(std::equal(kPngSignature.begin(), kPngSignature.end(), png.begin()));
  ExpectDecodesToTheBitmap(
      QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG"), 256, 256);
}

TEST_F(ImageEncodingTest, UnknownFormatsGiveNoBytesAndAFailedStatus) {
  Paint(16, 16);
  const struct {
    int line;
    std::optional<std::string_view> format;
  } cases[] = {
      {__LINE__, "{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"},  // lower case names no encoder
      {__LINE__, "not a guid"},
      {__LINE__, std::nullopt},  // a bitmap in memory: no encoder has its raw format
  };
  for (const auto& c : cases) {
    LastGdipStatus = 0;
    EXPECT_TRUE(image_.SaveToBytes(c.format).empty()) << "line " << c.line;
    EXPECT_NE(LastGdipStatus, 0) << "line " << c.line;
  }
  EXPECT_EQ(image_.GetRawFormat(), kMemoryBmpFormat);
}

TEST_F(ImageEncodingTest, SaveToFileWWithoutAFormatWritesABmp) {
  Paint(20, 12);
  const auto path = std::filesystem::path(::testing::TempDir()) / "vantrel-save-w.bmp";
  std::filesystem::remove(path);
  ASSERT_TRUE(image_.SaveToFileW(TextToWide(path.string())));
  const Bytes bytes = vantrel::testing::FileBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  const QImage decoded(QString::fromStdString(path.string()), "BMP");
  EXPECT_EQ(decoded.width(), 20);
  EXPECT_EQ(decoded.height(), 12);
  std::filesystem::remove(path);
}

TEST_F(ImageEncodingTest, SaveToFileWritesTheNamedFormat) {
  Paint(32, 32);
  const auto path = std::filesystem::path(::testing::TempDir()) / "vantrel-save.png";
  ASSERT_TRUE(image_.SaveToFile(path.string(), kPngFormat));
  ExpectDecodesToTheBitmap(QImage(QString::fromStdString(path.string()), "PNG"), 32, 32);
  std::filesystem::remove(path);
  EXPECT_FALSE(image_.SaveToFile(path.string()));  // raw format: no encoder
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ImageEncodingTest, ListEncodersDescribesEachFormatOnce) {
  std::vector<CodecInfo> encoders;
  const std::int32_t count = ListEncoders(encoders);
  EXPECT_EQ(LastGdipStatus, 0);
  ASSERT_EQ(count, static_cast<std::int32_t>(encoders.size()));
  for (std::string_view format : {kBmpFormat, kJpegFormat, kGifFormat, kTiffFormat, kPngFormat}) {
    const auto found = std::count_if(encoders.begin(), encoders.end(),
                                     [&](const CodecInfo& c) { return c.formatId == format; });
    EXPECT_EQ(found, 1) << format;
  }
  for (const CodecInfo& codec : encoders) {
    EXPECT_EQ(codec.encoderId.size(), 38u);
    EXPECT_FALSE(codec.mimeType.empty()) << codec.formatId;
    EXPECT_EQ(codec.sigPattern.size(), static_cast<std::size_t>(codec.sigCount * codec.sigSize));
    EXPECT_EQ(codec.sigMask.size(), codec.sigPattern.size());
  }
  const auto png = std::find_if(encoders.begin(), encoders.end(),
                                [](const CodecInfo& c) { return c.formatId == kPngFormat; });
  ASSERT_NE(png, encoders.end());
  EXPECT_EQ(png->mimeType, "image/png");
  EXPECT_EQ(FindEncoder(kPngFormat), png->encoderId);
  EXPECT_EQ(FindEncoder("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), "");
  EXPECT_EQ(FindEncoder(""), "");
}

TEST_F(ImageEncodingTest, JpegOffersAQualityParameterThatTheEncoderHonours) {
  Paint(64, 64);
  EncoderParamList params;
  ASSERT_TRUE(image_.GetEncoderParams(kJpegFormat, params));
  EXPECT_EQ(params.count, static_cast<std::int32_t>(params.params.size()));
  const auto quality = std::find_if(params.params.begin(), params.params.end(),
                                    [](const EncoderParam& p) { return p.guid == kQualityParameter; });
  ASSERT_NE(quality, params.params.end());
  for (const EncoderParam& p : params.params) {
    EXPECT_EQ(p.value.size(), p.numberOfValues * EncoderValueSize(p.type)) << p.guid;
  }

  const auto encodeAt = [&](std::int32_t level, std::int32_t declaredCount) {
    EncoderParamList chosen;
    chosen.count = declaredCount;
    EncoderParam param{std::string(kQualityParameter), 1, 4, {}};
    param.value = {static_cast<std::uint8_t>(level), 0, 0, 0};
    chosen.params.push_back(param);
    return image_.SaveToBytes(kJpegFormat, &chosen);
  };
  const Bytes low = encodeAt(5, 1);
  EXPECT_EQ(LastGdipStatus, 0);
  const Bytes high = encodeAt(100, 1);
  EXPECT_EQ(LastGdipStatus, 0);
  ASSERT_FALSE(low.empty());
  EXPECT_LT(low.size(), high.size());
  // A count above the array's length reaches the library as the array's length.
  EXPECT_EQ(encodeAt(5, 1000), low);
  EXPECT_EQ(encodeAt(5, 0), image_.SaveToBytes(kJpegFormat));  // count 0: no parameter read
}

TEST_F(ImageEncodingTest, GetEncoderParamsReadsEveryEntryOfTheList) {
  Paint(8, 8);
  constexpr std::string_view kCompression = "{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}";
  constexpr std::string_view kColorDepth = "{66087055-AD66-4C7C-9A18-38A2310B8337}";
  constexpr std::string_view kSaveFlag = "{292266FC-AC40-47BF-8CFC-A85B89A655DE}";
  const struct {
    int line;
    std::string_view format;
    std::vector<std::string_view> guids;
    std::vector<std::size_t> valueBytes;
  } cases[] = {
      {__LINE__, kJpegFormat, {kQualityParameter}, {8}},
      {__LINE__, kTiffFormat, {kCompression, kColorDepth, kSaveFlag}, {20, 16, 4}},
      {__LINE__, kPngFormat, {}, {}},  // an empty list empties the array
  };
  for (const auto& c : cases) {
    EncoderParamList params{1, {EncoderParam{"stale", 1, 1, {9}}}};
    ASSERT_TRUE(image_.GetEncoderParams(c.format, params)) << "line " << c.line;
    EXPECT_EQ(LastGdipStatus, 0) << "line " << c.line;
    ASSERT_EQ(params.params.size(), c.guids.size()) << "line " << c.line;
    EXPECT_EQ(params.count, static_cast<std::int32_t>(c.guids.size())) << "line " << c.line;
    for (std::size_t i = 0; i < c.guids.size(); ++i) {
      EXPECT_EQ(params.params[i].guid, c.guids[i]) << "line " << c.line << ", entry " << i;
      EXPECT_EQ(params.params[i].value.size(), c.valueBytes[i])
          << "line " << c.line << ", entry " << i;
    }
  }
}

TEST_F(ImageEncodingTest, GetEncoderParamsFailingLeavesTheListAlone) {
  Paint(8, 8);
  EncoderParamList params{1, {EncoderParam{"x", 1, 1, {9}}}};
  EXPECT_FALSE(image_.GetEncoderParams("{00000000-0000-0000-0000-000000000000}", params));
  EXPECT_NE(LastGdipStatus, 0);
  ASSERT_EQ(params.params.size(), 1u);
  EXPECT_EQ(params.params[0].guid, "x");
}

TEST_F(ImageEncodingTest, SaveAddMakesAMultiPageTiff) {
  Paint(16, 16);
  ImageWrap second;
  ASSERT_TRUE(second.CreateBitmap(8, 8));
  const auto path = std::filesystem::path(::testing::TempDir()) / "vantrel-pages.tif";
  constexpr std::string_view kSaveFlag = "{292266FC-AC40-47BF-8CFC-A85B89A655DE}";
  const auto flag = [&](std::uint8_t value) {
    return EncoderParamList{1, {EncoderParam{std::string(kSaveFlag), 1, 4, {value, 0, 0, 0}}}};
  };
  const EncoderParamList multiFrame = flag(18), nextPage = flag(23), flush = flag(20);
  ASSERT_TRUE(image_.SaveToFile(path.string(), kTiffFormat, &multiFrame));
  EXPECT_TRUE(image_.SaveAddImage(second, nextPage));
  EXPECT_TRUE(image_.SaveAdd(flush));
  TIFF* tiff = TIFFOpen(path.string().c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  EXPECT_EQ(TIFFNumberOfDirectories(tiff), 2);
  TIFFClose(tiff);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace vantrel::graphics
