#pragma once
// Runs the QR encoder for the Generate pipeline.
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::script {

// content is ANSI text; the encoder receives its UTF-16 form and the two sizes as numbers.
// Returns the cell list, or an empty text when the encoder fails for any reason (content
// beyond the 1,273 bytes a version-40 symbol holds at level H, among others).
std::string RunEncoderScript(std::string_view content, std::int32_t width, std::int32_t height);

}  // namespace vantrel::script
