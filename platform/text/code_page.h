#pragma once
// Code-page conversion in the shape of the Windows calls. The system's ANSI and OEM code pages
// are both UTF-8, so a UTF-8 <-> UTF-16 round trip loses no character.
//
// Return values follow the Windows rule: the number of units written (or needed, when the
// output size is 0), 0 on failure. A source length of -1 means "zero-terminated, terminator
// included in the conversion".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::platform {

using UINT = std::uint32_t;
using WCHAR = char16_t;

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_UTF8 = 65001;

int MultiByteToWideChar(UINT codePage, std::uint32_t flags, const char* source, int sourceBytes,
                        WCHAR* target, int targetUnits);
int WideCharToMultiByte(UINT codePage, std::uint32_t flags, const WCHAR* source, int sourceUnits,
                        char* target, int targetBytes, const char* defaultChar, int* usedDefault);

// Convenience forms used throughout the stand-ins. Ill-formed UTF-8 bytes become U+FFFD;
// lone surrogates become U+FFFD (EF BF BD) on the way back.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace vantrel::platform
