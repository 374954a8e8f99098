// PNG through libpng. Symbols repeat each row of pixels for a whole module, so every row is
// filtered with "Up" (a repeated row becomes zeros). Pictures of at most 256 colours (symbols
// have a few) are written indexed, one byte a pixel, and run-length deflated: measured on
// symbols, faster and smaller than RGBA. Other pictures are deflated at the fastest level,
// whose matches also catch the runs of one colour along a row.
#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <new>
#include <optional>

#include "platform/gdiplus/codecs/image_encoders.h"
#include "platform/gdiplus/codecs/pixel_rows.h"
#include "platform/gdiplus/codecs/png_palette.h"

namespace vantrel::platform::gdiplus {
namespace {

struct PngJob {
  const PixelView* pixels;
  const PngPalette* palette;  // null: true colour
  Bytes* out;
  Bytes row;
  bool outOfMemory = false;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  try {
    job->out->insert(job->out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    job->outOfMemory = true;
    png_error(png, "out of memory");
  }
}

void NoFlush(png_structp) {}

// Only plain data lives in this frame, so libpng's longjmp skips no destructor.
bool WritePng(PngJob& job) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  const PixelView& pixels = *job.pixels;
  const PngPalette* palette = job.palette;
  const bool alpha = HasAlpha(pixels.format);
  png_set_write_fn(png, &job, AppendBytes, NoFlush);
  const int colourType = palette   ? PNG_COLOR_TYPE_PALETTE
                         : alpha ? PNG_COLOR_TYPE_RGB_ALPHA
                                 : PNG_COLOR_TYPE_RGB;
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width),
               static_cast<png_uint_32>(pixels.height), 8, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Filled before png_write_info copies them.
  std::array<png_color, PngPalette::kMaxColours> entries{};
  std::array<png_byte, PngPalette::kMaxColours> alphas{};
  if (palette != nullptr) {
    const auto colours = palette->Colours();
    for (std::size_t i = 0; i < colours.size(); ++i) {
      entries[i] = {static_cast<png_byte>(colours[i] >> 16), static_cast<png_byte>(colours[i] >> 8),
                    static_cast<png_byte>(colours[i])};
      alphas[i] = static_cast<png_byte>(colours[i] >> 24);
    }
    png_set_PLTE(png, info, entries.data(), static_cast<int>(colours.size()));
    if (palette->TranslucentCount() > 0) {
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(palette->TranslucentCount()),
                   nullptr);
    }
  }
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, palette != nullptr ? Z_RLE : Z_DEFAULT_STRATEGY);
  png_write_info(png, info);
  png_bytep row = job.row.data();
  for (int y = 0; y < pixels.height; ++y) {
    // libpng leaves the row it is given as it was.
    if (y > 0 && SameAsRowAbove(pixels, y)) {
      png_write_row(png, row);
      continue;
    }
    if (palette != nullptr) {
      palette->IndexRow(pixels, y, row);
    } else if (alpha) {
      ReadRgbaRow(pixels, y, row);
    } else {
      ReadRgbRow(pixels, y, row);
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

GpStatus EncodePng(const PixelView& pixels, Bytes& out) {
  const std::optional<PngPalette> palette = PngPalette::Of(pixels);
  PngJob job{&pixels, palette ? &*palette : nullptr, &out,
             Bytes(static_cast<std::size_t>(pixels.width) * 4)};
  out.clear();
  if (WritePng(job)) return Ok;
  return job.outOfMemory ? OutOfMemory : GenericError;
}

}  // namespace vantrel::platform::gdiplus
