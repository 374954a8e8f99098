#include "graphics/image_wrap.h"

#include <new>

#include "graphics/encoders.h"
#include "graphics/flat_functions.h"
#include "graphics/native_records.h"
#include "graphics/session.h"
#include "graphics/text_helpers.h"

namespace vantrel::graphics {
namespace {

platform::CLSID EncoderFor(std::string_view format) { return TextToGuid(FindEncoder(format)); }

}  // namespace

bool ImageWrap::Dispose() {
  if (bitmapHandle_ == 0) return false;
  const gp::GpStatus status = Flat().GdipDisposeImage(AsNative<gp::GpImage>(bitmapHandle_));
  SetHandle(0);
  backingStream_.Release();
  return Report(status);
}

bool ImageWrap::SaveToNamedFile(const std::u16string& name, std::string_view format,
                                const EncoderParamList* params) {
  const platform::CLSID encoder = EncoderFor(format);
  const OptionalParameterBlock block(params);
  return Report(Flat().GdipSaveImageToFile(AsNative<gp::GpImage>(FamilyHandle()), name.c_str(),
                                           &encoder, block.get()));
}

bool ImageWrap::SaveToFile(std::string_view fileName, std::optional<std::string_view> format,
                           const EncoderParamList* params) {
  const std::string raw = format.has_value() ? std::string() : GetRawFormat();
  return SaveToNamedFile(WideBlockToString(TextToWide(fileName)), format.value_or(raw), params);
}

bool ImageWrap::SaveToFileW(std::span<const std::uint8_t> fileName,
                            std::optional<std::string_view> format,
                            const EncoderParamList* params) {
  return SaveToNamedFile(WideBlockToString(fileName), format.value_or(kBmpFormat), params);
}

std::vector<std::uint8_t> ImageWrap::SaveToBytes(std::optional<std::string_view> format,
                                                 const EncoderParamList* params) {
  HGlobalStream stream;
  const std::string raw = format.has_value() ? std::string() : GetRawFormat();
  const platform::CLSID encoder = EncoderFor(format.value_or(raw));
  platform::IStream* target = stream.Open();
  const OptionalParameterBlock block(params);
  Report(Flat().GdipSaveImageToStream(AsNative<gp::GpImage>(FamilyHandle()), target, &encoder,
                                      block.get()));
  return stream.ReadAll();
}

bool ImageWrap::SaveAdd(const EncoderParamList& params) {
  const NativeParameterBlock block(params);
  return Report(Flat().GdipSaveAdd(AsNative<gp::GpImage>(FamilyHandle()), block.get()));
}

bool ImageWrap::SaveAddImage(const ImageWrap& image, const EncoderParamList& params) {
  const NativeParameterBlock block(params);
  return Report(Flat().GdipSaveAddImage(AsNative<gp::GpImage>(FamilyHandle()),
                                        AsNative<gp::GpImage>(image.GetHandle()), block.get()));
}

bool ImageWrap::GetEncoderParams(std::string_view format, EncoderParamList& params) {
  const platform::CLSID encoder = EncoderFor(format);
  auto* image = AsNative<gp::GpImage>(FamilyHandle());
  gp::UINT size = 0;
  if (!Report(Flat().GdipGetEncoderParameterListSize(image, &encoder, &size))) return false;
  try {
    RecordBuffer buffer(size);
    if (!Report(Flat().GdipGetEncoderParameterList(
            image, &encoder, size, static_cast<gp::EncoderParameters*>(buffer.data())))) {
      return false;
    }
    params = ReadParameterBlock(buffer);
  } catch (const std::bad_alloc&) {
    return Report(gp::OutOfMemory);
  }
  return true;
}

std::string ImageWrap::GetRawFormat() {
  platform::GUID format;
  Report(Flat().GdipGetImageRawFormat(AsNative<gp::GpImage>(FamilyHandle()), &format));
  return GuidToText(format);
}

bool ImageWrap::CreateBitmap(std::int32_t width, std::int32_t height,
                             std::optional<std::int32_t> format) {
  return CreateBitmapEx(width, height, 0, format.value_or(kPixelFormat32bppArgb), nullptr);
}

bool ImageWrap::CreateBitmapEx(std::int32_t width, std::int32_t height, std::int32_t stride,
                               std::int32_t format, std::uint8_t* scan0) {
  Dispose();
  gp::GpBitmap* bitmap = nullptr;
  const gp::GpStatus status =
      Flat().GdipCreateBitmapFromScan0(width, height, stride, format, scan0, &bitmap);
  bitmapHandle_ = AsHandle(bitmap);
  SetHandle(bitmapHandle_);
  return Report(status);
}

}  // namespace vantrel::graphics
