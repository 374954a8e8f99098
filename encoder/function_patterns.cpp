// Function patterns, format and version information.
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

namespace vantrel::encoder {

void SymbolModel::buildFunctionPatterns() {
  moduleCount_ = typeNumber_ * 4 + 17;
  modules_.assign(static_cast<std::size_t>(moduleCount_) * moduleCount_, UNSET);
  setupPositionProbePattern(0, 0);
  setupPositionProbePattern(moduleCount_ - 7, 0);
  setupPositionProbePattern(0, moduleCount_ - 7);
  setupPositionAdjustPattern();
  setupTimingPattern();
  setupTypeInfo(true, 0);
  if (typeNumber_ >= 7) setupTypeNumber(true);
  recordPlacement();
  functionPatterns_ = modules_;
}

void SymbolModel::setupPositionProbePattern(int row, int col) {
  for (int r = -1; r <= 7; ++r) {
    if (row + r <= -1 || moduleCount_ <= row + r) continue;
    for (int c = -1; c <= 7; ++c) {
      if (col + c <= -1 || moduleCount_ <= col + c) continue;
      const bool dark = (0 <= r && r <= 6 && (c == 0 || c == 6)) ||
                        (0 <= c && c <= 6 && (r == 0 || r == 6)) ||
                        (2 <= r && r <= 4 && 2 <= c && c <= 4);
      cell(row + r, col + c) = dark ? DARK : LIGHT;
    }
  }
}

void SymbolModel::setupPositionAdjustPattern() {
  const auto pos = SymbolRules::getPatternPosition(typeNumber_);
  for (const int row : pos) {
    for (const int col : pos) {
      if (cell(row, col) != UNSET) continue;
      for (int r = -2; r <= 2; ++r)
        for (int c = -2; c <= 2; ++c) {
          const bool dark = r == -2 || r == 2 || c == -2 || c == 2 || (r == 0 && c == 0);
          cell(row + r, col + c) = dark ? DARK : LIGHT;
        }
    }
  }
}

void SymbolModel::setupTimingPattern() {
  for (int r = 8; r < moduleCount_ - 8; ++r) {
    if (cell(r, 6) == UNSET) cell(r, 6) = r % 2 == 0 ? DARK : LIGHT;
  }
  for (int c = 8; c < moduleCount_ - 8; ++c) {
    if (cell(6, c) == UNSET) cell(6, c) = c % 2 == 0 ? DARK : LIGHT;
  }
}

void SymbolModel::setupTypeInfo(bool test, int maskPattern) {
  const int data = (errorCorrectLevel_ << 3) | maskPattern;
  const int bits = SymbolRules::getBCHTypeInfo(data);
  for (int i = 0; i < 15; ++i) {
    const std::uint8_t mod = !test && ((bits >> i) & 1) == 1 ? DARK : LIGHT;
    if (i < 6) {
      cell(i, 8) = mod;
    } else if (i < 8) {
      cell(i + 1, 8) = mod;
    } else {
      cell(moduleCount_ - 15 + i, 8) = mod;
    }
  }
  for (int i = 0; i < 15; ++i) {
    const std::uint8_t mod = !test && ((bits >> i) & 1) == 1 ? DARK : LIGHT;
    if (i < 8) {
      cell(8, moduleCount_ - 1 - i) = mod;
    } else if (i == 8) {
      cell(8, 7) = mod;
    } else {
      cell(8, 14 - i) = mod;
    }
  }
  cell(moduleCount_ - 8, 8) = test ? LIGHT : DARK;
}

void SymbolModel::setupTypeNumber(bool test) {
  const int bits = SymbolRules::getBCHTypeNumber(typeNumber_);
  for (int i = 0; i < 18; ++i) {
    const std::uint8_t mod = !test && ((bits >> i) & 1) == 1 ? DARK : LIGHT;
    cell(i / 3, moduleCount_ - 11 + i % 3) = mod;
    cell(moduleCount_ - 11 + i % 3, i / 3) = mod;
  }
}

}  // namespace vantrel::encoder
