#include "encoder/capacity_table.h"
#include "encoder/rs_block.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

#include <gtest/gtest.h>

namespace vantrel::encoder {
namespace {

constexpr int kLevels[] = {1, 0, 3, 2};  // L, M, Q, H: the tables' column order

int dataCodewords(const std::vector<EcBlock>& blocks) {
  int sum = 0;
  for (const EcBlock& b : blocks) sum += b.dataCount;
  return sum;
}

int totalCodewords(const std::vector<EcBlock>& blocks) {
  int sum = 0;
  for (const EcBlock& b : blocks) sum += b.totalCount;
  return sum;
}

int remainderBits(int version) {
  if (version >= 2 && version <= 6) return 7;
  if ((version >= 14 && version <= 20) || (version >= 28 && version <= 34)) return 3;
  if (version >= 21 && version <= 27) return 4;
  return 0;
}

TEST(Tables, CapacityFollowsFromBlockTable) {
  for (int version = 1; version <= 40; ++version) {
    const int countBits = version <= 9 ? 8 : 16;
    for (int column = 0; column < 4; ++column) {
      const int d = dataCodewords(getRSBlocks(version, kLevels[column]));
      EXPECT_EQ(CAPACITY_TABLE[version - 1][column], (8 * d - 4 - countBits) / 8)
          << "version " << version << " column " << column;
    }
  }
}

TEST(Tables, BlockRowsAreWellFormed) {
  for (int version = 1; version <= 40; ++version) {
    int total = -1;
    for (const int level : kLevels) {
      const std::vector<EcBlock> blocks = getRSBlocks(version, level);
      ASSERT_FALSE(blocks.empty());
      const int ec = blocks.front().totalCount - blocks.front().dataCount;
      for (const EcBlock& b : blocks) {
        EXPECT_EQ(b.totalCount - b.dataCount, ec) << version << "/" << level;
        EXPECT_TRUE(b.totalCount == blocks.front().totalCount ||
                    b.totalCount == blocks.front().totalCount + 1)
            << version << "/" << level;
      }
      // Every level of a version fills the same data area.
      if (total < 0) total = totalCodewords(blocks);
      EXPECT_EQ(totalCodewords(blocks), total) << version << "/" << level;
    }
  }
}

TEST(Tables, LevelHRows) {
  const int blockCounts[] = {1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16,
                             18, 16, 19, 21, 25, 25, 25, 34, 30, 32, 35, 37, 40, 42,
                             45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81};
  const int ecPerBlock[] = {17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24,
                            24, 30, 28, 28, 26, 28, 30, 24, 30};
  const int data[] = {9,   16,  26,  36,  46,  60,  66,  86,  100, 122, 140, 158, 180, 197,
                      223, 253, 283, 313, 341, 385, 406, 442, 464, 514, 538, 596, 628, 661,
                      701, 745, 793, 845, 901, 961, 986, 1054, 1096, 1142, 1222, 1276};
  for (int version = 1; version <= 40; ++version) {
    const std::vector<EcBlock> blocks = getRSBlocks(version, 2);
    EXPECT_EQ(static_cast<int>(blocks.size()), blockCounts[version - 1]) << version;
    const int ec = version <= 23 ? ecPerBlock[version - 1] : 30;
    EXPECT_EQ(blocks.front().totalCount - blocks.front().dataCount, ec) << version;
    EXPECT_EQ(dataCodewords(blocks), data[version - 1]) << version;
  }
  std::vector<EcBlock> version15(11, EcBlock{36, 12});
  version15.insert(version15.end(), 7, EcBlock{37, 13});
  EXPECT_EQ(getRSBlocks(15, 2), version15);
  EXPECT_EQ(totalCodewords(version15), 655);
}

TEST(Tables, TellingRows) {
  struct Case {
    int line;
    int version;
    int level;
    std::array<int, 6> row;
  };
  const Case cases[] = {
      {__LINE__, 1, 1, {1, 26, 19}},  {__LINE__, 1, 2, {1, 26, 9}},
      {__LINE__, 2, 2, {1, 44, 16}},  {__LINE__, 5, 2, {2, 33, 11, 2, 34, 12}},
      {__LINE__, 10, 2, {6, 43, 15, 2, 44, 16}}, {__LINE__, 15, 1, {5, 109, 87, 1, 110, 88}},
      {__LINE__, 15, 2, {11, 36, 12, 7, 37, 13}}, {__LINE__, 40, 1, {19, 148, 118, 6, 149, 119}},
      {__LINE__, 40, 2, {20, 45, 15, 61, 46, 16}},
  };
  const int offset[] = {1, 0, 3, 2};  // level code -> column
  for (const Case& c : cases)
    EXPECT_EQ(RS_BLOCK_TABLE[4 * (c.version - 1) + offset[c.level]], c.row) << "line " << c.line;

  const std::array<int, 4> capacities[] = {{17, 14, 11, 7},        {32, 26, 20, 14},
                                           {230, 180, 130, 98},    {271, 213, 151, 119},
                                           {458, 362, 258, 194},   {520, 412, 292, 220},
                                           {1367, 1059, 751, 593}, {1465, 1125, 805, 625},
                                           {2953, 2331, 1663, 1273}};
  const int versions[] = {1, 2, 9, 10, 14, 15, 26, 27, 40};
  for (std::size_t i = 0; i < std::size(versions); ++i)
    EXPECT_EQ(CAPACITY_TABLE[versions[i] - 1], capacities[i]) << versions[i];
}

TEST(Tables, AlignmentPositions) {
  using P = std::vector<int>;
  const auto row = [](int version) {
    const auto span = SymbolRules::getPatternPosition(version);
    return P(span.begin(), span.end());
  };
  EXPECT_EQ(row(1), P{});
  EXPECT_EQ(row(2), (P{6, 18}));
  EXPECT_EQ(row(6), (P{6, 34}));
  EXPECT_EQ(row(7), (P{6, 22, 38}));
  EXPECT_EQ(row(14), (P{6, 26, 46, 66}));
  EXPECT_EQ(row(32), (P{6, 34, 60, 86, 112, 138}));
  EXPECT_EQ(row(40), (P{6, 30, 58, 86, 114, 142, 170}));
  for (int version = 2; version <= 40; ++version) {
    const P p = row(version);
    EXPECT_EQ(static_cast<int>(p.size()), version / 7 + 2) << version;
    EXPECT_EQ(p.back(), 4 * version + 10) << version;  // 6 from the far edge
  }
}

// Codewords and remainder bits fill exactly the cells the function patterns leave free.
TEST(Tables, CodewordsFillTheDataArea) {
  for (int version = 1; version <= 40; ++version) {
    const int n = 4 * version + 17;
    const int a = version == 1 ? 0 : version / 7 + 2;
    const int alignment = version == 1 ? 0 : (a * a - 3) * 25 - 2 * (a - 2) * 5;
    const int functionCells =
        3 * 64 + 2 * (n - 16) + alignment + 31 + (version >= 7 ? 36 : 0);
    const int expected = 8 * totalCodewords(getRSBlocks(version, 2)) + remainderBits(version);
    EXPECT_EQ(n * n - functionCells, expected) << version;

    SymbolModel model(version, 2);
    model.addData(u"");
    model.makeImpl(true, 0);
    EXPECT_EQ(model.dataCellCount(), static_cast<std::size_t>(expected)) << version;
  }
  const std::pair<int, int> examples[] = {{1, 208}, {2, 359}, {7, 1568}, {40, 29648}};
  for (const auto& [version, cells] : examples) {
    SymbolModel model(version, 2);
    model.addData(u"x");
    model.makeImpl(false, 3);
    EXPECT_EQ(model.dataCellCount(), static_cast<std::size_t>(cells)) << version;
  }
}

}  // namespace
}  // namespace vantrel::encoder
