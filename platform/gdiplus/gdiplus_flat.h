#pragma once
// The flat interface of our graphics library (the shared library vantrel-gdiplus, loaded as
// "gdiplus.dll"). Names, arguments and status codes are those of the GDI+ flat API.
//
// Ownership:
// - Every object made by a Gdip*Create*/Gdip*Get*Context call belongs to the caller until it
//   is passed to its delete or dispose call. Handles are opaque and checked: a handle of 0, a
//   stale handle (already deleted) or a foreign one answers a status (InvalidParameter, or
//   GdiplusNotInitialized without a session), never a crash.
// - GdiplusShutdown frees every object still alive; their handles stop working.
// - Buffers the caller passes (encoder lists, parameter lists) stay the caller's; memory from
//   GdipAlloc is freed with GdipFree.
// - Bitmaps own their pixel memory unless made from a caller's scan0, which must outlive them.
// Limits: a bitmap is 1 to 65,535 pixels a side and at most 2^28 pixels in all.
#include <cstddef>
#include <cstdint>

#include "platform/com/com_types.h"
#include "platform/com/stream.h"

namespace vantrel::platform::gdiplus {

using INT = std::int32_t;
using UINT = std::uint32_t;
using UINT32 = std::uint32_t;
using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using REAL = float;
using ARGB = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using WCHAR = char16_t;
using PixelFormat = INT;

enum GpStatus : INT {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

inline constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

enum GpFillMode : INT { FillModeAlternate = 0, FillModeWinding = 1 };

enum SmoothingMode : INT {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
};

enum InterpolationMode : INT {
  InterpolationModeInvalid = -1,
  InterpolationModeDefault = 0,
  InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};

enum CompositingQuality : INT {
  CompositingQualityInvalid = -1,
  CompositingQualityDefault = 0,
  CompositingQualityHighSpeed = 1,
  CompositingQualityHighQuality = 2,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4,
};

// Opaque handle types. GpBitmap is an image, GpSolidFill a brush.
struct GpImage;
struct GpBitmap;
struct GpGraphics;
struct GpBrush;
struct GpSolidFill;
struct GpPath;

using DebugEventProc = void (*)(INT level, char* message);

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = 0;
  BOOL SuppressExternalCodecs = 0;
};

struct GdiplusStartupOutput {
  void* NotificationHook = nullptr;
  void* NotificationUnhook = nullptr;
};

// One encoder as GdipGetImageEncoders describes it; the strings and signature bytes live in
// the same caller-supplied buffer, after the records.
struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  UINT32 Flags;
  UINT32 Version;
  UINT32 SigCount;
  UINT32 SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

enum EncoderParameterValueType : UINT32 {
  EncoderParameterValueTypeByte = 1,
  EncoderParameterValueTypeASCII = 2,
  EncoderParameterValueTypeShort = 3,
  EncoderParameterValueTypeLong = 4,
  EncoderParameterValueTypeRational = 5,
  EncoderParameterValueTypeLongRange = 6,
  EncoderParameterValueTypeUndefined = 7,
  EncoderParameterValueTypeRationalRange = 8,
};

struct EncoderParameter {
  GUID Guid;
  UINT32 NumberOfValues;
  UINT32 Type;
  void* Value;
};

// Count, then Count parameters (the array runs past its declared length of 1).
struct EncoderParameters {
  UINT32 Count;
  EncoderParameter Parameter[1];
};

extern "C" {

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                        GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

void* GdipAlloc(std::size_t size);
void GdipFree(void* address);

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap** bitmap);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format);
GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipDeleteBrush(GpBrush* brush);

GpStatus GdipCreatePath(GpFillMode fillMode, GpPath** path);
GpStatus GdipDeletePath(GpPath* path);
GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);

GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);
GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder,
                               const EncoderParameters* parameters);
GpStatus GdipSaveImageToFile(GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                             const EncoderParameters* parameters);
GpStatus GdipSaveAdd(GpImage* image, const EncoderParameters* parameters);
GpStatus GdipSaveAddImage(GpImage* image, GpImage* newImage, const EncoderParameters* parameters);
GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size);
GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size,
                                     EncoderParameters* buffer);

}  // extern "C"

}  // namespace vantrel::platform::gdiplus
