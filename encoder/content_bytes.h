#pragma once
// The content's byte form: UTF-8, a well-formed surrogate pair as the 4-byte form of its code
// point, a lone surrogate as U+FFFD, and the byte-order mark in front of any non-ASCII text.
// The conversion and the length measure share one walk, so they cannot disagree.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantrel::encoder {

inline constexpr std::uint8_t BYTE_ORDER_MARK[] = {0xEF, 0xBB, 0xBF};

std::vector<std::uint8_t> contentBytes(std::u16string_view text);

// The number of bytes contentBytes gives, without making them.
std::size_t getContentLength(std::u16string_view text);

}  // namespace vantrel::encoder
