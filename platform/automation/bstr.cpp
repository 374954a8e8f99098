#include "platform/automation/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_BSTR_CACHE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_BSTR_CACHE 0
#endif
#endif
#ifndef VANTREL_BSTR_CACHE
#define VANTREL_BSTR_CACHE 1
#endif

namespace vantrel::platform {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) {
  return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefix);
}

// Like oleaut32, keeps a few freed small blocks per thread for reuse: reading a match's
// groups allocates and frees a short BSTR per call. Blocks are sized in steps of 16 bytes.
// Off under AddressSanitizer, so that a BSTR used after SysFreeString is still caught.
//
// The cache itself is trivially destructible, so a BSTR freed while the thread ends (after
// the cache was emptied) still finds valid storage and simply goes back to malloc.
struct BlockCache {
  static constexpr std::size_t kStep = 16;
  static constexpr std::size_t kClasses = 8;  // blocks up to 128 bytes
  static constexpr std::size_t kDepth = 8;

  static std::size_t RoundedSize(std::size_t bytes) { return (bytes + kStep - 1) / kStep * kStep; }

  void* Take(std::size_t rounded) {
    if (!VANTREL_BSTR_CACHE || closed || rounded / kStep > kClasses) return nullptr;
    std::size_t& count = counts[rounded / kStep - 1];
    return count == 0 ? nullptr : blocks[rounded / kStep - 1][--count];
  }
  bool Keep(void* block, std::size_t rounded) {
    if (!VANTREL_BSTR_CACHE || closed || rounded / kStep > kClasses) return false;
    std::size_t& count = counts[rounded / kStep - 1];
    if (count == kDepth) return false;
    blocks[rounded / kStep - 1][count++] = block;
    return true;
  }
  void Close() {
    closed = true;
    for (std::size_t c = 0; c < kClasses; ++c)
      for (std::size_t k = 0; k < counts[c]; ++k) std::free(blocks[c][k]);
  }

  void* blocks[kClasses][kDepth];
  std::size_t counts[kClasses];
  bool closed;
};

thread_local BlockCache cache{};

// Hands the cached blocks back when the thread ends.
struct BlockCacheCloser {
  ~BlockCacheCloser() { cache.Close(); }
};

void EnsureCloser() {
  thread_local BlockCacheCloser closer;
  (void)closer;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  // The byte length must fit the 32-bit prefix.
  if (length > (std::numeric_limits<std::uint32_t>::max() - kPrefix) / sizeof(OLECHAR) - 1)
    return nullptr;
  const std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
  const std::size_t rounded = BlockCache::RoundedSize(kPrefix + bytes + sizeof(OLECHAR));
  void* block = cache.Take(rounded);
  if (block == nullptr) block = std::malloc(rounded);
  if (block == nullptr) return nullptr;
  auto* prefix = static_cast<std::uint32_t*>(block);
  *prefix = static_cast<std::uint32_t>(bytes);
  auto* characters = reinterpret_cast<OLECHAR*>(static_cast<char*>(block) + kPrefix);
  if (text != nullptr && length != 0) std::memcpy(characters, text, bytes);
  characters[length] = u'\0';
  return characters;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text == nullptr) return;
  std::uint32_t* block = PrefixOf(text);
  const std::size_t rounded = BlockCache::RoundedSize(kPrefix + *block + sizeof(OLECHAR));
  if (VANTREL_BSTR_CACHE) EnsureCloser();
  if (!cache.Keep(block, rounded)) std::free(block);
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

}  // namespace vantrel::platform
