#include "encoder/bit_writer.h"
#include "encoder/byte_segment.h"
#include "encoder/entry.h"
#include "encoder/gf256.h"
#include "encoder/gf_polynomial.h"
#include "encoder/rs_block.h"
#include "encoder/symbol_model.h"
#include "encoder/symbol_rules.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel::encoder {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int H = 2;

Bytes codewords(std::u16string_view text, int typeNumber) {
  const ByteSegment segment[] = {ByteSegment(text)};
  return SymbolModel::createData(typeNumber, H, segment);
}

Bytes head(const Bytes& bytes, std::size_t count) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST(BitWriter, FillsBytesFromTheTopBit) {
  BitWriter writer;
  writer.put(4, 4);
  writer.putBit(true);
  writer.putBit(false);
  writer.put(0x3FF, 3);  // only the lowest three bits
  EXPECT_EQ(writer.getLengthInBits(), 9u);
  EXPECT_EQ(writer.getBuffer(), (Bytes{0x4B, 0x80}));
}

TEST(DataCodewords, WorkedExamples) {
  struct Case {
    int line;
    std::u16string text;
    int version;
    Bytes data;
  };
  const Case cases[] = {
      {__LINE__, u"abc", 1, {0x40, 0x36, 0x16, 0x26, 0x30, 0xEC, 0x11, 0xEC, 0x11}},
      {__LINE__, u"", 1, {0x40, 0x00, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC}},
      {__LINE__, u"aaaaaaa", 1, {0x40, 0x76, 0x16, 0x16, 0x16, 0x16, 0x16, 0x16, 0x10}},
      // The count includes the three prefix bytes.
      {__LINE__, u"\u00E9", 1, {0x40, 0x5E, 0xFB, 0xBB, 0xFC, 0x3A, 0x90, 0xEC, 0x11}},
  };
  for (const Case& c : cases) {
    const Bytes all = codewords(c.text, c.version);
    EXPECT_EQ(all.size(), 26u) << "line " << c.line;
    EXPECT_EQ(head(all, c.data.size()), c.data) << "line " << c.line;
  }
}

TEST(DataCodewords, SixteenBitCountFromVersionTen) {
  const Bytes all = codewords(std::u16string(120, u'x'), 11);
  // 0100, then 0x0078 in 16 bits, then 'x' = 0x78; the first block's codewords lie 11
  // apart, one for each block.
  EXPECT_EQ((Bytes{all[0], all[11], all[22], all[33]}), (Bytes{0x40, 0x07, 0x87, 0x87}));
  EXPECT_EQ(SymbolRules::getLengthInBits(4, 9), 8);
  EXPECT_EQ(SymbolRules::getLengthInBits(4, 10), 16);
  EXPECT_EQ(SymbolRules::getLengthInBits(1, 27), 14);
}

