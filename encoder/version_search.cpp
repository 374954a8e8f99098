#include "encoder/version_search.h"

#include "encoder/capacity_table.h"
#include "encoder/content_bytes.h"
#include "encoder/correct_level.h"
#include "encoder/entry.h"

namespace vantrel::encoder {

int findTypeNumber(std::u16string_view text, int correctLevel) {
  const int column = levelOffset(correctLevel);
  // An unknown level has no column, so no version holds the content.
  if (column < 0) throw EncoderError("Too long data");
  const std::size_t measure = getContentLength(text);
  for (int version = 1; version <= 40; ++version) {
    if (static_cast<std::size_t>(CAPACITY_TABLE[version - 1][column]) >= measure) return version;
  }
  throw EncoderError("Too long data");
}

}  // namespace vantrel::encoder
