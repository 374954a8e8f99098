#include "encoder/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantrel::encoder {
namespace {

TEST(NumberText, EcmaScriptLayout) {
  struct Case {
    int line;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {__LINE__, 0, "0"},
      {__LINE__, -0.0, "0"},
      {__LINE__, 24, "24"},
      {__LINE__, 100, "100"},
      {__LINE__, -5, "-5"},
      {__LINE__, 0.5, "0.5"},
      {__LINE__, -1.5, "-1.5"},
      {__LINE__, 12.19047619047619, "12.19047619047619"},
      {__LINE__, 11 * (256.0 / 21), "134.09523809523807"},
      {__LINE__, 2816.0 / 21, "134.0952380952381"},
      {__LINE__, 1.0 / 177, "0.005649717514124294"},
      {__LINE__, 0.1 + 0.2, "0.30000000000000004"},
      {__LINE__, 0.000001, "0.000001"},
      {__LINE__, 0.0000012345, "0.0000012345"},
      {__LINE__, 1e-7, "1e-7"},
      {__LINE__, 1.5e-7, "1.5e-7"},
      {__LINE__, 123456789012345680000.0, "123456789012345680000"},
      {__LINE__, 1e20, "100000000000000000000"},
      {__LINE__, 1e21, "1e+21"},
      {__LINE__, 1.25e21, "1.25e+21"},
      {__LINE__, -1e21, "-1e+21"},
      {__LINE__, 5e-324, "5e-324"},
      {__LINE__, std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {__LINE__, 9007199254740993.0, "9007199254740992"},
      {__LINE__, std::numeric_limits<double>::infinity(), "Infinity"},
      {__LINE__, -std::numeric_limits<double>::infinity(), "-Infinity"},
      {__LINE__, std::nan(""), "NaN"},
  };
  for (const Case& c : cases) EXPECT_EQ(numberToText(c.value), c.text) << "line " << c.line;
}

TEST(NumberText, RoundsHalvesUp) {
  struct Case {
    int line;
    double value;
    double rounded;
  };
  const Case cases[] = {
      {__LINE__, 10.24, 10},   {__LINE__, 47.62, 48},  {__LINE__, 2.5, 3},
      {__LINE__, -2.5, -2},    {__LINE__, -2.6, -3},   {__LINE__, 0.4, 0},
      {__LINE__, 0.49999999999999994, 0},              {__LINE__, 4503599627370497.0, 4503599627370497.0},
      {__LINE__, 1e300, 1e300},
  };
  for (const Case& c : cases) EXPECT_EQ(roundHalfUp(c.value), c.rounded) << "line " << c.line;
  EXPECT_TRUE(std::isnan(roundHalfUp(std::nan(""))));
  EXPECT_EQ(numberToText(roundHalfUp(-0.3)), "0");
}

}  // namespace
}  // namespace vantrel::encoder
