#pragma once
// A growable in-memory IStream for the tests, so they need no other stand-in.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/com/stream.h"

namespace vantrel::platform::gdiplus::testing {

class VectorStream final : public IStream {
 public:
  std::vector<std::uint8_t> bytes;
  ULONG references = 1;
  bool failWrites = false;

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IStream || iid == IID_ISequentialStream) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++references; }
  // Lives on the test's stack; the count only shows that references are balanced.
  ULONG Release() override { return --references; }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    const std::size_t available = position_ < bytes.size() ? bytes.size() - position_ : 0;
    const std::size_t n = std::min<std::size_t>(count, available);
    std::memcpy(buffer, bytes.data() + position_, n);
    position_ += n;
    if (read) *read = static_cast<ULONG>(n);
    return S_OK;
  }
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (failWrites) return STG_E_MEDIUMFULL;
    if (position_ + count > bytes.size()) bytes.resize(position_ + count);
    std::memcpy(bytes.data() + position_, buffer, count);
    position_ += count;
    if (written) *written = count;
    return S_OK;
  }
  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    std::int64_t base = origin == STREAM_SEEK_CUR ? static_cast<std::int64_t>(position_)
                        : origin == STREAM_SEEK_END ? static_cast<std::int64_t>(bytes.size())
                                                     : 0;
    if (base + move.QuadPart < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::size_t>(base + move.QuadPart);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
  }
  HRESULT SetSize(ULARGE_INTEGER size) override {
    bytes.resize(size.QuadPart);
    return S_OK;
  }
  HRESULT Commit(DWORD) override { return S_OK; }
  HRESULT Stat(STATSTG* statistics, DWORD) override {
    statistics->cbSize.QuadPart = bytes.size();
    return S_OK;
  }

 private:
  std::size_t position_ = 0;
};

}  // namespace vantrel::platform::gdiplus::testing
