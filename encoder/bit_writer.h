#pragma once
// An append-only bit stream; bytes fill from their most significant bit down.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::encoder {

class BitWriter {
 public:
  // Appends the lowest `length` bits of num, the most significant of them first.
  void put(std::uint32_t num, int length);
  void putBit(bool bit);
  std::size_t getLengthInBits() const { return length_; }
  const std::vector<std::uint8_t>& getBuffer() const { return buffer_; }

 private:
  std::vector<std::uint8_t> buffer_;
  std::size_t length_ = 0;
};

}  // namespace vantrel::encoder
