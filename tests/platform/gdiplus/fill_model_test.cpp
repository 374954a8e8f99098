// The coverage and compositing rules on hand-worked pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/fill/pixel_format.h"
#include "platform/gdiplus/fill/rect_span.h"

namespace vantrel::platform::gdiplus {
namespace {

struct Canvas {
  Canvas(int width, int height, StoredFormat format = StoredFormat::Pargb32)
      : memory(static_cast<std::size_t>(width) * height * 4, 0),
        view{memory.data(), width, height, static_cast<std::ptrdiff_t>(width) * 4, format} {
    if (format == StoredFormat::Rgb24) view.stride = width * 3;
  }
  std::uint32_t At(int x, int y) const { return view.Read(x, y); }
  std::vector<std::uint8_t> memory;
  PixelView view;
};

TEST(FillModel, AWholeRectangleHalfCoversItsEdgePixelsWhenAntiAliased) {
  Canvas canvas(6, 4);
  const RectF rect{1, 1, 3, 2};
  FillEagerly(canvas.view, std::span(&rect, 1), FillModeAlternate, 0xFF000000, true);
  // Pixel squares are centred on whole coordinates: x = 1 and x = 4 are half inside.
  const std::uint32_t rows[4][6] = {
      {0, 0, 0, 0, 0, 0},
      {0, 0x40000000, 0x80000000, 0x80000000, 0x40000000, 0},
      {0, 0x80000000, 0xFF000000, 0xFF000000, 0x80000000, 0},
      {0, 0x40000000, 0x80000000, 0x80000000, 0x40000000, 0},
  };
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(canvas.At(x, y), rows[y][x]) << x << "," << y;
    }
  }
}

TEST(FillModel, WithoutAntiAliasingAPixelIsCoveredByItsCentre) {
  Canvas canvas(6, 4);
  const RectF rects[] = {{1, 1, 3, 2}, {4.5f, 0, 0.25f, 4}};
  FillEagerly(canvas.view, rects, FillModeAlternate, 0xFF102030, false);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      // Left and top edges are inside, right and bottom edges outside; the thin strip
      // [4.5, 4.75) holds no centre.
      const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
      EXPECT_EQ(canvas.At(x, y), inside ? 0xFF102030u : 0u) << x << "," << y;
    }
  }
}

TEST(FillModel, FillModesDifferOnlyWhereRectanglesOverlap) {
  const RectF rects[] = {{0, 0, 4, 4}, {2, 2, 4, 4}};
  Canvas alternate(7, 7), winding(7, 7);
  FillEagerly(alternate.view, rects, FillModeAlternate, 0xFFFFFFFF, false);
  FillEagerly(winding.view, rects, FillModeWinding, 0xFFFFFFFF, false);
  EXPECT_EQ(alternate.At(3, 3), 0u) << "covered twice: left out";
  EXPECT_EQ(winding.At(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(alternate.At(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(alternate.At(5, 5), 0xFFFFFFFFu);
}

TEST(FillModel, CompositingRoundsAsDocumented) {
  struct Row {
    int line;
    Premultiplied destination, source;
    int coverage;
    Premultiplied expected;
  };
  const Row rows[] = {
      {__LINE__, 0x00000000, 0xFF000000, 8, 0x80000000},
      {__LINE__, 0x80000000, 0xFF000000, 8, 0xC0000000},
      {__LINE__, 0xFFFFFFFF, 0xFF000000, 4, 0xFFBFBFBF},
      {__LINE__, 0xFF000000, 0xFFFFFFFF, 16, 0xFFFFFFFF},
      {__LINE__, 0xFF204060, 0x80808080, 16, 0xFF90A0B0},
      {__LINE__, 0x12345678, 0x00000000, 16, 0x12345678},
      {__LINE__, 0x40404040, 0xFF0000FF, 0, 0x40404040},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CompositeOver(row.destination, row.source, row.coverage), row.expected)
        << std::hex << CompositeOver(row.destination, row.source, row.coverage) << " line "
        << std::dec << row.line;
  }
}

TEST(FillModel, PremultiplyingRoundsHalfUpBothWays) {
  EXPECT_EQ(Premultiply(0x80FF4020), 0x80802010u);
  EXPECT_EQ(Premultiply(0xFF123456), 0xFF123456u);
  EXPECT_EQ(Unpremultiply(0x80802010), 0x80FF4020u);
  EXPECT_EQ(Unpremultiply(0x00FFFFFF), 0u);
  EXPECT_EQ(Unpremultiply(0x02030000), 0x02FF0000u) << "channel above alpha is clamped";
}

TEST(FillModel, SpansClipAndRejectDegenerateOrHugeRectangles) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  struct Row {
    int line;
    double start, length;
    int first, last;
  };
  const Row rows[] = {
      {__LINE__, 0, 12, 0, 9},      {__LINE__, -5, 3, 0, -1},   {__LINE__, 9, 5, 9, 9},
      {__LINE__, 2, 0, 0, -1},       {__LINE__, 2, -3, 0, -1},   {__LINE__, -1e30, 2e30, 0, 9},
      {__LINE__, 0, kInf, 0, -1},    {__LINE__, kNaN, 1, 0, -1}, {__LINE__, 3.2, 0.1, 3, 3},
      {__LINE__, 3.2, 0.3, 3, 3},
  };
  for (const Row& row : rows) {
    const AxisSpan span = SpanOnAxis(row.start, row.length, 10);
    if (row.last < row.first) {
      EXPECT_TRUE(span.Empty()) << row.line;
    } else {
      EXPECT_EQ(span.first, row.first) << row.line;
      EXPECT_EQ(span.last, row.last) << row.line;
    }
  }
  // [3.2, 3.5) holds the sample at 3.375 only: one column of the grid; [3.2, 3.3) none.
  EXPECT_EQ(SpanOnAxis(3.2, 0.3, 10).firstBits, 0x08);
  EXPECT_EQ(SpanOnAxis(3.2, 0.1, 10).firstBits, 0x00);
}

TEST(FillModel, TwentyFourBitPixelsStayOpaqueAndKeepTheirNeighbours) {
  Canvas canvas(3, 1, StoredFormat::Rgb24);
  canvas.memory.assign(canvas.memory.size(), 0x11);
  const RectF rect{0.5f, -0.5f, 1, 1};
  FillEagerly(canvas.view, std::span(&rect, 1), FillModeAlternate, Premultiply(0x80FF0000), true);
  EXPECT_EQ(canvas.At(0, 0), 0x111111u);
  EXPECT_EQ(canvas.At(1, 0), 0x880808u);
  EXPECT_EQ(canvas.At(2, 0), 0x111111u);
}

}  // namespace
}  // namespace vantrel::platform::gdiplus
