#include <gtest/gtest.h>

#include "windowmodel/handler_guard.h"

TEST(HandlerGuard, aSecondHandlerIsDroppedWhileTheFirstRuns) {
  {
    HandlerGuard outer;
    ASSERT_TRUE(outer.entered());
    HandlerGuard nested;  // e.g. a timer tick during a request
    EXPECT_FALSE(nested.entered());
    EXPECT_TRUE(HandlerGuard::busy());
  }
  EXPECT_FALSE(HandlerGuard::busy());
  HandlerGuard next;
  EXPECT_TRUE(next.entered());
}
