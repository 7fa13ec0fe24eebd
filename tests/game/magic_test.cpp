// Magic cards: the per-level table, placement at the deal (never on rocks or ice),
// collecting by play and losing it again by undo, and cards left waiting at a level's end.

#include "game/magic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/delta_time.h"
#include "engine/clock.h"
#include "engine/random.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "game/sword_wiring.h"
#include "game/table_state.h"
#include "support/harness.h"

namespace {

int idOfRank(int seq) { return seq - 1; }
int magicIdOfRank(int seq) { return kMagicIdOffset + idOfRank(seq); }

// Level n deals: 1 none, 2 one, 3 three, 4 more than any table can take, 5 broken.
constexpr const char* kMagicsFixture =
    "magics {\n\ti = 5\n\tlevel1 = 0\n\tlevel2 = 1\n\tlevel3 = 3\n\tlevel4 = 20\n\tlevel5 = -2\n}\n";

class MagicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clearCardCatalogue();
    for (int seq = 2; seq <= 14; ++seq) {
      for (int id : {idOfRank(seq), magicIdOfRank(seq)}) {
        auto kind = std::make_shared<TCardData>();
        kind->id = id;
        kind->seqN = seq;
        addToCardCatalogue(kind);
      }
    }
    reset();
    const std::string folder = harness::makeTempFolder("magics");
    harness::writeFile(folder + "/magics.dat", kMagicsFixture);
    testing::internal::CaptureStderr();
    loadMagicTableFrom(folder + "/magics.dat");
    tableErrors = testing::internal::GetCapturedStderr();
    installSwordsResourcesAndMagic(game);
    TLevelLinks& links = levelLinks();
    links.profileExists = [] { return true; };
    links.tryb = [] { return std::string("QUEST"); };
    links.countLevelN = [this] { return levelN; };
    magicCollection().setupAllMagicCards();
    seedRnd(2024);
    setFrameStep(1);
    setFakeClock(4'000'000);
  }
  void TearDown() override {
    game.level.reset();
    reset();
    magicTable().clear();
    clearCardCatalogue();
  }
  void reset() { resetTableState(); }

  // Four free cards (2..5), then four under rocks (6..9) and four under ice (10..13).
  LevelPtr tableWithObstacles() {
    LevelPtr level = newEmptyLevel();
    level->cards.clear();
    for (int seq = 2; seq <= 13; ++seq) {
      auto card = std::make_shared<TCard>();
      card->cd = getCardDataById(idOfRank(seq));
      card->x = 60 + 75 * static_cast<float>(seq);
      card->y = 200;
      card->utrudnienie1 = seq >= 6 && seq <= 9;
      card->utrudnienie2 = seq >= 10;
      card->myLevel = level.get();
      level->cards.push_back(card);
    }
    return level;
  }

  static int magicOnObstacles(const TLevel& level) {
    int n = 0;
    for (const CardPtr& card : level.cards)
      n += card->cd->isMagic() && (card->utrudnienie1 || card->utrudnienie2);
    return n;
  }

  void settle() {
    for (int i = 0; i < 1000 && !flights().empty(); ++i) {
      advanceFakeClock(16);
      game.updatePlay();
    }
    ASSERT_TRUE(flights().empty());
  }

  TMainGame game;
  int levelN = 1;
  std::string tableErrors;
};

TEST_F(MagicTest, TableGivesCountsPerLevel) {
  struct Case {
    int levelN, count;
  } const cases[] = {{1, 0}, {2, 1}, {3, 3}, {4, 20}, {5, 0}, {6, 0}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.levelN);
    EXPECT_EQ(magicCountForLevel(c.levelN), c.count);
    EXPECT_EQ(levelLinks().magicCountForLevel(c.levelN), c.count);
  }
  EXPECT_EQ(getMagicData(6), nullptr);
  EXPECT_NE(tableErrors.find("level5"), std::string::npos) << tableErrors;

  loadMagicTableFrom(harness::makeTempFolder("none") + "/magics.dat");
  EXPECT_TRUE(magicTable().empty());
  EXPECT_EQ(magicCountForLevel(2), 0);
}

