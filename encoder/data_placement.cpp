// Placing the codewords in the matrix: the zigzag walk over the cells the function
// patterns leave free, with the data mask applied.
#include "encoder/entry.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

#include <string>

namespace vantrel::encoder {
namespace {

// The mask conditions again, as compile-time choices, so the placement loop has no switch
// per cell; they must agree with SymbolRules::getMask (the tests compare them).
template <int Mask>
bool maskHolds(int i, int j) {
  if constexpr (Mask == 0) return (i + j) % 2 == 0;
  if constexpr (Mask == 1) return i % 2 == 0;
  if constexpr (Mask == 2) return j % 3 == 0;
  if constexpr (Mask == 3) return (i + j) % 3 == 0;
  if constexpr (Mask == 4) return (i / 2 + j / 3) % 2 == 0;
  if constexpr (Mask == 5) return (i * j) % 2 + (i * j) % 3 == 0;
  if constexpr (Mask == 6) return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
  if constexpr (Mask == 7) return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
}

template <int Mask>
void place(std::span<std::uint8_t> modules, int moduleCount, std::span<const std::uint16_t> rows,
           std::span<const std::uint16_t> cols, std::span<const std::uint8_t> data) {
  const std::size_t dataBits = data.size() * 8;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    // Remainder cells past the last codeword take 0 bits.
    const bool bit = k < dataBits && ((data[k / 8] >> (7 - k % 8)) & 1) != 0;
    const int row = rows[k];
    const int col = cols[k];
    modules[static_cast<std::size_t>(row) * moduleCount + col] =
        bit != maskHolds<Mask>(row, col) ? SymbolModel::DARK : SymbolModel::LIGHT;
  }
}

}  // namespace

void SymbolModel::recordPlacement() {
  placementRows_.clear();
  placementCols_.clear();
  int inc = -1;
  int row = moduleCount_ - 1;
  for (int col = moduleCount_ - 1; col > 0; col -= 2) {
    if (col == 6) col -= 1;
    while (true) {
      for (int c = 0; c < 2; ++c) {
        if (cell(row, col - c) != UNSET) continue;
        placementRows_.push_back(static_cast<std::uint16_t>(row));
        placementCols_.push_back(static_cast<std::uint16_t>(col - c));
      }
      row += inc;
      if (row < 0 || moduleCount_ <= row) {
        row -= inc;
        inc = -inc;
        break;
      }
    }
  }
}

void SymbolModel::mapData(std::span<const std::uint8_t> data, int maskPattern) {
  const std::span<std::uint8_t> m(modules_);
  switch (maskPattern) {
    case 0: return place<0>(m, moduleCount_, placementRows_, placementCols_, data);
    case 1: return place<1>(m, moduleCount_, placementRows_, placementCols_, data);
    case 2: return place<2>(m, moduleCount_, placementRows_, placementCols_, data);
    case 3: return place<3>(m, moduleCount_, placementRows_, placementCols_, data);
    case 4: return place<4>(m, moduleCount_, placementRows_, placementCols_, data);
    case 5: return place<5>(m, moduleCount_, placementRows_, placementCols_, data);
    case 6: return place<6>(m, moduleCount_, placementRows_, placementCols_, data);
    case 7: return place<7>(m, moduleCount_, placementRows_, placementCols_, data);
    default: throw EncoderError("bad maskPattern:" + std::to_string(maskPattern));
  }
}

}  // namespace vantrel::encoder
