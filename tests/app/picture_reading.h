#pragma once
// Reading the pictures Generate makes: PNG decoding with Qt, and the symbol read back by
// ZXing after a white quiet zone is put around it (the picture has none of its own).
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::testing {

QImage DecodePng(std::span<const std::uint8_t> bytes);

// The symbol's raw content bytes, or nothing when no symbol is found.
std::optional<std::vector<std::uint8_t>> ReadSymbol(std::span<const std::uint8_t> png);

// The bytes a symbol holds for a content: ASCII as it is, anything else after the UTF-8
// byte-order mark.
std::vector<std::uint8_t> SymbolBytes(const std::string& content);

bool StartsWithPngSignature(std::span<const std::uint8_t> bytes);

}  // namespace vantrel::testing
