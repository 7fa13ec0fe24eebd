// The temporary level viewer on the real content: the sample levels are dealt with
// their backgrounds, hovering follows a card's outline and lifting a card uncovers others.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/delta_time.h"
#include "app/globals.h"
#include "app/startup.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "game/card.h"
#include "game/main_game.h"
#include "game/sword.h"
#include "gui/mouse.h"
#include "screens/level_preview.h"
#include "support/harness.h"

namespace {

class LevelPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = currentDir();
    ASSERT_TRUE(changeDir(harness::gameFolder()));
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    mouse = std::make_unique<TMouse>();
    loadGameContent();
    globals().pointerImage = loadImage("gfx/point.png");
    levelPreview().prepare();
  }
  void TearDown() override { changeDir(previous); }

  // Runs frames at 60 a second on the fake clock.
  void frames(int n) {
    for (int i = 0; i < n; ++i) {
      advanceFakeClock(17);
      cls();
      levelPreview().update();
      levelPreview().draw();
    }
  }

  std::string previous;
  std::unique_ptr<TMouse> mouse;
};

CardPtr firstUncovered(const TLevel& level) {
  for (const CardPtr& card : level.cards)
    if (card->odkryta) return card;
  return nullptr;
}

TEST_F(LevelPreview, EverySampleLevelIsDealtWithItsBackground) {
  const size_t count = levelPreview().files().size();
  ASSERT_GE(count, 3u);
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(levelPreview().files()[i]);
    levelPreview().show(static_cast<int>(i));
    const LevelPtr& level = levelPreview().level();
    ASSERT_NE(level, nullptr);
    EXPECT_GT(level->cards.size(), 10u);
    ASSERT_NE(level->background, nullptr);
    // The turned-up cards finish turning; drawn out in full for the first few levels only,
    // the quest's many levels would make this test slow.
    frames(i < 3 ? 40 : 2);
    EXPECT_NE(firstUncovered(*level), nullptr) << "some card can be played";
    for (const CardPtr& card : level->cards) EXPECT_NE(card->cd, nullptr);
    if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
      saveBackBuffer(std::string(keep) + "/level-" + std::to_string(i + 1) + ".png");
  }
}

TEST_F(LevelPreview, HoverFollowsTheCardAndLiftingUncovers) {
  levelPreview().show(0);
  frames(40);
  const LevelPtr level = levelPreview().level();
  const CardPtr card = firstUncovered(*level);
  ASSERT_NE(card, nullptr);
  injectMouseMove(static_cast<int>(card->x), static_cast<int>(card->y));
  frames(20);
  EXPECT_GT(card->overA, 0.5f) << "the card under the mouse glows";
  const size_t before = level->cards.size();
  const int uncoveredBefore = [&] {
    int n = 0;
    for (const CardPtr& c : level->cards) n += c->odkryta;
    return n;
  }();
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
    saveBackBuffer(std::string(keep) + "/level.png");
  injectMouseButton(1, true);
  injectMouseButton(1, false);
  frames(40);
  EXPECT_EQ(level->cards.size(), before - 1);
  EXPECT_FALSE(level->hasCard(*card));
  int uncoveredAfter = 0;
  for (const CardPtr& c : level->cards) uncoveredAfter += c->odkryta;
  EXPECT_GE(uncoveredAfter, uncoveredBefore - 1) << "lifting never covers cards";
}

}  // namespace

namespace {

// On the real content, a click on the deck draws its next card onto the spot.
TEST_F(LevelPreview, ClickingTheDeckDrawsACard) {
  const std::vector<std::string> files = sampleLevelFiles();
  ASSERT_FALSE(files.empty());
  TMainGame& game = mainGame();
  game.setLevel(loadLevel(files.back(), 0, 0, 0));
  game.prepare();
  auto run = [&](int n) {
    for (int i = 0; i < n; ++i) {
      advanceFakeClock(17);
      cls();
      game.update();
      game.draw();
    }
  };
  run(240);  // the deal
  ASSERT_EQ(game.state, "NORMAL");
  const size_t deck = game.level->deck.size();
  const size_t spot = game.level->spot.size();
  ASSERT_GT(deck, 0u);
  injectMouseMove(static_cast<int>(game.level->deckHolderX + 150), static_cast<int>(game.level->deckY));
  run(2);
  injectMouseButton(1, true);
  injectMouseButton(1, false);
  run(60);
  EXPECT_EQ(game.level->deck.size(), deck - 1);
  EXPECT_EQ(game.level->spot.size(), spot + 1);
}

}  // namespace

namespace {

// The second sample level hides a sword in its deck: drawing it puts it on the sword arc.
TEST_F(LevelPreview, ASwordDrawnFromTheDeckGoesToTheArc) {
  ownedSwords().swords.clear();
  TMainGame& game = mainGame();
  game.setLevel(loadLevel("data/levels/level-02.lvl", 0, 0, 0));
  game.prepare();
  auto run = [&](int n) {
    for (int i = 0; i < n; ++i) {
      advanceFakeClock(17);
      cls();
      game.update();
      game.draw();
    }
  };
  run(240);
  ASSERT_EQ(game.state, "NORMAL");
  injectMouseMove(static_cast<int>(game.level->deckHolderX + 150), static_cast<int>(game.level->deckY));
  for (int draw = 0; draw < 2; ++draw) {
    run(40);
    injectMouseButton(1, true);
    injectMouseButton(1, false);
  }
  run(200);
  ASSERT_EQ(ownedSwords().swords.size(), 1u);
  EXPECT_EQ(ownedSwords().swords.front()->sd->cd->seqN, 7);
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
    saveBackBuffer(std::string(keep) + "/sword.png");
  ownedSwords().swords.clear();
}

}  // namespace
