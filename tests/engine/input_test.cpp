// Polled input built from window-system events.

#include <gtest/gtest.h>

#include "engine/input.h"
#include "support/harness.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(320, 240));
    pollSystem();
    flushKeys();
    flushMouse();
    while (getChar() != 0) {
    }
    appTerminate();
  }
};

TEST_F(InputTest, KeyHitCountsPressesUntilAsked) {
  struct Case {
    int code;
    int presses;
  };
  const Case cases[] = {{key::SPACE, 1}, {key::ESCAPE, 3}, {'A', 2}, {key::F1, 1}, {key::LEFT, 4}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.code);
    for (int i = 0; i < k.presses; ++i) {
      injectKey(k.code, true);
      injectKey(k.code, false);
    }
    EXPECT_EQ(keyHit(k.code), k.presses);
    EXPECT_EQ(keyHit(k.code), 0) << "cleared by the query";
  }
}

TEST_F(InputTest, KeyDownFollowsTheKeyAndModifiersCountTwice) {
  injectKey(key::LCONTROL, true);
  EXPECT_TRUE(keyDown(key::LCONTROL));
  EXPECT_TRUE(keyDown(key::CONTROL));
  EXPECT_FALSE(keyDown(key::RCONTROL));
  injectKey(key::LCONTROL, false);
  EXPECT_FALSE(keyDown(key::CONTROL));
  injectKey(key::LALT, true);
  injectKey(key::F4, true);
  EXPECT_TRUE(keyDown(key::LALT));
  EXPECT_EQ(keyHit(key::F4), 1);
  flushKeys();
  EXPECT_FALSE(keyDown(key::LALT));
}

TEST_F(InputTest, TypedCharactersQueueInOrderWithControlCodes) {
  injectText("Ab");
  injectKey(key::BACKSPACE, true);
  injectKey(key::TAB, true);
  injectText("\xC3\xA9");  // é
  injectKey(key::ENTER, true);
  injectKey(key::ESCAPE, true);
  const char32_t want[] = {U'A', U'b', 8, 9, U'\u00E9', 13, 27};
  for (char32_t c : want) EXPECT_EQ(getChar(), c);
  EXPECT_EQ(getChar(), 0u);
  injectText("x");
  flushKeys();
  EXPECT_EQ(getChar(), 0u);
}

TEST_F(InputTest, MouseButtonsMapAndCountHits) {
  injectMouseMove(120, 80);
  injectMouseButton(1, true);
  injectMouseButton(1, false);
  injectMouseButton(1, true);
  injectMouseButton(2, true);
  EXPECT_EQ(mouseX(), 120);
  EXPECT_EQ(mouseY(), 80);
  EXPECT_TRUE(mouseDown(1));
  EXPECT_TRUE(mouseDown(2));
  EXPECT_FALSE(mouseDown(3));
  EXPECT_EQ(mouseHit(1), 2);
  EXPECT_EQ(mouseHit(1), 0);
  EXPECT_EQ(mouseHit(2), 1);
  const int z = mouseZ();
  injectWheel(2);
  injectWheel(-1);
  EXPECT_EQ(mouseZ(), z + 1);
  flushMouse();
  EXPECT_FALSE(mouseDown(1));
}

TEST_F(InputTest, WindowStateReportsSuspendAndTerminateOnce) {
  injectFocus(false);
  EXPECT_TRUE(appSuspended());
  injectFocus(true);
  EXPECT_FALSE(appSuspended());
  injectQuit();
  EXPECT_TRUE(appTerminate());
  EXPECT_FALSE(appTerminate());
}

}  // namespace
