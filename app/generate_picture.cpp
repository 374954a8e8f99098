#include "app/generate_picture.h"

#include <optional>
#include <string>

#include "app/argb_from_rgb.h"
#include "app/number_text.h"
#include "app/text_cutting.h"
#include "graphics/graphics_wrap.h"
#include "graphics/image_wrap.h"
#include "graphics/path_wrap.h"
#include "graphics/session.h"
#include "graphics/solid_brush_wrap.h"
#include "script/regex_matcher.h"
#include "script/run_encoder_script.h"

namespace vantrel::app {
namespace {

constexpr std::int32_t kSmoothingAntiAlias = 4;
constexpr std::int32_t kInterpolationHighQualityBicubic = 7;
constexpr std::int32_t kCompositingHighQuality = 2;
constexpr std::string_view kCellPattern = R"((\d+(\.\d+)?)\,(\d+(\.\d+)?)\,(\w{4,5})\|)";

}  // namespace

// Every step runs whatever the previous ones answered: a failure shows only in the picture.
std::vector<std::uint8_t> GeneratePicture(std::string_view content, std::int32_t width,
                                          std::int32_t height) {
  // Declared first so that it goes last: the matcher brackets the run's COM initialisation.
  std::optional<script::RegexMatcher> matcher;
  std::string cellList;
  std::vector<std::uint8_t> picture;
  {
    graphics::ImageWrap bitmap;
    graphics::GraphicsWrap context;
    graphics::SolidBrushWrap darkBrush;
    graphics::SolidBrushWrap lightBrush;
    graphics::PathWrap darkPath;
    graphics::PathWrap lightPath;
    matcher.emplace();

    graphics::StartGraphicsSession();
    bitmap.CreateBitmap(width, height);
    context.FromImage(bitmap);
    context.SetSmoothingMode(kSmoothingAntiAlias);
    context.SetInterpolationMode(kInterpolationHighQualityBicubic);
    context.SetCompositingQuality(kCompositingHighQuality);
    darkBrush.Create(ArgbFromRgb(0));
    lightBrush.Create(ArgbFromRgb(0xFFFFFF));
    darkPath.Create();
    lightPath.Create();

    cellList = script::RunEncoderScript(content, width, height);
    const std::int32_t moduleWidth = TextToInteger(TextBetween(cellList, "width", "height"));
    const std::int32_t moduleHeight = TextToInteger(TextBetween(cellList, "height", "+"));
    cellList = TextAfterLast(cellList, "+");

    matcher->Match(kCellPattern, cellList);
    const std::int32_t count = matcher->MatchCount();
    for (std::int32_t i = 1; i <= count; ++i) {
      const bool dark = matcher->SubMatchText(i, 5) == "true";
      const std::int32_t x = TextToInteger(matcher->SubMatchText(i, 1));
      const std::int32_t y = TextToInteger(matcher->SubMatchText(i, 3));
      graphics::PathWrap& path = dark ? darkPath : lightPath;
      path.AddRectangle(static_cast<float>(x), static_cast<float>(y),
                        static_cast<float>(moduleWidth), static_cast<float>(moduleHeight));
      context.FillPath(dark ? darkBrush : lightBrush, path);
    }

    picture = bitmap.SaveToBytes(graphics::kPngFormat);

    bitmap.Dispose();
    context.Delete();
    darkBrush.Delete();
    lightBrush.Delete();
    darkPath.Delete();
    lightPath.Delete();
    graphics::StopGraphicsSession();
  }
  cellList = std::string();
  matcher.reset();
  return picture;
}

}  // namespace vantrel::app
