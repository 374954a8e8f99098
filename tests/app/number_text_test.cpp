#include "app/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel::app {
namespace {

struct NumberCase {
  int line;
  const char* text;
  double number;
  std::int32_t integer;  // TextToInteger of the same text
};

TEST(NumberText, ReadsNumbersAndIntegersLikeTheSizeFields) {
  const NumberCase cases[] = {
      {__LINE__, "256", 256, 256},
      {__LINE__, "12.9", 12.9, 12},
      {__LINE__, "12.19047619047619", 12.19047619047619, 12},
      {__LINE__, "1e2", 100, 1},
      {__LINE__, "1E+2x", 100, 1},
      {__LINE__, "1e", 1, 1},
      {__LINE__, "1e-", 1, 1},
      {__LINE__, " 64", 64, 64},
      {__LINE__, "\t\n 64 ", 64, 64},
      {__LINE__, "-3.7", -3.7, -3},
      {__LINE__, "+5", 5, 5},
      {__LINE__, ".5", 0.5, 0},
      {__LINE__, "5.", 5, 5},
      {__LINE__, "abc", 0, 0},
      {__LINE__, "-", 0, 0},
      {__LINE__, "", 0, 0},
      {__LINE__, ".", 0, 0},
      {__LINE__, "- 5", 0, 0},
      {__LINE__, "12a", 12, 12},
      {__LINE__, "0x10", 0, 0},
      {__LINE__, "inf", 0, 0},
      // Full-width forms read as their ASCII characters.
      {__LINE__, "２５６", 256, 256},
      {__LINE__, "－１２．５", -12.5, -12},
      {__LINE__, "\u3000６４", 64, 64},
      {__LINE__, "１ｅ２", 100, 1},
      {__LINE__, "１E２", 100, 1},
      // A full-width form that is no digit stops the reading like its ASCII twin would.
      {__LINE__, "１２\uFFE5", 12, 12},
      {__LINE__, "\uFF04" "12", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.number) << "line " << c.line;
    EXPECT_EQ(TextToInteger(c.text), c.integer) << "line " << c.line;
  }
}

TEST(NumberText, OutOfRangeNumbersFollowStrtod) {
  EXPECT_EQ(TextToNumber("1e400"), HUGE_VAL);
  EXPECT_EQ(TextToNumber("-1e400"), -HUGE_VAL);
  EXPECT_EQ(TextToNumber("1e-400"), 0.0);
  EXPECT_EQ(TextToNumber("0.000001e-400"), 0.0);
}

TEST(NumberText, MapsEveryFullWidthFormToItsAsciiCharacter) {
  std::string wide;
  std::string expected;
  for (char32_t cp = 0xFF01; cp <= 0xFF5D; ++cp) {
    if (cp == 0xFF04) continue;
    wide += static_cast<char>(0xE0 | (cp >> 12));
    wide += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    wide += static_cast<char>(0x80 | (cp & 0x3F));
    expected += static_cast<char>(cp - 0xFF01 + 0x21);
  }
  EXPECT_EQ(FullWidthAsAscii(wide), expected);
  EXPECT_EQ(FullWidthAsAscii("\uFFE5\uFFE3\uFF5E\u3000\u2605\u2606"), "$~~ **");
  // Everything else passes unchanged, broken sequences included.
  EXPECT_EQ(FullWidthAsAscii("\uFF04中a\xEF\xBC"), "\uFF04中a\xEF\xBC");
}

TEST(NumberText, IntegerFromNumberTruncatesAndKeepsTheLow32Bits) {
  struct Case {
    int line;
    double number;
    std::int32_t integer;
  };
  const Case cases[] = {
      {__LINE__, 12.9, 12},
      {__LINE__, -3.7, -3},
      {__LINE__, -0.5, 0},
      {__LINE__, 2147483647.0, 2147483647},
      {__LINE__, 2147483648.0, -2147483647 - 1},
      {__LINE__, 4294967296.0 + 5, 5},
      {__LINE__, -4294967296.0 - 5, -5},
      {__LINE__, 1e19, 0},
      {__LINE__, -9223372036854775808.0, 0},
      {__LINE__, HUGE_VAL, 0},
      {__LINE__, std::nan(""), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(IntegerFromNumber(c.number), c.integer) << "line " << c.line;
}

TEST(NumberText, IntegerDigitsBeyondRangeWrap) {
  EXPECT_EQ(TextToInteger("4294967297"), 1);
  EXPECT_EQ(TextToInteger("-4294967297"), -1);
  EXPECT_EQ(TextToInteger("2147483648"), -2147483647 - 1);
}

}  // namespace
}  // namespace vantrel::app
