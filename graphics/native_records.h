#pragma once
// Building and reading the library's native records (encoder descriptions, encoder
// parameter blocks) through its own structs. Only the wrappers' sources include this.
#include <cstddef>
#include <optional>
#include <vector>

#include "graphics/encoder_params.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::graphics {

// Zero-filled memory aligned for any record the library writes into it.
class RecordBuffer {
 public:
  explicit RecordBuffer(std::size_t bytes)
      : storage_((bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t)),
        bytes_(bytes) {}

  void* data() { return storage_.data(); }
  const void* data() const { return storage_.data(); }
  std::size_t size() const { return bytes_; }
  // True when [address, address + length) lies within the buffer.
  bool Holds(const void* address, std::size_t length) const;

 private:
  std::vector<std::max_align_t> storage_;
  std::size_t bytes_;
};

// The native parameter block for one library call: one entry per element of the list's
// array, the count field limited to that number. Its value pointers point into the list's
// value blocks, so the list must outlive the call.
class NativeParameterBlock {
 public:
  explicit NativeParameterBlock(const EncoderParamList& list);
  const platform::gdiplus::EncoderParameters* get() const {
    return static_cast<const platform::gdiplus::EncoderParameters*>(buffer_.data());
  }

 private:
  RecordBuffer buffer_;
};

// The block for an optional list; get() is null without one.
class OptionalParameterBlock {
 public:
  explicit OptionalParameterBlock(const EncoderParamList* list) {
    if (list != nullptr) block_.emplace(*list);
  }
  const platform::gdiplus::EncoderParameters* get() const {
    return block_.has_value() ? block_->get() : nullptr;
  }

 private:
  std::optional<NativeParameterBlock> block_;
};

// The entries of a parameter block the library wrote into `buffer`.
EncoderParamList ReadParameterBlock(const RecordBuffer& buffer);

// The encoder records the library wrote into `buffer`, at most `count` of them.
std::vector<CodecInfo> ReadCodecRecords(const RecordBuffer& buffer, std::size_t count);

}  // namespace vantrel::graphics
