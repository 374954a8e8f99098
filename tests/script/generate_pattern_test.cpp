// The cell pattern of the Generate pipeline over real cell lists, every entry read back
// through the matcher and compared with a plain split of the same text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/regex_matcher.h"
#include "script/run_encoder_script.h"

namespace vantrel::script {
namespace {

constexpr std::string_view kCellPattern = R"((\d+(\.\d+)?)\,(\d+(\.\d+)?)\,(\w{4,5})\|)";

struct Entry {
  std::string x, y, word;
};

// Splits "x,y,word|x,y,word|..." without any regular expression.
std::vector<Entry> SplitEntries(std::string_view entries) {
  std::vector<Entry> out;
  while (!entries.empty()) {
    const std::size_t bar = entries.find('|');
    const std::string_view entry = entries.substr(0, bar);
    const std::size_t first = entry.find(',');
    const std::size_t second = entry.find(',', first + 1);
    out.push_back({std::string(entry.substr(0, first)),
                   std::string(entry.substr(first + 1, second - first - 1)),
                   std::string(entry.substr(second + 1))});
    entries.remove_prefix(bar == std::string_view::npos ? entries.size() : bar + 1);
  }
  return out;
}

std::string Fraction(const std::string& number) {
  const std::size_t point = number.find('.');
  return point == std::string::npos ? "" : number.substr(point);
}

void ExpectEveryEntryReadBack(const std::string& content, int width, int height,
                              std::size_t modules) {
  const std::string cells = RunEncoderScript(content, width, height);
  ASSERT_FALSE(cells.empty());
  const std::string entries = cells.substr(cells.rfind('+') + 1);
  const std::vector<Entry> expected = SplitEntries(entries);
  ASSERT_EQ(expected.size(), modules * modules);

  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Match(kCellPattern, entries));
  ASSERT_EQ(matcher.MatchCount(), static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(matcher.SubMatchCount(), 5);
  std::size_t dark = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto index = static_cast<std::int32_t>(i + 1);
    // The order in which Generate reads them.
    const std::string word = matcher.SubMatchText(index, 5);
    const std::string x = matcher.SubMatchText(index, 1);
    const std::string y = matcher.SubMatchText(index, 3);
    ASSERT_EQ(word, expected[i].word) << "entry " << index;
    ASSERT_EQ(x, expected[i].x) << "entry " << index;
    ASSERT_EQ(y, expected[i].y) << "entry " << index;
    ASSERT_EQ(matcher.SubMatchText(index, 2), Fraction(expected[i].x)) << "entry " << index;
    ASSERT_EQ(matcher.SubMatchText(index, 4), Fraction(expected[i].y)) << "entry " << index;
    dark += word == "true";
  }
  EXPECT_GT(dark, 0u);
  EXPECT_LT(dark, expected.size());
}

TEST(GeneratePattern, ReadsEveryEntryOfAVersion1CellList) {
  ExpectEveryEntryReadBack("abc", 256, 256, 21);
}

TEST(GeneratePattern, ReadsEveryEntryOfAnUnevenSize) {
  ExpectEveryEntryReadBack("abc", 300, 200, 21);
}

TEST(GeneratePattern, ReadsEveryEntryOfALargerSymbol) {
  // 300 bytes at level H need version 18: 89 modules a side.
  ExpectEveryEntryReadBack(std::string(300, 'x'), 256, 256, 89);
}

TEST(GeneratePattern, ReadsEveryEntryOfAVersion40CellList) {
  ExpectEveryEntryReadBack(std::string(1273, '7'), 256, 256, 177);
}

}  // namespace
}  // namespace vantrel::script
