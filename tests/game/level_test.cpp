// Levels: the file format byte for byte, broken files, the covering rule with rocks, ice
// and snow, the deal's shuffles and picks, and the shipped sample levels.

#include "game/level.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "engine/draw.h"
#include "engine/random.h"
#include "support/harness.h"

namespace {

constexpr int kHammer = 105;
constexpr int kNoShuffle = 104;

// Ids 1..52 are the playing cards, rank (id - 1) % 13 + 2; swords and magic twins as the
// catalogue lays them out.
int rankOf(int id) { return (id - 1) % 13 + 2; }

void addKind(int id, int seq) {
  auto kind = std::make_shared<TCardData>();
  kind->id = id;
  kind->seqN = seq;
  kind->nazwa = std::to_string(seq);
  addToCardCatalogue(kind);
}

// A small, fully known world: catalogue, card mask, no profile, no game screen.
class Level : public ::testing::Test {
 protected:
  void SetUp() override {
    clearCardCatalogue();
    for (int id = 1; id <= 52; ++id) addKind(id, rankOf(id));
    addKind(kNoShuffle, 0);
    addKind(kHammer, 0);
    for (int seq = 2; seq <= 14; ++seq) addKind(200 + seq, seq);
    for (int id = 1; id <= 52; ++id) addKind(300 + id, rankOf(id));
    TPixmap mask(96, 140);
    for (std::size_t i = 0; i < mask.pixels.size(); ++i) mask.pixels[i] = 255;
    cardImages().mask = createImage(std::move(mask), 0);
    midHandleImage(cardImages().mask);
    cardLinks() = TCardLinks{};
    levelLinks() = TLevelLinks{};
    installLevelCardLinks();
    pomWaterX() = 0;
    seedRnd(12345);
    folder_ = harness::makeTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override {
    clearCardCatalogue();
    cardImages().mask.reset();
    levelLinks() = TLevelLinks{};
  }

  struct CardSpec {
    int id;
    float x, y;
    int forceSide = 0, rocks = 0, ice = 0;
  };

  static CardPtr addCard(TLevel& level, const CardSpec& s) {
    auto card = std::make_shared<TCard>();
    card->cd = getCardDataById(s.id);
    card->x = s.x;
    card->y = s.y;
    card->forceSide = s.forceSide;
    card->utrudnienie1 = s.rocks;
    card->utrudnienie2 = s.ice;
    card->myLevel = &level;
    level.cards.push_back(card);
    return card;
  }

  static std::vector<CardPtr> build(TLevel& level, const std::vector<CardSpec>& specs) {
    std::vector<CardPtr> out;
    for (const CardSpec& s : specs) out.push_back(addCard(level, s));
    return out;
  }

  std::string path(const std::string& name) const { return folder_ + "/" + name; }

  std::string folder_;
};

// --- the file format -----------------------------------------------------------------

TEST_F(Level, WritesTheExactLevelFileLayout) {
  TLevel level;
  level.deckX = 460;
  level.deckY = 685;
  level.numerRewersu = 2;
  level.backGroundId = 3;
  level.score = 12.5f;
  level.soundID = 4;
  level.driveMN = 1.5f;
  level.allCardsCount = 2;
  level.allColumns = 1;
  level.utrudnienie1Odblokowane = 1;
  level.deck = {getCardDataById(7)};
  build(level, {{5, 200, 300, 1, 0, 0}, {kHammer, 250.5f, 320, 0, 1, 1}});
  pomWaterX() = 250.5f;
  ASSERT_TRUE(saveLevel(level, path("exact.lvl")));
  const std::string expected =
      "level {\n\n"
      "\tdata {\n"
      "\t\tdeckDim = 460, 685\n\t\tnumerRewersu = 2\n\t\tbackground = 3\n"
      "\t\tscore = 12.5000000\n\t\tsoundId = 4\n\t\tdriveN = 0\n\t\tdriveMN = 1.50000000\n"
      "\t\tallCardsCount = 2\n\t\tallColumnsCount = 1\n\t\tnewRecord = 0\n"
      "\t\tpomWaterX = 250.500000\n\t\tlongestDrive = 0\n\t}\n\n"
      "\tspecs {\n\t\tutrudnienie1 = 1\n\t\tutrudnienie2 = 0\n\t}\n\n"
      "\tdeck {\n\t\ti = 1\n\t\tdeckCard1 = 7\n\t}\n\n"
      "\tcards {\n\t\ti = 2\n"
      "\t\tcard1 {\n\t\t\tid = 5\n\t\t\tdim = 200, 300\n\t\t\tforceSide = 1\n"
      "\t\t\tutrudnienie1 = 0\n\t\t\tutrudnienie2 = 0\n\t\t\tutrudnienie3 = 0\n\t\t}\n\n"
      "\t\tcard2 {\n\t\t\tid = 105\n\t\t\tdim = 250.500000, 320\n\t\t\tforceSide = 0\n"
      "\t\t\tutrudnienie1 = 1\n\t\t\tutrudnienie2 = 1\n\t\t\tutrudnienie3 = 0\n\t\t}\n\n"
      "\t}\n\n"
      "\tspot {\n\t\ti = 0\n\t}\n\n"
      "}\n\n";
  EXPECT_EQ(harness::readFile(path("exact.lvl")), expected);
}

TEST_F(Level, FileRoundTripIsByteForByte) {
  // A saved quest level in the middle of play: results, a water line with snow, a
  // covered hammer, forced and obstacle cards, a deck and a spot.
  TLevel level;
  level.deckX = kLoadedDeckX;
  level.deckY = kLoadedDeckY;
  level.numerRewersu = 3;
  level.backGroundId = 2;
  level.score = 47.25f;
  level.soundID = 5;
  level.driveN = 4;
  level.driveMN = 2.3f;
  level.allCardsCount = 30;
  level.allColumns = 6;
  level.newRecord = 1;
  level.longestDrive = 9;
  level.utrudnienie2Odblokowane = 1;
  build(level, {{12, 150, 200, 0, 1, 0},
                {kHammer, 400, 200},
                {33, 430, 260, 1},
                {8, 300, 420, 0, 0, 1},
                {41, 600, 300},
                {17, 800, 310}});
  level.cards.back()->utrudnienie3 = 1;
  std::next(level.cards.begin(), 4)->get()->utrudnienie3 = 1;
  pomWaterX() = 300;
  for (int id : {3, 9, 51, 9, 214}) level.deck.push_back(getCardDataById(id));
  for (int id : {20, 6}) level.spot.push_back(getCardDataById(id));
  ASSERT_TRUE(saveLevel(level, path("first.lvl")));

  pomWaterX() = 0;
  const LevelPtr read = loadLevel(path("first.lvl"), 0, 1, 1);
  EXPECT_FLOAT_EQ(read->score, 47.25f);
  EXPECT_FLOAT_EQ(read->driveMN, 2.3f);
  EXPECT_EQ(read->soundID, 5);
  EXPECT_EQ(read->numerRewersu, 3);
  EXPECT_EQ(read->cards.size(), 6u);
  EXPECT_EQ(read->cards.front()->numerRewersu, 3);
  EXPECT_EQ(read->cards.front()->myLevel, read.get());
  EXPECT_EQ(read->jestRocks, 1);
  EXPECT_EQ(read->jestIce, 1);
  ASSERT_TRUE(saveLevel(*read, path("second.lvl")));
  EXPECT_EQ(harness::readFile(path("second.lvl")), harness::readFile(path("first.lvl")));
}

TEST_F(Level, ReadsStandardsTheWayTheGameExpects) {
  struct Case {
    const char* name;
    const char* data;  // entries of level::data
    float deckX, deckY, driveMN;
    int soundID;
  };
  const Case cases[] = {
      {"deck position in the file is ignored", "deckDim = 100, 100\n", 460, 685, 1, 0},
      {"multiplier 0 becomes 1", "driveMN = 0\n", 460, 685, 1, 0},
      {"multiplier below 1 becomes 1", "driveMN = 0.5\n", 460, 685, 1, 0},
      {"multiplier above 1 kept", "driveMN = 3.5\n", 460, 685, 3.5f, 0},
      {"sound key in the writer's spelling", "soundId = 7\n", 460, 685, 1, 7},
      {"sound key in another spelling", "SOUNDID = 8\n", 460, 685, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    harness::writeFile(path("std.lvl"), std::string("level {\n\tdata {\n\t\t") + c.data + "\t}\n}\n");
    const LevelPtr level = loadLevel(path("std.lvl"), 0, 0, 0);
    EXPECT_EQ(level->deckX, c.deckX);
    EXPECT_EQ(level->deckY, c.deckY);
    EXPECT_FLOAT_EQ(level->driveMN, c.driveMN);
    EXPECT_EQ(level->soundID, c.soundID);
  }
}

TEST_F(Level, MissingFileIsAnEmptyLevel) {
  const LevelPtr level = loadLevel(path("nothing-here.lvl"), 1, 1, 1);
  EXPECT_TRUE(level->cards.empty());
  EXPECT_TRUE(level->deck.empty());
  EXPECT_TRUE(level->spot.empty());
  EXPECT_EQ(level->backGroundId, 1);
  EXPECT_EQ(level->driveMN, 1);
  EXPECT_EQ(level->COUNT_level_value(), 0);
}

TEST_F(Level, BrokenFilesLoadWithoutCrashOrHang) {
  const std::string good = "\t\tcard1 {\n\t\t\tid = 5\n\t\t\tdim = 300, 300\n\t\t}\n";
  struct Case {
    const char* name;
    std::string cards;  // body of level::cards
    std::string deck;   // body of level::deck
    std::size_t tableCards, deckKinds;
  };
  const Case cases[] = {
      {"card id not in the catalogue",
       "\t\ti = 2\n" + good + "\t\tcard2 {\n\t\t\tid = 999\n\t\t\tdim = 300, 300\n\t\t}\n",
       "\t\ti = 3\n\t\tdeckCard1 = 4\n\t\tdeckCard2 = 0\n\t\tdeckCard3 = -8\n", 1, 1},
      {"negative counts", "\t\ti = -4\n" + good, "\t\ti = -1\n\t\tdeckCard1 = 4\n", 0, 0},
      {"huge counts", "\t\ti = 2000000000\n" + good, "\t\ti = 1e30\n\t\tdeckCard1 = 4\n", 1, 1},
      {"unreadable counts", "\t\ti = nan\n" + good, "\t\ti = x\n\t\tdeckCard1 = 4\n", 0, 0},
      {"count larger than the entries", "\t\ti = 900\n" + good, "\t\ti = 5\n\t\tdeckCard1 = 4\n", 1,
       1},
      {"far positions are brought back",
       "\t\ti = 3\n\t\tcard1 {\n\t\t\tid = 5\n\t\t\tdim = 1e30, -1e30\n\t\t}\n"
       "\t\tcard2 {\n\t\t\tid = 6\n\t\t\tdim = -99999, 5000\n\t\t}\n"
       "\t\tcard3 {\n\t\t\tid = 7\n\t\t\tdim = 1e99, 1e99\n\t\t}\n",
       "\t\ti = 0\n", 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    harness::writeFile(path("broken.lvl"),
                       "level {\n\tdata {\n\t\tnumerRewersu = 77\n\t\tdriveMN = nan\n\t}\n\tcards {\n" +
                           c.cards + "\t}\n\tdeck {\n" + c.deck + "\t}\n\tspot {\n\t\ti = 1e9\n\t}\n}\n");
    const auto start = std::chrono::steady_clock::now();
    const LevelPtr level = loadLevel(path("broken.lvl"), 1, 1, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(level->cards.size(), c.tableCards);
    EXPECT_EQ(level->deck.size(), c.deckKinds);
    EXPECT_TRUE(level->spot.empty());
    EXPECT_EQ(level->numerRewersu, 0);
    EXPECT_EQ(level->driveMN, 1);
    for (const CardPtr& card : level->cards) {
      ASSERT_NE(card->cd, nullptr);
      EXPECT_TRUE(card->x >= 0 && card->x <= 1024) << card->x;
      EXPECT_TRUE(card->y >= 0 && card->y <= 768) << card->y;
    }
  }
}

// --- covering ------------------------------------------------------------------------

TEST_F(Level, LaterCardsCoverEarlierOnesWithinReach) {
  struct Case {
    const char* name;
    std::vector<CardSpec> cards;
    std::vector<int> uncovered;  // odkryta per card after the initial pass
  };
  const Case cases[] = {
      {"149 px apart and overlapping: the later covers", {{2, 100, 100}, {3, 180, 226}}, {0, 1}},
      {"150 px apart: no cover though the pictures overlap", {{2, 100, 100}, {3, 190, 220}}, {1, 1}},
      {"side by side, not touching", {{2, 100, 300}, {3, 200, 300}}, {1, 1}},
      {"an earlier card never covers a later one", {{2, 100, 100}, {3, 100, 100}}, {0, 1}},
      {"a pile of three", {{2, 300, 200}, {3, 330, 260}, {4, 360, 320}}, {0, 0, 1}},
      {"forced card under another stays unplayable", {{2, 300, 200, 1}, {3, 300, 260}}, {0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLevel level;
    pomWaterX() = 0;
    const std::vector<CardPtr> cards = build(level, c.cards);
    level.init(0, 0, 0);
    for (std::size_t i = 0; i < cards.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(cards[i]->odkryta, c.uncovered[i]);
      EXPECT_EQ(cards[i]->side, c.uncovered[i]);
    }
  }
}

TEST_F(Level, PlayingTheTopCardUncoversWhatItCovered) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{2, 300, 200}, {3, 360, 200}, {4, 330, 280}});
  level.init(0, 0, 0);
  EXPECT_EQ(c[0]->odkryta, 0);
  EXPECT_EQ(c[1]->odkryta, 0);
  EXPECT_EQ(c[2]->odkryta, 1);

  level.removeCard(*c[2]);
  level.CHECK_Cover(0);
  EXPECT_EQ(c[0]->odkryta, 0);  // still under the second card
  EXPECT_EQ(c[1]->odkryta, 1);
  EXPECT_EQ(c[1]->state, "SHOW");  // turns over rather than jumping face up

  // A card brought back by undo goes on top and covers again.
  level.cards.push_back(c[2]);
  c[1]->side = 1;
  level.CHECK_Cover(0);
  EXPECT_EQ(c[1]->odkryta, 0);
  EXPECT_EQ(c[1]->side, 0);
}

TEST_F(Level, CoveredForcedCardKeepsItsFace) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{2, 300, 200, 1}, {3, 600, 200}, {4, 300, 260}, {5, 600, 260}});
  level.init(0, 0, 0);
  c[0]->side = 1;  // a forced card has turned itself over
  c[1]->side = 1;
  level.CHECK_Cover(0);
  EXPECT_EQ(c[0]->side, 1);
  EXPECT_EQ(c[0]->odkryta, 0);
  EXPECT_EQ(c[1]->side, 0);
  EXPECT_EQ(c[1]->odkryta, 0);
}

TEST_F(Level, RocksStayLockedUntilTheHammerIsFound) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{kHammer, 200, 200},
                                               {3, 230, 270},
                                               {4, 600, 250, 0, 1},
                                               {5, 800, 250, 0, 1}});
  level.utrudnienie1Odblokowane = 1;  // a hammer on the table locks the rocks whatever the file says
  level.init(0, 0, 0);
  EXPECT_EQ(level.utrudnienie1Odblokowane, 0);
  EXPECT_TRUE(level.hasCard(*c[0]));
  for (int i : {2, 3}) {
    EXPECT_EQ(c[i]->side, 0);
    EXPECT_EQ(c[i]->odkryta, 0);
    EXPECT_EQ(c[i]->utrudnienie1, 1);
  }
  level.CHECK_Cover(0);  // no change while the hammer lies covered
  EXPECT_EQ(c[2]->odkryta, 0);

  level.removeCard(*c[1]);
  level.CHECK_Cover(0);
  EXPECT_FALSE(level.hasCard(*c[0]));
  EXPECT_EQ(level.utrudnienie1Odblokowane, 1);
  for (int i : {2, 3}) {
    EXPECT_EQ(c[i]->odkryta, 1);
    EXPECT_EQ(c[i]->utrudnienie1, 0);  // the rocks burst off as it turns
  }
}

