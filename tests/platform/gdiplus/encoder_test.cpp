// The encoders: their list, their parameter lists, and files that the real decoders read back.
#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdio>
// jpeglib.h needs FILE declared first.
#include <jpeglib.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/platform/gdiplus/session_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/platform/gdiplus/vector_stream.h"

namespace vantrel::platform::gdiplus::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string ToUtf16(const std::string& text) { return {text.begin(), text.end()}; }

using vantrel::testing::FileBytes;

// Straight ARGB pixels of a PNG, through libpng.
std::vector<ARGB> DecodePng(const Bytes& bytes, UINT& width, UINT& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_BGRA;
  std::vector<ARGB> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
  width = image.width;
  height = image.height;
  return pixels;
}

struct JpegSize {
  int width = 0;
  int height = 0;
};

JpegSize DecodeJpeg(const Bytes& bytes, std::vector<std::uint8_t>& rgb) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  rgb.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  const JpegSize size{static_cast<int>(info.output_width), static_cast<int>(info.output_height)};
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return size;
}

class EncoderTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    folder = std::filesystem::temp_directory_path() /
             ("vantrel-encoder-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    SessionTest::TearDown();
  }

  // A 2-colour picture with a translucent corner: black and white halves and one
  // semi-transparent red pixel.
  GpBitmap* Picture(int width, int height, PixelFormat format = PixelFormat32bppARGB) {
    GpBitmap* bitmap = MakeBitmap(width, height, format);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(GdipBitmapSetPixel(bitmap, x, y, x < width / 2 ? 0xFF000000 : 0xFFFFFFFF), Ok);
      }
    }
    return bitmap;
  }

  Bytes Save(GpBitmap* bitmap, const CLSID& encoder, const EncoderParameters* parameters = nullptr) {
    VectorStream stream;
    EXPECT_EQ(GdipSaveImageToStream(AsImage(bitmap), &stream, &encoder, parameters), Ok);
    EXPECT_EQ(stream.references, 1u);
    return stream.bytes;
  }

  std::filesystem::path folder;
};

TEST_F(EncoderTest, TheListDescribesFiveEncodersInTheCallersBuffer) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  ASSERT_EQ(count, 5u);
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  ASSERT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
  struct Expected {
    CLSID clsid;
    GUID format;
    std::u16string mime;
    std::string firstSignature;
  };
  const Expected expected[] = {
      {EncoderClsidBMP, ImageFormatBMP, u"image/bmp", "BM"},
      {EncoderClsidJPEG, ImageFormatJPEG, u"image/jpeg", "\xFF\xD8"},
      {EncoderClsidGIF, ImageFormatGIF, u"image/gif", "GIF87a"},
      {EncoderClsidTIFF, ImageFormatTIFF, u"image/tiff", "II"},
      {EncoderClsidPNG, ImageFormatPNG, u"image/png", "\x89PNG\r\n\x1A\n"},
  };
  const std::uint8_t* end = buffer.data() + buffer.size();
  for (UINT i = 0; i < count; ++i) {
    const ImageCodecInfo& codec = codecs[i];
    EXPECT_EQ(codec.Clsid, expected[i].clsid) << i;
    EXPECT_EQ(codec.FormatID, expected[i].format) << i;
    EXPECT_EQ(std::u16string(codec.MimeType), expected[i].mime) << i;
    ASSERT_EQ(codec.SigSize, expected[i].firstSignature.size()) << i;
    EXPECT_EQ(std::memcmp(codec.SigPattern, expected[i].firstSignature.data(), codec.SigSize), 0);
    EXPECT_EQ(codec.SigMask[0], 0xFF);
    // Strings and signatures live inside the caller's buffer.
    for (const void* p : {static_cast<const void*>(codec.CodecName),
                          static_cast<const void*>(codec.SigMask + codec.SigCount * codec.SigSize - 1)}) {
      EXPECT_GE(static_cast<const std::uint8_t*>(p), buffer.data()) << i;
      EXPECT_LT(static_cast<const std::uint8_t*>(p), end) << i;
    }
    EXPECT_NE(codec.FormatID, ImageFormatMemoryBMP);
  }
}

