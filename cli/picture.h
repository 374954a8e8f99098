#pragma once
// What the picture commands share: the window's reading of sizes and the picture itself,
// refused with a message where the window would show nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

struct PictureSize {
  std::int32_t width = 256;
  std::int32_t height = 256;
};

// Reads the -W and -H values with the size fields' rule ("12.9" -> 12, "２５６" -> 256,
// "abc" -> 0); a missing option keeps 256.
PictureSize SizeFromOptions(const std::optional<std::string>& width,
                            const std::optional<std::string>& height);

struct PictureResult {
  std::vector<std::uint8_t> png;  // the bytes Generate gives the preview; empty on error
  std::string error;              // why there is no picture
};

// The PNG for content, or an error for content too long for a symbol and for a size that
// makes no picture.
PictureResult MakePicture(std::string_view content, PictureSize size);

}  // namespace vantrel::cli
