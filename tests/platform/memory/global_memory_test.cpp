#include "platform/memory/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vantrel::platform {
namespace {

TEST(GlobalMemory, BlockIsZeroedAndKeepsItsBytesAcrossLocks) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GlobalSize(memory), 64u);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(bytes[i], 0) << i;
  std::memset(bytes, 0xAB, 64);
  EXPECT_EQ(GlobalUnlock(memory), 0);
  auto* again = static_cast<unsigned char*>(GlobalLock(memory));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again[63], 0xAB);
  GlobalUnlock(memory);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, ReAllocKeepsContentsAndZeroesGrowth) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
  std::memcpy(bytes, "abcd", 4);
  GlobalUnlock(memory);
  ASSERT_EQ(GlobalReAlloc(memory, 100000, GMEM_MOVEABLE), memory);
  EXPECT_EQ(GlobalSize(memory), 100000u);
  bytes = static_cast<unsigned char*>(GlobalLock(memory));
  EXPECT_EQ(std::memcmp(bytes, "abcd", 4), 0);
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[99999], 0);
  GlobalUnlock(memory);
  ASSERT_EQ(GlobalReAlloc(memory, 2, GMEM_MOVEABLE), memory);
  EXPECT_EQ(GlobalSize(memory), 2u);
  GlobalFree(memory);
}

TEST(GlobalMemory, LockedBlockCanBeNeitherResizedNorFreed) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
  void* first = GlobalLock(memory);
  void* second = GlobalLock(memory);
  EXPECT_EQ(first, second);
  EXPECT_EQ(GlobalFlags(memory), 2u);
  EXPECT_EQ(GlobalReAlloc(memory, 1 << 20, GMEM_MOVEABLE), nullptr);
  EXPECT_EQ(GlobalFree(memory), memory);
  EXPECT_EQ(GlobalUnlock(memory), 1);  // one lock left
  EXPECT_EQ(GlobalUnlock(memory), 0);
  EXPECT_EQ(GlobalUnlock(memory), 0);  // not locked any more: nothing to undo
  EXPECT_EQ(GlobalSize(memory), 8u);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, FreedAndForeignHandlesAnswerFailure) {
  HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 16);
  ASSERT_EQ(GlobalFree(freed), nullptr);
  HGLOBAL later = GlobalAlloc(GMEM_MOVEABLE, 16);  // must not reuse the freed handle
  int local = 0;
  const struct {
    int line;
    HGLOBAL handle;
  } cases[] = {
      {__LINE__, freed},
      {__LINE__, nullptr},
      {__LINE__, &local},
      {__LINE__, reinterpret_cast<HGLOBAL>(0x1234)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GlobalLock(c.handle), nullptr) << "line " << c.line;
    EXPECT_EQ(GlobalUnlock(c.handle), 0) << "line " << c.line;
    EXPECT_EQ(GlobalSize(c.handle), 0u) << "line " << c.line;
    EXPECT_EQ(GlobalFlags(c.handle), GMEM_INVALID_HANDLE) << "line " << c.line;
    EXPECT_EQ(GlobalReAlloc(c.handle, 4, GMEM_MOVEABLE), nullptr) << "line " << c.line;
    if (c.handle != nullptr) {
      EXPECT_EQ(GlobalFree(c.handle), c.handle) << "line " << c.line;
    }
  }
  EXPECT_EQ(GlobalSize(later), 16u);
  GlobalFree(later);
}

TEST(GlobalMemory, SizesAndFlagsAreBounded) {
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, kMaxGlobalBytes + 1), nullptr);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, ~SIZE_T{0}), nullptr);
  EXPECT_EQ(GlobalAlloc(0x1000, 4), nullptr);  // a flag this heap does not know
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  EXPECT_EQ(GlobalReAlloc(memory, kMaxGlobalBytes + 1, GMEM_MOVEABLE), nullptr);
  EXPECT_EQ(GlobalSize(memory), 4u);
  GlobalFree(memory);
}

TEST(GlobalMemory, EmptyBlockHasNoAddress) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GlobalSize(memory), 0u);
  EXPECT_EQ(GlobalLock(memory), nullptr);
  EXPECT_EQ(GlobalFlags(memory), 0u);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

}  // namespace
}  // namespace vantrel::platform
