#include "platform/memory/stream_on_hglobal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vantrel::platform {
namespace {

// One reference on a stream, dropped at the end of the test.
class StreamRef {
 public:
  explicit StreamRef(IStream* stream) : stream_(stream) {}
  ~StreamRef() {
    if (stream_ != nullptr) stream_->Release();
  }
  StreamRef(const StreamRef&) = delete;
  StreamRef& operator=(const StreamRef&) = delete;
  IStream* operator->() const { return stream_; }
  IStream* get() const { return stream_; }

 private:
  IStream* stream_;
};

IStream* NewStream(HGLOBAL memory = nullptr, BOOL deleteOnRelease = 1) {
  IStream* stream = nullptr;
  EXPECT_EQ(CreateStreamOnHGlobal(memory, deleteOnRelease, &stream), S_OK);
  return stream;
}

std::string BlockText(HGLOBAL memory) {
  const auto* bytes = static_cast<const char*>(GlobalLock(memory));
  std::string text(bytes == nullptr ? "" : std::string(bytes, GlobalSize(memory)));
  if (bytes != nullptr) GlobalUnlock(memory);
  return text;
}

std::uint64_t SeekTo(IStream* stream, std::int64_t move, DWORD origin) {
  ULARGE_INTEGER position;
  EXPECT_EQ(stream->Seek(LARGE_INTEGER{move}, origin, &position), S_OK);
  return position.QuadPart;
}

TEST(StreamOnHGlobal, WritesGrowTheBlockToExactlyWhatWasWritten) {
  StreamRef stream(NewStream());
  HGLOBAL memory = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream.get(), &memory), S_OK);
  EXPECT_EQ(GlobalSize(memory), 0u);
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const std::string chunk = std::to_string(i) + ";";
    ULONG written = 0;
    ASSERT_EQ(stream->Write(chunk.data(), static_cast<ULONG>(chunk.size()), &written), S_OK);
    ASSERT_EQ(written, chunk.size());
    expected += chunk;
  }
  EXPECT_EQ(BlockText(memory), expected);
  STATSTG stat;
  ASSERT_EQ(stream->Stat(&stat, 0), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, expected.size());
}

TEST(StreamOnHGlobal, SeekReadAndOverwrite) {
  StreamRef stream(NewStream());
  stream->Write("hello world", 11, nullptr);
  EXPECT_EQ(SeekTo(stream.get(), 6, STREAM_SEEK_SET), 6u);
  char buffer[16] = {};
  ULONG read = 0;
  ASSERT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(read, 5u);
  EXPECT_EQ(std::string(buffer, read), "world");
  ASSERT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);  // at the end: nothing left
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(SeekTo(stream.get(), -5, STREAM_SEEK_END), 6u);
  EXPECT_EQ(SeekTo(stream.get(), -6, STREAM_SEEK_CUR), 0u);
  stream->Write("J", 1, nullptr);
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream.get(), &memory);
  EXPECT_EQ(BlockText(memory), "Jello world");
}

TEST(StreamOnHGlobal, WritingPastTheEndZeroFillsTheGap) {
  StreamRef stream(NewStream());
  stream->Write("ab", 2, nullptr);
  SeekTo(stream.get(), 3, STREAM_SEEK_END);
  stream->Write("z", 1, nullptr);
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream.get(), &memory);
  EXPECT_EQ(BlockText(memory), std::string("ab\0\0\0z", 6));
}

TEST(StreamOnHGlobal, BadSeeksAndOversizedRequestsFailAndChangeNothing) {
  StreamRef stream(NewStream());
  stream->Write("abc", 3, nullptr);
  const struct {
    int line;
    std::int64_t move;
    DWORD origin;
  } seeks[] = {
      {__LINE__, -1, STREAM_SEEK_SET},
      {__LINE__, -4, STREAM_SEEK_END},
      {__LINE__, 0, 7},
      {__LINE__, static_cast<std::int64_t>(kMaxGlobalBytes) + 1, STREAM_SEEK_SET},
      {__LINE__, INT64_MIN, STREAM_SEEK_CUR},
      {__LINE__, INT64_MAX, STREAM_SEEK_END},
  };
  for (const auto& s : seeks) {
    EXPECT_EQ(stream->Seek(LARGE_INTEGER{s.move}, s.origin, nullptr), STG_E_INVALIDFUNCTION)
        << "line " << s.line;
  }
  EXPECT_EQ(SeekTo(stream.get(), 0, STREAM_SEEK_CUR), 3u);
  EXPECT_EQ(stream->SetSize(ULARGE_INTEGER{std::uint64_t{kMaxGlobalBytes} + 1}), STG_E_MEDIUMFULL);
  SeekTo(stream.get(), static_cast<std::int64_t>(kMaxGlobalBytes), STREAM_SEEK_SET);
  ULONG written = 7;
  EXPECT_EQ(stream->Write("x", 1, &written), STG_E_MEDIUMFULL);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(stream->Write(nullptr, 1, nullptr), E_POINTER);
  STATSTG stat;
  stream->Stat(&stat, 0);
  EXPECT_EQ(stat.cbSize.QuadPart, 3u);
}

