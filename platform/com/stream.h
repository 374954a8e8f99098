#pragma once
// The stream interface through which image data travels between the graphics library and its
// callers. A trimmed IStream: the members this system needs, with COM's meaning and results.
#include <cstdint>

#include "platform/com/com_types.h"

namespace vantrel::platform {

using DWORD = std::uint32_t;

struct LARGE_INTEGER {
  std::int64_t QuadPart = 0;
};
struct ULARGE_INTEGER {
  std::uint64_t QuadPart = 0;
};

inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;

inline constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);
inline constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070);

// Only the size is reported.
struct STATSTG {
  ULARGE_INTEGER cbSize;
};

class ISequentialStream : public IUnknown {
 public:
  virtual HRESULT Read(void* buffer, ULONG bytes, ULONG* bytesRead) = 0;
  virtual HRESULT Write(const void* buffer, ULONG bytes, ULONG* bytesWritten) = 0;

 protected:
  ~ISequentialStream() = default;
};

class IStream : public ISequentialStream {
 public:
  virtual HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) = 0;
  virtual HRESULT SetSize(ULARGE_INTEGER newSize) = 0;
  virtual HRESULT Commit(DWORD flags) = 0;
  virtual HRESULT Stat(STATSTG* statistics, DWORD flags) = 0;

 protected:
  ~IStream() = default;
};

inline constexpr IID IID_ISequentialStream{
    0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
inline constexpr IID IID_IStream{
    0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace vantrel::platform
