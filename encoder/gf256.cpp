#include "encoder/gf256.h"

#include <string>

#include "encoder/entry.h"

namespace vantrel::encoder {
namespace {

constexpr std::array<int, 256> makeExpTable() {
  std::array<int, 256> table{};
  for (int i = 0; i < 8; ++i) table[i] = 1 << i;
  for (int i = 8; i < 256; ++i)
    table[i] = table[i - 4] ^ table[i - 5] ^ table[i - 6] ^ table[i - 8];
  return table;
}

constexpr std::array<int, 256> makeLogTable(const std::array<int, 256>& exp) {
  std::array<int, 256> table{};
  for (int i = 0; i < 255; ++i) table[exp[i]] = i;
  return table;
}

constexpr std::array<int, 256> kExp = makeExpTable();
constexpr std::array<int, 256> kLog = makeLogTable(kExp);

}  // namespace

const std::array<int, 256> Gf256::EXP_TABLE = kExp;
const std::array<int, 256> Gf256::LOG_TABLE = kLog;

int Gf256::glog(int n) {
  if (n < 1) throw EncoderError("glog(" + std::to_string(n) + ")");
  return kLog[n];
}

int Gf256::gexp(int n) {
  while (n < 0) n += 255;
  while (n >= 256) n -= 255;
  return kExp[n];
}

}  // namespace vantrel::encoder