TEST_F(EncoderTest, ParameterListsOfferQualityForJpegAndPageOptionsForTiff) {
  GpBitmap* bitmap = MakeBitmap(4, 4);
  struct Row {
    int line;
    CLSID encoder;
    std::vector<GUID> ids;
  };
  const Row rows[] = {
      {__LINE__, EncoderClsidJPEG, {EncoderQuality}},
      {__LINE__, EncoderClsidTIFF, {EncoderCompression, EncoderColorDepth, EncoderSaveFlag}},
      {__LINE__, EncoderClsidPNG, {}},
      {__LINE__, EncoderClsidBMP, {}},
  };
  for (const Row& row : rows) {
    UINT size = 0;
    ASSERT_EQ(GdipGetEncoderParameterListSize(AsImage(bitmap), &row.encoder, &size), Ok) << row.line;
    std::vector<std::uint8_t> buffer(size);
    auto* list = reinterpret_cast<EncoderParameters*>(buffer.data());
    ASSERT_EQ(GdipGetEncoderParameterList(AsImage(bitmap), &row.encoder, size, list), Ok) << row.line;
    ASSERT_EQ(list->Count, row.ids.size()) << row.line;
    const EncoderParameter* parameters = list->Parameter;
    for (std::size_t i = 0; i < row.ids.size(); ++i) {
      EXPECT_EQ(parameters[i].Guid, row.ids[i]) << row.line;
      EXPECT_GE(static_cast<const std::uint8_t*>(parameters[i].Value), buffer.data()) << row.line;
      EXPECT_LT(static_cast<const std::uint8_t*>(parameters[i].Value), buffer.data() + size) << row.line;
    }
  }
}

TEST_F(EncoderTest, PngDecodesToExactlyTheBitmapsPixels) {
  for (const PixelFormat format : {PixelFormat32bppARGB, PixelFormat32bppPARGB,
                                   PixelFormat32bppRGB, PixelFormat24bppRGB}) {
    GpBitmap* bitmap = MakeBitmap(37, 23, format);
    // A spread of colours and alphas.
    for (int y = 0; y < 23; ++y) {
      for (int x = 0; x < 37; ++x) {
        const ARGB colour = static_cast<ARGB>((x * 7) << 24 | (y * 11) << 16 | (x * y) << 8 | (x + y));
        ASSERT_EQ(GdipBitmapSetPixel(bitmap, x, y, colour), Ok);
      }
    }
    const Bytes png = Save(bitmap, EncoderClsidPNG);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1A\n", 8), 0);
    UINT width = 0, height = 0;
    const std::vector<ARGB> decoded = DecodePng(png, width, height);
    ASSERT_EQ(width, 37u);
    ASSERT_EQ(height, 23u);
    EXPECT_EQ(decoded, PixelsOf(bitmap)) << "format " << std::hex << format;
  }
}

