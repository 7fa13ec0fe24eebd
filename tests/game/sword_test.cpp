// Swords: the catalogue, a hand that plays a sword as a wild card, undoing it, hovering on
// the arc and picking up a sword card from the table.

#include "game/sword.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/random.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "game/sword_wiring.h"
#include "gui/mouse.h"
#include "game/table_state.h"
#include "support/harness.h"

namespace {

// Ids 1..13 are the ranks 2..A of one suit; 202..214 their swords.
int idOfRank(int seq) { return seq - 1; }

ImagePtr solid(int w, int h) {
  TPixmap pm(w, h);
  for (unsigned char& byte : pm.pixels) byte = 255;
  ImagePtr img = createImage(std::move(pm), 0);
  midHandleImage(img);
  return img;
}

void addKind(int id, int seq, const ImagePtr& img) {
  auto kind = std::make_shared<TCardData>();
  kind->id = id;
  kind->seqN = seq;
  kind->img = img;
  addToCardCatalogue(kind);
}

std::string swordsFile(const std::vector<int>& ids) {
  std::string text = "swords {\n\ti = " + std::to_string(ids.size()) + "\n";
  for (std::size_t i = 0; i < ids.size(); ++i)
    text += "\tsword" + std::to_string(i + 1) + " {\n\t\tid = " + std::to_string(ids[i]) + "\n\t}\n";
  return text + "}\n";
}

class SwordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    clearCardCatalogue();
    const ImagePtr face = solid(96, 140);
    for (int seq = 2; seq <= 14; ++seq) {
      addKind(idOfRank(seq), seq, face);
      addKind(kSwordIdOffset + seq, seq, face);
    }
    cardImages() = TCardImages{};
    cardImages().mask = face;
    globals().pointerImage = solid(1, 1);
    globals().pointerImage->handle_x = globals().pointerImage->handle_y = 0;
    resetLinks();
    folder = harness::makeTempFolder("swords");
    std::vector<int> all;
    for (int id = kFirstSwordId; id <= kLastSwordId; ++id) all.push_back(id);
    harness::writeFile(folder + "/swords.dat", swordsFile(all));
    loadSwordCatalogueFrom(folder + "/swords.dat");
    install();
    seedRnd(77);
    setFrameStep(1);
    setFakeClock(2'000'000);
  }
  void TearDown() override {
    game.level.reset();
    resetLinks();
    swordCatalogue().clear();
    clearCardCatalogue();
    cardImages() = TCardImages{};
    globals().pointerImage = nullptr;
  }
  void install() {
    installSwordsResourcesAndMagic(game);
    mainGameHooks().playSound = [this](const std::string& name) { sounds.push_back(name); };
  }
  void resetLinks() { resetTableState(); }

  // Single cards far apart (ids above 100 are taken as they are), the spot's rank.
  void deal(const std::vector<int>& table, int spotRank) {
    LevelPtr level = newEmptyLevel();
    level->cards.clear();
    level->columns.clear();
    level->deck.clear();
    for (std::size_t i = 0; i < table.size(); ++i) {
      auto card = std::make_shared<TCard>();
      card->cd = getCardDataById(table[i] > 100 ? table[i] : idOfRank(table[i]));
      card->x = 80 + 160 * static_cast<float>(i);
      card->y = 150;
      card->myLevel = level.get();
      level->cards.push_back(card);
    }
    level->spot.push_back(getCardDataById(idOfRank(spotRank)));
    game.setLevel(level);
    game.setState("NORMAL");
    cards.assign(level->cards.begin(), level->cards.end());
  }

  SwordPtr own(int seq) {
    SwordPtr sword = newSword(kSwordIdOffset + seq);
    ownedSwords().add(sword);
    ownedSwords().countSwordsPosition2();
    return sword;
  }

  void frame() {
    advanceFakeClock(16);
    game.updatePlay();
  }
  // Plays frames until nothing moves: no flight, no sword sliding out, no token.
  void settle() {
    for (int i = 0; i < 1000; ++i) {
      if (flights().empty() && !swordPlay().clickedSword && resourcesInPlay().empty()) return;
      frame();
    }
    FAIL() << "still moving after 1000 frames";
  }
  void clickAt(const TSwordPoint& at) {
    mouse.x = static_cast<int>(at.x);
    mouse.y = static_cast<int>(at.y);
    mouse.leftPressed = 1;
    frame();
    mouse.leftPressed = 0;
  }

  TMainGame game;
  TMouse mouse;
  std::string folder;
  std::vector<CardPtr> cards;
  std::vector<std::string> sounds;
};

