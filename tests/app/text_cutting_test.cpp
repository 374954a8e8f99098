#include "app/text_cutting.h"

#include <gtest/gtest.h>

#include "app/argb_from_rgb.h"

namespace vantrel::app {
namespace {

struct BetweenCase {
  int line;
  std::string text, left, right, expected;
};

TEST(TextCutting, TextBetweenTakesFirstLeftThenFirstRightAfterIt) {
  const BetweenCase cases[] = {
      {__LINE__, "width12height12+1,2,true|", "width", "height", "12"},
      {__LINE__, "width12height12+1,2,true|", "height", "+", "12"},
      {__LINE__, "aXbXc", "X", "X", "b"},
      {__LINE__, "abab", "a", "b", ""},
      {__LINE__, "ab", "a", "b", ""},
      {__LINE__, "abc", "x", "c", ""},
      {__LINE__, "abc", "a", "x", ""},
      {__LINE__, "ABc", "a", "c", ""},
      {__LINE__, "", "a", "b", ""},
      {__LINE__, "abc", "", "c", ""},
      {__LINE__, "say \"hi\" now", "#引号", "#引号", "hi"},
      {__LINE__, "k=\"v\";", "=#引号", "#引号;", "v"},
      {__LINE__, "中文中", "中", "中", "文"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.expected) << "line " << c.line;
}

TEST(TextCutting, MatchesNeverStartInsideACharacter) {
  // "中" is E4 B8 AD and "赭" is E8 B5 AD; a marker made of a sequence's tail bytes must not
  // be found inside them.
  const std::string tail = "\xB8\xAD";
  EXPECT_EQ(TextBetween("中x中", tail, "x"), "");
  EXPECT_EQ(TextAfterLast("中x", tail), "");
  // A stray continuation byte is a character of its own and can be matched.
  EXPECT_EQ(TextAfterLast("a\xB8\xAD" "b", tail), "b");
  // One-byte markers take another search path; the rule is the same.
  EXPECT_EQ(TextAfterLast("x\xAD" "y中z", "\xAD"), "y中z");
  EXPECT_EQ(TextAfterLast("中z", "\xAD"), "");
  EXPECT_EQ(TextBetween("a\xB8\xAD" "bc", tail, "c"), "b");
}

TEST(TextCutting, TextAfterLastTakesTheRestAfterTheLastMarker) {
  struct Case {
    int line;
    std::string text, marker, expected;
  };
  const Case cases[] = {
      {__LINE__, "width12height12+0,0,true|12,0,false|", "+", "0,0,true|12,0,false|"},
      {__LINE__, "a+b+c", "+", "c"},
      {__LINE__, "a+b+", "+", ""},
      {__LINE__, "abc", "+", ""},
      {__LINE__, "", "+", ""},
      {__LINE__, "abc", "", ""},
      {__LINE__, "xyxyz", "xy", "z"},
      {__LINE__, "中a中b", "中", "b"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextAfterLast(c.text, c.marker), c.expected) << "line " << c.line;
}

TEST(ArgbFromRgb, SwapsRedAndBlueUnderAnAlphaByte) {
  EXPECT_EQ(ArgbFromRgb(0), 0xFF000000u);
  EXPECT_EQ(ArgbFromRgb(0xFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(ArgbFromRgb(0x123456), 0xFF563412u);
  EXPECT_EQ(ArgbFromRgb(0xAB123456), 0xFF563412u);
  EXPECT_EQ(ArgbFromRgb(0x0000FF, 0x80), 0x80FF0000u);
  EXPECT_EQ(ArgbFromRgb(0x123456, 0), 0x00563412u);
}

}  // namespace
}  // namespace vantrel::app
