#include "cli/picture.h"

#include "app/content_capacity.h"
#include "app/generate_picture.h"
#include "app/number_text.h"

namespace vantrel::cli {
namespace {

std::int32_t SizeFrom(const std::optional<std::string>& text) {
  return text ? app::IntegerFromNumber(app::TextToNumber(*text)) : 256;
}

}  // namespace

PictureSize SizeFromOptions(const std::optional<std::string>& width,
                            const std::optional<std::string>& height) {
  return {SizeFrom(width), SizeFrom(height)};
}

PictureResult MakePicture(std::string_view content, PictureSize size) {
  if (!app::ContentFitsSymbol(content))
    return {{}, "content too long for a QR code (at most 1273 bytes, 1270 for non-ASCII text)"};
  PictureResult result{app::GeneratePicture(content, size.width, size.height), {}};
  if (result.png.empty())
    result.error = "no picture of " + std::to_string(size.width) + " x " +
                   std::to_string(size.height) +
                   " pixels can be made (1 to 65535 a side, at most 268435456 pixels)";
  return result;
}

}  // namespace vantrel::cli
