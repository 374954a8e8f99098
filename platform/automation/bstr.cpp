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
class BlockCache {
 public:
  static constexpr std::size_t kStep = 16;
  static constexpr std::size_t kClasses = 8;  // blocks up to 128 bytes
  static constexpr std::size_t kDepth = 8;

  static std::size_t RoundedSize(std::size_t bytes) { return (bytes + kStep - 1) / kStep * kStep; }

  ~BlockCache() {
    for (auto& slot : slots_)
      for (std::size_t k = 0; k < slot.count; ++k) std::free(slot.blocks[k]);
  }
  void* Take(std::size_t rounded) {
    if (!VANTREL_BSTR_CACHE || rounded / kStep > kClasses) return nullptr;
    Slot& slot = slots_[rounded / kStep - 1];
    return slot.count == 0 ? nullptr : slot.blocks[--slot.count];
  }
  bool Keep(void* block, std::size_t rounded) {
    if (!VANTREL_BSTR_CACHE || rounded / kStep > kClasses) return false;
    Slot& slot = slots_[rounded / kStep - 1];
    if (slot.count == kDepth) return false;
    slot.blocks[slot.count++] = block;
    return true;
  }

 private:
  struct Slot {
    void* blocks[kDepth];
    std::size_t count = 0;
  };
  Slot slots_[kClasses];
};

thread_local BlockCache cache;

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
  if (!cache.Keep(block, rounded)) std::free(block);
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

}  // namespace vantrel::platform
