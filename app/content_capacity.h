#pragma once
// Whether a content can become a QR symbol at all.
#include <string_view>

namespace vantrel::app {

// True when the content (UTF-8) fits the largest symbol at level H: at most 1,273 bytes in
// the encoder's byte form (UTF-8, with a 3-byte byte-order mark in front of non-ASCII text).
bool ContentFitsSymbol(std::string_view content);

}  // namespace vantrel::app