TEST(StreamOnHGlobal, SetSizeResizesTheBlock) {
  StreamRef stream(NewStream());
  stream->Write("abcdef", 6, nullptr);
  ASSERT_EQ(stream->SetSize(ULARGE_INTEGER{2}), S_OK);
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream.get(), &memory);
  EXPECT_EQ(BlockText(memory), "ab");
  ASSERT_EQ(stream->SetSize(ULARGE_INTEGER{4}), S_OK);
  EXPECT_EQ(BlockText(memory), std::string("ab\0\0", 4));
  EXPECT_EQ(stream->Commit(0), S_OK);
}

TEST(StreamOnHGlobal, StartsOverAnExistingBlockAtItsContents) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(memory), "xyz", 3);
  GlobalUnlock(memory);
  {
    StreamRef stream(NewStream(memory, 0));
    char buffer[3];
    ULONG read = 0;
    stream->Read(buffer, 3, &read);
    EXPECT_EQ(std::string(buffer, read), "xyz");
  }
  EXPECT_EQ(BlockText(memory), "xyz");  // not deleted on release
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(StreamOnHGlobal, DeleteOnReleaseFreesTheBlockWithTheLastReference) {
  IStream* stream = NewStream(nullptr, 1);
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream, &memory);
  stream->Write("abc", 3, nullptr);
  EXPECT_EQ(stream->AddRef(), 2u);
  EXPECT_EQ(stream->Release(), 1u);
  EXPECT_EQ(GlobalSize(memory), 3u);
  EXPECT_EQ(stream->Release(), 0u);
  EXPECT_EQ(GlobalFlags(memory), GMEM_INVALID_HANDLE);
}

TEST(StreamOnHGlobal, QueryInterfaceAnswersItsThreeInterfaces) {
  StreamRef stream(NewStream());
  for (const IID& iid : {IID_IUnknown, IID_ISequentialStream, IID_IStream}) {
    void* object = nullptr;
    ASSERT_EQ(stream->QueryInterface(iid, &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(stream.get()));
    stream->Release();
  }
  void* object = &object;
  EXPECT_EQ(stream->QueryInterface(IID{1, 2, 3, {}}, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(stream->QueryInterface(IID_IStream, nullptr), E_POINTER);
}

TEST(StreamOnHGlobal, StaleBlocksAndForeignStreamsAreRefused) {
  HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 4);
  GlobalFree(freed);
  IStream* stream = reinterpret_cast<IStream*>(&freed);
  EXPECT_EQ(CreateStreamOnHGlobal(freed, 0, &stream), E_INVALIDARG);
  EXPECT_EQ(stream, nullptr);
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, 0, nullptr), E_INVALIDARG);

  HGLOBAL memory = &freed;
  EXPECT_EQ(GetHGlobalFromStream(reinterpret_cast<IStream*>(&freed), &memory), E_INVALIDARG);
  EXPECT_EQ(memory, nullptr);
  EXPECT_EQ(GetHGlobalFromStream(nullptr, &memory), E_INVALIDARG);

  // A stream whose block was freed under it fails instead of touching freed memory.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  StreamRef orphan(NewStream(block, 0));
  GlobalFree(block);
  char buffer[4];
  ULONG read = 9;
  EXPECT_EQ(orphan->Read(buffer, 4, &read), S_OK);
  EXPECT_EQ(read, 0u);
  EXPECT_TRUE(FAILED(orphan->Write("ab", 2, nullptr)));
}

}  // namespace
}  // namespace vantrel::platform
