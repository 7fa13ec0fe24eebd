// The menu and the level summary over the card table, driven with the mouse and keys.

#include "screens/table_overlay.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "game/main_game.h"
#include "game/table_state.h"
#include "gui/mouse.h"
#include "support/harness.h"

namespace {

class TableOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    resetTableState();
    flushKeys();
    flushMouse();
    mouse = std::make_unique<TMouse>();
  }
  void TearDown() override { mainGame().level.reset(); }
  std::unique_ptr<TMouse> mouse;
};

TEST_F(TableOverlayTest, MenuChoicesAndKeys) {
  struct Case {
    const char* what;
    int choice;  // -1: a key instead
    int keyCode;
    const char* result;
  } const cases[] = {
      {"play on", 0, 0, "CONTINUE"},
      {"restart", 1, 0, "RESTART"},
      {"title", 2, 0, "MAIN-MENU"},
      {"escape plays on", -1, key::ESCAPE, "CONTINUE"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    // The menu forgets what was pressed before it opened; the player acts once it shows.
    int frame = 0;
    frameObserver() = [&] {
      advanceFakeClock(17);
      if (++frame == 30) {
        if (k.choice >= 0) {
          injectMouseMove(512, static_cast<int>(gameMenu().choiceTop(k.choice) + TTableOverlay::kChoiceHeight / 2));
        } else {
          injectKey(k.keyCode, true);
          injectKey(k.keyCode, false);
        }
      }
      if (frame == 33 && k.choice >= 0) injectMouseButton(1, true);
      if (frame == 34 && k.choice >= 0) injectMouseButton(1, false);
      if (frame == 600) injectQuit();
    };
    EXPECT_EQ(gameMenu().mainLoop(), k.result);
    EXPECT_LT(frame, 600);
    EXPECT_EQ(gameMenu().alpha, 0) << "faded out before returning";
    frameObserver() = nullptr;
  }
}

TEST_F(TableOverlayTest, SummaryShowsTheLevelsFiguresAndGoesOn) {
  LevelPtr level = newEmptyLevel();
  level->cards.clear();
  level->score = 120;
  level->driveMN = 1.5f;
  mainGame().level = level;
  mainGame().recordedTotal = 930;
  int frame = 0;
  frameObserver() = [&] {
    advanceFakeClock(17);
    if (++frame == 30) {
      injectKey(key::ENTER, true);
      injectKey(key::ENTER, false);
    }
    if (frame == 600) injectQuit();
  };
  EXPECT_EQ(levelSummary().mainLoop(), "");
  EXPECT_LT(frame, 600);
  frameObserver() = nullptr;
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS")) {
    cls();
    levelSummary().alpha = 1;
    levelSummary().draw();
    saveBackBuffer(std::string(keep) + "/summary-cleared.png");
  }
}

}  // namespace
