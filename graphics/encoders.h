#pragma once
// The library's image encoders, looked up by format identifier.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/encoder_params.h"

namespace vantrel::graphics {

// Replaces `encoders` by one record per encoder and answers their number; answers 0 and
// leaves `encoders` alone when the library cannot tell the size. Stores the statuses.
std::int32_t ListEncoders(std::vector<CodecInfo>& encoders);

// The encoder identifier of the first encoder whose format identifier equals `formatId`
// exactly (case matters), else "".
std::string FindEncoder(std::string_view formatId);

}  // namespace vantrel::graphics
