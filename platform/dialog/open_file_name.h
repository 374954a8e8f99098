#pragma once
// Our stand-in of comdlg32's save dialog: the OPENFILENAMEA record (same fields, same order,
// this platform's own layout) and GetSaveFileNameA, shown with Qt's own file dialog.
//
// Ownership: every buffer the record points to belongs to the caller and only has to live
// for the call. Texts are zero-terminated in the ANSI code page (UTF-8 here).
#include <cstdint>

namespace vantrel::platform::dialog {

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BOOL = std::int32_t;
using LPARAM = std::intptr_t;
// A window's native id (QWidget::winId on this platform); 0 means no window.
using HWND = std::uintptr_t;
using HINSTANCE = void*;
using LPOFNHOOKPROC = std::uintptr_t (*)(HWND, std::uint32_t, std::uintptr_t, LPARAM);

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;

struct OPENFILENAMEA {
  DWORD lStructSize = 0;
  HWND hwndOwner = 0;
  HINSTANCE hInstance = nullptr;
  // Pairs of zero-terminated description and pattern texts, ended by an extra zero byte.
  const char* lpstrFilter = nullptr;
  char* lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  // 1-based entry of lpstrFilter to start with (0 = the first); on return, the one chosen.
  DWORD nFilterIndex = 0;
  // In: the start name (empty = none). Out: the full path chosen. nMaxFile bytes in all,
  // terminator included.
  char* lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  char* lpstrFileTitle = nullptr;
  DWORD nMaxFileTitle = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  DWORD Flags = 0;
  // Out: offsets of the file name and of its extension (0 when it has none) in lpstrFile.
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  // Appended (after a dot) to a name typed without an extension; none when null or empty.
  const char* lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  LPOFNHOOKPROC lpfnHook = nullptr;
  const char* lpTemplateName = nullptr;
};

// The size a caller puts into lStructSize; any other value fails the call.
inline constexpr DWORD OPENFILENAME_SIZE_VERSION_400A = sizeof(OPENFILENAMEA);

// Shows the modal save dialog over the owner window and answers non-zero with the chosen path
// in lpstrFile. Answers 0 when the user cancels, when the record is malformed (size, buffer,
// unknown owner), when no application object runs, and when the path does not fit nMaxFile
// (then the first two bytes of lpstrFile hold the size needed, as a little-endian WORD).
// The hook and template fields are not supported and are ignored.
BOOL GetSaveFileNameA(OPENFILENAMEA* record);

}  // namespace vantrel::platform::dialog
