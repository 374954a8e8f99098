#pragma once
// A running graphics session for each test, stopped afterwards.
#include <gtest/gtest.h>

#include "graphics/session.h"

namespace vantrel::graphics {

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartGraphicsSession());
    LastGdipStatus = 0;
  }
  void TearDown() override { StopGraphicsSession(); }
};

// A status the library never gives, to see whether an operation stored one.
inline constexpr std::int32_t kUntouched = -12345;

}  // namespace vantrel::graphics