TEST_F(Level, UncoveredHammerIsFoundAtTheDeal) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{kHammer, 200, 200}, {4, 600, 250, 0, 1}});
  level.init(0, 0, 0);
  EXPECT_FALSE(level.hasCard(*c[0]));
  EXPECT_EQ(level.utrudnienie1Odblokowane, 1);
  EXPECT_EQ(c[1]->odkryta, 1);
}

TEST_F(Level, IceHoldsTheSnowUntilTheLastIcedCardIsPlayed) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{2, 100, 300},
                                               {3, 300, 300, 0, 0, 1},
                                               {4, 500, 300},
                                               {5, 700, 300},
                                               {6, 900, 300, 0, 1}});
  level.init(0, 0, 0);
  EXPECT_EQ(pomWaterX(), 300);
  EXPECT_EQ(level.waterPom, 1);
  const int snow[] = {0, 0, 1, 1, 0};  // rocks keep their own obstacle
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c[i]->utrudnienie3, snow[i]);
  }
  EXPECT_EQ(c[0]->odkryta, 1);
  EXPECT_EQ(c[1]->odkryta, 1);
  EXPECT_EQ(c[2]->odkryta, 0);
  EXPECT_EQ(c[3]->odkryta, 0);
  EXPECT_EQ(c[2]->side, 0);

  level.removeCard(*c[0]);  // playing a dry card changes nothing for the snow
  level.CHECK_Cover(0);
  EXPECT_EQ(c[2]->odkryta, 0);

  level.removeCard(*c[1]);
  level.CHECK_Cover(0);
  EXPECT_EQ(pomWaterX(), kNoWaterLine);
  EXPECT_EQ(level.waterPom, 0);
  EXPECT_EQ(c[2]->odkryta, 1);
  EXPECT_EQ(c[3]->odkryta, 1);
  EXPECT_EQ(c[2]->utrudnienie3, 0);  // snow bursts off as the card turns
}

