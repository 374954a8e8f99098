#pragma once
// Conversions between the system's texts (UTF-8, the ANSI code page) and the library's
// UTF-16 texts and GUIDs.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/com_types.h"

namespace vantrel::graphics {

// UTF-16 of the text up to its first zero byte, with a zero unit after it, as 2 x n bytes
// in the machine's order: "" gives 2 zero bytes, "ab" gives 6.
std::vector<std::uint8_t> TextToWide(std::string_view text);

// The zero-terminated UTF-16 string at `text` as a text; "" for null.
std::string WideToText(const char16_t* text);

// The 38-character braced form with upper-case digits.
std::string GuidToText(const platform::GUID& guid);

// The GUID the braced text names, digits in either case; the null GUID for any other text.
platform::GUID TextToGuid(std::string_view text);

// The UTF-16 string a byte block holds, up to its first zero unit (an odd last byte is
// dropped), so that the library always gets a terminated name.
std::u16string WideBlockToString(std::span<const std::uint8_t> block);

}  // namespace vantrel::graphics
