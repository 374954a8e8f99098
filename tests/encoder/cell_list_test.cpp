#include "encoder/entry.h"
#include "encoder/number_text.h"
#include "encoder/qr_code.h"
#include "tests/encoder/symbol_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel::encoder {
namespace {

struct Entry {
  std::string x, y, dark;
};

// Splits a cell list into its header and entries.
std::pair<std::string, std::vector<Entry>> parse(const std::string& list) {
  const std::size_t plus = list.find('+');
  std::vector<Entry> entries;
  std::size_t at = plus + 1;
  while (at < list.size()) {
    const std::size_t bar = list.find('|', at);
    const std::string entry = list.substr(at, bar - at);
    const std::size_t c1 = entry.find(',');
    const std::size_t c2 = entry.find(',', c1 + 1);
    entries.push_back({entry.substr(0, c1), entry.substr(c1 + 1, c2 - c1 - 1), entry.substr(c2 + 1)});
    at = bar + 1;
  }
  return {list.substr(0, plus + 1), entries};
}

TEST(CellList, AbcAt256) {
  const std::string list = test(u"abc", 256, 256);
  EXPECT_EQ(list.rfind("width12height12+0,0,true|12.19047619047619,0,true|24.38095238095238,0,true|", 0), 0u);
  EXPECT_EQ(list.size(), 18014u);
  EXPECT_EQ(list.back(), '|');
  const auto [header, entries] = parse(list);
  ASSERT_EQ(entries.size(), 441u);
  EXPECT_EQ(entries[11].x, "134.09523809523807");

  // Entries follow the final symbol row by row.
  const SymbolModel model = testing::finishedModel(u"abc", 1);
  for (int i = 0; i < 441; ++i) {
    ASSERT_EQ(entries[i].dark, model.isDark(i / 21, i % 21) ? "true" : "false") << i;
    ASSERT_EQ(entries[i].x, numberToText(i % 21 * (256.0 / 21))) << i;
    ASSERT_EQ(entries[i].y, numberToText(i / 21 * (256.0 / 21))) << i;
  }
}

TEST(CellList, SizesAndHeaders) {
  struct Case {
    int line;
    std::u16string text;
    double width, height;
    const char* header;
    int column;           // of an entry in row 1
    const char* x;        // its expected x
    const char* y;        // and y
  };
  const std::u16string version2(10, u'v');
  const std::u16string version40(1273, u'w');
  const Case cases[] = {
      {__LINE__, u"abc", 210, 210, "width10height10+", 3, "30", "10"},
      {__LINE__, u"abc", 300, 200, "width14height10+", 7, "100", "9.523809523809524"},
      {__LINE__, u"abc", 300, 200, "width14height10+", 1, "14.285714285714286", "9.523809523809524"},
      {__LINE__, u"abc", 1000, 1000, "width48height48+", 0, "0", "47.61904761904762"},
      {__LINE__, version2, 256, 256, "width10height10+", 1, "10.24", "10.24"},
      {__LINE__, u"abc", 0, 0, "width0height0+", 20, "0", "0"},
      {__LINE__, version40, 1, 1, "width0height0+", 1, "0.005649717514124294", "0.005649717514124294"},
      // Sizes are used as given: fractions, negatives; halves round up.
      {__LINE__, u"abc", 10.5, -21, "width1height-1+", 2, "1", "-1"},
      {__LINE__, u"abc", 31.5, 52.5, "width2height3+", 1, "1.5", "2.5"},
  };
  for (const Case& c : cases) {
    const auto [header, entries] = parse(test(c.text, c.width, c.height));
    EXPECT_EQ(header, c.header) << "line " << c.line;
    const std::size_t n = static_cast<std::size_t>(std::sqrt(entries.size()));
    ASSERT_EQ(n * n, entries.size()) << "line " << c.line;
    EXPECT_EQ(entries[n + c.column].x, c.x) << "line " << c.line;
    EXPECT_EQ(entries[n + c.column].y, c.y) << "line " << c.line;
  }
}

TEST(CellList, WholeNumberedSizeGivesWholeCoordinates) {
  const auto [header, entries] = parse(test(u"abc", 210, 210));
  for (const Entry& e : entries) {
    ASSERT_EQ(e.x.find('.'), std::string::npos);
    ASSERT_EQ(e.y.find('.'), std::string::npos);
  }
  EXPECT_EQ(entries.back().x, "200");
  EXPECT_EQ(entries.back().y, "200");
}

TEST(CellList, VersionFortyLength) {
  const std::string list = test(std::u16string(1273, u'w'), 256, 256);
  const auto [header, entries] = parse(list);
  EXPECT_EQ(entries.size(), 31329u);
  EXPECT_GT(list.size(), 1'300'000u);
  EXPECT_LT(list.size(), 1'360'000u);
  EXPECT_EQ(list.find('\0'), std::string::npos);  // the pre-sized buffer is filled exactly
}

TEST(CellList, QRCodeKeepsItsOptions) {
  QRCode qrcode;
  qrcode.makeCode(u"abc", 300, 200);
  EXPECT_EQ(qrcode.options().width, 300);
  EXPECT_EQ(qrcode.options().height, 200);
  EXPECT_EQ(qrcode.options().correctLevel, QRCode::CorrectLevel::H);
  ASSERT_TRUE(qrcode.model().has_value());
  EXPECT_EQ(qrcode.model()->typeNumber(), 1);
  EXPECT_THROW(qrcode.makeCode(std::u16string(1274, u'a'), 1, 1), EncoderError);
}

}  // namespace
}  // namespace vantrel::encoder