// Pictures of few colours are written indexed; they must still decode to the same pixels,
// translucent and transparent ones included.
TEST_F(EncoderTest, PngOfFewColoursDecodesToExactlyTheBitmapsPixels) {
  struct Case {
    int line;
    int colours;  // distinct colours set, cycling along the pixels
    bool indexed;
  };
  const Case cases[] = {
      {__LINE__, 1, true},     {__LINE__, 2, true},    {__LINE__, 17, true},
      {__LINE__, 256, true},   {__LINE__, 257, false}, {__LINE__, 900, false},
  };
  for (const Case& row : cases) {
    for (const PixelFormat format : {PixelFormat32bppARGB, PixelFormat32bppPARGB,
                                     PixelFormat32bppRGB, PixelFormat24bppRGB}) {
      GpBitmap* bitmap = MakeBitmap(41, 31, format);
      for (int y = 0; y < 31; ++y) {
        for (int x = 0; x < 41; ++x) {
          // Runs of one colour with steps back to earlier ones, as symbols have.
          const int k = ((y * 41 + x) / 3 * 7) % row.colours;
          const ARGB colour =
              k == 0 ? 0
                     : static_cast<ARGB>((k * 37 % 256) << 24 | (k & 0xFF) << 16 | (k >> 8) << 8 | 0x40);
          ASSERT_EQ(GdipBitmapSetPixel(bitmap, x, y, colour), Ok);
        }
      }
      const Bytes png = Save(bitmap, EncoderClsidPNG);
      ASSERT_GE(png.size(), 26u) << row.line;
      // The colour type in the header: 3 is indexed.
      // Premultiplying can merge colours, so fewer may remain than were set.
      if (row.indexed || format != PixelFormat32bppPARGB) {
        EXPECT_EQ(png[25] == 3, row.indexed) << row.line;
      }
      UINT width = 0, height = 0;
      const std::vector<ARGB> decoded = DecodePng(png, width, height);
      ASSERT_EQ(width, 41u) << row.line;
      ASSERT_EQ(height, 31u) << row.line;
      EXPECT_EQ(decoded, PixelsOf(bitmap)) << row.line << " format " << std::hex << format;
      // And through Qt's reader.
      QImage image;
      ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG")) << row.line;
      image = image.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < 31; y += 5) {
        for (int x = 0; x < 41; x += 3) {
          EXPECT_EQ(image.pixel(x, y), decoded[static_cast<std::size_t>(y) * 41 + x])
              << row.line << " at " << x << "," << y;
        }
      }
    }
  }
}

// Rows repeated in blocks, as symbols have them, and rows that differ from the one above in
// their last pixel only: each must decode as it was set, indexed or not.
TEST_F(EncoderTest, PngKeepsRepeatedAndNearlyRepeatedRows) {
  for (const int colours : {3, 1000}) {
    for (const PixelFormat format : {PixelFormat32bppARGB, PixelFormat32bppPARGB,
                                     PixelFormat32bppRGB, PixelFormat24bppRGB}) {
      // 61 columns by 7 blocks: more than 256 colours when they may be.
      GpBitmap* bitmap = MakeBitmap(61, 19, format);
      for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 61; ++x) {
          const int block = y / 3;
          int k = (block * 61 + x) % colours;
          if (x == 60 && y % 3 == 2) k = (k + 1) % colours;
          const ARGB colour = static_cast<ARGB>((0x80 + k % 128) << 24 | (k & 0xFF) << 16 |
                                                (k >> 8) << 8 | 0x10);
          ASSERT_EQ(GdipBitmapSetPixel(bitmap, x, y, colour), Ok);
        }
      }
      const Bytes png = Save(bitmap, EncoderClsidPNG);
      UINT width = 0, height = 0;
      EXPECT_EQ(DecodePng(png, width, height), PixelsOf(bitmap))
          << colours << " colours, format " << std::hex << format;
    }
  }
}

