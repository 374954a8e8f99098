#pragma once
// The encoders the library offers, in the order GdipGetImageEncoders lists them, and the
// layout of that list in a caller's buffer.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdiplus/codecs/encoder_options.h"
#include "platform/gdiplus/fill/pixel_view.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

struct CodecEntry {
  CLSID clsid;
  GUID format;
  EncoderKind kind;
  std::u16string_view name;
  std::u16string_view description;
  std::u16string_view extensions;
  std::u16string_view mimeType;
  std::vector<std::vector<std::uint8_t>> signatures;  // all of one length; mask all ones
};

std::span<const CodecEntry> Encoders();
const CodecEntry* FindEncoder(const CLSID& clsid);

// Records first, then the strings and signature bytes they point to.
UINT EncoderListSize();
GpStatus WriteEncoderList(UINT count, UINT size, ImageCodecInfo* buffer);

}  // namespace vantrel::platform::gdiplus