TEST_F(SwordTest, CatalogueKeepsOnlySwordCardIds) {
  harness::writeFile(folder + "/mixed.dat", swordsFile({202, 201, 214, 215, 105, 0, 300, 209}));
  testing::internal::CaptureStderr();
  loadSwordCatalogueFrom(folder + "/mixed.dat");
  const std::string errors = testing::internal::GetCapturedStderr();
  std::vector<int> ids;
  for (const SwordDataPtr& kind : swordCatalogue()) {
    ids.push_back(kind->id);
    ASSERT_TRUE(kind->cd);
    EXPECT_EQ(kind->cd->id, kind->id);
  }
  EXPECT_EQ(ids, (std::vector<int>{202, 214, 209}));
  for (const char* rejected : {"id 201", "id 215", "id 105", "id 0", "id 300"}) {
    SCOPED_TRACE(rejected);
    EXPECT_NE(errors.find(rejected), std::string::npos) << errors;
  }
  EXPECT_EQ(getSwordDataBySeq(9)->id, 209);
  EXPECT_EQ(getSwordDataBySeq(5), nullptr);
  EXPECT_EQ(newSword(205), nullptr);

  loadSwordCatalogueFrom(folder + "/missing.dat");
  EXPECT_TRUE(swordCatalogue().empty());
}

TEST_F(SwordTest, SwordIsAWildCardThatContinuesTheDrive) {
  struct Case {
    int spot, first, sword, next;
  } const cases[] = {
      {13, 12, 2, 3},   // a two onto a queen
      {14, 2, 7, 8},    // a seven onto a two
      {5, 6, 10, 9},    // play goes on downwards
      {9, 8, 14, 2},    // the ace sword links to a two
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("spot " + std::to_string(c.spot) + ", sword " + std::to_string(c.sword));
    resetLinks();
    install();
    deal({c.first, c.next}, c.spot);
    const SwordPtr sword = own(c.sword);
    ASSERT_FALSE(game.isPlayable(*cards[1]->cd));

    game.useCard(cards[0]);
    settle();
    ASSERT_EQ(game.level->driveN, 1);
    game.useCard(cards[1]);  // not yet: the top card is `first`
    EXPECT_TRUE(game.level->hasCard(*cards[1]));

    clickAt(sword->dim);
    EXPECT_EQ(swordPlay().clickedSword, sword);
    EXPECT_EQ(game.level->driveN, 2);
    settle();
    EXPECT_TRUE(ownedSwords().swords.empty());
    EXPECT_EQ(game.level->spot.back()->id, kSwordIdOffset + c.sword);
    EXPECT_EQ(undoEvents().back()->typ, eventKind::kUzytoSword);
    EXPECT_EQ(undoEvents().back()->driveN, 1);

    game.useCard(cards[1]);
    EXPECT_FALSE(game.level->hasCard(*cards[1]));
    EXPECT_EQ(game.level->driveN, 3);
    EXPECT_FLOAT_EQ(game.level->score, 6);
  }
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "use-wildcard"), sounds.end());
}

TEST_F(SwordTest, SwordSlidesOutBeforeItsCardFlies) {
  deal({9}, 4);
  const SwordPtr sword = own(6);
  useSword(game, sword);
  // 10 pixels per frame step out to 130: 13 frames, and only then the flight starts.
  for (int i = 1; i <= 12; ++i) {
    frame();
    ASSERT_TRUE(flights().empty()) << "frame " << i;
    EXPECT_FLOAT_EQ(sword->dodOdl, 10.0f * static_cast<float>(i));
  }
  frame();
  EXPECT_EQ(flights().size(), 1u);
  EXPECT_EQ(game.getFirstCard()->seqN, 6);  // the rank counts while the card is in the air
  EXPECT_FALSE(swordPlay().clickedSword);
}