TEST_F(Level, NoIceMeansNoSnow) {
  TLevel level;
  const std::vector<CardPtr> c = build(level, {{2, 100, 300}, {3, 900, 300}});
  level.init(0, 0, 0);
  EXPECT_EQ(pomWaterX(), kNoWaterLine);
  for (const CardPtr& card : c) {
    EXPECT_EQ(card->utrudnienie3, 0);
    EXPECT_EQ(card->odkryta, 1);
  }
}

TEST_F(Level, ColumnsAreTheBottomsOfThePiles) {
  TLevel level;
  const std::vector<CardPtr> c =
      build(level, {{2, 200, 200}, {3, 600, 200}, {4, 230, 260}, {5, 900, 400}, {6, 630, 260}});
  level.init(0, 0, 0);
  level.init_COLUMNS();
  EXPECT_EQ(level.columns, (CardList{c[0], c[1], c[3]}));
  EXPECT_TRUE(level.CHECK_card_column(*c[3]));
  EXPECT_FALSE(level.CHECK_card_column(*c[4]));
}

TEST_F(Level, ColumnTokensComeFromTheFileFirst) {
  // Tokens are only handed on here, never opened, so tagged stand-ins will do.
  std::vector<std::shared_ptr<int>> made;
  std::vector<std::pair<int, int>> asked;
  levelLinks().resourceKindCount = [] { return 3; };
  levelLinks().newResource = [&](int kind, int amount) {
    asked.emplace_back(kind, amount);
    made.push_back(std::make_shared<int>(kind));
    return ResourcePtr(made.back(), reinterpret_cast<TResource*>(made.back().get()));
  };
  harness::writeFile(path("res.lvl"),
                     "level {\n\tcards {\n\t\ti = 3\n"
                     "\t\tcard1 {\n\t\t\tid = 5\n\t\t\tdim = 200, 300\n\t\t}\n"
                     "\t\tcard2 {\n\t\t\tid = 6\n\t\t\tdim = 500, 300\n\t\t}\n"
                     "\t\tcard3 {\n\t\t\tid = 7\n\t\t\tdim = 800, 300\n\t\t}\n\t}\n"
                     "\tresources {\n\t\ti = 1\n\t\tres1 {\n\t\t\tid = 2\n\t\t\tammount = 25\n\t\t}\n\t}\n}\n");
  const LevelPtr level = loadLevel(path("res.lvl"), 0, 0, 0);
  ASSERT_EQ(level->columns.size(), 3u);
  EXPECT_EQ(level->allColumns, 3);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0], std::make_pair(2, 25));
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_GE(asked[i].first, 1);
    EXPECT_LE(asked[i].first, 3);
    EXPECT_EQ(asked[i].second, 10);
  }
  std::size_t i = 0;
  for (const CardPtr& column : level->columns) {
    EXPECT_EQ(column->res.get(), reinterpret_cast<TResource*>(made[i++].get()));
  }
}

