// GdiplusStartup / GdiplusShutdown and the library's allocator.
#include <cstdlib>

#include "platform/gdiplus/flat/call_boundary.h"

namespace vantrel::platform::gdiplus {
namespace {

// Handed out for callers that run the background work themselves; there is none to run.
GpStatus NotificationHook(ULONG_PTR* token) {
  if (token != nullptr) *token = 1;
  return Ok;
}
void NotificationUnhook(ULONG_PTR) {}

}  // namespace

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                        GdiplusStartupOutput* output) {
  try {
    if (token == nullptr || input == nullptr) return InvalidParameter;
    *token = 0;
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2) {
      return UnsupportedGdiplusVersion;
    }
    if (input->SuppressBackgroundThread && output == nullptr) return InvalidParameter;
    if (output != nullptr) {
      output->NotificationHook = reinterpret_cast<void*>(&NotificationHook);
      output->NotificationUnhook = reinterpret_cast<void*>(&NotificationUnhook);
    }
    *token = TheLibrary().Open();
    return Ok;
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  } catch (...) {
    return GenericError;
  }
}

void GdiplusShutdown(ULONG_PTR token) {
  try {
    TheLibrary().Close(token);
  } catch (...) {
    // Nothing to report through a void call; what could be freed was freed.
  }
}

void* GdipAlloc(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

void GdipFree(void* address) { std::free(address); }

}  // namespace vantrel::platform::gdiplus
