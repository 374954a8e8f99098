#include "graphics/hglobal_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/memory/stream_on_hglobal.h"

namespace vantrel::graphics {

platform::IStream* HGlobalStream::Open(std::optional<std::span<const std::uint8_t>> bytes,
                                       std::optional<std::int32_t> size) {
  Release();
  const std::span<const std::uint8_t> source = bytes.value_or(std::span<const std::uint8_t>{});
  if (size.has_value() && *size < 0) return nullptr;
  const std::size_t blockSize = size.has_value() ? static_cast<std::size_t>(*size) : source.size();
  platform::HGLOBAL memory =
      platform::GlobalAlloc(platform::GMEM_MOVEABLE | platform::GMEM_ZEROINIT, blockSize);
  if (memory == nullptr) return nullptr;
  platform::IStream* stream = nullptr;
  if (platform::FAILED(platform::CreateStreamOnHGlobal(memory, 0, &stream))) {
    platform::GlobalFree(memory);
    return nullptr;
  }
  memory_ = memory;
  stream_ = stream;
  // A size beyond the given bytes leaves the rest of the block zero instead of over-reading.
  const std::size_t copied = std::min(blockSize, source.size());
  if (copied > 0) {
    lockedAddress_ = platform::GlobalLock(memory_);
    if (lockedAddress_ != nullptr) {
      std::memcpy(lockedAddress_, source.data(), copied);
      platform::GlobalUnlock(memory_);
    }
  }
  return stream_;
}

void HGlobalStream::Release() {
  if (stream_ == nullptr) return;
  stream_->Release();
  platform::GlobalFree(memory_);
  stream_ = nullptr;
  memory_ = nullptr;
  lockedAddress_ = nullptr;
}

bool HGlobalStream::Attach(platform::IStream* stream) {
  Release();
  platform::GetHGlobalFromStream(stream, &memory_);
  stream_ = stream;
  return memory_ != nullptr;
}

std::vector<std::uint8_t> HGlobalStream::ReadAll() {
  lockedAddress_ = platform::GlobalLock(memory_);
  if (lockedAddress_ == nullptr) return {};
  std::vector<std::uint8_t> bytes;
  try {
    const auto* begin = static_cast<const std::uint8_t*>(lockedAddress_);
    bytes.assign(begin, begin + platform::GlobalSize(memory_));
  } catch (const std::bad_alloc&) {
    bytes.clear();
  }
  platform::GlobalUnlock(memory_);
  return bytes;
}

}  // namespace vantrel::graphics
