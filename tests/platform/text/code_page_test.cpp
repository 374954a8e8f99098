#include "platform/text/code_page.h"

#include <gtest/gtest.h>

namespace vantrel::platform {
namespace {

struct RoundTrip {
  int line;
  std::string utf8;
  std::u16string utf16;
};

TEST(CodePage, ConvertsBothWaysWithoutLoss) {
  const RoundTrip cases[] = {
      {__LINE__, "", u""},
      {__LINE__, "abc", u"abc"},
      {__LINE__, "\xC3\xA9", u"\u00E9"},
      {__LINE__, "\xE4\xB8\xAD" "a", u"\u4E2Da"},
      {__LINE__, "\xF0\x9F\x98\x80", u"\U0001F600"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << "line " << c.line;
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << "line " << c.line;
  }
}

TEST(CodePage, IllFormedInputBecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE4\xB8"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"x" + std::u16string(1, u'\xDC00')), "x\xEF\xBF\xBD");
}

TEST(CodePage, WindowsSizingRule) {
  const char* text = "\xE4\xB8\xAD" "b";
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 3);  // terminator counted
  char16_t buffer[3] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 3), 3);
  EXPECT_EQ(std::u16string(buffer, 2), u"\u4E2Db");
  EXPECT_EQ(buffer[2], u'\0');
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 2), 0);  // too small
  EXPECT_EQ(MultiByteToWideChar(1234, 0, text, -1, buffer, 3), 0);    // unknown code page

  char out[8] = {};
  EXPECT_EQ(WideCharToMultiByte(CP_OEMCP, 0, u"\u4E2D", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_OEMCP, 0, u"\u4E2D", -1, out, 8, nullptr, nullptr), 4);
  EXPECT_STREQ(out, "\xE4\xB8\xAD");
}

}  // namespace
}  // namespace vantrel::platform
