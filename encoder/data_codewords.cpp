// The data codewords: segment header, content bytes, terminator and pad codewords.
#include <string>

#include "encoder/entry.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

namespace vantrel::encoder {

std::vector<std::uint8_t> SymbolModel::createData(int typeNumber, int errorCorrectLevel,
                                                  std::span<const ByteSegment> dataList) {
  const std::vector<EcBlock> rsBlocks = getRSBlocks(typeNumber, errorCorrectLevel);
  BitWriter buffer;
  for (const ByteSegment& data : dataList) {
    buffer.put(static_cast<std::uint32_t>(data.mode()), 4);
    buffer.put(static_cast<std::uint32_t>(data.getLength()),
               SymbolRules::getLengthInBits(data.mode(), typeNumber));
    data.write(buffer);
  }
  std::size_t totalDataCount = 0;
  for (const EcBlock& block : rsBlocks) totalDataCount += static_cast<std::size_t>(block.dataCount);
  const std::size_t capacity = totalDataCount * 8;

  if (buffer.getLengthInBits() > capacity)
    throw EncoderError("code length overflow. (" + std::to_string(buffer.getLengthInBits()) + ">" +
                       std::to_string(capacity) + ")");
  if (buffer.getLengthInBits() + 4 <= capacity) buffer.put(0, 4);
  while (buffer.getLengthInBits() % 8 != 0) buffer.putBit(false);
  while (true) {
    if (buffer.getLengthInBits() >= capacity) break;
    buffer.put(PAD0, 8);
    if (buffer.getLengthInBits() >= capacity) break;
    buffer.put(PAD1, 8);
  }
  return createBytes(buffer, rsBlocks);
}

}  // namespace vantrel::encoder
