#pragma once
// The block structure of every version and level.
#include <array>
#include <vector>

namespace vantrel::encoder {

struct EcBlock {
  int totalCount;
  int dataCount;
  bool operator==(const EcBlock&) const = default;
};

// Row 4*(version-1) + level offset (L, M, Q, H). A row holds one or two triples (count,
// total codewords, data codewords); a missing second triple is all zeros.
extern const std::array<std::array<int, 6>, 160> RS_BLOCK_TABLE;

// Throws EncoderError "bad rs block @ typeNumber:v/errorCorrectLevel:l" when the pair has
// no row.
std::vector<EcBlock> getRSBlocks(int typeNumber, int errorCorrectLevel);

}  // namespace vantrel::encoder
