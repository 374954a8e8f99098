// A missing library or function ends the process with a message that names both.
#include "graphics/library_binding.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "graphics/image_wrap.h"
#include "graphics/session.h"

namespace vantrel::graphics {
namespace {

void ShowFirst(const BindingFailure& failure) {
  std::fprintf(stderr, "shown: %s / %s\n", failure.library.c_str(), failure.function.c_str());
}

TEST(LibraryBindingDeathTest, MissingLibraryEndsTheProcessNamingLibraryAndFunction) {
  EXPECT_EXIT(
      {
        UseGraphicsLibrary("vantrel-missing.dll");
        StartGraphicsSession();
      },
      testing::ExitedWithCode(EXIT_FAILURE),
      "library vantrel-missing.dll cannot be loaded.*GdiplusStartup");
}

TEST(LibraryBindingDeathTest, MissingFunctionEndsTheProcessNamingLibraryAndFunction) {
  // The C library loads but has no graphics functions.
  EXPECT_EXIT(
      {
        UseGraphicsLibrary("libc.so.6");
        ImageWrap image;
        image.CreateBitmap(4, 4);
      },
      testing::ExitedWithCode(EXIT_FAILURE),
      "function GdipCreateBitmapFromScan0 cannot be found in the library libc.so.6");
}

TEST(LibraryBindingDeathTest, InstalledHandlerIsToldBeforeTheProcessEnds) {
  EXPECT_EXIT(
      {
        SetFatalErrorHandler(&ShowFirst);
        UseGraphicsLibrary("vantrel-missing.dll");
        StartGraphicsSession();
      },
      testing::ExitedWithCode(EXIT_FAILURE), "shown: vantrel-missing.dll / GdiplusStartup");
}

TEST(LibraryBinding, RebindingToTheRealLibraryWorksAgain) {
  UseGraphicsLibrary(kGraphicsLibraryName);
  ASSERT_TRUE(StartGraphicsSession());
  ImageWrap image;
  EXPECT_TRUE(image.CreateBitmap(2, 2));
  image.Dispose();
  EXPECT_TRUE(StopGraphicsSession());
}

}  // namespace
}  // namespace vantrel::graphics
