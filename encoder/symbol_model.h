#pragma once
// The symbol under construction: content, version and level, and the module matrix built
// under one of the eight masks.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "encoder/bit_writer.h"
#include "encoder/byte_segment.h"
#include "encoder/rs_block.h"

namespace vantrel::encoder {

class SymbolModel {
 public:
  static constexpr int PAD0 = 0xEC;
  static constexpr int PAD1 = 0x11;

  // Cell values of modules(); a finished build holds no UNSET cell.
  static constexpr std::uint8_t LIGHT = 0;
  static constexpr std::uint8_t DARK = 1;
  static constexpr std::uint8_t UNSET = 2;

  // Throws EncoderError "type:v" for a version outside 1..40.
  SymbolModel(int typeNumber, int errorCorrectLevel);

  void addData(std::u16string_view data);

  // Throws EncoderError "row,col" outside the matrix (and before the first build).
  bool isDark(int row, int col) const;
  int getModuleCount() const { return moduleCount_; }
  int typeNumber() const { return typeNumber_; }
  int errorCorrectLevel() const { return errorCorrectLevel_; }
  // Row-major, moduleCount x moduleCount.
  std::span<const std::uint8_t> modules() const { return modules_; }
  // Cells the data walk fills (codeword bits and remainder bits); 0 before the first build.
  std::size_t dataCellCount() const { return placementRows_.size(); }

  // Chooses the mask and makes the final build.
  void make();
  // Scores a test build under every mask; leaves mask 7's test build behind.
  int getBestMaskPattern();
  // Builds the matrix afresh. A test build leaves format, dark-cell and version cells light.
  // Throws EncoderError "bad maskPattern:n" outside 0..7, and createData's errors.
  void makeImpl(bool test, int maskPattern);

  // Throws EncoderError "code length overflow. (bits>capacity)".
  static std::vector<std::uint8_t> createData(int typeNumber, int errorCorrectLevel,
                                              std::span<const ByteSegment> dataList);
  static std::vector<std::uint8_t> createBytes(const BitWriter& buffer,
                                               std::span<const EcBlock> rsBlocks);

 private:
  std::uint8_t& cell(int row, int col) { return modules_[row * moduleCount_ + col]; }
  void setupPositionProbePattern(int row, int col);
  void setupPositionAdjustPattern();
  void setupTimingPattern();
  void setupTypeInfo(bool test, int maskPattern);
  void setupTypeNumber(bool test);
  void buildFunctionPatterns();
  void recordPlacement();
  void mapData(std::span<const std::uint8_t> data, int maskPattern);

  int typeNumber_;
  int errorCorrectLevel_;
  int moduleCount_ = 0;
  std::vector<std::uint8_t> modules_;
  std::vector<std::uint8_t> dataCache_;
  std::vector<ByteSegment> dataList_;

  // What every build shares, made on the first build: the function patterns with the
  // format and version cells light, and the data cells in placement order.
  std::vector<std::uint8_t> functionPatterns_;
  std::vector<std::uint16_t> placementRows_;
  std::vector<std::uint16_t> placementCols_;
};

}  // namespace vantrel::encoder
