#include "app/generate_picture.h"

#include <gtest/gtest.h>

#include <QImage>

#include "graphics/session.h"
#include "tests/app/picture_reading.h"

namespace vantrel::app {
namespace {

using testing::DecodePng;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

// Every pixel of the rectangle [left, right) x [top, bottom) has the colour.
void ExpectFilled(const QImage& image, QRect area, QRgb colour, int line) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      ASSERT_EQ(image.pixel(x, y), colour) << "line " << line << " at " << x << "," << y;
}

TEST(GeneratePicture, PaintsEveryCellAsARectangleFromTheCellList) {
  // "abc", 21 modules: row 0 reads 1111111 0 11111 0 1111111; the header gives 12 x 12.
  const QImage abc = DecodePng(GeneratePicture("abc", 256, 256));
  ASSERT_EQ(abc.size(), QSize(256, 256));
  // Cell interiors (the edge pixels belong to the fills' anti-aliasing).
  ExpectFilled(abc, QRect(QPoint(61, 1), QPoint(70, 10)), kBlack, __LINE__);    // column 5
  ExpectFilled(abc, QRect(QPoint(74, 1), QPoint(83, 10)), kBlack, __LINE__);    // column 6
  ExpectFilled(abc, QRect(QPoint(86, 1), QPoint(95, 10)), kWhite, __LINE__);    // column 7
  ExpectFilled(abc, QRect(QPoint(135, 1), QPoint(144, 10)), kBlack, __LINE__);  // column 11

  // 300 x 200: cells of 14 x 10 at x = 300 c / 21, y = 200 r / 21, cut to whole numbers, so
  // neighbouring rows overlap.
  const QImage wide = DecodePng(GeneratePicture("abc", 300, 200));
  ASSERT_EQ(wide.size(), QSize(300, 200));
  ExpectFilled(wide, QRect(QPoint(1, 1), QPoint(12, 8)), kBlack, __LINE__);      // row 0, col 0
  ExpectFilled(wide, QRect(QPoint(101, 1), QPoint(112, 8)), kWhite, __LINE__);   // row 0, col 7
  ExpectFilled(wide, QRect(QPoint(16, 12), QPoint(26, 17)), kWhite, __LINE__);   // row 1, col 1
}

TEST(GeneratePicture, IsRepeatableAndEndsTheGraphicsSession) {
  graphics::StartGraphicsSession();
  const auto first = GeneratePicture("repeat", 200, 180);
  EXPECT_EQ(graphics::GdiplusToken, 0u);
  const auto second = GeneratePicture("repeat", 200, 180);
  EXPECT_EQ(graphics::GdiplusToken, 0u);
  EXPECT_TRUE(testing::StartsWithPngSignature(first));
  EXPECT_EQ(first, second);
}

TEST(GeneratePicture, SizesWithoutAPictureGiveNoBytes) {
  struct Case {
    int line;
    std::int32_t width, height;
  };
  const Case cases[] = {
      {__LINE__, 0, 256},      {__LINE__, 256, 0},        {__LINE__, -5, 256},
      {__LINE__, 65536, 1},    {__LINE__, 20000, 20000},  {__LINE__, INT32_MIN, INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(GeneratePicture("abc", c.width, c.height).empty()) << "line " << c.line;
    EXPECT_EQ(graphics::GdiplusToken, 0u) << "line " << c.line;
  }
  EXPECT_EQ(DecodePng(GeneratePicture("abc", 1, 1)).size(), QSize(1, 1));
}

TEST(GeneratePicture, ContentBeyondTheLargestSymbolLeavesThePictureTransparent) {
  // The window and the command line refuse such content before; the pipeline itself keeps
  // its rule of a blank picture of the requested size.
  const QImage blank = DecodePng(GeneratePicture(std::string(1274, 'a'), 64, 48));
  ASSERT_EQ(blank.size(), QSize(64, 48));
  for (int y = 0; y < blank.height(); ++y)
    for (int x = 0; x < blank.width(); ++x) ASSERT_EQ(qAlpha(blank.pixel(x, y)), 0);
}

TEST(GeneratePicture, TheLargestSymbolReadsBack) {
  std::string content;
  for (int i = 0; content.size() < 1273; ++i) content += static_cast<char>('!' + i % 90);
  const auto picture = GeneratePicture(content, 1024, 1024);
  EXPECT_EQ(testing::ReadSymbol(picture), testing::SymbolBytes(content));
}

}  // namespace
}  // namespace vantrel::app
