// Reed-Solomon codewords per block and the interleaved codeword sequence.
#include <algorithm>
#include <map>

#include "encoder/gf_polynomial.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

namespace vantrel::encoder {

std::vector<std::uint8_t> SymbolModel::createBytes(const BitWriter& buffer,
                                                   std::span<const EcBlock> rsBlocks) {
  const std::vector<std::uint8_t>& stream = buffer.getBuffer();
  std::size_t offset = 0;
  int maxDcCount = 0;
  int maxEcCount = 0;
  std::vector<std::vector<int>> dcdata(rsBlocks.size());
  std::vector<std::vector<int>> ecdata(rsBlocks.size());
  // A symbol has at most two block sizes and one error-correction length.
  std::map<int, GfPolynomial> generators;

  for (std::size_t r = 0; r < rsBlocks.size(); ++r) {
    const int dcCount = rsBlocks[r].dataCount;
    const int ecCount = rsBlocks[r].totalCount - dcCount;
    maxDcCount = std::max(maxDcCount, dcCount);
    maxEcCount = std::max(maxEcCount, ecCount);

    dcdata[r].resize(static_cast<std::size_t>(dcCount));
    for (int i = 0; i < dcCount; ++i)
      dcdata[r][i] = offset + i < stream.size() ? stream[offset + i] : 0;
    offset += static_cast<std::size_t>(dcCount);

    auto generator = generators.find(ecCount);
    if (generator == generators.end())
      generator =
          generators.emplace(ecCount, SymbolRules::getErrorCorrectPolynomial(ecCount)).first;
    const GfPolynomial rawPoly(dcdata[r], generator->second.getLength() - 1);
    const GfPolynomial modPoly = rawPoly.mod(generator->second);

    ecdata[r].resize(static_cast<std::size_t>(generator->second.getLength() - 1));
    const int ecLength = static_cast<int>(ecdata[r].size());
    for (int i = 0; i < ecLength; ++i) {
      const int modIndex = i + modPoly.getLength() - ecLength;
      ecdata[r][i] = modIndex >= 0 ? modPoly.get(modIndex) : 0;
    }
  }

  std::size_t totalCodeCount = 0;
  for (const EcBlock& block : rsBlocks) totalCodeCount += static_cast<std::size_t>(block.totalCount);
  std::vector<std::uint8_t> data;
  data.reserve(totalCodeCount);
  for (int i = 0; i < maxDcCount; ++i)
    for (const auto& block : dcdata)
      if (i < static_cast<int>(block.size())) data.push_back(static_cast<std::uint8_t>(block[i]));
  for (int i = 0; i < maxEcCount; ++i)
    for (const auto& block : ecdata)
      if (i < static_cast<int>(block.size())) data.push_back(static_cast<std::uint8_t>(block[i]));
  return data;
}

}  // namespace vantrel::encoder
