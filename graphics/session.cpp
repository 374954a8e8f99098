#include "graphics/session.h"

#include "graphics/flat_functions.h"

namespace vantrel::graphics {

bool StartGraphicsSession() {
  if (GdiplusToken != 0) return true;
  const gp::GdiplusStartupInput input{1, nullptr, 0, 0};
  gp::ULONG_PTR token = 0;
  // A failed start leaves the token at 0, which is all the session needs to know.
  Flat().GdiplusStartup(&token, &input, nullptr);
  GdiplusToken = token;
  return GdiplusToken != 0;
}

bool StopGraphicsSession() {
  if (GdiplusToken == 0) return false;
  Flat().GdiplusShutdown(GdiplusToken);
  GdiplusToken = 0;
  return true;
}

}  // namespace vantrel::graphics
