#pragma once
// Encoder parameters: which ones each encoder takes (GdipGetEncoderParameterList) and what a
// caller's EncoderParameters block asks for.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

enum class EncoderKind : std::uint8_t { Bmp, Jpeg, Gif, Tiff, Png };

struct EncoderOptions {
  int quality = 75;                   // JPEG, 0 to 100
  std::optional<EncoderValue> compression;  // TIFF
  std::optional<int> colourDepth;     // TIFF: 1, 8, 24 or 32 bits a pixel
  std::optional<EncoderValue> saveFlag;
};

// Reads the first `Count` parameters of the block (null: none). A parameter the encoder does
// not take, or a value it cannot use, answers InvalidParameter.
GpStatus ReadEncoderOptions(EncoderKind kind, const EncoderParameters* parameters,
                            EncoderOptions& options);

// The byte size of the encoder's parameter list, and the list written into a caller's buffer
// (the values follow the records in the same buffer).
UINT EncoderParameterListSize(EncoderKind kind);
GpStatus WriteEncoderParameterList(EncoderKind kind, UINT size, EncoderParameters* buffer);

}  // namespace vantrel::platform::gdiplus
