#pragma once
// Where an encoded file goes: a caller's stream (written at its position) or a file, which is
// written beside the target and renamed over it, so a failed save leaves an old file intact.
// A target can take the file again, whole, as it grows (multi-page saves).
#include <cstdint>
#include <span>
#include <string>

#include "platform/com/stream.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

class SaveTarget {
 public:
  // Holds a reference on the stream while it lives.
  static SaveTarget ToStream(IStream* stream);
  static SaveTarget ToFile(std::string path);

  SaveTarget(SaveTarget&& other) noexcept;
  SaveTarget& operator=(SaveTarget&&) = delete;
  ~SaveTarget();

  // Writes the whole file; a later call replaces what an earlier one wrote.
  GpStatus Deliver(std::span<const std::uint8_t> bytes);

 private:
  SaveTarget() = default;
  IStream* stream_ = nullptr;
  std::uint64_t start_ = 0;
  bool started_ = false;
  std::string path_;
};

// The temporary-file-and-rename save on its own.
GpStatus ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace vantrel::platform::gdiplus
