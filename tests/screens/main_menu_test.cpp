// The temporary title screen driven like a player would: through the controller, with
// the mouse and keys, headless.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/control.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "gui/mouse.h"
#include "screens/main_menu.h"
#include "support/harness.h"

namespace {

class TitleScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    globals().windowTitle = "Tarnwick";
    globals().whiteImage = nullptr;
    flushKeys();
    flushMouse();
    mouse = std::make_unique<TMouse>();
  }
  std::unique_ptr<TMouse> mouse;
};

// Puts the pointer on a choice; injected positions are window pixels.
void pointAt(const TMainMenu::Choice& c) {
  injectMouseMove(512, static_cast<int>(c.y + 20));
}

TEST_F(TitleScreen, ChoicesReturnTheirResults) {
  struct Case {
    int choice;
    const char* result;
  };
  const Case cases[] = {{0, "FREE-PLAY"}, {1, "VIEW-LEVELS"}, {2, "END"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.result);
    pointAt(TMainMenu::kChoices[k.choice]);
    injectMouseButton(1, true);
    injectMouseButton(1, false);
    EXPECT_EQ(Control::dispatch("main-menu"), k.result);
    EXPECT_EQ(mainMenu().fade, 1.0f) << "left faded to black";
  }
}

TEST_F(TitleScreen, EscapeQuits) {
  injectKey(key::ESCAPE, true);
  EXPECT_EQ(Control::dispatch("MAIN-MENU"), "END");
}

TEST_F(TitleScreen, UnknownResultsGoBackToTheTitle) {
  // Must not run anything: the next result is the title screen.
  EXPECT_EQ(Control::dispatch("NO-SUCH-SCREEN"), "MAIN-MENU");
}

TEST_F(TitleScreen, HoveringAChoiceLightsIt) {
  mainMenu().prepare();
  pointAt(TMainMenu::kChoices[2]);
  for (int i = 0; i < 30; ++i) {
    advanceFakeClock(16);
    cls();
    mainMenu().update();
    mainMenu().draw();
    if (i < 29) flipFrame();
  }
  EXPECT_EQ(mainMenu().hovered(), 2);
  EXPECT_EQ(mainMenu().fade, 0.0f) << "faded in";
  const TPixmap shot = harness::frame();
  // The hovered choice's gold frame glows; the other's stays dim.
  auto frameRed = [&](const TMainMenu::Choice& c) {
    return static_cast<int>(shot.at(400, static_cast<int>(c.y) + 1)[0]);
  };
  EXPECT_GT(frameRed(TMainMenu::kChoices[2]), frameRed(TMainMenu::kChoices[0]) + 40);
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
    savePixmapPNG(shot, std::string(keep) + "/title.png");
}

}  // namespace
