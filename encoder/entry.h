#pragma once
// The encoder's only entry, as the host calls it.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel::encoder {

// Every failure of an encoding ("Too long data", ...) is raised as this, with the message text.
class EncoderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Encodes content (UTF-16 code units, at most 1,273 bytes in its byte form, level H) and
// returns the cell list for an image of width x height pixels (plain ASCII). Throws
// EncoderError.
std::string test(std::u16string_view content, double width, double height);

}  // namespace vantrel::encoder