TEST_F(EncoderTest, EveryEncoderWritesAFileItsDecoderReads) {
  GpBitmap* bitmap = Picture(20, 10);
  const CLSID encoders[] = {EncoderClsidBMP, EncoderClsidJPEG, EncoderClsidGIF, EncoderClsidTIFF,
                            EncoderClsidPNG};
  const char* names[] = {"a.bmp", "a.jpg", "a.gif", "a.tif", "a.png"};
  for (int i = 0; i < 5; ++i) {
    const std::filesystem::path file = folder / names[i];
    ASSERT_EQ(GdipSaveImageToFile(AsImage(bitmap), ToUtf16(file.string()).c_str(), &encoders[i], nullptr), Ok) << names[i];
    EXPECT_EQ(FileBytes(file), Save(bitmap, encoders[i])) << "file and stream agree for " << names[i];
  }
  // BMP through Qt's reader.
  QImage bmp;
  ASSERT_TRUE(bmp.load(QString::fromStdString((folder / "a.bmp").string()), "BMP"));
  EXPECT_EQ(bmp.size(), QSize(20, 10));
  EXPECT_EQ(bmp.pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(bmp.pixel(19, 9), 0xFFFFFFFFu);
  // JPEG through libjpeg: sizes exact, colours close.
  std::vector<std::uint8_t> rgb;
  const JpegSize size = DecodeJpeg(FileBytes(folder / "a.jpg"), rgb);
  EXPECT_EQ(size.width, 20);
  EXPECT_EQ(size.height, 10);
  EXPECT_LT(rgb[0], 16);
  EXPECT_GT(rgb[(9 * 20 + 19) * 3], 239);
  // GIF through giflib: palette indices give the colours exactly.
  int error = 0;
  GifFileType* gif = DGifOpenFileName((folder / "a.gif").c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 1);
  EXPECT_EQ(gif->SWidth, 20);
  const ColorMapObject* map = gif->SColorMap;
  const GifByteType* raster = gif->SavedImages[0].RasterBits;
  EXPECT_EQ(map->Colors[raster[0]].Red, 0);
  EXPECT_EQ(map->Colors[raster[19]].Red, 255);
  EXPECT_EQ(map->Colors[raster[9 * 20 + 10]].Blue, 255);
  DGifCloseFile(gif, &error);
  // TIFF through libtiff.
  TIFF* tiff = TIFFOpen((folder / "a.tif").c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  std::vector<std::uint32_t> abgr(200);
  ASSERT_TRUE(TIFFReadRGBAImageOriented(tiff, 20, 10, abgr.data(), ORIENTATION_TOPLEFT, 0));
  EXPECT_EQ(abgr[0], 0xFF000000u);
  EXPECT_EQ(abgr[199], 0xFFFFFFFFu);
  TIFFClose(tiff);
  // PNG through libpng.
  UINT width = 0, height = 0;
  EXPECT_EQ(DecodePng(FileBytes(folder / "a.png"), width, height), PixelsOf(bitmap));
}

TEST_F(EncoderTest, JpegQualityChangesTheOutput) {
  GpBitmap* bitmap = MakeBitmap(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(GdipBitmapSetPixel(bitmap, x, y, 0xFF000000 | (x * 4) << 16 | ((x ^ y) * 4) << 8 | y * 4), Ok);
    }
  }
  UINT32 low = 5, high = 95;
  EncoderParameters lowQuality{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &low}}};
  EncoderParameters highQuality{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &high}}};
  const Bytes small = Save(bitmap, EncoderClsidJPEG, &lowQuality);
  const Bytes large = Save(bitmap, EncoderClsidJPEG, &highQuality);
  EXPECT_LT(small.size() * 2, large.size());
  std::vector<std::uint8_t> rgb;
  EXPECT_EQ(DecodeJpeg(small, rgb).width, 64);
}

TEST_F(EncoderTest, MultiPageTiffHoldsEveryAddedPage) {
  GpBitmap* first = Picture(8, 4);
  GpBitmap* second = Picture(5, 6, PixelFormat24bppRGB);
  UINT32 multiFrame = EncoderValueMultiFrame, page = EncoderValueFrameDimensionPage,
         flush = EncoderValueFlush;
  EncoderParameters start{1, {{EncoderSaveFlag, 1, EncoderParameterValueTypeLong, &multiFrame}}};
  EncoderParameters next{1, {{EncoderSaveFlag, 1, EncoderParameterValueTypeLong, &page}}};
  EncoderParameters end{1, {{EncoderSaveFlag, 1, EncoderParameterValueTypeLong, &flush}}};
  VectorStream stream;
  ASSERT_EQ(GdipSaveImageToStream(AsImage(first), &stream, &EncoderClsidTIFF, &start), Ok);
  EXPECT_EQ(stream.references, 2u) << "the save keeps the stream until it ends";
  ASSERT_EQ(GdipSaveAddImage(AsImage(first), AsImage(second), &next), Ok);
  ASSERT_EQ(GdipSaveAdd(AsImage(first), &next), Ok);
  ASSERT_EQ(GdipSaveAdd(AsImage(first), &end), Ok);
  EXPECT_EQ(stream.references, 1u);
  EXPECT_EQ(GdipSaveAdd(AsImage(first), &next), WrongState) << "the save has ended";

  const std::filesystem::path file = folder / "pages.tif";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(stream.bytes.data()),
                                               static_cast<std::streamsize>(stream.bytes.size()));
  TIFF* tiff = TIFFOpen(file.c_str(), "r");
  ASSERT_NE(tiff, nullptr);
  EXPECT_EQ(TIFFNumberOfDirectories(tiff), 3);
  const std::uint32_t widths[] = {8, 5, 8};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(TIFFSetDirectory(tiff, static_cast<tdir_t>(i)));
    std::uint32_t width = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    EXPECT_EQ(width, widths[i]) << "page " << i;
  }
  TIFFClose(tiff);
}

