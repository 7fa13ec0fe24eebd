// The pause screen takes over while the window is in the background and hands back
// when it is active again, pausing and resuming what registered, in order.

#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/input.h"
#include "support/harness.h"

namespace {

TEST(PauseScreen, HoldsUntilTheWindowIsActiveAgain) {
  ASSERT_TRUE(harness::openTestGraphics(1024, 768));
  setVirtualDisplay(1024, 768, 2);
  globals().pauseText = "Game paused";
  std::string log;
  addPauseHandler([&] { log += "pause sounds;"; },
                  [&] { log += "resume sounds;"; });
  addPauseHandler(
      [&] {
        log += "pause particles;";
        injectFocus(true);  // the player comes back
      },
      [&] { log += "resume particles;"; });
  injectFocus(false);
  flipFrame();
  EXPECT_EQ(log, "pause sounds;pause particles;resume sounds;resume particles;");
  EXPECT_FALSE(appSuspended());

  log.clear();
  injectFocus(false);
  flipFrame(1);  // the pause screen's own frames never pause again
  EXPECT_EQ(log, "");
  injectFocus(true);
}

}  // namespace