TEST_F(SwordTest, UndoGivesTheSwordBack) {
  deal({5, 9}, 4);
  const SwordPtr low = own(3);
  const SwordPtr used = own(11);
  game.useCard(cards[0]);
  settle();
  useSword(game, used);
  settle();
  ASSERT_EQ(ownedSwords().swords.size(), 1u);
  EXPECT_FLOAT_EQ(low->dRot, kSwordFirstAngle);
  ASSERT_TRUE(undoPossible());

  ASSERT_TRUE(game.undoLast());
  EXPECT_EQ(ownedSwords().swords.size(), 2u);
  EXPECT_EQ(ownedSwords().swords.back(), used);
  EXPECT_EQ(game.level->spot.back()->seqN, 5);
  EXPECT_EQ(game.level->driveN, 1);
  EXPECT_FLOAT_EQ(game.level->score, 3);
  EXPECT_EQ(used->a, 0);
  settle();
  for (int i = 0; i < 40; ++i) frame();
  EXPECT_EQ(used->a, 1);
  EXPECT_EQ(used->dodOdl, 0);
  EXPECT_FLOAT_EQ(used->dRot, kSwordFirstAngle + kSwordAngleStep);
}

TEST_F(SwordTest, HoveredSwordLiftsOutOfTheArc) {
  deal({9}, 4);
  const SwordPtr sword = own(8);
  const TSwordPoint rest = sword->dim;
  EXPECT_EQ(rest.x, std::trunc(kSwordArcX + std::cos(kSwordFirstAngle * 3.14159265f / 180) * kSwordArcRX));
  mouse.x = static_cast<int>(rest.x);
  mouse.y = static_cast<int>(rest.y);
  for (int i = 0; i < 25; ++i) frame();
  EXPECT_EQ(swordPlay().overSword, sword);
  EXPECT_FLOAT_EQ(sword->overP, 1);
  const float rad = kSwordFirstAngle * 3.14159265f / 180;
  EXPECT_EQ(sword->dim.x, std::trunc(kSwordArcX + std::cos(rad) * (kSwordArcRX + kSwordHoverLift)));
  EXPECT_EQ(sword->dim.y, std::trunc(kSwordArcY + std::sin(rad) * (kSwordArcRY + kSwordHoverLift)));

  // Drawn where it stands: the white card face over the black frame.
  drawSwords();
  const TPixmap shot = harness::frame();
  EXPECT_EQ(shot.at(static_cast<int>(sword->dim.x), static_cast<int>(sword->dim.y))[0], 255);
  EXPECT_EQ(shot.at(40, 40)[0], 0);

  mouse.x = 10;
  mouse.y = 10;
  for (int i = 0; i < 25; ++i) frame();
  EXPECT_EQ(swordPlay().overSword, nullptr);
  EXPECT_EQ(sword->dim.x, rest.x);
  EXPECT_EQ(sword->dim.y, rest.y);
}

