// Resource tokens: the flight to the cash display, points arriving only on landing,
// drive coins and column tokens in play, and a broken catalogue.

#include "game/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/delta_time.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/random.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "game/sword.h"
#include "game/sword_wiring.h"
#include "game/table_state.h"
#include "support/harness.h"

namespace {

int idOfRank(int seq) { return seq - 1; }

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    clearCardCatalogue();
    for (int seq = 2; seq <= 14; ++seq) {
      auto kind = std::make_shared<TCardData>();
      kind->id = idOfRank(seq);
      kind->seqN = seq;
      addToCardCatalogue(kind);
    }
    reset();
    installSwordsResourcesAndMagic(game);
    mainGameHooks().playSound = [this](const std::string& name) { sounds.push_back(name); };
    resourceLinks().playSound = mainGameHooks().playSound;
    seedRnd(99);
    setFrameStep(1);
    setFakeClock(3'000'000);
  }
  void TearDown() override {
    game.level.reset();
    reset();
    resourceCatalogue().clear();
    clearCardCatalogue();
  }
  void reset() { resetTableState(); }

  // Single cards in a row on the spot's rank + 1, + 2, ...; the first carries a token.
  void deal(int spotRank, int count, int tokenAmount) {
    LevelPtr level = newEmptyLevel();
    level->cards.clear();
    level->columns.clear();
    level->deck.clear();
    for (int i = 0; i < count; ++i) {
      auto card = std::make_shared<TCard>();
      card->cd = getCardDataById(idOfRank(spotRank + 1 + i));
      card->x = 80 + 70 * static_cast<float>(i);
      card->y = 150 + 200 * static_cast<float>(i % 2);
      card->myLevel = level.get();
      level->cards.push_back(card);
    }
    level->spot.push_back(getCardDataById(idOfRank(spotRank)));
    game.setLevel(level);
    game.setState("NORMAL");
    cards.assign(level->cards.begin(), level->cards.end());
    if (tokenAmount) cards[0]->res = newResource(nullptr, tokenAmount, 0, 0);
  }

  void frame() {
    advanceFakeClock(16);
    game.updatePlay();
  }
  void settle() {
    for (int i = 0; i < 1000 && !(flights().empty() && resourcesInPlay().empty()); ++i) frame();
    ASSERT_TRUE(flights().empty() && resourcesInPlay().empty());
  }

  TMainGame game;
  std::vector<CardPtr> cards;
  std::vector<std::string> sounds;
};

TEST_F(ResourceTest, TokenPaysOnlyWhenItLandsAtTheCash) {
  deal(2, 1, 0);
  game.level->score = 4;
  flyCoin(843, 81, 10);
  ASSERT_EQ(resourcesInPlay().size(), 1u);
  const ResourcePtr coin = resourcesInPlay().front();
  EXPECT_EQ(coin->state, "FLY");
  for (int step = 1; step < 20; ++step) {
    SCOPED_TRACE(step);
    updateResources();
    EXPECT_FLOAT_EQ(game.level->score, 4);
    EXPECT_NE(coin->x, kCashX);
  }
  updateResources();
  EXPECT_FLOAT_EQ(game.level->score, 14);
  EXPECT_FLOAT_EQ(coin->per, 1);  // one full turn over the flight
  EXPECT_FLOAT_EQ(coin->x, kCashX);
  EXPECT_FLOAT_EQ(coin->y, kCashY);
  EXPECT_TRUE(resourcesInPlay().empty());
  EXPECT_EQ(sounds.back().rfind("coin-", 0), 0u);
  updateResources();
  EXPECT_FLOAT_EQ(game.level->score, 14);
}

TEST_F(ResourceTest, ComboCardsPayCoinsOnArrival) {
  deal(2, 8, 0);
  struct Step {
    float scoreAtPlay;
    std::size_t inPlay;
  } const steps[] = {{3, 0}, {6, 0}, {9, 0}, {12, 0}, {15, 0}, {15, 1}, {15, 2}};
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("play " + std::to_string(i + 1));
    game.useCard(cards[i]);
    EXPECT_FLOAT_EQ(game.level->score, steps[i].scoreAtPlay);
    EXPECT_EQ(resourcesInPlay().size(), steps[i].inPlay);
  }
  EXPECT_FLOAT_EQ(resourcesInPlay().front()->x1, 843);
  EXPECT_FLOAT_EQ(resourcesInPlay().front()->y1, 81);
  settle();
  EXPECT_FLOAT_EQ(game.level->score, 35);
}

