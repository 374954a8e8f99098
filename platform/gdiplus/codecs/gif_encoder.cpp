// GIF through giflib. Up to 256 distinct colours are kept exactly (a symbol has two); beyond
// that Qt's colour quantizer picks the palette. Pixels with alpha below 128 become the
// transparent colour.
#include <gif_lib.h>

#include <QImage>
#include <algorithm>
#include <new>
#include <unordered_map>

#include "platform/gdiplus/codecs/image_encoders.h"
#include "platform/gdiplus/codecs/pixel_rows.h"

namespace vantrel::platform::gdiplus {
namespace {

constexpr std::uint32_t kTransparent = 0;  // the one palette key with alpha 0

struct PalettedImage {
  std::vector<std::uint32_t> palette;  // 0xAARRGGBB, alpha 0 or 255
  std::vector<std::uint8_t> indices;   // width*height
  int transparentIndex = -1;
};

std::uint32_t PaletteKey(ARGB colour) {
  return (colour >> 24) < 128 ? kTransparent : (colour | 0xFF000000u);
}

bool IndexExactly(const PixelView& pixels, PalettedImage& image) {
  std::unordered_map<std::uint32_t, std::uint8_t> entries;
  image.indices.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  std::size_t at = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t key = PaletteKey(RawToArgb(pixels.Read(x, y), pixels.format));
      auto found = entries.find(key);
      if (found == entries.end()) {
        if (entries.size() == 256) return false;
        found = entries.emplace(key, static_cast<std::uint8_t>(entries.size())).first;
        image.palette.push_back(key);
        if (key == kTransparent) image.transparentIndex = found->second;
      }
      image.indices[at++] = found->second;
    }
  }
  return true;
}

void IndexWithQt(const PixelView& pixels, PalettedImage& image) {
  QImage source(pixels.width, pixels.height, QImage::Format_ARGB32);
  if (source.isNull()) throw std::bad_alloc();
  for (int y = 0; y < pixels.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(source.scanLine(y));
    for (int x = 0; x < pixels.width; ++x) {
      row[x] = PaletteKey(RawToArgb(pixels.Read(x, y), pixels.format));
    }
  }
  const QImage indexed = source.convertToFormat(QImage::Format_Indexed8);
  if (indexed.isNull()) throw std::bad_alloc();
  image.palette.clear();
  for (const QRgb colour : indexed.colorTable()) image.palette.push_back(PaletteKey(colour));
  image.transparentIndex = -1;
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    if (image.palette[i] == kTransparent) {
      image.transparentIndex = static_cast<int>(i);
      break;
    }
  }
  image.indices.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    const std::uint8_t* row = indexed.constScanLine(y);
    for (int x = 0; x < pixels.width; ++x) {
      std::uint8_t index = row[x];
      // Every see-through entry shows as the one transparent colour.
      if (image.transparentIndex >= 0 && image.palette[index] == kTransparent) {
        index = static_cast<std::uint8_t>(image.transparentIndex);
      }
      image.indices[static_cast<std::size_t>(y) * pixels.width + x] = index;
    }
  }
}

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  try {
    out->insert(out->end(), data, data + length);
    return length;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    if (gif != nullptr) EGifCloseFile(gif, &error);
  }
};

}  // namespace

GpStatus EncodeGif(const PixelView& pixels, Bytes& out) {
  PalettedImage image;
  if (!IndexExactly(pixels, image)) IndexWithQt(pixels, image);

  // The colour map's size must be a power of two, at least 2.
  int bits = 1;
  while ((1u << bits) < image.palette.size()) ++bits;
  std::vector<GifColorType> colours(std::size_t{1} << bits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    colours[i] = {static_cast<GifByteType>(image.palette[i] >> 16),
                  static_cast<GifByteType>(image.palette[i] >> 8),
                  static_cast<GifByteType>(image.palette[i])};
  }

  out.clear();
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, AppendBytes, &error));
  if (!gif) return GenericError;
  EGifSetGifVersion(gif.get(), true);
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  if (map == nullptr) return OutOfMemory;
  const int screen = EGifPutScreenDesc(gif.get(), pixels.width, pixels.height, bits, 0, map);
  GifFreeMapObject(map);
  if (screen == GIF_ERROR) return GenericError;
  if (image.transparentIndex >= 0) {
    const GifByteType control[4] = {0x01, 0, 0, static_cast<GifByteType>(image.transparentIndex)};
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR) {
      return GenericError;
    }
  }
  if (EGifPutImageDesc(gif.get(), 0, 0, pixels.width, pixels.height, false, nullptr) ==
      GIF_ERROR) {
    return GenericError;
  }
  for (int y = 0; y < pixels.height; ++y) {
    GifPixelType* row = image.indices.data() + static_cast<std::size_t>(y) * pixels.width;
    if (EGifPutLine(gif.get(), row, pixels.width) == GIF_ERROR) return GenericError;
  }
  GifFileType* finished = gif.release();
  if (EGifCloseFile(finished, &error) == GIF_ERROR) return GenericError;
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
