#include "graphics/encoders.h"

#include <new>

#include "graphics/flat_functions.h"
#include "graphics/native_records.h"
#include "graphics/session.h"

namespace vantrel::graphics {

std::int32_t ListEncoders(std::vector<CodecInfo>& encoders) {
  gp::UINT count = 0;
  gp::UINT size = 0;
  LastGdipStatus = Flat().GdipGetImageEncodersSize(&count, &size);
  if (LastGdipStatus != gp::Ok) return 0;
  try {
    RecordBuffer buffer(size);
    LastGdipStatus = Flat().GdipGetImageEncoders(
        count, size, static_cast<gp::ImageCodecInfo*>(buffer.data()));
    encoders = ReadCodecRecords(buffer, count);
  } catch (const std::bad_alloc&) {
    encoders.clear();
  }
  return static_cast<std::int32_t>(encoders.size());
}

std::string FindEncoder(std::string_view formatId) {
  std::vector<CodecInfo> encoders;
  ListEncoders(encoders);
  for (const CodecInfo& codec : encoders) {
    if (codec.formatId == formatId) return codec.encoderId;
  }
  return {};
}

}  // namespace vantrel::graphics