TEST_F(SwordTest, PickingUpASwordCard) {
  struct Case {
    const char* name;
    bool alreadyOwned;
  } const cases[] = {{"new sword joins the arc", false}, {"owned sword flies off", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetLinks();
    install();
    deal({kSwordIdOffset + 7, 10}, 4);
    own(12);
    if (c.alreadyOwned) own(7);
    const std::size_t before = ownedSwords().swords.size();
    game.useCard(cards[0]);
    EXPECT_FALSE(game.level->hasCard(*cards[0]));
    settle();
    ASSERT_TRUE(ownedSwords().haveSwordBySeq(7));
    if (c.alreadyOwned) {
      EXPECT_EQ(ownedSwords().swords.size(), before);
      EXPECT_TRUE(undoEvents().empty());
      continue;
    }
    ASSERT_EQ(ownedSwords().swords.size(), before + 1);
    // Sorted by rank: the seven stands before the queen.
    EXPECT_EQ(ownedSwords().swords.front()->seqN(), 7);
    EXPECT_FLOAT_EQ(ownedSwords().swords.front()->rot, kSwordFirstAngle);
    ASSERT_EQ(undoEvents().size(), 1u);
    EXPECT_EQ(undoEvents().back()->typ, eventKind::kPickUpSword);

    ASSERT_TRUE(game.undoLast());
    settle();
    EXPECT_FALSE(ownedSwords().haveSwordBySeq(7));
    EXPECT_TRUE(game.level->hasCard(*cards[0]));
  }
}

TEST_F(SwordTest, ArcPlaceOfANewSword) {
  own(4);
  own(10);
  struct Case {
    int seq;
    float angle;
  } const cases[] = {{2, kSwordFirstAngle}, {7, kSwordFirstAngle + kSwordAngleStep},
                     {13, kSwordFirstAngle + 2 * kSwordAngleStep}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seq);
    EXPECT_FLOAT_EQ(ownedSwords().getSwordRotTemporary(getCardDataById(kSwordIdOffset + c.seq)), c.angle);
  }
  const SwordDataList missing = ownedSwords().getPotencialWildCards();
  EXPECT_EQ(missing.size(), 11u);
  for (const SwordDataPtr& kind : missing) EXPECT_TRUE(kind->cd->seqN != 4 && kind->cd->seqN != 10);
}

TEST_F(SwordTest, ShippedCatalogueHasOneSwordPerRank) {
  const std::string root = harness::gameFolder() + "/";
  testing::internal::CaptureStderr();  // pictures may still be missing while content is made
  loadCardCatalogueFrom(root + "data/cards.dat", root);
  testing::internal::GetCapturedStderr();
  testing::internal::CaptureStderr();
  loadSwordCatalogueFrom(root + "data/swords.dat");
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors, "");
  ASSERT_EQ(swordCatalogue().size(), 13u);
  for (int seq = 2; seq <= 14; ++seq) {
    SCOPED_TRACE(seq);
    const SwordDataPtr kind = getSwordDataBySeq(seq);
    ASSERT_TRUE(kind);
    EXPECT_EQ(kind->id, kSwordIdOffset + seq);
  }
}

TEST_F(SwordTest, GiftOfThreeSwordsTakesOnlyMissingRanks) {
  struct Case {
    int owned;
    std::size_t after;
  } const cases[] = {{0, 3}, {11, 13}, {12, 13}, {13, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owned);
    ownedSwords().swords.clear();
    for (int seq = 2; seq < 2 + c.owned; ++seq) ownedSwords().swords.push_back(newSword(kSwordIdOffset + seq));
    add3WildCards();
    EXPECT_EQ(ownedSwords().swords.size(), c.after);
    int previous = 0;
    for (const SwordPtr& sword : ownedSwords().swords) {
      EXPECT_GT(sword->seqN(), previous);  // sorted, no rank twice
      previous = sword->seqN();
    }
  }
}

TEST_F(SwordTest, ANewsletterSignUpDuringPlayGivesThreeSwords) {
  deal({9}, 4);
  ownedSwords().swords.clear();
  int asked = 0;
  mainGameHooks().newsletterCheck = [&] { return ++asked == 2; };  // signs up in the second frame
  game.updatePlay();
  EXPECT_TRUE(ownedSwords().swords.empty());
  game.updatePlay();
  EXPECT_EQ(ownedSwords().swords.size(), 3u);
  game.updatePlay();
  EXPECT_EQ(ownedSwords().swords.size(), 3u) << "one gift per sign-up";
}

TEST_F(SwordTest, NewLevelShowsASwordCaughtMidUse) {
  deal({9}, 4);
  const SwordPtr sword = own(6);
  useSword(game, sword);
  frame();
  ASSERT_EQ(sword->da, 0);
  EXPECT_TRUE(game.swordInUse());
  deal({9}, 4);  // the player left the level while the sword slid out
  frame();
  EXPECT_FALSE(game.swordInUse());
  EXPECT_EQ(sword->da, 1);
  EXPECT_EQ(ownedSwords().swords.size(), 1u);
}

}  // namespace
