#include "encoder/byte_segment.h"
#include "encoder/content_bytes.h"
#include "encoder/correct_level.h"
#include "encoder/entry.h"
#include "encoder/version_search.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel::encoder {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string units(std::initializer_list<char16_t> list) { return std::u16string(list); }

TEST(ContentBytes, ConvertsEachCharacterAndPrefixesNonAscii) {
  struct Case {
    int line;
    std::u16string text;
    Bytes bytes;
  };
  const Case cases[] = {
      {__LINE__, u"", {}},
      {__LINE__, u"abc", {0x61, 0x62, 0x63}},
      {__LINE__, u"%", {0x25}},
      {__LINE__, u"\u00E9", {0xEF, 0xBB, 0xBF, 0xC3, 0xA9}},
      {__LINE__, u"\u4E2Da", {0xEF, 0xBB, 0xBF, 0xE4, 0xB8, 0xAD, 0x61}},
      {__LINE__, u"\u0080", {0xEF, 0xBB, 0xBF, 0xC2, 0x80}},
      {__LINE__, u"\u07FF", {0xEF, 0xBB, 0xBF, 0xDF, 0xBF}},
      {__LINE__, u"\u0800", {0xEF, 0xBB, 0xBF, 0xE0, 0xA0, 0x80}},
      {__LINE__, u"\uFFFF", {0xEF, 0xBB, 0xBF, 0xEF, 0xBF, 0xBF}},
      // A well-formed pair is one character of four bytes.
      {__LINE__, u"\U0001F600", {0xEF, 0xBB, 0xBF, 0xF0, 0x9F, 0x98, 0x80}},
      {__LINE__, u"a\U0010FFFF", {0xEF, 0xBB, 0xBF, 0x61, 0xF4, 0x8F, 0xBF, 0xBF}},
      // Lone halves, either order, become U+FFFD.
      {__LINE__, units({0xD800}), {0xEF, 0xBB, 0xBF, 0xEF, 0xBF, 0xBD}},
      {__LINE__, units({0xDC00, 0xD800}),
       {0xEF, 0xBB, 0xBF, 0xEF, 0xBF, 0xBD, 0xEF, 0xBF, 0xBD}},
      {__LINE__, units({0xD83D, u'x'}), {0xEF, 0xBB, 0xBF, 0xEF, 0xBF, 0xBD, 0x78}},
  };
  for (const Case& c : cases) {
    const ByteSegment segment(c.text);
    EXPECT_EQ(segment.parsedData(), c.bytes) << "line " << c.line;
    EXPECT_EQ(segment.getLength(), static_cast<int>(c.bytes.size())) << "line " << c.line;
    EXPECT_EQ(getContentLength(c.text), c.bytes.size()) << "line " << c.line;
    EXPECT_EQ(segment.mode(), SegmentMode::MODE_8BIT_BYTE);
    EXPECT_EQ(segment.data(), c.text);
  }
}

// The measure and the conversion must agree on every text, or a content near a boundary
// would pass the version search and then overflow.
TEST(ContentBytes, MeasureAgreesWithConversionOnRandomUnits) {
  std::mt19937 random(7);
  const char16_t interesting[] = {u'a', 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xD800,
                                  0xDBFF, 0xDC00, 0xDFFF, 0xE000, 0xFFFF};
  for (int round = 0; round < 500; ++round) {
    std::u16string text(random() % 12, u'\0');
    for (char16_t& unit : text)
      unit = random() % 2 ? interesting[random() % std::size(interesting)]
                          : static_cast<char16_t>(random());
    ASSERT_EQ(getContentLength(text), ByteSegment(text).parsedData().size()) << round;
  }
}

TEST(VersionSearch, Boundaries) {
  const std::u16string threeByte(1, u'\u4E2D');
  const std::u16string pair = u"\U0001F600";
  const std::u16string lone(1, u'\xDC00');
  auto repeat = [](const std::u16string& unit, int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) text += unit;
    return text;
  };
  struct Case {
    int line;
    std::u16string text;
    int version;  // 0: too long
  };
  const Case cases[] = {
      {__LINE__, u"", 1},
      {__LINE__, repeat(u"a", 7), 1},
      {__LINE__, repeat(u"a", 8), 2},
      {__LINE__, repeat(u"a", 194), 14},
      {__LINE__, repeat(u"a", 195), 15},
      {__LINE__, repeat(u"a", 220), 15},
      {__LINE__, repeat(u"a", 1273), 40},
      {__LINE__, repeat(u"a", 1274), 0},
      {__LINE__, repeat(threeByte, 423), 40},
      {__LINE__, repeat(threeByte, 424), 0},
      // 3 + 4 * 317 + 2 = 1273: the largest emoji content, and one byte more.
      {__LINE__, repeat(pair, 317) + u"ab", 40},
      {__LINE__, repeat(pair, 317) + u"abc", 0},
      // 3 + 3 * 424 = 1275 with lone surrogates counted as U+FFFD.
      {__LINE__, repeat(lone, 423) + u"a", 40},
      {__LINE__, repeat(lone, 424), 0},
  };
  for (const Case& c : cases) {
    if (c.version == 0) {
      try {
        findTypeNumber(c.text, CorrectLevel::H);
        ADD_FAILURE() << "line " << c.line << ": no error";
      } catch (const EncoderError& error) {
        EXPECT_STREQ(error.what(), "Too long data") << "line " << c.line;
      }
      EXPECT_THROW(test(c.text, 256, 256), EncoderError) << "line " << c.line;
    } else {
      EXPECT_EQ(findTypeNumber(c.text, CorrectLevel::H), c.version) << "line " << c.line;
      // The whole run must succeed too: no overflow just under the boundary.
      EXPECT_NO_THROW(test(c.text, 256, 256)) << "line " << c.line;
    }
  }
}

TEST(VersionSearch, LevelColumns) {
  const std::u16string text(20, u'a');
  EXPECT_EQ(findTypeNumber(text, CorrectLevel::L), 2);
  EXPECT_EQ(findTypeNumber(text, CorrectLevel::M), 2);
  EXPECT_EQ(findTypeNumber(text, CorrectLevel::Q), 2);
  EXPECT_EQ(findTypeNumber(text, CorrectLevel::H), 3);
}

}  // namespace
}  // namespace vantrel::encoder
