// Encoder lists, encoder parameters and saving images to streams and files.
#include <memory>
#include <string>

#include "platform/gdiplus/codecs/codec_catalogue.h"
#include "platform/gdiplus/codecs/multi_page_save.h"
#include "platform/gdiplus/flat/call_boundary.h"
#include "platform/text/code_page.h"

namespace vantrel::platform::gdiplus {
namespace {

// Encodes the bitmap into the target, or starts a multi-page save there.
GpStatus SaveBitmap(Bitmap& bitmap, SaveTarget target, const CLSID* encoder,
                    const EncoderParameters* parameters) {
  if (encoder == nullptr) return InvalidParameter;
  const CodecEntry* codec = FindEncoder(*encoder);
  if (codec == nullptr) return UnknownImageFormat;
  EncoderOptions options;
  if (const GpStatus status = ReadEncoderOptions(codec->kind, parameters, options); status != Ok) {
    return status;
  }
  if (bitmap.Lock()) return WrongState;
  const PixelView& pixels = bitmap.Pixels();
  if (codec->kind == EncoderKind::Tiff && options.saveFlag == EncoderValueMultiFrame) {
    auto save = std::make_unique<MultiPageSave>(std::move(target), options);
    const GpStatus status = save->AddPage(pixels, EncoderOptions{});
    if (status == Ok) bitmap.PageSave() = std::move(save);
    return status;
  }
  Bytes encoded;
  if (const GpStatus status = EncodeImage(codec->kind, pixels, options, encoded); status != Ok) {
    return status;
  }
  return target.Deliver(encoded);
}

}  // namespace

GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size) {
  return Call([&](HandleTable&) {
    if (numEncoders == nullptr || size == nullptr) return InvalidParameter;
    *numEncoders = static_cast<UINT>(Encoders().size());
    *size = EncoderListSize();
    return Ok;
  });
}

GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
  return Call([&](HandleTable&) { return WriteEncoderList(numEncoders, size, encoders); });
}

GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder,
                               const EncoderParameters* parameters) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || stream == nullptr) return InvalidParameter;
    return SaveBitmap(*bitmap, SaveTarget::ToStream(stream), encoder, parameters);
  });
}

GpStatus GdipSaveImageToFile(GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                             const EncoderParameters* parameters) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || fileName == nullptr || *fileName == 0) return InvalidParameter;
    std::string path = Utf16ToUtf8(std::u16string_view(fileName));
    return SaveBitmap(*bitmap, SaveTarget::ToFile(std::move(path)), encoder, parameters);
  });
}

GpStatus GdipSaveAdd(GpImage* image, const EncoderParameters* parameters) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || parameters == nullptr) return InvalidParameter;
    EncoderOptions options;
    if (const GpStatus status = ReadEncoderOptions(EncoderKind::Tiff, parameters, options);
        status != Ok) {
      return status;
    }
    if (!bitmap->PageSave()) return WrongState;
    if (options.saveFlag == EncoderValueFlush || options.saveFlag == EncoderValueLastFrame) {
      bitmap->PageSave().reset();
      return Ok;
    }
    if (options.saveFlag != EncoderValueFrameDimensionPage) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    return bitmap->PageSave()->AddPage(bitmap->Pixels(), options);
  });
}

GpStatus GdipSaveAddImage(GpImage* image, GpImage* newImage, const EncoderParameters* parameters) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    Bitmap* page = objects.Find<Bitmap>(HandleOf(newImage));
    if (bitmap == nullptr || page == nullptr || parameters == nullptr) return InvalidParameter;
    EncoderOptions options;
    if (const GpStatus status = ReadEncoderOptions(EncoderKind::Tiff, parameters, options);
        status != Ok) {
      return status;
    }
    if (!bitmap->PageSave()) return WrongState;
    if (options.saveFlag && options.saveFlag != EncoderValueFrameDimensionPage) {
      return InvalidParameter;
    }
    if (page->Lock()) return WrongState;
    return bitmap->PageSave()->AddPage(page->Pixels(), options);
  });
}

GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size) {
  return Call([&](HandleTable& objects) {
    if (objects.Find<Bitmap>(HandleOf(image)) == nullptr || encoder == nullptr || size == nullptr) {
      return InvalidParameter;
    }
    const CodecEntry* codec = FindEncoder(*encoder);
    if (codec == nullptr) return UnknownImageFormat;
    *size = EncoderParameterListSize(codec->kind);
    return Ok;
  });
}

GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size,
                                     EncoderParameters* buffer) {
  return Call([&](HandleTable& objects) {
    if (objects.Find<Bitmap>(HandleOf(image)) == nullptr || encoder == nullptr) {
      return InvalidParameter;
    }
    const CodecEntry* codec = FindEncoder(*encoder);
    if (codec == nullptr) return UnknownImageFormat;
    return WriteEncoderParameterList(codec->kind, size, buffer);
  });
}

}  // namespace vantrel::platform::gdiplus
