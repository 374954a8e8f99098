#pragma once
// Chooses the smallest version whose byte-mode capacity holds the content.
#include <string_view>

namespace vantrel::encoder {

// A version from 1 to 40; throws EncoderError "Too long data" beyond version 40's capacity
// (1,273 bytes at level H).
int findTypeNumber(std::u16string_view text, int correctLevel);

}  // namespace vantrel::encoder
