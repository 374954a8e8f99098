#include "platform/loader/library_loader.h"

#include <gtest/gtest.h>

namespace vantrel::platform {
namespace {

TEST(LibraryLoader, DllNamesStandForOurLibraries) {
  const struct {
    int line;
    const char* name;
    const char* file;
  } cases[] = {
      {__LINE__, "gdiplus.dll", "libvantrel-gdiplus.so"},
      {__LINE__, "GdiPlus.DLL", "libvantrel-gdiplus.so"},
      {__LINE__, "libz.so.1", "libz.so.1"},
      {__LINE__, "/opt/x/gdiplus.so", "/opt/x/gdiplus.so"},
      {__LINE__, ".dll", ".dll"},
  };
  for (const auto& c : cases) EXPECT_EQ(LibraryFileName(c.name), c.file) << "line " << c.line;
}

TEST(LibraryLoader, FindsTheGraphicsLibraryOfTheBuild) {
  HMODULE module = LoadLibraryA("gdiplus.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_NE(GetProcAddress(module, "GdiplusStartup"), nullptr);
  EXPECT_NE(GetProcAddress(module, "GdipFillPath"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
  EXPECT_EQ(FreeLibrary(module), 1);
  EXPECT_EQ(FreeLibrary(module), 0);  // loaded once, freed once
}

TEST(LibraryLoader, MissingLibrariesAndForeignHandlesAnswerFailure) {
  EXPECT_EQ(LoadLibraryA("no-such-library.dll"), nullptr);
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  int local = 0;
  EXPECT_EQ(GetProcAddress(&local, "GdiplusStartup"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "GdiplusStartup"), nullptr);
  EXPECT_EQ(FreeLibrary(&local), 0);
}

}  // namespace
}  // namespace vantrel::platform
