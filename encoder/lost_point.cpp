// The encoder's own penalty score. It reads the matrix row by row in plain loops over bytes
// (which the compiler vectorises) instead of asking isDark cell by cell; the tests hold it
// against a literal cell-by-cell reading.
#include <cmath>
#include <cstdint>
#include <vector>

#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

namespace vantrel::encoder {
namespace {

// Cells with more than five equal neighbours add (count - 2); only interior cells have eight.
int neighbourRule(const std::uint8_t* m, int n) {
  int lostPoint = 0;
  std::vector<std::uint8_t> columnSums(static_cast<std::size_t>(n));
  for (int row = 1; row < n - 1; ++row) {
    const std::uint8_t* above = m + (row - 1) * n;
    const std::uint8_t* here = m + row * n;
    const std::uint8_t* below = m + (row + 1) * n;
    for (int col = 0; col < n; ++col)
      columnSums[col] = static_cast<std::uint8_t>(above[col] + here[col] + below[col]);
    for (int col = 1; col < n - 1; ++col) {
      const int darkNeighbours = columnSums[col - 1] + columnSums[col] + columnSums[col + 1] - here[col];
      const int sameCount = here[col] != 0 ? darkNeighbours : 8 - darkNeighbours;
      if (sameCount > 5) lostPoint += 3 + (sameCount - 5);
    }
  }
  return lostPoint;
}

int blockRule(const std::uint8_t* m, int n) {
  int lostPoint = 0;
  for (int row = 0; row < n - 1; ++row) {
    const std::uint8_t* top = m + row * n;
    const std::uint8_t* bottom = top + n;
    for (int col = 0; col < n - 1; ++col) {
      const int count = top[col] + top[col + 1] + bottom[col] + bottom[col + 1];
      if (count == 0 || count == 4) lostPoint += 3;
    }
  }
  return lostPoint;
}

// dark, light, dark, dark, dark, light, dark at seven cells `step` apart.
inline bool finderLike(const std::uint8_t* p, int step) {
  return (p[0] & (p[step] ^ 1) & p[2 * step] & p[3 * step] & p[4 * step] & (p[5 * step] ^ 1) &
          p[6 * step]) != 0;
}

int patternRule(const std::uint8_t* m, int n) {
  int count = 0;
  for (int row = 0; row < n; ++row)
    for (int col = 0; col < n - 6; ++col) count += finderLike(m + row * n + col, 1);
  for (int row = 0; row < n - 6; ++row)
    for (int col = 0; col < n; ++col) count += finderLike(m + row * n + col, n);
  return count * 40;
}

int darkCount(const std::uint8_t* m, int n) {
  int count = 0;
  for (int i = 0; i < n * n; ++i) count += m[i];
  return count;
}

}  // namespace

double SymbolRules::getLostPoint(const SymbolModel& qrCode) {
  const int n = qrCode.getModuleCount();
  const std::uint8_t* m = qrCode.modules().data();
  double lostPoint = 0;
  lostPoint += neighbourRule(m, n);
  lostPoint += blockRule(m, n);
  lostPoint += patternRule(m, n);
  const double ratio = std::abs(100.0 * darkCount(m, n) / n / n - 50) / 5;
  lostPoint += ratio * 10;
  return lostPoint;
}

}  // namespace vantrel::encoder
