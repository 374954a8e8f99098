#pragma once
// A COM stream over a movable global memory block, owning one reference on the stream and
// the block itself. The stream is made so that releasing it leaves the block to this object.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/com/stream.h"
#include "platform/memory/global_memory.h"

namespace vantrel::graphics {

class HGlobalStream {
 public:
  HGlobalStream() = default;
  ~HGlobalStream() { Release(); }
  HGlobalStream(const HGlobalStream&) = delete;
  HGlobalStream& operator=(const HGlobalStream&) = delete;

  // Releases what is held, then makes a zeroed block of `size` bytes (default: the bytes'
  // length) with a stream at position 0 over it and copies the bytes in; bytes beyond the
  // block's length are never read. Null, holding nothing, when the size is negative or
  // memory runs out.
  platform::IStream* Open(std::optional<std::span<const std::uint8_t>> bytes = {},
                          std::optional<std::int32_t> size = {});

  // Drops the stream's reference and frees the block; nothing when no stream is held.
  void Release();

  std::size_t GetSize() const { return platform::GlobalSize(memory_); }
  platform::IStream* GetStream() const { return stream_; }
  platform::HGLOBAL GetHGlobal() const { return memory_; }

  // Releases what is held, then takes over one reference of `stream` and the block under it.
  // True when the stream has a block of ours.
  bool Attach(platform::IStream* stream);

  // A copy of the whole block; empty when nothing is held or the block is empty.
  std::vector<std::uint8_t> ReadAll();

 private:
  platform::HGLOBAL memory_ = nullptr;
  void* lockedAddress_ = nullptr;
  platform::IStream* stream_ = nullptr;
};

}  // namespace vantrel::graphics
