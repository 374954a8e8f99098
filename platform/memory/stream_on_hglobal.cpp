#include "platform/memory/stream_on_hglobal.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

namespace vantrel::platform {
namespace {

// Live streams, so that a pointer from outside can be checked before it is used.
class StreamRegistry {
 public:
  void Add(const IStream* stream) {
    std::lock_guard lock(mutex_);
    streams_.insert(stream);
  }
  void Remove(const IStream* stream) {
    std::lock_guard lock(mutex_);
    streams_.erase(stream);
  }
  bool Contains(const IStream* stream) {
    std::lock_guard lock(mutex_);
    return streams_.contains(stream);
  }

 private:
  std::mutex mutex_;
  std::unordered_set<const IStream*> streams_;
};

StreamRegistry& Registry() {
  static StreamRegistry registry;
  return registry;
}

// Keeps a block locked for the lifetime of a scope.
class BlockLock {
 public:
  explicit BlockLock(HGLOBAL memory) : memory_(memory), bytes_(GlobalLock(memory)) {}
  ~BlockLock() {
    if (bytes_ != nullptr) GlobalUnlock(memory_);
  }
  BlockLock(const BlockLock&) = delete;
  BlockLock& operator=(const BlockLock&) = delete;
  std::uint8_t* bytes() const { return static_cast<std::uint8_t*>(bytes_); }

 private:
  HGLOBAL memory_;
  void* bytes_;
};

class MemoryStream final : public IStream {
 public:
  MemoryStream(HGLOBAL memory, bool deleteOnRelease)
      : memory_(memory), deleteOnRelease_(deleteOnRelease) {
    Registry().Add(this);
  }

  HGLOBAL memory() const { return memory_; }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
      *object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG AddRef() override { return ++references_; }

  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      Registry().Remove(this);
      if (deleteOnRelease_) GlobalFree(memory_);
      delete this;
    }
    return left;
  }

  HRESULT Read(void* buffer, ULONG bytes, ULONG* bytesRead) override {
    if (bytesRead != nullptr) *bytesRead = 0;
    if (buffer == nullptr && bytes > 0) return E_POINTER;
    const std::uint64_t size = GlobalSize(memory_);
    if (position_ >= size || bytes == 0) return S_OK;
    const auto count = static_cast<ULONG>(std::min<std::uint64_t>(bytes, size - position_));
    BlockLock lock(memory_);
    if (lock.bytes() == nullptr) return E_FAIL;
    std::memcpy(buffer, lock.bytes() + position_, count);
    position_ += count;
    if (bytesRead != nullptr) *bytesRead = count;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG bytes, ULONG* bytesWritten) override {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    if (buffer == nullptr && bytes > 0) return E_POINTER;
    if (bytes == 0) return S_OK;
    const std::uint64_t end = position_ + bytes;
    if (end > kMaxGlobalBytes) return STG_E_MEDIUMFULL;
    if (end > GlobalSize(memory_)) {
      if (GlobalReAlloc(memory_, end, GMEM_MOVEABLE) == nullptr) return E_OUTOFMEMORY;
    }
    BlockLock lock(memory_);
    if (lock.bytes() == nullptr) return E_FAIL;
    std::memcpy(lock.bytes() + position_, buffer, bytes);
    position_ = end;
    if (bytesWritten != nullptr) *bytesWritten = bytes;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    std::int64_t base = 0;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(position_); break;
      case STREAM_SEEK_END: base = static_cast<std::int64_t>(GlobalSize(memory_)); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    // Both terms are bounded by kMaxGlobalBytes or checked first, so the sum cannot overflow.
    const std::int64_t limit = static_cast<std::int64_t>(kMaxGlobalBytes);
    if (move.QuadPart > limit || move.QuadPart < -limit) return STG_E_INVALIDFUNCTION;
    const std::int64_t target = base + move.QuadPart;
    if (target < 0 || target > limit) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::uint64_t>(target);
    if (newPosition != nullptr) newPosition->QuadPart = position_;
    return S_OK;
  }

  HRESULT SetSize(ULARGE_INTEGER newSize) override {
    if (newSize.QuadPart > kMaxGlobalBytes) return STG_E_MEDIUMFULL;
    if (GlobalReAlloc(memory_, static_cast<SIZE_T>(newSize.QuadPart), GMEM_MOVEABLE) ==
        nullptr) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  HRESULT Commit(DWORD) override { return S_OK; }

  HRESULT Stat(STATSTG* statistics, DWORD) override {
    if (statistics == nullptr) return E_POINTER;
    statistics->cbSize.QuadPart = GlobalSize(memory_);
    return S_OK;
  }

 private:
  ~MemoryStream() = default;

  HGLOBAL memory_;
  bool deleteOnRelease_;
  std::uint64_t position_ = 0;
  std::atomic<ULONG> references_{1};
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, IStream** stream) {
  if (stream == nullptr) return E_INVALIDARG;
  *stream = nullptr;
  const bool ownBlock = memory == nullptr;
  if (ownBlock) {
    memory = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (memory == nullptr) return E_OUTOFMEMORY;
  } else if (GlobalFlags(memory) == GMEM_INVALID_HANDLE) {
    return E_INVALIDARG;
  }
  try {
    *stream = new MemoryStream(memory, deleteOnRelease != 0);
  } catch (const std::bad_alloc&) {
    if (ownBlock) GlobalFree(memory);
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* memory) {
  if (memory == nullptr) return E_INVALIDARG;
  *memory = nullptr;
  if (stream == nullptr || !Registry().Contains(stream)) return E_INVALIDARG;
  *memory = static_cast<MemoryStream*>(stream)->memory();
  return S_OK;
}

}  // namespace vantrel::platform