TEST_F(MagicTest, ShippedTableCoversEveryQuestLevel) {
  testing::internal::CaptureStderr();
  loadMagicTableFrom(harness::gameFolder() + "/data/magics.dat");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(magicTable().size(), 120u);
  // A table takes at most one magic card per rank.
  for (const TLevelMagic& entry : magicTable()) EXPECT_LE(entry.ile, 13) << "level " << entry.levelN;
}

TEST_F(MagicTest, DealPlacesTheLevelsCountNeverOnRocksOrIce) {
  struct Case {
    int levelN;
    int placed;  // at most the four free cards can take one
  } const cases[] = {{1, 0}, {2, 1}, {3, 3}, {4, 4}, {5, 0}, {9, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.levelN));
    levelN = c.levelN;
    const LevelPtr level = tableWithObstacles();
    level->CHECK_magicCards();
    EXPECT_EQ(level->COUNT_magicCards(), c.placed);
    EXPECT_EQ(magicOnObstacles(*level), 0);
    for (const CardPtr& card : level->cards) {
      if (card->cd->isMagic()) {
        EXPECT_FALSE(magicCollection().haveMagic(card->cd->id));
      }
    }
  }
}

TEST_F(MagicTest, DealPlacesAwaitingCardsAndStopsAtAFullAlbum) {
  levelN = 2;
  magicCollection().addAwaitingMagicCard(getCardDataById(magicIdOfRank(14)));
  magicCollection().addAwaitingMagicCard(getCardDataById(magicIdOfRank(14)));  // kept once
  ASSERT_EQ(magicCollection().awaitingMagicCards.size(), 1u);
  LevelPtr level = tableWithObstacles();
  level->CHECK_magicCards();
  EXPECT_EQ(level->COUNT_magicCards(), 2);
  int aces = 0;
  for (const CardPtr& card : level->cards) aces += card->cd->id == magicIdOfRank(14);
  EXPECT_GE(aces, 1);
  EXPECT_EQ(magicOnObstacles(*level), 0);

  // A full album of 52 gets none.
  for (int i = 0; i < 52; ++i) magicCollection().magicCards.push_back(std::make_shared<TCardData>());
  level = tableWithObstacles();
  level->CHECK_magicCards();
  EXPECT_EQ(level->COUNT_magicCards(), 0);
}

TEST_F(MagicTest, PlayCollectsUndoLosesLevelEndLeavesWaiting) {
  const CardDataPtr six = getCardDataById(magicIdOfRank(6));
  const CardDataPtr nine = getCardDataById(magicIdOfRank(9));
  LevelPtr level = newEmptyLevel();
  level->cards.clear();
  level->deck.clear();
  int i = 0;
  for (const CardDataPtr& kind : {six, nine}) {
    auto card = std::make_shared<TCard>();
    card->cd = kind;
    card->x = 200 + 300 * static_cast<float>(i++);
    card->y = 200;
    card->myLevel = level.get();
    level->cards.push_back(card);
  }
  level->spot.push_back(getCardDataById(idOfRank(5)));
  game.setLevel(level);
  game.setState("NORMAL");
  const CardPtr played = level->cards.front();
  ASSERT_EQ(six->newMagicCard, 1);

  game.useCard(played);
  EXPECT_FLOAT_EQ(level->score, 6);
  EXPECT_FALSE(magicCollection().haveMagic(six->id));  // only when it lands
  settle();
  EXPECT_TRUE(magicCollection().haveMagic(six->id));
  EXPECT_EQ(six->notFound, 0);
  EXPECT_EQ(magicCollection().foundMagicCardsN, 1);

  ASSERT_TRUE(game.undoLast());
  EXPECT_FALSE(magicCollection().haveMagic(six->id));
  EXPECT_EQ(six->notFound, 1);
  EXPECT_EQ(magicCollection().foundMagicCardsN, 0);
  settle();

  game.useCard(played);
  settle();
  ASSERT_TRUE(magicCollection().haveMagic(six->id));
  // The level ends with the nine still on the table: it waits; the six was found.
  EXPECT_EQ(mainGameHooks().levelEndScreen(), "") << "no level end screen: go on";
  ASSERT_EQ(magicCollection().awaitingMagicCards.size(), 1u);
  EXPECT_EQ(magicCollection().awaitingMagicCards.front(), nine);
}

}  // namespace