// --- the deal ------------------------------------------------------------------------

TEST_F(Level, TableShuffleMovesFacesNotPlaces) {
  for (int seed : {1, 2, 3, 99}) {
    SCOPED_TRACE(seed);
    seedRnd(seed);
    TLevel level;
    std::vector<CardPtr> c;
    for (int i = 0; i < 16; ++i) {
      c.push_back(addCard(level, {i + 1, 100.0f + 50 * i, 200.0f + (i % 3) * 40, i % 4 == 0, i % 5 == 0,
                                  i % 7 == 0}));
      c.back()->side = i % 2;
    }
    c[3]->cd = getCardDataById(kHammer);
    c[9]->cd = getCardDataById(kNoShuffle);
    std::multiset<int> before;
    for (const CardPtr& card : c) before.insert(card->cd->id);
    const std::vector<CardDataPtr> facesBefore = [&] {
      std::vector<CardDataPtr> f;
      for (const CardPtr& card : c) f.push_back(card->cd);
      return f;
    }();

    level.SHUFFLE_CARDS();
    std::multiset<int> after;
    int moved = 0;
    for (int i = 0; i < 16; ++i) {
      const CardPtr& card = c[static_cast<size_t>(i)];
      after.insert(card->cd->id);
      moved += card->cd != facesBefore[static_cast<size_t>(i)];
      EXPECT_EQ(card->x, 100.0f + 50 * i);
      EXPECT_EQ(card->y, 200.0f + (i % 3) * 40);
      EXPECT_EQ(card->forceSide, i % 4 == 0);
      EXPECT_EQ(card->utrudnienie1, i % 5 == 0);
      EXPECT_EQ(card->utrudnienie2, i % 7 == 0);
      EXPECT_EQ(card->side, i % 2);
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(c[3]->cd->id, kHammer);
    EXPECT_EQ(c[9]->cd->id, kNoShuffle);
    EXPECT_GT(moved, 4);
  }
}

TEST_F(Level, DeckShuffleKeepsTheKindsOrEmptiesTheDeck) {
  TLevel level;
  for (int id : {1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 40}) level.deck.push_back(getCardDataById(id));
  const CardDataList before = level.deck;
  std::multiset<CardDataPtr> kinds(before.begin(), before.end());
  level.SHUFFLE_DECK(1);
  EXPECT_EQ(std::multiset<CardDataPtr>(level.deck.begin(), level.deck.end()), kinds);
  EXPECT_NE(level.deck, before);
  level.SHUFFLE_DECK(0);
  EXPECT_TRUE(level.deck.empty());
}

TEST_F(Level, SwordsFollowStageAndLevel) {
  struct Case {
    int stage, level;
    int minSwords, maxSwords;  // over every seed
  };
  const Case cases[] = {{1, 1, 0, 0}, {1, 2, 1, 1}, {3, 4, 0, 1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "stage " << k.stage << " level " << k.level);
    levelLinks().profileExists = [] { return true; };
    levelLinks().stageID = [&] { return k.stage; };
    levelLinks().levelID = [&] { return k.level; };
    levelLinks().haveSwordBySeq = [](int seq) { return seq == 5; };  // owned swords are not dealt
    std::set<int> seen;
    for (int seed = 1; seed <= 40; ++seed) {
      seedRnd(seed);
      TLevel level;
      // Ranks 5 and 6 free; rank 7 only under ice, 8 only under rocks.
      build(level, {{4, 100, 200}, {5, 300, 200}, {6, 500, 200, 0, 0, 1}, {7, 700, 200, 0, 1}});
      level.SHUFFLE_SWORDS();
      int swords = 0;
      for (const CardPtr& card : level.cards) {
        if (!card->cd->isSword()) continue;
        ++swords;
        EXPECT_EQ(card->cd->id, 206);  // only the free rank-6 card qualifies
      }
      EXPECT_EQ(swords, level.swordsN);
      seen.insert(swords);
    }
    EXPECT_EQ(*seen.begin(), k.minSwords);
    EXPECT_EQ(*seen.rbegin(), k.maxSwords);
  }
}

TEST_F(Level, RevealItemsForceAShareOfTheTable) {
  struct Case {
    std::set<std::string> items;
    int forced;
  };
  const Case cases[] = {{{}, 0}, {{"ODKRYCIE-10"}, 2}, {{"ODKRYCIE-20"}, 5}, {{"ODKRYCIE-10", "ODKRYCIE-20"}, 8}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.forced);
    levelLinks().profileExists = [] { return true; };
    levelLinks().haveItem = [&](const std::string& id) { return k.items.count(id) > 0; };
    TLevel level;
    // 29 cards: 3 with obstacles and the hammer may never be forced.
    for (int i = 0; i < 25; ++i) addCard(level, {i + 1, 60.0f + 35 * i, 160.0f + 15 * (i % 20)});
    addCard(level, {30, 200, 500, 0, 1});
    addCard(level, {31, 400, 500, 0, 0, 1});
    addCard(level, {kHammer, 900, 550});
    addCard(level, {32, 950, 550});  // right of the ice: snowed
    level.init(1, 0, 0);
    int forced = 0;
    for (const CardPtr& card : level.cards) {
      if (!card->forceSide) continue;
      ++forced;
      EXPECT_FALSE(card->utrudnienie1 || card->utrudnienie2 || card->utrudnienie3);
      EXPECT_NE(card->cd->id, kHammer);
    }
    EXPECT_EQ(forced, k.forced);
  }
}

