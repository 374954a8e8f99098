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
// - A bitmap made on a caller's scan0 shows recorded fills in that memory once they are
//   resolved: on any read through the library, GdipFlush, GdipDeleteGraphics of a context on
//   it, GdipDisposeImage or GdiplusShutdown.
// - A multi-page save (TIFF with EncoderSaveFlag MultiFrame) holds a reference on its stream
//   until GdipSaveAdd with EncoderValueFlush, or until the bitmap goes.
// Statuses beyond InvalidParameter: an encoder CLSID that is not listed answers
// UnknownImageFormat; a locked bitmap, or GdipSaveAdd without a multi-page save, WrongState;
// a stream or file that fails to take the bytes Win32Error (AccessDenied for permissions);
// exhausted memory OutOfMemory. No exception leaves the library.
// Encoder parameters: JPEG takes EncoderQuality (Long, 0-100, default 75); TIFF takes
// EncoderCompression, EncoderColorDepth (1, 8 grey, 24, 32) and EncoderSaveFlag; the others
// take only EncoderSaveFlag, and ignore it. Any other parameter answers InvalidParameter.
// Limits: a bitmap is 1 to 65,535 pixels a side and at most 2^28 pixels in all.
// Threads: calls come from one thread at a time (the library keeps no locks).
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

enum ImageLockMode : UINT {
  ImageLockModeRead = 1,
  ImageLockModeWrite = 2,
  ImageLockModeUserInputBuf = 4,
};

// Pixel access through GdipBitmapLockBits: Scan0 and Stride describe the locked rectangle in
// the requested format; with ImageLockModeUserInputBuf the caller fills Scan0 and Stride.
struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  INT PixelFormat = 0;  // a PixelFormat value
  void* Scan0 = nullptr;
  ULONG_PTR Reserved = 0;
};

struct GpRect {
  INT X = 0;
  INT Y = 0;
  INT Width = 0;
  INT Height = 0;
};

