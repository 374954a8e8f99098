#pragma once
// Shared libraries in the shape of the kernel32 calls, over dlopen.
//
// A name "x.dll" stands for our library libvantrel-x.so, looked for next to the running
// executable, then in ../lib beside it, then in the build's library folder, then on the
// system's default search path. A name with a '/' is opened as it is. Module handles are
// checked: one that LoadLibraryA did not give, or that was freed as often as it was loaded,
// answers failure. A freed library's handle stops working, but its code stays mapped.
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::platform {

using HMODULE = void*;
using FARPROC = void (*)();
using BOOL = std::int32_t;

// Null when the library cannot be found or loaded.
HMODULE LoadLibraryA(const char* name);
// Null when the module is bad or has no such symbol.
FARPROC GetProcAddress(HMODULE module, const char* name);
// TRUE when one load of the module was undone.
BOOL FreeLibrary(HMODULE module);

// The file name that stands for `name` ("gdiplus.dll" -> "libvantrel-gdiplus.so").
std::string LibraryFileName(std::string_view name);

}  // namespace vantrel::platform
