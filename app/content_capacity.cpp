#include "app/content_capacity.h"

#include "encoder/capacity_table.h"
#include "encoder/content_bytes.h"
#include "encoder/correct_level.h"
#include "platform/text/code_page.h"

namespace vantrel::app {

bool ContentFitsSymbol(std::string_view content) {
  // The encoder's own measure and table, read the way the script host hands the content over,
  // so this answer and the encoder's "Too long data" cannot disagree.
  const std::size_t measure = encoder::getContentLength(platform::Utf8ToUtf16(content));
  const auto largest = encoder::CAPACITY_TABLE.back()[encoder::levelOffset(encoder::CorrectLevel::H)];
  return measure <= static_cast<std::size_t>(largest);
}

}  // namespace vantrel::app