TEST_F(Level, ExtraDeckCardsItemAddsFive) {
  levelLinks().profileExists = [] { return true; };
  levelLinks().haveItem = [](const std::string& id) { return id == "DECK-CARDS"; };
  TLevel level;
  for (int id : {1, 2, 3}) level.deck.push_back(getCardDataById(id));
  level.init(1, 0, 0);
  EXPECT_EQ(level.deck.size(), 8u);
}

TEST_F(Level, MagicCardsArePlacedOnlyInTheQuest) {
  struct Case {
    const char* mode;
    int owned;
    int expected;  // wanted 2 plus one awaiting
  };
  const Case cases[] = {{"QUEST", 0, 3}, {"FREE-PLAY", 0, 0}, {"QUEST", 52, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.mode);
    int next = 301;
    TLevelLinks& l = levelLinks();
    l.profileExists = [] { return true; };
    l.tryb = [&] { return std::string(k.mode); };
    l.magicCardsCount = [&] { return k.owned; };
    l.countLevelN = [] { return 4; };
    l.magicCountForLevel = [](int n) { return n == 4 ? 2 : 0; };
    l.getAvailableRandomMagicCard = [&] { return getCardDataById(next++); };
    l.awaitingMagicCards = [] { return CardDataList{getCardDataById(340)}; };
    TLevel level;
    for (int i = 0; i < 10; ++i) addCard(level, {i + 1, 80.0f + 90 * i, 300});
    level.CHECK_magicCards();
    EXPECT_EQ(level.COUNT_magicCards(), k.expected);
  }
}

