#pragma once
// The content as one byte-mode segment.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "encoder/bit_writer.h"

namespace vantrel::encoder {

struct SegmentMode {
  static constexpr int MODE_NUMBER = 1;
  static constexpr int MODE_ALPHA_NUM = 2;
  static constexpr int MODE_8BIT_BYTE = 4;
  static constexpr int MODE_KANJI = 8;
};

class ByteSegment {
 public:
  explicit ByteSegment(std::u16string_view data);

  int mode() const { return SegmentMode::MODE_8BIT_BYTE; }
  const std::u16string& data() const { return data_; }
  const std::vector<std::uint8_t>& parsedData() const { return parsedData_; }

  int getLength() const { return static_cast<int>(parsedData_.size()); }
  void write(BitWriter& buffer) const;

 private:
  std::u16string data_;
  std::vector<std::uint8_t> parsedData_;
};

}  // namespace vantrel::encoder
