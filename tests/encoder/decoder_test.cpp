// ZXing-C++ reads our symbols back: the strongest check that the codewords, the layout and
// the masks are what the standard says.
#include "encoder/capacity_table.h"
#include "encoder/content_bytes.h"
#include "encoder/version_search.h"
#include "tests/encoder/symbol_text.h"
#include "tests/support/qr_reader.h"

#include <gtest/gtest.h>

namespace vantrel::encoder {
namespace {

std::vector<std::vector<bool>> matrixOf(const SymbolModel& model) {
  std::vector<std::vector<bool>> rows;
  for (int r = 0; r < model.getModuleCount(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < model.getModuleCount(); ++c) rows.back().push_back(model.isDark(r, c));
  }
  return rows;
}

void expectDecodes(std::u16string_view text, int expectedVersion) {
  const int version = findTypeNumber(text, 2);
  ASSERT_EQ(version, expectedVersion);
  const SymbolModel model = testing::finishedModel(text, version);
  const auto decoded = vantrel::testing::DecodeMatrix(matrixOf(model), 3, 4);
  ASSERT_TRUE(decoded.has_value()) << "version " << version;
  EXPECT_EQ(*decoded, contentBytes(text)) << "version " << version;
}

// Exactly the version's capacity: ASCII in odd versions, Chinese with the prefix in even ones.
std::u16string fullContent(int version) {
  const int capacity = CAPACITY_TABLE[version - 1][3];
  std::u16string text;
  if (version % 2 == 1) {
    for (int i = 0; i < capacity; ++i) text += static_cast<char16_t>(u'!' + (i * 7 + version) % 90);
    return text;
  }
  const int chinese = (capacity - 3) / 3;
  for (int i = 0; i < chinese; ++i) text += static_cast<char16_t>(0x4E00 + (i * 31 + version) % 0x5000);
  text.append(static_cast<std::size_t>(capacity - 3 - 3 * chinese), u'#');
  return text;
}

TEST(Decoder, ReadsEveryVersionAtFullCapacity) {
  for (int version = 1; version <= 40; ++version) {
    const std::u16string text = fullContent(version);
    ASSERT_EQ(getContentLength(text), static_cast<std::size_t>(CAPACITY_TABLE[version - 1][3]));
    expectDecodes(text, version);
  }
}

TEST(Decoder, ReadsChineseAndEmoji) {
  expectDecodes(u"\u4E8C\u7EF4\u7801\u751F\u6210\u5668", 3);  // 3 + 18 bytes
  expectDecodes(u"smile \U0001F600 ok", 3);  // 3 + 13 bytes
  expectDecodes(u"", 1);
  // Surrogate pairs up to the last byte of version 40: 3 + 4 * 317 + 2.
  std::u16string emoji;
  for (int i = 0; i < 317; ++i) emoji += u"\U0001F600";
  expectDecodes(emoji + u"ab", 40);
}

}  // namespace
}  // namespace vantrel::encoder
