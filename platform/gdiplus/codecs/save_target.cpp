#include "platform/gdiplus/codecs/save_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel::platform::gdiplus {
namespace {

GpStatus WriteAll(IStream& stream, std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kChunk = 1u << 30;
  while (!bytes.empty()) {
    const auto chunk = static_cast<ULONG>(std::min(bytes.size(), kChunk));
    ULONG written = 0;
    if (FAILED(stream.Write(bytes.data(), chunk, &written)) || written != chunk) {
      return Win32Error;
    }
    bytes = bytes.subspan(chunk);
  }
  return Ok;
}

bool WriteFully(int descriptor, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// New files get the usual mode; an existing file keeps its own.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

GpStatus ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) return InvalidParameter;
  std::vector<char> temporary(path.begin(), path.end());
  for (const char c : std::string_view(".vantrel-XXXXXX")) temporary.push_back(c);
  temporary.push_back('\0');
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return errno == EACCES ? AccessDenied : Win32Error;
  bool written = WriteFully(descriptor, bytes) && ::fchmod(descriptor, ModeFor(path)) == 0;
  written = (::close(descriptor) == 0) && written;
  if (!written || ::rename(temporary.data(), path.c_str()) != 0) {
    const int cause = errno;
    ::unlink(temporary.data());
    return cause == EACCES ? AccessDenied : Win32Error;
  }
  return Ok;
}

SaveTarget SaveTarget::ToStream(IStream* stream) {
  SaveTarget target;
  target.stream_ = stream;
  stream->AddRef();
  return target;
}

SaveTarget SaveTarget::ToFile(std::string path) {
  SaveTarget target;
  target.path_ = std::move(path);
  return target;
}

SaveTarget::SaveTarget(SaveTarget&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)),
      start_(other.start_),
      started_(other.started_),
      path_(std::move(other.path_)) {}

SaveTarget::~SaveTarget() {
  if (stream_ != nullptr) stream_->Release();
}

GpStatus SaveTarget::Deliver(std::span<const std::uint8_t> bytes) {
  if (stream_ == nullptr) return ReplaceFile(path_, bytes);
  ULARGE_INTEGER position;
  if (!started_) {
    if (FAILED(stream_->Seek(LARGE_INTEGER{0}, STREAM_SEEK_CUR, &position))) return Win32Error;
    start_ = position.QuadPart;
    started_ = true;
  } else {
    const LARGE_INTEGER start{static_cast<std::int64_t>(start_)};
    if (FAILED(stream_->Seek(start, STREAM_SEEK_SET, &position))) return Win32Error;
  }
  return WriteAll(*stream_, bytes);
}

}  // namespace vantrel::platform::gdiplus