TEST_F(Level, RandomPicksFromEmptyListsPickNothing) {
  TLevel level;
  EXPECT_TRUE(TLevel::getRandomCardsFromList(3, {}).empty());
  EXPECT_TRUE(level.getRandomCards(5).empty());
  level.addMagicCard(getCardDataById(301));  // no card to take it
  addCard(level, {kHammer, 100, 100});
  addCard(level, {3, 300, 300, 0, 1});
  level.addMagicCard(getCardDataById(301));
  EXPECT_EQ(level.COUNT_magicCards(), 0);
  level.forceSide(1);
  for (const CardPtr& card : level.cards) EXPECT_EQ(card->forceSide, 0);
  level.SHUFFLE_DECK(1);
  EXPECT_TRUE(level.deck.empty());
  EXPECT_EQ(level.getCardByIndex(2), nullptr);
  EXPECT_EQ(level.getCardByIndex(-1), nullptr);
  EXPECT_EQ(level.getCardByIndex(1), level.cards.back());
  const CardList two = TLevel::getRandomCardsFromList(5, level.cards);
  EXPECT_EQ(two.size(), 2u);
  EXPECT_NE(two.front(), two.back());
}

TEST_F(Level, MagicListTakesOneFreeCardPerRank) {
  TLevel level;
  // ids 1 and 14 share rank 2; 27 is under rocks; 104 is no playing card.
  const std::vector<CardPtr> c =
      build(level, {{1, 100, 200}, {14, 300, 200}, {27, 500, 200, 0, 1}, {kNoShuffle, 700, 200}, {3, 900, 200}});
  EXPECT_EQ(level.getAllAvailableForMagicCardsList(), (CardList{c[0], c[4]}));
  EXPECT_EQ(level.getAllCardsList(), (CardList{c[0], c[1], c[4]}));
}

