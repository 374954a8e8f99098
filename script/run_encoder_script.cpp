#include "script/run_encoder_script.h"

#include "encoder/entry.h"
#include "script/ansi_text.h"

namespace vantrel::script {

// The encoder is built in, so no script control stands between: its exceptions are caught
// here, at the boundary, and become the empty text a failed script call would give.
std::string RunEncoderScript(std::string_view content, std::int32_t width, std::int32_t height) {
  try {
    return encoder::test(AnsiToWide(content), width, height);
  } catch (...) {
    return {};
  }
}

}  // namespace vantrel::script
