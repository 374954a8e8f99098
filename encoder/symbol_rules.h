#pragma once
// The shared rules and tables of the symbol: BCH codes of the format and version
// information, alignment-pattern positions, data masks, character-count widths, generator
// polynomials and the encoder's own penalty score.
#include <array>
#include <cstdint>
#include <span>

#include "encoder/gf_polynomial.h"

namespace vantrel::encoder {

class SymbolModel;

struct MaskPattern {
  static constexpr int PATTERN000 = 0;
  static constexpr int PATTERN001 = 1;
  static constexpr int PATTERN010 = 2;
  static constexpr int PATTERN011 = 3;
  static constexpr int PATTERN100 = 4;
  static constexpr int PATTERN101 = 5;
  static constexpr int PATTERN110 = 6;
  static constexpr int PATTERN111 = 7;
};

struct SymbolRules {
  // Alignment-pattern centres (rows and columns alike) of version v in row v - 1; at most
  // seven per version, unused entries 0.
  static const std::array<std::array<std::uint8_t, 7>, 40> PATTERN_POSITION_TABLE;

  static constexpr int G15 = 0x537;
  static constexpr int G18 = 0x1F25;
  static constexpr int G15_MASK = 0x5412;

  static int getBCHTypeInfo(int data);
  static int getBCHTypeNumber(int data);
  static int getBCHDigit(int data);

  static std::span<const std::uint8_t> getPatternPosition(int typeNumber);

  // Whether mask maskPattern inverts the data bit at row i, column j. Throws EncoderError
  // "bad maskPattern:n" outside 0..7.
  static bool getMask(int maskPattern, int i, int j);

  // Width of the character count. Throws EncoderError "mode:m" or "type:t".
  static int getLengthInBits(int mode, int type);

  static GfPolynomial getErrorCorrectPolynomial(int errorCorrectLength);

  // Penalty score of the model's current (complete) matrix; lower is better.
  static double getLostPoint(const SymbolModel& qrCode);
};

}  // namespace vantrel::encoder
