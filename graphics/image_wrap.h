#pragma once
// An image: a bitmap the library owns, with the operations that make, encode and release it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/encoder_params.h"
#include "graphics/family_levels.h"
#include "graphics/hglobal_stream.h"

namespace vantrel::graphics {

// Format identifiers of the library's image formats.
inline constexpr std::string_view kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kBmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kJpegFormat = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kGifFormat = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kTiffFormat = "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr std::string_view kMemoryBmpFormat = "{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}";

// 32 bits per pixel, 8 each of alpha, red, green and blue.
inline constexpr std::int32_t kPixelFormat32bppArgb = 0x0026200A;

class ImageWrap final : public ImageFamily {
 public:
  ImageWrap() = default;
  ~ImageWrap() override { Dispose(); }

  void OnConcreteHandleSet(NativeHandle handle) override { bitmapHandle_ = handle; }

  // Releases the bitmap, then the bytes it was made from.
  bool Dispose();

  // Images go to a file or to memory through the encoder of a format identifier; without
  // one, the image's own raw format is used (no encoder has the in-memory bitmap's).
  bool SaveToFile(std::string_view fileName, std::optional<std::string_view> format = {},
                  const EncoderParamList* params = nullptr);
  // The name as a zero-terminated UTF-16 byte block; the format defaults to BMP.
  bool SaveToFileW(std::span<const std::uint8_t> fileName,
                   std::optional<std::string_view> format = {},
                   const EncoderParamList* params = nullptr);
  // The encoded file, or what the encoder wrote before failing (usually nothing); the status
  // tells which.
  std::vector<std::uint8_t> SaveToBytes(std::optional<std::string_view> format = {},
                                        const EncoderParamList* params = nullptr);
  bool SaveAdd(const EncoderParamList& params);
  bool SaveAddImage(const ImageWrap& image, const EncoderParamList& params);
  // Fills `params` with the encoder's parameter list; leaves it alone on failure.
  bool GetEncoderParams(std::string_view format, EncoderParamList& params);
  std::string GetRawFormat();

  bool IsCreated() const { return bitmapHandle_ != 0; }

  // 1 to 65,535 pixels a side, at most 2^28 pixels; every pixel starts as 0x00000000.
  bool CreateBitmap(std::int32_t width, std::int32_t height,
                    std::optional<std::int32_t> format = {});
  // Over the caller's pixel rows, which must outlive the bitmap.
  bool CreateBitmapEx(std::int32_t width, std::int32_t height, std::int32_t stride,
                      std::int32_t format, std::uint8_t* scan0);

 private:
  bool SaveToNamedFile(const std::u16string& name, std::string_view format,
                       const EncoderParamList* params);

  NativeHandle bitmapHandle_ = 0;
  HGlobalStream backingStream_;
};

}  // namespace vantrel::graphics