TEST_F(EncoderTest, TiffCompressionAndDepthParametersAreHonoured) {
  GpBitmap* bitmap = Picture(16, 8);
  struct Row {
    int line;
    UINT32 compression;
    UINT32 depth;
    std::uint16_t tiffCompression;
    std::uint16_t bits;
  };
  const Row rows[] = {
      {__LINE__, EncoderValueCompressionNone, 24, COMPRESSION_NONE, 8},
      {__LINE__, EncoderValueCompressionLZW, 8, COMPRESSION_LZW, 8},
      {__LINE__, EncoderValueCompressionCCITT4, 24, COMPRESSION_CCITTFAX4, 1},
      {__LINE__, EncoderValueCompressionLZW, 1, COMPRESSION_LZW, 1},
  };
  for (const Row& row : rows) {
    UINT32 compression = row.compression, depth = row.depth;
    EncoderParameter list[2] = {
        {EncoderCompression, 1, EncoderParameterValueTypeLong, &compression},
        {EncoderColorDepth, 1, EncoderParameterValueTypeLong, &depth}};
    std::vector<std::uint8_t> block(sizeof(EncoderParameters) + sizeof(EncoderParameter));
    auto* parameters = reinterpret_cast<EncoderParameters*>(block.data());
    parameters->Count = 2;
    std::memcpy(parameters->Parameter, list, sizeof list);
    const Bytes bytes = Save(bitmap, EncoderClsidTIFF, parameters);
    const std::filesystem::path file = folder / "one.tif";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    TIFF* tiff = TIFFOpen(file.c_str(), "r");
    ASSERT_NE(tiff, nullptr) << row.line;
    std::uint16_t compressionTag = 0, bits = 0;
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compressionTag);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    EXPECT_EQ(compressionTag, row.tiffCompression) << row.line;
    EXPECT_EQ(bits, row.bits) << row.line;
    std::vector<std::uint32_t> abgr(16 * 8);
    ASSERT_TRUE(TIFFReadRGBAImageOriented(tiff, 16, 8, abgr.data(), ORIENTATION_TOPLEFT, 0)) << row.line;
    EXPECT_EQ(abgr[0], 0xFF000000u) << row.line;
    EXPECT_EQ(abgr[15], 0xFFFFFFFFu) << row.line;
    TIFFClose(tiff);
  }
}

TEST_F(EncoderTest, SavingOverAFileReplacesItAndLeavesNoTemporaryFile) {
  const std::filesystem::path file = folder / "over.png";
  std::ofstream(file) << "old contents";
  GpBitmap* bitmap = Picture(6, 6);
  const CLSID unknown{1, 2, 3, {}};
  EXPECT_NE(GdipSaveImageToFile(AsImage(bitmap), ToUtf16(file.string()).c_str(), &unknown, nullptr), Ok);
  EXPECT_EQ(FileBytes(file), (Bytes{'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
  ASSERT_EQ(GdipSaveImageToFile(AsImage(bitmap), ToUtf16(file.string()).c_str(), &EncoderClsidPNG, nullptr), Ok);
  EXPECT_EQ(FileBytes(file), Save(bitmap, EncoderClsidPNG));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace vantrel::platform::gdiplus::testing
