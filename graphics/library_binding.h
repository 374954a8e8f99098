#pragma once
// Run-time binding of the graphics library ("gdiplus.dll"). Each function is looked up by
// name on its first call and kept. A library or function that cannot be found is a fatal
// error: the installed handler is told (it may show a message box), then the process ends
// with a non-zero exit code.
#include <string>
#include <string_view>

#include "platform/loader/library_loader.h"

namespace vantrel::graphics {

inline constexpr std::string_view kGraphicsLibraryName = "gdiplus.dll";

struct BindingFailure {
  std::string library;
  std::string function;
  // True when the library itself could not be loaded, false when it lacks the function.
  bool libraryMissing = false;
  // One line that names both, for standard error or a message box.
  std::string Message() const;
};

using FatalErrorHandler = void (*)(const BindingFailure& failure);

// Replaces the handler run before the process ends; null restores the default, which writes
// the message to standard error.
void SetFatalErrorHandler(FatalErrorHandler handler);

// Test seam: binds later calls to the library of that name, forgetting every function bound
// so far and unloading the previous library.
void UseGraphicsLibrary(std::string_view name);

// The address of the named function; never returns without one.
platform::FARPROC BindGraphicsFunction(const char* name);

}  // namespace vantrel::graphics
