#pragma once
// Global memory blocks in the shape of the kernel32 calls.
//
// Handles are opaque numbers, never addresses, and are never reused: a handle that was freed
// or never issued makes every call answer failure (null, 0 or FALSE) instead of touching
// memory. Fixed and movable blocks behave alike; both must be locked to reach their bytes.
// A locked block can be neither resized nor freed, so an address from GlobalLock stays valid
// until the matching GlobalUnlock. Sizes are at most kMaxGlobalBytes. Safe from any thread.
#include <cstddef>
#include <cstdint>

namespace vantrel::platform {

using HGLOBAL = void*;
using SIZE_T = std::size_t;
using BOOL = std::int32_t;

inline constexpr std::uint32_t GMEM_FIXED = 0x0000;
inline constexpr std::uint32_t GMEM_MOVEABLE = 0x0002;
inline constexpr std::uint32_t GMEM_ZEROINIT = 0x0040;
inline constexpr std::uint32_t GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr std::uint32_t GMEM_INVALID_HANDLE = 0x8000;

// Larger requests fail; 2 GiB - 1 keeps every size representable in a signed 32-bit count.
inline constexpr SIZE_T kMaxGlobalBytes = 0x7FFF'FFFF;

// New block of `bytes` bytes, always zero-filled; null on failure or unknown flags.
HGLOBAL GlobalAlloc(std::uint32_t flags, SIZE_T bytes);
// Address of the block's bytes and one more lock; null for an empty block or a bad handle.
void* GlobalLock(HGLOBAL memory);
// One lock less; TRUE while locks remain, FALSE when unlocked (or for a bad handle).
BOOL GlobalUnlock(HGLOBAL memory);
// The size last asked for; 0 for a bad handle.
SIZE_T GlobalSize(HGLOBAL memory);
// The lock count, or GMEM_INVALID_HANDLE for a bad handle.
std::uint32_t GlobalFlags(HGLOBAL memory);
// Null on success; the handle itself when it is unknown or the block is locked.
HGLOBAL GlobalFree(HGLOBAL memory);
// Resizes keeping the contents, new bytes zero; the same handle, or null when the handle is
// bad, the block is locked, the size is too large or memory runs out.
HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, std::uint32_t flags);

}  // namespace vantrel::platform
