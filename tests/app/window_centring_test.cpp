// Runs on an offscreen screen of 1920 x 1080 (see CMakeLists.txt), with window frames.
#include <QScreen>

#include "tests/app/window_fixture.h"

namespace vantrel::testing {
namespace {

using WindowCentring = WindowTest;

TEST_F(WindowCentring, OpensAtTheCentreOfAFullHdScreenByItsOuterSize) {
  ASSERT_EQ(window_.screen()->geometry(), QRect(0, 0, 1920, 1080));
  EXPECT_EQ(window_.frameGeometry(), QRect(770, 307, 379, 466));
  // The frame is the window system's, so the client area is what is left inside it.
  const QMargins frame = window_.windowHandle()->frameMargins();
  ASSERT_FALSE(frame.isNull());
  EXPECT_EQ(window_.size(), QSize(379 - frame.left() - frame.right(),
                                  466 - frame.top() - frame.bottom()));
}

}  // namespace
}  // namespace vantrel::testing