TEST(DataCodewords, Errors) {
  const auto message = [](auto&& call) {
    try {
      call();
    } catch (const EncoderError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([] { codewords(std::u16string(30, u'a'), 1); }),
            "code length overflow. (252>72)");
  EXPECT_EQ(message([] { SymbolRules::getLengthInBits(4, 41); }), "type:41");
  EXPECT_EQ(message([] { SymbolRules::getLengthInBits(3, 1); }), "mode:3");
  EXPECT_EQ(message([] { getRSBlocks(1, 5); }), "bad rs block @ typeNumber:1/errorCorrectLevel:5");
  EXPECT_EQ(message([] { Gf256::glog(0); }), "glog(0)");
  EXPECT_EQ(message([] { SymbolRules::getMask(8, 0, 0); }), "bad maskPattern:8");
}

TEST(ErrorCorrection, WorkedExamples) {
  const Bytes abc = codewords(u"abc", 1);
  EXPECT_EQ(Bytes(abc.begin() + 9, abc.end()),
            (Bytes{0x8D, 0x03, 0x68, 0x32, 0x98, 0x27, 0x75, 0x09, 0x49, 0x51, 0xA1, 0x91, 0xCA,
                   0x52, 0x47, 0x61, 0xF7}));
  const Bytes empty = codewords(u"", 1);
  EXPECT_EQ(Bytes(empty.begin() + 9, empty.end()),
            (Bytes{0x6D, 0x99, 0xF8, 0xE5, 0x4A, 0x68, 0x67, 0x8E, 0x79, 0x8A, 0x72, 0xAA, 0xA3,
                   0x82, 0x3E, 0xDD, 0x9A}));
}

TEST(ErrorCorrection, GeneratorAndField) {
  EXPECT_EQ(Gf256::EXP_TABLE[8], 0x1D);
  EXPECT_EQ(Gf256::EXP_TABLE[255], 1);
  EXPECT_EQ(Gf256::gexp(0), 1);
  EXPECT_EQ(Gf256::gexp(255), 1);
  EXPECT_EQ(Gf256::gexp(-1), Gf256::EXP_TABLE[254]);
  EXPECT_EQ(Gf256::gexp(600), Gf256::EXP_TABLE[90]);
  for (int i = 0; i < 255; ++i) ASSERT_EQ(Gf256::glog(Gf256::EXP_TABLE[i]), i);

  const GfPolynomial generator = SymbolRules::getErrorCorrectPolynomial(7);
  std::vector<int> logs;
  for (int i = 0; i < generator.getLength(); ++i) logs.push_back(Gf256::glog(generator.get(i)));
  EXPECT_EQ(logs, (std::vector<int>{0, 87, 229, 146, 149, 238, 102, 21}));

  const int leading[] = {0, 0, 5, 0};
  const GfPolynomial shifted(leading, 2);
  EXPECT_EQ(shifted.coefficients(), (std::vector<int>{5, 0, 0, 0}));
}

// An independent Reed-Solomon encoder: field products by shift and add, the remainder by a
// shift register.
int slowMultiply(int a, int b) {
  int product = 0;
  while (b != 0) {
    if (b & 1) product ^= a;
    a <<= 1;
    if (a & 0x100) a ^= 0x11D;
    b >>= 1;
  }
  return product;
}

Bytes slowRemainder(const Bytes& data, int degree) {
  std::vector<int> generator{1};
  int root = 1;
  for (int i = 0; i < degree; ++i) {
    std::vector<int> next(generator.size() + 1, 0);
    for (std::size_t j = 0; j < generator.size(); ++j) {
      next[j] ^= generator[j];
      next[j + 1] ^= slowMultiply(generator[j], root);
    }
    generator = next;
    root = slowMultiply(root, 2);
  }
  Bytes remainder(static_cast<std::size_t>(degree), 0);
  for (const std::uint8_t byte : data) {
    const int factor = byte ^ remainder[0];
    remainder.erase(remainder.begin());
    remainder.push_back(0);
    for (int j = 0; j < degree; ++j)
      remainder[j] = static_cast<std::uint8_t>(remainder[j] ^ slowMultiply(generator[j + 1], factor));
  }
  return remainder;
}

TEST(ErrorCorrection, AgreesWithIndependentEncoder) {
  std::mt19937 random(11);
  for (const int ecCount : {7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30}) {
    for (int round = 0; round < 6; ++round) {
      const int dataCount = 1 + static_cast<int>(random() % 40);
      BitWriter writer;
      Bytes data;
      for (int i = 0; i < dataCount; ++i) {
        // Leading zero bytes exercise the dropped coefficients.
        data.push_back(round == 0 && i < 3 ? 0 : static_cast<std::uint8_t>(random()));
        writer.put(data.back(), 8);
      }
      const EcBlock block[] = {{dataCount + ecCount, dataCount}};
      const Bytes all = SymbolModel::createBytes(writer, block);
      EXPECT_EQ(Bytes(all.begin() + dataCount, all.end()), slowRemainder(data, ecCount))
          << "ec " << ecCount << " data " << dataCount;
    }
  }
}

TEST(ErrorCorrection, ZeroBlockGivesZeroCodewords) {
  BitWriter writer;
  writer.put(0, 32);
  const EcBlock block[] = {{4 + 22, 4}};
  EXPECT_EQ(SymbolModel::createBytes(writer, block), Bytes(26, 0));
}

TEST(ErrorCorrection, InterleavesBlocksColumnByColumn) {
  BitWriter writer;
  for (int i = 0; i < 46; ++i) writer.put(static_cast<std::uint32_t>(i), 8);  // d_i = i
  const std::vector<EcBlock> blocks = getRSBlocks(5, H);
  const Bytes all = SymbolModel::createBytes(writer, blocks);
  ASSERT_EQ(all.size(), 134u);
  EXPECT_EQ(head(all, 8), (Bytes{0, 11, 22, 34, 1, 12, 23, 35}));
  EXPECT_EQ(Bytes(all.begin() + 40, all.begin() + 46), (Bytes{10, 21, 32, 44, 33, 45}));

  // Pass m of the error-correction part holds codeword m of each block in turn.
  const int starts[] = {0, 11, 22, 34};
  for (std::size_t b = 0; b < 4; ++b) {
    Bytes data;
    for (int i = 0; i < blocks[b].dataCount; ++i)
      data.push_back(static_cast<std::uint8_t>(starts[b] + i));
    const Bytes ec = slowRemainder(data, 22);
    for (std::size_t m = 0; m < 22; ++m)
      ASSERT_EQ(all[46 + 4 * m + b], ec[m]) << "block " << b << " pass " << m;
  }
}

}  // namespace
}  // namespace vantrel::encoder
