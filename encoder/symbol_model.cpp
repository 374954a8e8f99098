#include "encoder/symbol_model.h"

#include <string>

#include "encoder/entry.h"
#include "encoder/symbol_rules.h"

namespace vantrel::encoder {

SymbolModel::SymbolModel(int typeNumber, int errorCorrectLevel)
    : typeNumber_(typeNumber), errorCorrectLevel_(errorCorrectLevel) {
  // The tables have rows for versions 1 to 40 only.
  if (typeNumber < 1 || typeNumber > 40) throw EncoderError("type:" + std::to_string(typeNumber));
}

void SymbolModel::addData(std::u16string_view data) {
  dataList_.emplace_back(data);
  dataCache_.clear();
}

bool SymbolModel::isDark(int row, int col) const {
  if (row < 0 || moduleCount_ <= row || col < 0 || moduleCount_ <= col)
    throw EncoderError(std::to_string(row) + "," + std::to_string(col));
  return modules_[row * moduleCount_ + col] == DARK;
}

void SymbolModel::makeImpl(bool test, int maskPattern) {
  // Refused before the format information is computed from it.
  if (maskPattern < 0 || maskPattern > 7)
    throw EncoderError("bad maskPattern:" + std::to_string(maskPattern));
  if (functionPatterns_.empty()) buildFunctionPatterns();
  modules_ = functionPatterns_;
  if (!test) {
    setupTypeInfo(false, maskPattern);
    if (typeNumber_ >= 7) setupTypeNumber(false);
  }
  if (dataCache_.empty()) dataCache_ = createData(typeNumber_, errorCorrectLevel_, dataList_);
  mapData(dataCache_, maskPattern);
}

int SymbolModel::getBestMaskPattern() {
  double minLostPoint = 0;
  int pattern = 0;
  for (int i = 0; i < 8; ++i) {
    makeImpl(true, i);
    const double lostPoint = SymbolRules::getLostPoint(*this);
    if (i == 0 || minLostPoint > lostPoint) {
      minLostPoint = lostPoint;
      pattern = i;
    }
  }
  return pattern;
}

void SymbolModel::make() { makeImpl(false, getBestMaskPattern()); }

}  // namespace vantrel::encoder
