#include "encoder/entry.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"
#include "tests/encoder/symbol_text.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrel::encoder {
namespace {

using testing::finishedModel;
using testing::rowsOf;

TEST(SymbolMatrix, BchCodes) {
  const int formats[] = {0x1689, 0x13BE, 0x1CE7, 0x19D0, 0x0762, 0x0255, 0x0D0C, 0x083B};
  for (int mask = 0; mask < 8; ++mask)
    EXPECT_EQ(SymbolRules::getBCHTypeInfo((2 << 3) | mask), formats[mask]) << mask;
  EXPECT_EQ(SymbolRules::getBCHTypeNumber(7), 0x07C94);
  EXPECT_EQ(SymbolRules::getBCHTypeNumber(40), 0x28C69);
  EXPECT_EQ(SymbolRules::getBCHDigit(0), 0);
  EXPECT_EQ(SymbolRules::getBCHDigit(1), 1);
  EXPECT_EQ(SymbolRules::getBCHDigit(SymbolRules::G15), 11);
  EXPECT_EQ(SymbolRules::getBCHDigit(SymbolRules::G18), 13);
}

TEST(SymbolMatrix, AbcFinalSymbol) {
  const std::vector<std::string> expected = {
      "111111101111101111111", "100000100101101000001", "101110100000101011101",
      "101110101001001011101", "101110100111101011101", "100000100000001000001",
      "111111101010101111111", "000000000100100000000", "001011101111110001001",
      "101111011110111001011", "011010101001101010011", "110011000101101000000",
      "010001111110111010001", "000000001111010101011", "111111100110001101011",
      "100000101100010111001", "101110101110010100101", "101110100011100000110",
      "101110101010100010001", "100000100110111000110", "111111100000101010111",
  };
  const SymbolModel model = finishedModel(u"abc", 1);
  EXPECT_EQ(rowsOf(model), expected);
  for (const std::uint8_t cell : model.modules()) ASSERT_LE(cell, SymbolModel::DARK);
}

TEST(SymbolMatrix, FormatInformationOfAbc) {
  SymbolModel model(1, 2);
  model.addData(u"abc");
  model.makeImpl(false, 0);
  std::string column8;
  std::string row8;
  for (int i = 0; i < 21; ++i) {
    column8 += model.isDark(i, 8) ? '1' : '0';
    row8 += model.isDark(8, i) ? '1' : '0';
  }
  EXPECT_EQ(column8, "100100101110110110100");
  EXPECT_EQ(row8, "001011101111110001001");
}

TEST(SymbolMatrix, VersionInformationOfVersion7) {
  const SymbolModel model = finishedModel(u"version seven", 7);
  ASSERT_EQ(model.getModuleCount(), 45);
  const std::vector<std::string> rows = rowsOf(model);
  const char* block[] = {"001", "010", "010", "011", "111", "000"};
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(rows[r].substr(34, 3), block[r]) << r;
    for (int c = 0; c < 3; ++c) EXPECT_EQ(rows[34 + c][r], block[r][c]) << r << "," << c;
  }
}

TEST(SymbolMatrix, FunctionPatterns) {
  const SymbolModel one = finishedModel(u"", 1);
  const std::vector<std::string> v1 = rowsOf(one);
  EXPECT_EQ(v1[6].substr(8, 5), "10101");  // timing
  for (int r = 8; r <= 12; ++r) EXPECT_EQ(v1[r][6], r % 2 == 0 ? '1' : '0');
  EXPECT_EQ(v1[13][8], '1');  // dark cell

  const std::vector<std::string> v7 = rowsOf(finishedModel(u"", 7));
  // Alignment patterns centred on the timing lines and in the middle.
  for (const auto& [row, col] : {std::pair{6, 22}, {22, 6}, {22, 22}, {22, 38}, {38, 22}}) {
    EXPECT_EQ(v7[row - 2].substr(col - 2, 5), "11111") << row << "," << col;
    EXPECT_EQ(v7[row - 1].substr(col - 2, 5), "10001") << row << "," << col;
    EXPECT_EQ(v7[row].substr(col - 2, 5), "10101") << row << "," << col;
  }
  EXPECT_EQ(v7[36].substr(36, 5), "11111");  // (38, 38) has one, the finder corners none
}

