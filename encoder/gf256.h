#pragma once
// GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1, the field of QR error
// correction. The tables are computed at compile time and never change.
#include <array>

namespace vantrel::encoder {

struct Gf256 {
  static const std::array<int, 256> EXP_TABLE;
  // LOG_TABLE[0] has no meaning; glog refuses 0.
  static const std::array<int, 256> LOG_TABLE;

  // Throws EncoderError "glog(n)" for n below 1.
  static int glog(int n);
  static int gexp(int n);
};

}  // namespace vantrel::encoder
