#include <gtest/gtest.h>

#include <string>

#include "encoder/entry.h"
#include "script/run_encoder_script.h"

namespace vantrel::script {
namespace {

TEST(RunEncoderScript, ReturnsTheCellList) {
  const std::string cells = RunEncoderScript("abc", 256, 256);
  EXPECT_EQ(cells.size(), 18014u);
  EXPECT_EQ(cells.rfind("width12height12+0,0,true|12.19047619047619,0,true|", 0), 0u);
}

TEST(RunEncoderScript, HandsTheEncoderTheContentAsUtf16) {
  // "中文" is two UTF-16 units; the encoder sees those, not the six ANSI bytes.
  EXPECT_EQ(RunEncoderScript("中文", 300, 200), encoder::test(u"中文", 300, 200));
  EXPECT_EQ(RunEncoderScript("😀 x", 100, 100), encoder::test(u"😀 x", 100, 100));
}

TEST(RunEncoderScript, PassesTheSizesAsGiven) {
  EXPECT_EQ(RunEncoderScript("abc", 0, 0).rfind("width0height0+0,0,true|0,0,true|", 0), 0u);
  EXPECT_EQ(RunEncoderScript("abc", 300, 200).rfind("width14height10+", 0), 0u);
  EXPECT_EQ(RunEncoderScript("abc", -21, 21), encoder::test(u"abc", -21, 21));
}

TEST(RunEncoderScript, GivesAnEmptyTextWhenTheEncoderFails) {
  EXPECT_FALSE(RunEncoderScript(std::string(1273, 'a'), 256, 256).empty());
  EXPECT_EQ(RunEncoderScript(std::string(1274, 'a'), 256, 256), "");
  // 425 three-byte characters are 1,275 bytes in the symbol.
  std::string chinese;
  for (int i = 0; i < 425; ++i) chinese += "中";
  EXPECT_EQ(RunEncoderScript(chinese, 256, 256), "");
}

TEST(RunEncoderScript, GivesTheSameResultOnEveryCall) {
  EXPECT_EQ(RunEncoderScript("repeat", 256, 256), RunEncoderScript("repeat", 256, 256));
}

}  // namespace
}  // namespace vantrel::script
