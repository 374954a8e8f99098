#include "platform/gdiplus/codecs/tiff_writer.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdiplus/codecs/pixel_rows.h"

namespace vantrel::platform::gdiplus {
namespace {

TiffWriter& WriterOf(thandle_t handle) { return *static_cast<TiffWriter*>(handle); }

tmsize_t ReadBytes(thandle_t handle, void* buffer, tmsize_t size) {
  TiffWriter& writer = WriterOf(handle);
  const Bytes& data = writer.Buffer();
  const std::uint64_t at = writer.Position();
  if (at >= data.size() || size <= 0) return 0;
  const auto count = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), data.size() - at);
  std::memcpy(buffer, data.data() + at, count);
  writer.Position() += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteBytes(thandle_t handle, void* buffer, tmsize_t size) {
  TiffWriter& writer = WriterOf(handle);
  Bytes& data = writer.Buffer();
  if (size < 0) return -1;
  try {
    const std::uint64_t end = writer.Position() + static_cast<std::uint64_t>(size);
    if (end > data.size()) data.resize(end);
    std::memcpy(data.data() + writer.Position(), buffer, static_cast<std::size_t>(size));
    writer.Position() = end;
    return size;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

toff_t SeekTo(thandle_t handle, toff_t offset, int whence) {
  TiffWriter& writer = WriterOf(handle);
  std::uint64_t base = 0;
  if (whence == SEEK_CUR) base = writer.Position();
  if (whence == SEEK_END) base = writer.Buffer().size();
  writer.Position() = base + offset;
  return writer.Position();
}

int CloseNothing(thandle_t) { return 0; }
toff_t SizeOf(thandle_t handle) { return WriterOf(handle).Buffer().size(); }
int MapNothing(thandle_t, void**, toff_t*) { return 0; }
void UnmapNothing(thandle_t, void*, toff_t) {}

struct PageLayout {
  int samples = 3;  // 1 grey or bilevel, 3 RGB, 4 RGBA
  int bits = 8;
  std::uint16_t compression = COMPRESSION_LZW;
};

PageLayout LayoutFor(const PixelView& pixels, const EncoderOptions& options) {
  PageLayout layout;
  int depth = options.colourDepth.value_or(HasAlpha(pixels.format) ? 32 : 24);
  switch (options.compression.value_or(EncoderValueCompressionLZW)) {
    case EncoderValueCompressionNone:
      layout.compression = COMPRESSION_NONE;
      break;
    case EncoderValueCompressionCCITT3:
      layout.compression = COMPRESSION_CCITTFAX3;
      depth = 1;
      break;
    case EncoderValueCompressionCCITT4:
      layout.compression = COMPRESSION_CCITTFAX4;
      depth = 1;
      break;
    case EncoderValueCompressionRle:
      layout.compression = COMPRESSION_CCITTRLE;
      depth = 1;
      break;
    default:
      layout.compression = COMPRESSION_LZW;
      break;
  }
  layout.samples = depth == 32 ? 4 : depth == 24 ? 3 : 1;
  layout.bits = depth == 1 ? 1 : 8;
  return layout;
}

int Luma(const std::uint8_t* rgb) { return (rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114) / 1000; }

void PageRow(const PixelView& pixels, const PageLayout& layout, int y, Bytes& rgba,
             Bytes& row) {
  ReadRgbaRow(pixels, y, rgba.data());
  std::fill(row.begin(), row.end(), 0);
  for (int x = 0; x < pixels.width; ++x) {
    const std::uint8_t* in = rgba.data() + 4 * x;
    if (layout.samples >= 3) {
      std::memcpy(row.data() + layout.samples * x, in, static_cast<std::size_t>(layout.samples));
    } else if (layout.bits == 8) {
      row[x] = static_cast<std::uint8_t>(Luma(in));
    } else if (Luma(in) >= 128) {
      row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));  // 1 is white
    }
  }
}

}  // namespace

TiffWriter::TiffWriter() = default;

TiffWriter::~TiffWriter() {
  if (tiff_ != nullptr) TIFFClose(tiff_);
}

GpStatus TiffWriter::AddPage(const PixelView& pixels, const EncoderOptions& options) {
  if (tiff_ == nullptr) {
    tiff_ = TIFFClientOpen("memory", "w", this, ReadBytes, WriteBytes, SeekTo, CloseNothing,
                           SizeOf, MapNothing, UnmapNothing);
    if (tiff_ == nullptr) return GenericError;
  }
  const PageLayout layout = LayoutFor(pixels, options);
  TIFFSetField(tiff_, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(pixels.width));
  TIFFSetField(tiff_, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(pixels.height));
  TIFFSetField(tiff_, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(layout.samples));
  TIFFSetField(tiff_, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(layout.bits));
  TIFFSetField(tiff_, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff_, TIFFTAG_COMPRESSION, layout.compression);
  TIFFSetField(tiff_, TIFFTAG_PHOTOMETRIC,
               layout.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  if (layout.samples == 4) {
    const std::uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tiff_, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  TIFFSetField(tiff_, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
  TIFFSetField(tiff_, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff_, 0));

  Bytes rgba(static_cast<std::size_t>(pixels.width) * 4);
  Bytes row(static_cast<std::size_t>(TIFFScanlineSize(tiff_)));
  for (int y = 0; y < pixels.height; ++y) {
    PageRow(pixels, layout, y, rgba, row);
    if (TIFFWriteScanline(tiff_, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      return GenericError;
    }
  }
  if (!TIFFWriteDirectory(tiff_)) return GenericError;
  return Ok;
}

GpStatus EncodeTiff(const PixelView& pixels, const EncoderOptions& options, Bytes& out) {
  TiffWriter writer;
  const GpStatus status = writer.AddPage(pixels, options);
  if (status != Ok) return status;
  out = writer.Data();
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
