#pragma once
// Symbols as text in tests: one string of 0/1 per row (1 dark), and the content of a version's
// exact capacity.
#include <string>
#include <vector>

#include "encoder/symbol_model.h"

namespace vantrel::encoder::testing {

inline std::vector<std::string> rowsOf(const SymbolModel& model) {
  std::vector<std::string> rows;
  for (int r = 0; r < model.getModuleCount(); ++r) {
    std::string row;
    for (int c = 0; c < model.getModuleCount(); ++c) row += model.isDark(r, c) ? '1' : '0';
    rows.push_back(row);
  }
  return rows;
}

inline SymbolModel finishedModel(std::u16string_view text, int typeNumber) {
  SymbolModel model(typeNumber, 2);
  model.addData(text);
  model.make();
  return model;
}

}  // namespace vantrel::encoder::testing
