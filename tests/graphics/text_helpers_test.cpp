#include "graphics/text_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel::graphics {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr platform::GUID kPng{
    0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

TEST(TextHelpers, TextToWideEndsWithOneZeroUnit) {
  const struct {
    int line;
    std::string_view text;
    Bytes wide;
  } cases[] = {
      {__LINE__, "", {0, 0}},
      {__LINE__, "ab", {'a', 0, 'b', 0, 0, 0}},
      {__LINE__, "\xE4\xB8\xAD", {0x2D, 0x4E, 0, 0}},                         // U+4E2D
      {__LINE__, "\xF0\x9F\x98\x80", {0x3D, 0xD8, 0x00, 0xDE, 0, 0}},         // a surrogate pair
      {__LINE__, std::string_view("a\0b", 3), {'a', 0, 0, 0}},                // ends at the zero
  };
  for (const auto& c : cases) EXPECT_EQ(TextToWide(c.text), c.wide) << "line " << c.line;
}

TEST(TextHelpers, WideToTextReadsUpToTheTerminator) {
  EXPECT_EQ(WideToText(u"a\u4E2Db"), "a\xE4\xB8\xAD" "b");
  EXPECT_EQ(WideToText(u""), "");
  EXPECT_EQ(WideToText(nullptr), "");
}

TEST(TextHelpers, GuidTextsRoundTrip) {
  EXPECT_EQ(GuidToText(kPng), "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
  EXPECT_EQ(TextToGuid("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}"), kPng);
  EXPECT_EQ(TextToGuid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), kPng);
  const platform::GUID odd{0x01234567, 0x89AB, 0xCDEF, {0xFE, 0xDC, 0xBA, 0x98, 0, 1, 2, 3}};
  EXPECT_EQ(TextToGuid(GuidToText(odd)), odd);
  EXPECT_EQ(TextToGuid(""), platform::GUID{});
  EXPECT_EQ(TextToGuid("not a guid"), platform::GUID{});
}

TEST(TextHelpers, WideBlocksAlwaysGiveATerminatedString) {
  const struct {
    int line;
    Bytes block;
    std::u16string text;
  } cases[] = {
      {__LINE__, {'a', 0, 'b', 0, 0, 0}, u"ab"},
      {__LINE__, {'a', 0, 'b', 0}, u"ab"},        // no terminator
      {__LINE__, {'a', 0, 'b'}, u"a"},            // odd last byte
      {__LINE__, {'a', 0, 0, 0, 'c', 0}, u"a"},   // stops at the first zero unit
      {__LINE__, {}, u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideBlockToString(c.block), c.text) << "line " << c.line;
  }
}

}  // namespace
}  // namespace vantrel::graphics