// The cells a test build leaves light: two format copies, the dark cell and, from version 7
// on, two version blocks.
std::set<int> reservedCells(int version) {
  const int n = 4 * version + 17;
  std::set<int> cells;
  for (int i = 0; i < 15; ++i) {
    cells.insert((i < 6 ? i : i < 8 ? i + 1 : n - 15 + i) * n + 8);
    cells.insert(8 * n + (i < 8 ? n - 1 - i : i == 8 ? 7 : 14 - i));
  }
  cells.insert((n - 8) * n + 8);
  if (version >= 7)
    for (int i = 0; i < 18; ++i) {
      cells.insert((i / 3) * n + n - 11 + i % 3);
      cells.insert((n - 11 + i % 3) * n + i / 3);
    }
  return cells;
}

TEST(SymbolMatrix, TestBuildDiffersOnlyInReservedCells) {
  for (const int version : {1, 6, 7, 21}) {
    const std::set<int> reserved = reservedCells(version);
    EXPECT_EQ(reserved.size(), version >= 7 ? 67u : 31u);
    SymbolModel model(version, 2);
    model.addData(u"cells");
    for (int mask = 0; mask < 8; ++mask) {
      model.makeImpl(true, mask);
      const std::vector<std::uint8_t> test(model.modules().begin(), model.modules().end());
      model.makeImpl(false, mask);
      for (std::size_t i = 0; i < test.size(); ++i) {
        if (reserved.count(static_cast<int>(i)) != 0) {
          ASSERT_EQ(test[i], SymbolModel::LIGHT) << version << " cell " << i;
        } else {
          ASSERT_EQ(test[i], model.modules()[i]) << version << " cell " << i;
        }
      }
    }
  }
}

// Under every mask a data cell holds the same unmasked bit, and function cells don't change.
TEST(SymbolMatrix, MasksInvertDataCellsByTheirConditions) {
  for (const int version : {1, 5, 12}) {
    SymbolModel model(version, 2);
    model.addData(u"masks");
    const int n = 4 * version + 17;
    std::vector<std::vector<std::uint8_t>> builds;
    for (int mask = 0; mask < 8; ++mask) {
      model.makeImpl(true, mask);
      builds.emplace_back(model.modules().begin(), model.modules().end());
    }
    std::size_t changing = 0;
    for (int i = 0; i < n * n; ++i) {
      bool allEqual = true;
      for (int mask = 1; mask < 8; ++mask) allEqual = allEqual && builds[mask][i] == builds[0][i];
      if (allEqual) continue;
      ++changing;
      const bool bit = (builds[0][i] != 0) != SymbolRules::getMask(0, i / n, i % n);
      for (int mask = 1; mask < 8; ++mask)
        ASSERT_EQ((builds[mask][i] != 0) != SymbolRules::getMask(mask, i / n, i % n), bit)
            << "version " << version << " mask " << mask << " cell " << i;
    }
    EXPECT_GT(changing, model.dataCellCount() * 9 / 10);
  }
}

TEST(SymbolMatrix, IsDarkOutsideTheMatrix) {
  SymbolModel model(1, 2);
  model.addData(u"abc");
  EXPECT_THROW(model.isDark(0, 0), EncoderError);  // before the first build
  model.make();
  try {
    model.isDark(21, 0);
    ADD_FAILURE();
  } catch (const EncoderError& error) {
    EXPECT_STREQ(error.what(), "21,0");
  }
  EXPECT_THROW(model.isDark(0, -1), EncoderError);
  EXPECT_NO_THROW(model.isDark(20, 20));
}

TEST(SymbolMatrix, RefusesVersionsAndMasksWithoutTables) {
  EXPECT_THROW(SymbolModel(0, 2), EncoderError);
  EXPECT_THROW(SymbolModel(41, 2), EncoderError);
  SymbolModel model(1, 2);
  model.addData(u"abc");
  EXPECT_THROW(model.makeImpl(false, 8), EncoderError);
  EXPECT_THROW(model.makeImpl(true, -1), EncoderError);
  SymbolModel badLevel(1, 7);
  badLevel.addData(u"abc");
  EXPECT_THROW(badLevel.make(), EncoderError);  // no block row for the level
}

}  // namespace
}  // namespace vantrel::encoder
