#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel::encoder {
namespace {

struct Contributions {
  int neighbour = 0;
  int block = 0;
  int pattern = 0;
  double balance = 0;
  double total() const {
    double sum = 0;
    sum += neighbour;
    sum += block;
    sum += pattern;
    sum += balance;
    return sum;
  }
};

// The four rules read literally, cell by cell through isDark.
Contributions referenceLostPoint(const SymbolModel& model) {
  const int n = model.getModuleCount();
  Contributions c;
  for (int row = 0; row < n; ++row)
    for (int col = 0; col < n; ++col) {
      int sameCount = 0;
      const bool dark = model.isDark(row, col);
      for (int r = -1; r <= 1; ++r)
        for (int k = -1; k <= 1; ++k) {
          if (row + r < 0 || n <= row + r || col + k < 0 || n <= col + k) continue;
          if (r == 0 && k == 0) continue;
          if (dark == model.isDark(row + r, col + k)) ++sameCount;
        }
      if (sameCount > 5) c.neighbour += 3 + sameCount - 5;
    }
  for (int row = 0; row < n - 1; ++row)
    for (int col = 0; col < n - 1; ++col) {
      const int count = model.isDark(row, col) + model.isDark(row + 1, col) +
                        model.isDark(row, col + 1) + model.isDark(row + 1, col + 1);
      if (count == 0 || count == 4) c.block += 3;
    }
  const bool finder[] = {true, false, true, true, true, false, true};
  for (int row = 0; row < n; ++row)
    for (int col = 0; col < n - 6; ++col) {
      bool horizontal = true;
      bool vertical = true;
      for (int i = 0; i < 7; ++i) {
        horizontal = horizontal && model.isDark(row, col + i) == finder[i];
        vertical = vertical && model.isDark(col + i, row) == finder[i];
      }
      c.pattern += (horizontal ? 40 : 0) + (vertical ? 40 : 0);
    }
  int darkCount = 0;
  for (int row = 0; row < n; ++row)
    for (int col = 0; col < n; ++col) darkCount += model.isDark(row, col);
  c.balance = std::abs(100.0 * darkCount / n / n - 50) / 5 * 10;
  return c;
}

TEST(MaskSelection, AbcScores) {
  SymbolModel model(1, 2);
  model.addData(u"abc");
  const double expected[] = {1135.5873, 1422.5873, 1182.5646, 1241.9365,
                             1220.3084, 1300.6576, 1310.2154, 1189.4943};
  for (int mask = 0; mask < 8; ++mask) {
    model.makeImpl(true, mask);
    EXPECT_NEAR(SymbolRules::getLostPoint(model), expected[mask], 0.00005) << mask;
  }
  model.makeImpl(true, 0);
  const Contributions c = referenceLostPoint(model);
  EXPECT_EQ(c.neighbour, 194);
  EXPECT_EQ(c.block, 180);
  EXPECT_EQ(c.pattern, 760);
  EXPECT_EQ(c.balance, 1.5873015873015959);
  EXPECT_EQ(SymbolRules::getLostPoint(model), c.total());
  EXPECT_EQ(model.getBestMaskPattern(), 0);
}

TEST(MaskSelection, ScoreEqualsLiteralReadingOfTheRules) {
  const std::pair<int, std::u16string> contents[] = {
      {1, u""}, {2, u"0123456789"}, {6, u"sixth"}, {7, std::u16string(30, u'\u00E4')},
      {13, std::u16string(150, u'#')}, {40, std::u16string(1273, u'z')}};
  for (const auto& [version, text] : contents) {
    SymbolModel model(version, 2);
    model.addData(text);
    for (int mask = 0; mask < 8; ++mask) {
      model.makeImpl(mask % 2 == 0, mask);  // final builds too: the rules read any matrix
      ASSERT_EQ(SymbolRules::getLostPoint(model), referenceLostPoint(model).total())
          << "version " << version << " mask " << mask;
    }
  }
}

TEST(MaskSelection, FinalBuildUsesTheLowestScore) {
  for (const int version : {3, 9}) {
    SymbolModel model(version, 2);
    model.addData(u"lowest score wins");
    double best = 0;
    int bestMask = -1;
    for (int mask = 0; mask < 8; ++mask) {
      model.makeImpl(true, mask);
      const double score = referenceLostPoint(model).total();
      if (bestMask < 0 || score < best) best = score, bestMask = mask;
    }
    EXPECT_EQ(model.getBestMaskPattern(), bestMask);
    model.make();
    const std::vector<std::uint8_t> made(model.modules().begin(), model.modules().end());
    model.makeImpl(false, bestMask);
    EXPECT_TRUE(std::equal(made.begin(), made.end(), model.modules().begin())) << version;
  }
}

}  // namespace
}  // namespace vantrel::encoder