enum FlushIntention : INT { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

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

// Image file formats (GdipGetImageRawFormat, ImageCodecInfo::FormatID).
inline constexpr GUID ImageFormatMemoryBMP{
    0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatBMP{
    0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatJPEG{
    0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatPNG{
    0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatGIF{
    0xB96B3CB0, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatTIFF{
    0xB96B3CB1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Encoder class identifiers (ImageCodecInfo::Clsid).
inline constexpr CLSID EncoderClsidBMP{
    0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID EncoderClsidJPEG{
    0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID EncoderClsidGIF{
    0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID EncoderClsidTIFF{
    0x557CF405, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID EncoderClsidPNG{
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Encoder parameter identifiers (EncoderParameter::Guid).
inline constexpr GUID EncoderCompression{
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
inline constexpr GUID EncoderColorDepth{
    0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
inline constexpr GUID EncoderQuality{
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr GUID EncoderSaveFlag{
    0x292266FC, 0xAC40, 0x47BF, {0x8C, 0xFC, 0xA8, 0x5B, 0x89, 0xA6, 0x55, 0xDE}};

enum EncoderValue : INT {
  EncoderValueColorTypeCMYK = 0,
  EncoderValueColorTypeYCCK = 1,
  EncoderValueCompressionLZW = 2,
  EncoderValueCompressionCCITT3 = 3,
  EncoderValueCompressionCCITT4 = 4,
  EncoderValueCompressionRle = 5,
  EncoderValueCompressionNone = 6,
  EncoderValueScanMethodInterlaced = 7,
  EncoderValueScanMethodNonInterlaced = 8,
  EncoderValueVersionGif87 = 9,
  EncoderValueVersionGif89 = 10,
  EncoderValueRenderProgressive = 11,
  EncoderValueRenderNonProgressive = 12,
  EncoderValueTransformRotate90 = 13,
  EncoderValueTransformRotate180 = 14,
  EncoderValueTransformRotate270 = 15,
  EncoderValueTransformFlipHorizontal = 16,
  EncoderValueTransformFlipVertical = 17,
  EncoderValueMultiFrame = 18,
  EncoderValueLastFrame = 19,
  EncoderValueFlush = 20,
  EncoderValueFrameDimensionTime = 21,
  EncoderValueFrameDimensionResolution = 22,
  EncoderValueFrameDimensionPage = 23,
};

// The library's exported entry points; everything else in it is hidden.
#define VANTREL_GDIPLUS_API __attribute__((visibility("default")))

extern "C" {

VANTREL_GDIPLUS_API GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                        GdiplusStartupOutput* output);
VANTREL_GDIPLUS_API void GdiplusShutdown(ULONG_PTR token);

VANTREL_GDIPLUS_API void* GdipAlloc(std::size_t size);
VANTREL_GDIPLUS_API void GdipFree(void* address);

VANTREL_GDIPLUS_API GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap** bitmap);
VANTREL_GDIPLUS_API GpStatus GdipDisposeImage(GpImage* image);
VANTREL_GDIPLUS_API GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
VANTREL_GDIPLUS_API GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
VANTREL_GDIPLUS_API GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
VANTREL_GDIPLUS_API GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format);
VANTREL_GDIPLUS_API GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
VANTREL_GDIPLUS_API GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);
// rect 0 means the whole bitmap. One lock at a time per bitmap; formats as for creation.
VANTREL_GDIPLUS_API GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                            BitmapData* lockedData);
VANTREL_GDIPLUS_API GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* lockedData);

VANTREL_GDIPLUS_API GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
VANTREL_GDIPLUS_API GpStatus GdipDeleteGraphics(GpGraphics* graphics);
VANTREL_GDIPLUS_API GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
VANTREL_GDIPLUS_API GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
VANTREL_GDIPLUS_API GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
VANTREL_GDIPLUS_API GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
VANTREL_GDIPLUS_API GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode);
VANTREL_GDIPLUS_API GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
VANTREL_GDIPLUS_API GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);
VANTREL_GDIPLUS_API GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                           REAL height);
VANTREL_GDIPLUS_API GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color);
VANTREL_GDIPLUS_API GpStatus GdipFlush(GpGraphics* graphics, FlushIntention intention);

VANTREL_GDIPLUS_API GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
VANTREL_GDIPLUS_API GpStatus GdipDeleteBrush(GpBrush* brush);
VANTREL_GDIPLUS_API GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
VANTREL_GDIPLUS_API GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);

VANTREL_GDIPLUS_API GpStatus GdipCreatePath(GpFillMode fillMode, GpPath** path);
VANTREL_GDIPLUS_API GpStatus GdipDeletePath(GpPath* path);
// A rectangle is one closed figure. One whose width or height is not a positive finite number
// is kept as a figure but covers nothing.
VANTREL_GDIPLUS_API GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
VANTREL_GDIPLUS_API GpStatus GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height);
VANTREL_GDIPLUS_API GpStatus GdipGetPointCount(GpPath* path, INT* count);
VANTREL_GDIPLUS_API GpStatus GdipGetPathFillMode(GpPath* path, GpFillMode* fillMode);
VANTREL_GDIPLUS_API GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode fillMode);
VANTREL_GDIPLUS_API GpStatus GdipResetPath(GpPath* path);

VANTREL_GDIPLUS_API GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
VANTREL_GDIPLUS_API GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);
VANTREL_GDIPLUS_API GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder,
                               const EncoderParameters* parameters);
VANTREL_GDIPLUS_API GpStatus GdipSaveImageToFile(GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                             const EncoderParameters* parameters);
VANTREL_GDIPLUS_API GpStatus GdipSaveAdd(GpImage* image, const EncoderParameters* parameters);
VANTREL_GDIPLUS_API GpStatus GdipSaveAddImage(GpImage* image, GpImage* newImage, const EncoderParameters* parameters);
VANTREL_GDIPLUS_API GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size);
VANTREL_GDIPLUS_API GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size,
                                     EncoderParameters* buffer);

}  // extern "C"

}  // namespace vantrel::platform::gdiplus
