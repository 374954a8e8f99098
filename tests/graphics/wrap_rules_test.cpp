// The status, creation and release rules every wrapper shares.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "graphics/graphics_wrap.h"
#include "graphics/image_wrap.h"
#include "graphics/path_wrap.h"
#include "graphics/solid_brush_wrap.h"
#include "session_fixture.h"

namespace vantrel::graphics {
namespace {

constexpr std::int32_t kInvalidParameter = 2;

class WrapRulesTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(target_.CreateBitmap(8, 8));
  }
  void TearDown() override {
    target_.Dispose();
    SessionTest::TearDown();
  }

  // One wrapper class as the rules see it.
  struct Kind {
    int line;
    const char* name;
    std::function<std::unique_ptr<WrapBase>()> make;
    std::function<bool(WrapBase&)> create;
    std::function<bool(WrapBase&)> release;
    std::function<bool(const WrapBase&)> isCreated;
  };

  template <typename Wrap>
  static Kind KindOf(int line, const char* name, std::function<bool(Wrap&)> create,
                     std::function<bool(Wrap&)> release) {
    return {line,
            name,
            [] { return std::make_unique<Wrap>(); },
            [create](WrapBase& w) { return create(static_cast<Wrap&>(w)); },
            [release](WrapBase& w) { return release(static_cast<Wrap&>(w)); },
            [](const WrapBase& w) { return static_cast<const Wrap&>(w).IsCreated(); }};
  }

  std::vector<Kind> Kinds() {
    return {
        KindOf<ImageWrap>(__LINE__, "image", [](ImageWrap& w) { return w.CreateBitmap(4, 4); },
                          [](ImageWrap& w) { return w.Dispose(); }),
        KindOf<GraphicsWrap>(__LINE__, "context",
                             [this](GraphicsWrap& w) { return w.FromImage(target_); },
                             [](GraphicsWrap& w) { return w.Delete(); }),
        KindOf<SolidBrushWrap>(__LINE__, "brush",
                               [](SolidBrushWrap& w) { return w.Create(0xFF000000); },
                               [](SolidBrushWrap& w) { return w.Delete(); }),
        KindOf<PathWrap>(__LINE__, "path", [](PathWrap& w) { return w.Create(); },
                         [](PathWrap& w) { return w.Delete(); }),
    };
  }

  // True when the library no longer knows the handle: a wrapper adopting it cannot release it.
  static bool IsReleased(const Kind& kind, NativeHandle handle) {
    auto adopter = kind.make();
    adopter->SetHandle(handle);
    const bool released = !kind.release(*adopter) && LastGdipStatus != 0;
    adopter->SetHandle(0);
    return released;
  }

  ImageWrap target_;
};

TEST_F(WrapRulesTest, CreationFillsEveryLevelAndReleaseEmptiesIt) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(testing::Message() << kind.name << ", line " << kind.line);
    auto wrap = kind.make();
    EXPECT_FALSE(kind.isCreated(*wrap));
    EXPECT_EQ(wrap->GetHandle(), 0u);
    LastGdipStatus = kUntouched;
    ASSERT_TRUE(kind.create(*wrap));
    EXPECT_EQ(LastGdipStatus, 0);
    EXPECT_TRUE(kind.isCreated(*wrap));
    EXPECT_NE(wrap->GetHandle(), 0u);
    const NativeHandle handle = wrap->GetHandle();
    EXPECT_TRUE(kind.release(*wrap));
    EXPECT_EQ(LastGdipStatus, 0);
    EXPECT_FALSE(kind.isCreated(*wrap));
    EXPECT_EQ(wrap->GetHandle(), 0u);
    EXPECT_TRUE(IsReleased(kind, handle));
  }
}

TEST_F(WrapRulesTest, ReleasingTwiceAnswersFalseAndCallsNothing) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(testing::Message() << kind.name << ", line " << kind.line);
    auto wrap = kind.make();
    ASSERT_TRUE(kind.create(*wrap));
    ASSERT_TRUE(kind.release(*wrap));
    LastGdipStatus = kUntouched;
    EXPECT_FALSE(kind.release(*wrap));
    EXPECT_EQ(LastGdipStatus, kUntouched);
  }
}

TEST_F(WrapRulesTest, CreatingOverAHeldHandleReleasesTheOldObject) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(testing::Message() << kind.name << ", line " << kind.line);
    auto wrap = kind.make();
    ASSERT_TRUE(kind.create(*wrap));
    const NativeHandle old = wrap->GetHandle();
    ASSERT_TRUE(kind.create(*wrap));
    EXPECT_EQ(LastGdipStatus, 0);
    EXPECT_NE(wrap->GetHandle(), 0u);
    EXPECT_TRUE(IsReleased(kind, old));
  }
}

TEST_F(WrapRulesTest, DestroyingAHoldingWrapperReleasesItsObject) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(testing::Message() << kind.name << ", line " << kind.line);
    NativeHandle handle = 0;
    {
      auto wrap = kind.make();
      ASSERT_TRUE(kind.create(*wrap));
      handle = wrap->GetHandle();
    }
    EXPECT_TRUE(IsReleased(kind, handle));
  }
}

