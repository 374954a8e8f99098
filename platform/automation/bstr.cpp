#include "platform/automation/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace vantrel::platform {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) {
  return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefix);
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  // The byte length must fit the 32-bit prefix.
  if (length > (std::numeric_limits<std::uint32_t>::max() - kPrefix) / sizeof(OLECHAR) - 1)
    return nullptr;
  const std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
  void* block = std::malloc(kPrefix + bytes + sizeof(OLECHAR));
  if (block == nullptr) return nullptr;
  auto* prefix = static_cast<std::uint32_t*>(block);
  *prefix = static_cast<std::uint32_t>(bytes);
  auto* characters = reinterpret_cast<OLECHAR*>(static_cast<char*>(block) + kPrefix);
  if (text != nullptr && length != 0)
    std::memcpy(characters, text, bytes);
  else
    std::memset(characters, 0, bytes);
  characters[length] = u'\0';
  return characters;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

}  // namespace vantrel::platform
