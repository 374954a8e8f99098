#include "platform/gdiplus/codecs/codec_catalogue.h"

#include <cstring>

namespace vantrel::platform::gdiplus {
namespace {

constexpr UINT32 kFlagEncoder = 0x1;
constexpr UINT32 kFlagSupportBitmap = 0x4;
constexpr UINT32 kFlagBuiltin = 0x10000;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

const std::vector<CodecEntry>& Catalogue() {
  static const std::vector<CodecEntry> catalogue = {
      {EncoderClsidBMP, ImageFormatBMP, EncoderKind::Bmp, u"Built-in BMP Codec", u"BMP",
       u"*.BMP;*.DIB;*.RLE", u"image/bmp", {Bytes("BM")}},
      {EncoderClsidJPEG, ImageFormatJPEG, EncoderKind::Jpeg, u"Built-in JPEG Codec", u"JPEG",
       u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", {{0xFF, 0xD8}}},
      {EncoderClsidGIF, ImageFormatGIF, EncoderKind::Gif, u"Built-in GIF Codec", u"GIF",
       u"*.GIF", u"image/gif", {Bytes("GIF87a"), Bytes("GIF89a")}},
      {EncoderClsidTIFF, ImageFormatTIFF, EncoderKind::Tiff, u"Built-in TIFF Codec", u"TIFF",
       u"*.TIF;*.TIFF", u"image/tiff", {Bytes("II"), Bytes("MM")}},
      {EncoderClsidPNG, ImageFormatPNG, EncoderKind::Png, u"Built-in PNG Codec", u"PNG",
       u"*.PNG", u"image/png", {{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}}},
  };
  return catalogue;
}

std::size_t StringBytes(std::u16string_view text) { return (text.size() + 1) * sizeof(WCHAR); }

std::size_t TrailingBytes(const CodecEntry& codec) {
  std::size_t size = StringBytes(codec.name) + StringBytes(u"") + StringBytes(codec.description) +
                     StringBytes(codec.extensions) + StringBytes(codec.mimeType);
  for (const auto& signature : codec.signatures) size += 2 * signature.size();
  return size;
}

// Copies a string into the buffer's tail and answers where it went.
const WCHAR* PutString(std::uint8_t*& tail, std::u16string_view text) {
  auto* start = reinterpret_cast<WCHAR*>(tail);
  std::memcpy(tail, text.data(), text.size() * sizeof(WCHAR));
  std::memset(tail + text.size() * sizeof(WCHAR), 0, sizeof(WCHAR));
  tail += StringBytes(text);
  return start;
}

}  // namespace

std::span<const CodecEntry> Encoders() { return Catalogue(); }

const CodecEntry* FindEncoder(const CLSID& clsid) {
  for (const CodecEntry& codec : Catalogue()) {
    if (codec.clsid == clsid) return &codec;
  }
  return nullptr;
}

UINT EncoderListSize() {
  std::size_t size = Catalogue().size() * sizeof(ImageCodecInfo);
  for (const CodecEntry& codec : Catalogue()) size += TrailingBytes(codec);
  return static_cast<UINT>(size);
}

GpStatus WriteEncoderList(UINT count, UINT size, ImageCodecInfo* buffer) {
  if (buffer == nullptr) return InvalidParameter;
  if (count < Catalogue().size() || size < EncoderListSize()) return InsufficientBuffer;
  auto* tail = reinterpret_cast<std::uint8_t*>(buffer) + Catalogue().size() * sizeof(ImageCodecInfo);
  for (std::size_t i = 0; i < Catalogue().size(); ++i) {
    const CodecEntry& codec = Catalogue()[i];
    ImageCodecInfo& record = buffer[i];
    record.Clsid = codec.clsid;
    record.FormatID = codec.format;
    record.CodecName = PutString(tail, codec.name);
    record.DllName = PutString(tail, u"");
    record.FormatDescription = PutString(tail, codec.description);
    record.FilenameExtension = PutString(tail, codec.extensions);
    record.MimeType = PutString(tail, codec.mimeType);
    record.Flags = kFlagEncoder | kFlagSupportBitmap | kFlagBuiltin;
    record.Version = 1;
    record.SigCount = static_cast<UINT32>(codec.signatures.size());
    record.SigSize = static_cast<UINT32>(codec.signatures.front().size());
    record.SigPattern = tail;
    for (const auto& signature : codec.signatures) {
      std::memcpy(tail, signature.data(), signature.size());
      tail += signature.size();
    }
    record.SigMask = tail;
    for (const auto& signature : codec.signatures) {
      std::memset(tail, 0xFF, signature.size());
      tail += signature.size();
    }
  }
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
