#include "encoder/byte_segment.h"

#include "encoder/content_bytes.h"

namespace vantrel::encoder {

ByteSegment::ByteSegment(std::u16string_view data) : data_(data), parsedData_(contentBytes(data)) {}

void ByteSegment::write(BitWriter& buffer) const {
  for (const std::uint8_t byte : parsedData_) buffer.put(byte, 8);
}

}  // namespace vantrel::encoder
