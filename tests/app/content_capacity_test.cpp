#include "app/content_capacity.h"

#include <gtest/gtest.h>

#include "encoder/correct_level.h"
#include "encoder/entry.h"
#include "encoder/version_search.h"
#include "platform/text/code_page.h"

namespace vantrel::app {
namespace {

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(ContentCapacity, AgreesWithTheEncoderAtTheLimit) {
  struct Case {
    int line;
    std::string content;
    bool fits;
  };
  const Case cases[] = {
      {__LINE__, "", true},
      {__LINE__, Repeat("a", 1273), true},
      {__LINE__, Repeat("a", 1274), false},
      // Non-ASCII text carries the 3-byte mark: 423 x 3 + 3 = 1272, 424 x 3 + 3 = 1275.
      {__LINE__, Repeat("中", 423), true},
      {__LINE__, Repeat("中", 424), false},
      {__LINE__, Repeat("a", 1270) + "é", false},
      {__LINE__, Repeat("a", 1268) + "é", true},
      {__LINE__, Repeat("😀", 317), true},
      {__LINE__, Repeat("😀", 318), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContentFitsSymbol(c.content), c.fits) << "line " << c.line;
    bool encoderFits = true;
    try {
      encoder::findTypeNumber(platform::Utf8ToUtf16(c.content), encoder::CorrectLevel::H);
    } catch (const encoder::EncoderError&) {
      encoderFits = false;
    }
    EXPECT_EQ(encoderFits, c.fits) << "line " << c.line;
  }
}

}  // namespace
}  // namespace vantrel::app