// --- geometry ------------------------------------------------------------------------

TEST_F(Level, DeckAndSpotGeometry) {
  TLevel level;
  level.deckX = 460;
  level.deckY = 685;
  levelLinks().deckHolderSize = [] { return TLevelPoint{400, 160}; };
  level.COUNT_deckHolder();
  EXPECT_EQ(level.deckHolderX, 260);
  EXPECT_EQ(level.deckHolderY, 605);
  EXPECT_EQ(level.deckSpotX, 578);
  EXPECT_EQ(level.deckSpotY, 695);
  EXPECT_EQ(level.COUNT_spotDim().x, 578);
  EXPECT_EQ(level.COUNT_spotDim().y, 685);

  struct Case {
    int kinds;
    float x;
  };
  // 345 + 13 + 12.2 + 11.4 ... + 0.2: after 17 kinds the step is spent.
  const Case cases[] = {{0, 345}, {1, 358}, {3, 381}, {17, 457}, {40, 457}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.kinds);
    level.deck.assign(static_cast<size_t>(k.kinds), getCardDataById(1));
    EXPECT_EQ(level.COUNT_firstDeckCardDim().x, k.x);
    EXPECT_EQ(level.COUNT_firstDeckCardDim().y, 685);
  }
  level.allColumns = 4;
  level.allCardsCount = 21;
  EXPECT_EQ(level.COUNT_level_value(), 103);
}