TEST_F(WrapRulesTest, FailedCreationOverAHeldHandleLeavesNoneAndTheCreationsStatus) {
  ImageWrap image;
  ASSERT_TRUE(image.CreateBitmap(4, 4));
  const NativeHandle old = image.GetHandle();
  EXPECT_FALSE(image.CreateBitmap(0, 4));
  EXPECT_EQ(LastGdipStatus, kInvalidParameter);
  EXPECT_FALSE(image.IsCreated());
  EXPECT_EQ(image.GetHandle(), 0u);
  EXPECT_TRUE(IsReleased(Kinds()[0], old));
  LastGdipStatus = kUntouched;
  EXPECT_FALSE(image.Dispose());
  EXPECT_EQ(LastGdipStatus, kUntouched);
}

TEST_F(WrapRulesTest, OperationsOnEmptyWrappersStoreTheLibrarysStatusAndAnswerFalse) {
  GraphicsWrap context;
  ASSERT_TRUE(context.FromImage(target_));
  SolidBrushWrap brush;
  ASSERT_TRUE(brush.Create(0xFF000000));
  PathWrap path;
  ASSERT_TRUE(path.Create());
  ImageWrap noImage;
  GraphicsWrap noContext;
  SolidBrushWrap noBrush;
  PathWrap noPath;
  const EncoderParamList noParams;
  const struct {
    int line;
    std::function<bool()> run;
  } cases[] = {
      {__LINE__, [&] { return context.FromImage(noImage); }},
      {__LINE__, [&] { return noContext.SetSmoothingMode(4); }},
      {__LINE__, [&] { return noContext.SetInterpolationMode(7); }},
      {__LINE__, [&] { return noContext.SetCompositingQuality(2); }},
      {__LINE__, [&] { return noContext.FillPath(brush, path); }},
      {__LINE__, [&] { return context.FillPath(noBrush, path); }},
      {__LINE__, [&] { return context.FillPath(brush, noPath); }},
      {__LINE__, [&] { return noPath.AddRectangle(0, 0, 1, 1); }},
      {__LINE__, [&] { return noImage.SaveAdd(noParams); }},
      {__LINE__, [&] { return noImage.SaveToFile("/nonexistent/x.png", kPngFormat); }},
      {__LINE__, [&] { return !noImage.SaveToBytes(kPngFormat).empty(); }},
  };
  for (const auto& c : cases) {
    LastGdipStatus = kUntouched;
    EXPECT_FALSE(c.run()) << "line " << c.line;
    EXPECT_NE(LastGdipStatus, kUntouched) << "line " << c.line;
    EXPECT_NE(LastGdipStatus, 0) << "line " << c.line;
  }
  // FromImage of an empty image left the context without a handle.
  EXPECT_FALSE(context.IsCreated());
}

TEST_F(WrapRulesTest, SettersAndFillsAnswerOkOnLiveObjects) {
  GraphicsWrap context;
  ASSERT_TRUE(context.FromImage(target_));
  SolidBrushWrap brush;
  ASSERT_TRUE(brush.Create(0xFF000000));
  PathWrap path;
  ASSERT_TRUE(path.Create(1));
  EXPECT_TRUE(context.SetSmoothingMode(4));
  EXPECT_TRUE(context.SetInterpolationMode(7));
  EXPECT_TRUE(context.SetCompositingQuality(2));
  EXPECT_TRUE(path.AddRectangle(1, 1, 2, 2));
  EXPECT_TRUE(context.FillPath(brush, path));
}

TEST_F(WrapRulesTest, AllocAndFreeLeaveTheStatus) {
  PathWrap path;
  LastGdipStatus = kUntouched;
  void* memory = path.Alloc(64);
  EXPECT_NE(memory, nullptr);
  path.Free(memory);
  EXPECT_EQ(LastGdipStatus, kUntouched);
}

class SessionAnswersTest : public ::testing::Test {
 protected:
  void TearDown() override { StopGraphicsSession(); }
};

TEST_F(SessionAnswersTest, StartTwiceKeepsTheSessionAndStopWithoutOneAnswersFalse) {
  LastGdipStatus = kUntouched;
  EXPECT_FALSE(StopGraphicsSession());
  ASSERT_TRUE(StartGraphicsSession());
  const auto token = GdiplusToken;
  EXPECT_NE(token, 0u);
  EXPECT_TRUE(StartGraphicsSession());
  EXPECT_EQ(GdiplusToken, token);
  EXPECT_TRUE(StopGraphicsSession());
  EXPECT_EQ(GdiplusToken, 0u);
  EXPECT_FALSE(StopGraphicsSession());
  EXPECT_EQ(LastGdipStatus, kUntouched);
}

TEST_F(SessionAnswersTest, WrappersFailQuietlyWithoutASession) {
  ASSERT_EQ(GdiplusToken, 0u);
  ImageWrap image;
  EXPECT_FALSE(image.CreateBitmap(4, 4));
  EXPECT_NE(LastGdipStatus, 0);
  PathWrap path;
  EXPECT_FALSE(path.Create());
  EXPECT_FALSE(path.IsCreated());
}

TEST_F(SessionAnswersTest, ObjectsLeftAtShutdownStopWorking) {
  ASSERT_TRUE(StartGraphicsSession());
  PathWrap path;
  ASSERT_TRUE(path.Create());
  StopGraphicsSession();
  ASSERT_TRUE(StartGraphicsSession());
  EXPECT_FALSE(path.AddRectangle(0, 0, 1, 1));
  EXPECT_FALSE(path.Delete());  // answered by the library: the handle is gone
  EXPECT_NE(LastGdipStatus, 0);
}

}  // namespace
}  // namespace vantrel::graphics
