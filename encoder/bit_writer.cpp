#include "encoder/bit_writer.h"

namespace vantrel::encoder {

void BitWriter::put(std::uint32_t num, int length) {
  for (int i = length - 1; i >= 0; --i) putBit(((num >> i) & 1U) != 0);
}

void BitWriter::putBit(bool bit) {
  const std::size_t index = length_ / 8;
  if (buffer_.size() <= index) buffer_.push_back(0);
  if (bit) buffer_[index] |= static_cast<std::uint8_t>(0x80U >> (length_ % 8));
  ++length_;
}

}  // namespace vantrel::encoder