TEST_F(Level, EmptyLevelForTheEditor) {
  const LevelPtr level = newEmptyLevel();
  EXPECT_EQ(level->backGroundId, 1);
  EXPECT_TRUE(level->deck.empty());
  EXPECT_TRUE(level->cards.empty());
  EXPECT_EQ(level->deckX, 512);
  EXPECT_EQ(level->deckY, 705);
}

// --- the shipped levels ---------------------------------------------------------------

// Plays every uncovered card until none is left; the table must clear.
void clearByPlaying(TLevel& level) {
  for (int plays = 0; plays < 500 && !level.cards.empty(); ++plays) {
    CardPtr free;
    for (const CardPtr& card : level.cards)
      if (card->odkryta) free = card;
    ASSERT_NE(free, nullptr) << level.cards.size() << " cards stuck";
    level.removeCard(*free);
    level.CHECK_Cover(0);
  }
  EXPECT_TRUE(level.cards.empty());
}

TEST_F(Level, SampleLevelsLoadAndCanBeCleared) {
  const std::filesystem::path dir = std::filesystem::path(harness::gameFolder()) / "data" / "levels";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".lvl") files.push_back(entry.path());
  ASSERT_GE(files.size(), 3u);
  bool hammer = false, rocks = false, ice = false, forced = false;
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    TRCMFile raw = openRecordFile(file.string());
    const int inFile = static_cast<int>(raw.getFloat("level::cards::i"));
    pomWaterX() = 0;
    const LevelPtr level = loadLevel(file.string(), 1, 1, 1);
    ASSERT_EQ(static_cast<int>(level->cards.size()), inFile);
    EXPECT_GT(inFile, 10);
    EXPECT_GT(level->deck.size(), 10u);
    EXPECT_EQ(level->allCardsCount, inFile);
    for (const CardPtr& card : level->cards) {
      EXPECT_TRUE(card->x >= 60 && card->x <= 970 && card->y >= 150 && card->y <= 560)
          << card->x << ", " << card->y;
      hammer = hammer || card->cd->id == kHammer;
      rocks = rocks || card->utrudnienie1;
      ice = ice || card->utrudnienie2;
      forced = forced || card->forceSide;
    }
    for (const CardPtr& card : level->cards) {
      if (card->cd->id == kHammer) {
        EXPECT_EQ(level->utrudnienie1Odblokowane, 0);
      }
    }
    clearByPlaying(*level);
  }
  EXPECT_TRUE(hammer && rocks && ice && forced);
}

}  // namespace
