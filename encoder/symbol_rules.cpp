#include "encoder/symbol_rules.h"

#include <bit>
#include <string>

#include "encoder/byte_segment.h"
#include "encoder/entry.h"
#include "encoder/gf256.h"

namespace vantrel::encoder {

const std::array<std::array<std::uint8_t, 7>, 40> SymbolRules::PATTERN_POSITION_TABLE = {{
    {},
    {6, 18},
    {6, 22},
    {6, 26},
    {6, 30},
    {6, 34},
    {6, 22, 38},
    {6, 24, 42},
    {6, 26, 46},
    {6, 28, 50},
    {6, 30, 54},
    {6, 32, 58},
    {6, 34, 62},
    {6, 26, 46, 66},
    {6, 26, 48, 70},
    {6, 26, 50, 74},
    {6, 30, 54, 78},
    {6, 30, 56, 82},
    {6, 30, 58, 86},
    {6, 34, 62, 90},
    {6, 28, 50, 72, 94},
    {6, 26, 50, 74, 98},
    {6, 30, 54, 78, 102},
    {6, 28, 54, 80, 106},
    {6, 32, 58, 84, 110},
    {6, 30, 58, 86, 114},
    {6, 34, 62, 90, 118},
    {6, 26, 50, 74, 98, 122},
    {6, 30, 54, 78, 102, 126},
    {6, 26, 52, 78, 104, 130},
    {6, 30, 56, 82, 108, 134},
    {6, 34, 60, 86, 112, 138},
    {6, 30, 58, 86, 114, 142},
    {6, 34, 62, 90, 118, 146},
    {6, 30, 54, 78, 102, 126, 150},
    {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158},
    {6, 32, 58, 84, 110, 136, 162},
    {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
}};

int SymbolRules::getBCHDigit(int data) {
  return std::bit_width(static_cast<unsigned>(data));
}

int SymbolRules::getBCHTypeInfo(int data) {
  int d = data << 10;
  while (getBCHDigit(d) - getBCHDigit(G15) >= 0) d ^= G15 << (getBCHDigit(d) - getBCHDigit(G15));
  return ((data << 10) | d) ^ G15_MASK;
}

int SymbolRules::getBCHTypeNumber(int data) {
  int d = data << 12;
  while (getBCHDigit(d) - getBCHDigit(G18) >= 0) d ^= G18 << (getBCHDigit(d) - getBCHDigit(G18));
  return (data << 12) | d;
}

std::span<const std::uint8_t> SymbolRules::getPatternPosition(int typeNumber) {
  const auto& row = PATTERN_POSITION_TABLE.at(static_cast<std::size_t>(typeNumber - 1));
  std::size_t count = 0;
  while (count < row.size() && row[count] != 0) ++count;
  return std::span<const std::uint8_t>(row.data(), count);
}

bool SymbolRules::getMask(int maskPattern, int i, int j) {
  switch (maskPattern) {
    case MaskPattern::PATTERN000: return (i + j) % 2 == 0;
    case MaskPattern::PATTERN001: return i % 2 == 0;
    case MaskPattern::PATTERN010: return j % 3 == 0;
    case MaskPattern::PATTERN011: return (i + j) % 3 == 0;
    case MaskPattern::PATTERN100: return (i / 2 + j / 3) % 2 == 0;
    case MaskPattern::PATTERN101: return (i * j) % 2 + (i * j) % 3 == 0;
    case MaskPattern::PATTERN110: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    case MaskPattern::PATTERN111: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    default: throw EncoderError("bad maskPattern:" + std::to_string(maskPattern));
  }
}

int SymbolRules::getLengthInBits(int mode, int type) {
  int range = 0;
  if (1 <= type && type < 10) {
    range = 0;
  } else if (type < 27) {
    range = 1;
  } else if (type < 41) {
    range = 2;
  } else {
    throw EncoderError("type:" + std::to_string(type));
  }
  switch (mode) {
    case SegmentMode::MODE_NUMBER: return std::array{10, 12, 14}[range];
    case SegmentMode::MODE_ALPHA_NUM: return std::array{9, 11, 13}[range];
    case SegmentMode::MODE_8BIT_BYTE: return std::array{8, 16, 16}[range];
    case SegmentMode::MODE_KANJI: return std::array{8, 10, 12}[range];
    default: throw EncoderError("mode:" + std::to_string(mode));
  }
}

GfPolynomial SymbolRules::getErrorCorrectPolynomial(int errorCorrectLength) {
  const int one[] = {1};
  GfPolynomial a(one, 0);
  for (int i = 0; i < errorCorrectLength; ++i) {
    const int factor[] = {1, Gf256::gexp(i)};
    a = a.multiply(GfPolynomial(factor, 0));
  }
  return a;
}

}  // namespace vantrel::encoder
