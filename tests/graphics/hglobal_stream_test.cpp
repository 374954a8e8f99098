#include "graphics/hglobal_stream.h"

#include <gtest/gtest.h>

#include "platform/memory/stream_on_hglobal.h"

namespace vantrel::graphics {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HGlobalStream, OpenCopiesTheBytesAndReadAllGivesThemBack) {
  const Bytes bytes{1, 2, 3, 4, 5};
  HGlobalStream stream;
  platform::IStream* opened = stream.Open(bytes);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(stream.GetStream(), opened);
  EXPECT_NE(stream.GetHGlobal(), nullptr);
  EXPECT_EQ(stream.GetSize(), 5u);
  EXPECT_EQ(stream.ReadAll(), bytes);
  // The stream starts at 0 over the copied bytes.
  std::uint8_t first = 0;
  platform::ULONG read = 0;
  opened->Read(&first, 1, &read);
  EXPECT_EQ(first, 1);
}

TEST(HGlobalStream, OpenSizesTheBlockAndNeverReadsPastTheBytes) {
  const struct {
    int line;
    std::optional<Bytes> bytes;
    std::optional<std::int32_t> size;
    bool opens;
    Bytes contents;
  } cases[] = {
      {__LINE__, std::nullopt, std::nullopt, true, {}},
      {__LINE__, std::nullopt, 3, true, {0, 0, 0}},
      {__LINE__, Bytes{7, 8, 9}, 2, true, {7, 8}},
      {__LINE__, Bytes{7, 8}, 4, true, {7, 8, 0, 0}},
      {__LINE__, Bytes{7, 8}, -1, false, {}},
  };
  for (const auto& c : cases) {
    HGlobalStream stream;
    std::optional<std::span<const std::uint8_t>> bytes;
    if (c.bytes.has_value()) bytes = std::span<const std::uint8_t>(*c.bytes);
    EXPECT_EQ(stream.Open(bytes, c.size) != nullptr, c.opens) << "line " << c.line;
    EXPECT_EQ(stream.ReadAll(), c.contents) << "line " << c.line;
    EXPECT_EQ(stream.GetSize(), c.contents.size()) << "line " << c.line;
  }
}

TEST(HGlobalStream, ReadAllSeesWhatWasWrittenThroughTheStream) {
  HGlobalStream stream;
  platform::IStream* target = stream.Open();
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(stream.ReadAll(), Bytes{});
  Bytes written(100000);
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<std::uint8_t>(i * 7);
  for (std::size_t at = 0; at < written.size(); at += 999) {
    const auto chunk = static_cast<platform::ULONG>(std::min<std::size_t>(999, written.size() - at));
    ASSERT_EQ(target->Write(written.data() + at, chunk, nullptr), platform::S_OK);
  }
  EXPECT_EQ(stream.ReadAll(), written);
}

TEST(HGlobalStream, ReleaseFreesTheBlockAndOpenReleasesFirst) {
  HGlobalStream stream;
  stream.Open(Bytes{1});
  const platform::HGLOBAL first = stream.GetHGlobal();
  stream.Open(Bytes{2, 3});
  EXPECT_EQ(platform::GlobalFlags(first), platform::GMEM_INVALID_HANDLE);
  const platform::HGLOBAL second = stream.GetHGlobal();
  stream.Release();
  EXPECT_EQ(platform::GlobalFlags(second), platform::GMEM_INVALID_HANDLE);
  EXPECT_EQ(stream.GetStream(), nullptr);
  EXPECT_EQ(stream.GetHGlobal(), nullptr);
  stream.Release();  // nothing held: nothing happens
  EXPECT_EQ(stream.ReadAll(), Bytes{});
}

TEST(HGlobalStream, AttachTakesOverAStreamAndItsBlock) {
  platform::IStream* made = nullptr;
  ASSERT_EQ(platform::CreateStreamOnHGlobal(nullptr, 0, &made), platform::S_OK);
  made->Write("abc", 3, nullptr);
  platform::HGLOBAL memory = nullptr;
  platform::GetHGlobalFromStream(made, &memory);
  {
    HGlobalStream stream;
    ASSERT_TRUE(stream.Attach(made));
    EXPECT_EQ(stream.GetStream(), made);
    EXPECT_EQ(stream.GetHGlobal(), memory);
    EXPECT_EQ(stream.ReadAll(), (Bytes{'a', 'b', 'c'}));
  }
  // The handed-over reference was dropped and the block freed.
  EXPECT_EQ(platform::GlobalFlags(memory), platform::GMEM_INVALID_HANDLE);
}

TEST(HGlobalStream, AttachOfNoStreamAnswersFalse) {
  HGlobalStream stream;
  stream.Open(Bytes{1});
  EXPECT_FALSE(stream.Attach(nullptr));
  EXPECT_EQ(stream.GetHGlobal(), nullptr);
  EXPECT_EQ(stream.ReadAll(), Bytes{});
}

}  // namespace
}  // namespace vantrel::graphics