TEST_F(ResourceTest, ColumnTokenPaysEachTimeItsCardIsPlayed) {
  deal(2, 1, 25);
  const CardPtr card = cards[0];
  const float x = card->x, y = card->y;
  game.useCard(card);
  EXPECT_FLOAT_EQ(game.level->score, 3);
  ASSERT_EQ(resourcesInPlay().size(), 1u);
  EXPECT_FLOAT_EQ(resourcesInPlay().front()->x1, x);
  EXPECT_FLOAT_EQ(resourcesInPlay().front()->y1, y);
  settle();
  EXPECT_FLOAT_EQ(game.level->score, 28);

  // Undo gives back the score before the play; playing again collects the token again.
  ASSERT_TRUE(game.undoLast());
  EXPECT_FLOAT_EQ(game.level->score, 0);
  settle();
  game.useCard(card);
  settle();
  EXPECT_FLOAT_EQ(game.level->score, 28);
}

TEST_F(ResourceTest, UndoWaitsForTokensInFlight) {
  deal(2, 2, 0);
  game.useCard(cards[0]);
  settle();
  const float afterPlay = game.level->score;
  flyCoin(843, 81, 10);  // a coin still in the air: undoing now would keep its pay
  EXPECT_FALSE(game.undoLast());
  settle();
  EXPECT_FLOAT_EQ(game.level->score, afterPlay + 10);
  ASSERT_TRUE(game.undoLast());
  EXPECT_FLOAT_EQ(game.level->score, 0) << "the play and its coin are both taken back";
}

TEST_F(ResourceTest, CatalogueWithBrokenEntriesStillLoads) {
  const std::string folder = harness::makeTempFolder("resources");
  TPixmap pm(20, 20);
  for (unsigned char& byte : pm.pixels) byte = 200;
  harness::writeFile(folder + "/gfx/unused.txt", "");  // makes the folder
  ASSERT_TRUE(savePixmapPNG(pm, folder + "/gfx/coin.png"));
  harness::writeFile(folder + "/data/resources.dat",
                     "resources {\n\ti = 3\n"
                     "\tres1 {\n\t\tid = 1\n\t\timg = \"gfx/coin.png\"\n\t}\n"
                     "\tres2 {\n\t\tid = 2\n\t\timg = \"gfx/missing.png\"\n\t}\n"
                     "}\n");
  testing::internal::CaptureStderr();
  loadResourceCatalogueFrom(folder + "/data/resources.dat", folder + "/");
  const std::string errors = testing::internal::GetCapturedStderr();
  ASSERT_EQ(resourceCatalogue().size(), 2u);  // three announced, two listed
  ASSERT_TRUE(getResourceDataById(1)->img);
  EXPECT_EQ(getResourceDataById(1)->img->handle_x, 10);
  EXPECT_FALSE(getResourceDataById(2)->img);
  EXPECT_NE(errors.find("3 resources announced, 2 listed"), std::string::npos) << errors;
  EXPECT_NE(errors.find("missing.png"), std::string::npos) << errors;
  EXPECT_EQ(levelLinks().resourceKindCount(), 2);

  // Tokens of every kind, pictured or not, fly, draw and pay.
  deal(2, 1, 0);
  for (int kind : {1, 2, 7}) {
    SCOPED_TRACE(kind);
    const ResourcePtr token = levelLinks().newResource(kind, 5);
    ASSERT_TRUE(token);
    addResource(token);
  }
  for (int i = 0; i < 25; ++i) {
    updateResources();
    drawResources();
  }
  EXPECT_FLOAT_EQ(game.level->score, 15);

  loadResourceCatalogueFrom(folder + "/data/none.dat", folder + "/");
  EXPECT_TRUE(resourceCatalogue().empty());
}

TEST_F(ResourceTest, ShippedCatalogueNumbersKindsFromOne) {
  const std::string root = harness::gameFolder() + "/";
  testing::internal::CaptureStderr();
  loadResourceCatalogueFrom(root + "data/resources.dat", root);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_FALSE(resourceCatalogue().empty());
  int id = 0;
  for (const ResourceDataPtr& kind : resourceCatalogue()) {
    SCOPED_TRACE(kind->id);
    EXPECT_EQ(kind->id, ++id);
    EXPECT_TRUE(kind->img);
  }
}

}  // namespace
