// The rules of play on a small table built in the test: the sequence rule, a scripted
// hand through a combo, the multiplier, the deck, clicks that must do nothing, and undo.

#include "game/main_game.h"

#include <gtest/gtest.h>

#include "engine/input.h"

#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "game/events.h"
#include "game/flight.h"
#include "gui/mouse.h"
#include "game/table_state.h"
#include "support/harness.h"

namespace {

// Ids 1..13 are the ranks 2..A of one suit; 301.. their magic twins; 202..214 swords.
int idOfRank(int seq) { return seq - 1; }

void addKind(int id, int seq) {
  auto kind = std::make_shared<TCardData>();
  kind->id = id;
  kind->seqN = seq;
  kind->nazwa = std::to_string(seq);
  addToCardCatalogue(kind);
}

ImagePtr solid(int w, int h) {
  TPixmap pm(w, h);
  for (std::size_t i = 0; i < pm.pixels.size(); ++i) pm.pixels[i] = 255;
  ImagePtr img = createImage(std::move(pm), 0);
  midHandleImage(img);
  return img;
}

struct Coin {
  float x, y;
  int amount;
};

class MainGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    clearCardCatalogue();
    for (int seq = 2; seq <= 14; ++seq) {
      addKind(idOfRank(seq), seq);
      addKind(kSwordIdOffset + seq, seq);
      addKind(kMagicIdOffset + idOfRank(seq), seq);
    }
    cardImages() = TCardImages{};
    cardImages().mask = solid(96, 140);
    globals().pointerImage = solid(1, 1);
    globals().pointerImage->handle_x = globals().pointerImage->handle_y = 0;
    resetTableState();
    mainGameHooks().flyCoin = [this](float x, float y, int amount) { coins.push_back({x, y, amount}); };
    mainGameHooks().imgCaption = [this](const std::string& name, float, float, int) {
      captions.push_back(name);
    };
    mainGameHooks().playSound = [this](const std::string& name) { sounds.push_back(name); };
    seedRnd(4321);
    setFrameStep(1);
    setFakeClock(1'000'000);
  }
  void TearDown() override {
    game.level.reset();
    resetTableState();
    cardImages() = TCardImages{};
    clearCardCatalogue();
    globals().pointerImage = nullptr;
  }

  // A table of single cards far apart (none covers another), the spot's top rank and
  // the deck's ranks, handed to the game and brought to play.
  void deal(const std::vector<int>& tableRanks, int spotRank, const std::vector<int>& deckRanks) {
    LevelPtr level = newEmptyLevel();
    level->deck.clear();
    level->cards.clear();
    level->columns.clear();
    for (std::size_t i = 0; i < tableRanks.size(); ++i) {
      auto card = std::make_shared<TCard>();
      card->cd = getCardDataById(tableRanks[i] > 100 ? tableRanks[i] : idOfRank(tableRanks[i]));
      card->x = 80 + 160 * static_cast<float>(i % 6);
      card->y = 100 + 180 * static_cast<float>(i / 6);
      card->myLevel = level.get();
      level->cards.push_back(card);
    }
    for (int r : deckRanks) level->deck.push_back(getCardDataById(idOfRank(r)));
    if (spotRank) level->spot.push_back(getCardDataById(idOfRank(spotRank)));
    game.setLevel(level);
    game.setState("NORMAL");
    cards.assign(level->cards.begin(), level->cards.end());
  }

  // Lets every flight land.
  void settle() {
    for (int i = 0; i < 400 && !flights().empty(); ++i) {
      advanceFakeClock(16);
      game.updatePlay();
    }
  }

  int count(const std::vector<std::string>& list, const std::string& name) const {
    int n = 0;
    for (const std::string& s : list) n += s == name;
    return n;
  }

  TMainGame game;
  TMouse mouse;
  std::vector<CardPtr> cards;
  std::vector<Coin> coins;
  std::vector<std::string> captions, sounds;
};

// A cyclic neighbour on the ring 2, 3, ..., K, A, 2.
bool ringNeighbours(int a, int b) {
  const int d = ((a - b) % 13 + 13) % 13;
  return d == 1 || d == 12;
}

TEST(RulesSequence, EveryRankPairFollowsTheRing) {
  for (int a = 2; a <= 14; ++a)
    for (int b = 2; b <= 14; ++b) {
      SCOPED_TRACE(std::to_string(a) + " on " + std::to_string(b));
      EXPECT_EQ(TMainGame::checkSequence(a, b), ringNeighbours(a, b));
      EXPECT_EQ(TMainGame::checkSequence(a, b), TMainGame::checkSequence(b, a));
    }
}

TEST(RulesSequence, NamedCases) {
  struct Case {
    int top, card;
    bool ok;
  } const cases[] = {{2, 3, true},   {2, 14, true},  {14, 13, true}, {14, 2, true},
                     {13, 12, true}, {13, 14, true}, {7, 7, false},  {7, 9, false},
                     {2, 13, false}, {14, 12, false}, {3, 14, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.card) + " on " + std::to_string(c.top));
    EXPECT_EQ(TMainGame::checkSequence(c.card, c.top), c.ok);
  }
}

TEST_F(MainGameTest, ScriptedHandScoresThenPaysCoinsInTheCombo) {
  // 2 on the spot; 3 .. 9 on the table, one magic 6 among them.
  deal({3, 4, 5, kMagicIdOffset + idOfRank(6), 7, 8, 9}, 2, {11, 12});
  struct Step {
    float score;
    int drive;
    std::size_t coins;
    bool marker;
  } const steps[] = {
      {3, 1, 0, false},  {6, 2, 0, false},  {9, 3, 0, false}, {15, 4, 0, false},
      {18, 5, 0, false}, {18, 6, 1, true},  {18, 7, 2, true},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("play " + std::to_string(i + 1));
    game.useCard(cards[i]);  // each card is played before the one before it has landed
    EXPECT_FLOAT_EQ(game.level->score, steps[i].score);
    EXPECT_EQ(game.level->driveN, steps[i].drive);
    EXPECT_EQ(coins.size(), steps[i].coins);
    EXPECT_EQ(game.dEndCAlpha, steps[i].marker ? 1.0f : 0.0f);
    EXPECT_FALSE(game.level->hasCard(*cards[i]));
  }
  EXPECT_EQ(coins[0].amount, 10);
  EXPECT_EQ(coins[0].x, 843);
  EXPECT_EQ(coins[0].y, 81);
  EXPECT_EQ(count(captions, "combo"), 1);
  EXPECT_EQ(count(sounds, "combo-start"), 1);
  EXPECT_EQ(game.level->longestDrive, 7);
  EXPECT_EQ(game.level->newRecord, 1);
  EXPECT_EQ(game.getFirstCard()->seqN, 9);
  settle();
  EXPECT_EQ(game.level->spot.size(), 8u);
  EXPECT_EQ(game.level->spot.back()->seqN, 9);

  // Drawing ends the drive; the trail (no particles wired) raises the multiplier at once.
  game.addDeckCard();
  EXPECT_EQ(game.level->driveN, 0);
  EXPECT_EQ(game.remDriveN, 7);
  EXPECT_FLOAT_EQ(game.level->driveMN, 1.2f);
  EXPECT_EQ(game.getFirstCard()->seqN, 11);
}

TEST_F(MainGameTest, MultiplierRisesByTheDriveAndJumpsToItsMaximum) {
  struct Case {
    float start;
    int drive;
    bool max7;
    float expected;
    bool maxCaption;
  } const cases[] = {
      {1, 5, false, 1, false},   {1, 6, false, 1.1f, false}, {1, 7, false, 1.2f, false},
      {1, 15, false, 2, false},  {1, 25, false, 3, false},  {1.5f, 25, false, 5, true}, {2.9f, 7, false, 5, true},
      {2.9f, 7, true, 7, true},  {5, 6, false, 5, false},    {1, 40, true, 7, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " + drive " + std::to_string(c.drive));
    deal({9}, 2, {});
    mainGameHooks().haveItem = [&](const std::string& item) { return c.max7 && item == "MAX-MULTI-7"; };
    captions.clear();
    game.level->driveMN = c.start;
    game.raiseMultiplier(c.drive);
    EXPECT_FLOAT_EQ(game.level->driveMN, c.expected);
    const bool shown = count(captions, "5x-multiplier") + count(captions, "7x-multiplier") > 0;
    EXPECT_EQ(shown, c.maxCaption);
    EXPECT_EQ(game.state, c.maxCaption ? "WAIT-FOR-CAPTION1" : "NORMAL");
  }
}

TEST_F(MainGameTest, DrawingFromTheDeckFollowsTheTimingRules) {
  deal({9, 9}, 2, {5, 6});
  // The deck area: 50 px in, 25 px down from the holder.
  mouse.x = static_cast<int>(game.level->deckHolderX) + 80;
  mouse.y = static_cast<int>(game.level->deckHolderY) + 60;
  auto click = [&] {
    mouse.leftPressed = 1;
    game._update_deckOver();
    mouse.leftPressed = 0;
  };
  click();
  EXPECT_EQ(game.deckOver, 1);
  EXPECT_EQ(game.getFirstCard()->seqN, 5);
  click();  // too soon after the last accepted click
  EXPECT_EQ(game.level->deck.size(), 1u);
  advanceFakeClock(501);
  // A combo marker makes the card wait until it has faded: 10 frames.
  game.dEndCAlpha = game.endCAlpha = 1;
  click();
  EXPECT_EQ(game.level->deck.size(), 1u);
  for (int frame = 1; frame <= 10; ++frame) {
    SCOPED_TRACE(frame);
    game._updateGUI();
    EXPECT_EQ(game.level->deck.size(), frame < 10 ? 1u : 0u);
  }
  EXPECT_EQ(game.getFirstCard()->seqN, 6);
}

TEST_F(MainGameTest, EmptyDeckCashesTheComboThenOffersTheEndOfTheHand) {
  deal({9, 10}, 2, {});
  game.level->driveN = 7;
  mouse.x = static_cast<int>(game.level->deckHolderX) + 80;
  mouse.y = static_cast<int>(game.level->deckHolderY) + 60;
  mouse.leftPressed = 1;
  game._update_deckOver();
  EXPECT_EQ(game.level->driveN, 0);
  EXPECT_FLOAT_EQ(game.level->driveMN, 1.2f);
  EXPECT_EQ(game.state, "NORMAL");
  // Until the end-hand button has faded in, a draw does nothing.
  game.addDeckCard();
  EXPECT_EQ(game.state, "NORMAL");
  for (int i = 0; i < 20; ++i) game._updateUndo();
  EXPECT_EQ(game.endHandA, 1);
  game.addDeckCard();
  EXPECT_EQ(game.state, "CAPTION");  // two cards left
  EXPECT_EQ(count(captions, "2-cards"), 1);
  EXPECT_EQ(game.levelTotal(), truncToInt((0 + 150) * 1.2f));
}

TEST_F(MainGameTest, ClicksThatMustNotPlay) {
  struct Case {
    const char* what;
    bool covered, faceDown;
    int rank;
    bool flashes;
  } const cases[] = {
      {"covered card", true, false, 3, false},
      {"face-down card", false, true, 3, false},
      {"uncovered card of the wrong rank", false, false, 7, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    deal({c.rank}, 2, {5});
    CardPtr target = cards[0];
    if (c.covered) {
      // A second card right on top of it.
      auto top = std::make_shared<TCard>();
      top->cd = getCardDataById(idOfRank(9));
      top->x = target->x + 30;
      top->y = target->y + 40;
      top->myLevel = game.level.get();
      game.level->cards.push_back(top);
      game.level->CHECK_Cover(1);
      ASSERT_EQ(target->odkryta, 0);
    }
    if (c.faceDown) target->side = target->odkryta = 0;
    mouse.x = static_cast<int>(target->x) - 30;
    mouse.y = static_cast<int>(target->y) - 50;
    mouse.leftPressed = 1;
    sounds.clear();
    game._update_cardOver();
    EXPECT_TRUE(game.level->hasCard(*target));
    EXPECT_FLOAT_EQ(game.level->score, 0);
    EXPECT_EQ(game.level->driveN, 0);
    EXPECT_EQ(game.getFirstCard()->seqN, 2);
    EXPECT_TRUE(flights().empty());
    EXPECT_TRUE(undoEvents().empty());
    EXPECT_EQ(target->negA, c.flashes ? 1.0f : 0.0f);
    EXPECT_EQ(count(sounds, "bad"), c.flashes ? 1 : 0);
    EXPECT_EQ(game.over == target, !c.covered && !c.faceDown);
    EXPECT_EQ(target->dOverA, 0);  // nothing here may glow
  }
}

TEST_F(MainGameTest, HoveredPlayableCardGlowsAndAClickPlaysIt) {
  deal({3, 9}, 2, {});
  mouse.x = static_cast<int>(cards[0]->x);
  mouse.y = static_cast<int>(cards[0]->y);
  game._update_cardOver();
  EXPECT_EQ(game.over, cards[0]);
  EXPECT_EQ(cards[0]->dOverA, 1);
  EXPECT_EQ(game.showedCards.size(), 2u);
  mouse.leftPressed = 1;
  game._update_cardOver();
  EXPECT_FALSE(game.level->hasCard(*cards[0]));
  EXPECT_EQ(game.getFirstCard()->seqN, 3);
}

TEST_F(MainGameTest, UndoAfterAPlayRestoresTheExactState) {
  deal({3, 4, 9}, 2, {6});
  game.level->score = 7.5f;
  game.level->driveN = 5;
  game.level->driveMN = 1.3f;
  game.undos = 1;
  game.useCard(cards[0]);  // the sixth card of a drive: a coin
  EXPECT_EQ(game.level->driveN, 6);
  EXPECT_EQ(game.dEndCAlpha, 1);
  // Not while the card is in the air.
  EXPECT_FALSE(game.undo());
  EXPECT_EQ(game.undos, 1);
  settle();
  ASSERT_EQ(game.level->spot.size(), 2u);
  ASSERT_TRUE(game.undo());
  EXPECT_EQ(game.undos, 0);
  EXPECT_FLOAT_EQ(game.level->score, 7);  // restored as a whole number
  EXPECT_EQ(game.level->driveN, 5);
  EXPECT_FLOAT_EQ(game.level->driveMN, 1.3f);
  EXPECT_EQ(game.dEndCAlpha, 0);
  EXPECT_EQ(game.level->spot.size(), 1u);
  settle();
  EXPECT_TRUE(game.level->hasCard(*cards[0]));
  EXPECT_EQ(cards[0]->odkryta, 1);
  EXPECT_EQ(game.level->cards.size(), 3u);
  // Nothing left to undo and no undos: nothing happens.
  EXPECT_FALSE(game.undo());
  EXPECT_EQ(game.undos, 0);
}

TEST_F(MainGameTest, UndoWaitsForNormalPlayAndSpendsNothingWhenNothingIsUndone) {
  deal({3}, 2, {6});
  game.undos = 2;
  EXPECT_FALSE(game.undo());  // empty list
  EXPECT_EQ(game.undos, 2);
  game.useCard(cards[0]);
  settle();
  game.setState("WAIT-FOR-CAPTION");
  EXPECT_FALSE(game.undo());
  mainGameHooks().swordInUse = [] { return true; };
  game.setState("NORMAL");
  EXPECT_FALSE(game.undo());
  mainGameHooks().swordInUse = nullptr;
  EXPECT_TRUE(game.undo());
  EXPECT_EQ(game.undos, 1);
}

TEST_F(MainGameTest, ClearedTableEndsTheLevelOnceTheLastFlightLands) {
  deal({3}, 2, {6, 7});
  game.useCard(cards[0]);
  game.updatePlay();
  EXPECT_EQ(game.state, "NORMAL");  // the card is still in the air
  settle();
  game.updatePlay();
  EXPECT_EQ(game.state, "PERFECT");
  EXPECT_EQ(game.pomDeckCardsLeft, 2);
  EXPECT_TRUE(game.level->deck.empty());
  EXPECT_EQ(game.levelTotal(), 3 + 500);
}

TEST_F(MainGameTest, CardsLeftBonus) {
  struct Case {
    int left, bonus;
  } const cases[] = {{0, 500}, {1, 250}, {2, 150}, {3, 100}, {4, 50}, {5, 0}, {30, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    EXPECT_EQ(TMainGame::cardsLeftBonus(c.left), c.bonus);
  }
}

}  // namespace

namespace {

// The player's undo keys, until the table has its undo button.
TEST_F(MainGameTest, ControlZAndBackspaceUndo) {
  struct Case {
    const char* name;
    std::vector<int> keys;
  };
  const Case cases[] = {{"Ctrl+Z", {key::LCONTROL, 'Z'}}, {"Backspace", {key::BACKSPACE}}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    deal({3, 9}, 2, {});
    game.undos = 1;
    game.useCard(cards[0]);
    settle();
    ASSERT_FALSE(game.level->hasCard(*cards[0]));
    flushKeys();
    for (int code : k.keys) injectKey(code, true);
    game._controlKEYBOARD();
    for (int code : k.keys) injectKey(code, false);
    pollSystem();
    EXPECT_EQ(game.undos, 0);
    settle();
    EXPECT_TRUE(game.level->hasCard(*cards[0]));
  }
}

}  // namespace

namespace {

// With "SHOW-CARD", resting the pointer on the deck for a second shows the next card.
TEST_F(MainGameTest, ShowCardRevealsTheNextDeckCardAfterASecond) {
  struct Case {
    bool item;
    bool shown;
  };
  for (const Case& k : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(k.item ? "with the item" : "without it");
    mainGameHooks().haveItem = [&](const std::string& item) { return k.item && item == "SHOW-CARD"; };
    deal({3}, 2, {6, 7});
    game.deckCardOver = 0;
    game.deckAlpha = game.dDeckAlpha = 0;
    mouse.x = static_cast<int>(game.level->deckHolderX + 120);
    mouse.y = static_cast<int>(game.level->deckHolderY + 60);
    game._update_deckOver();
    EXPECT_EQ(game.dDeckAlpha, 0) << "not before the wait";
    for (int i = 0; i < 120; ++i) {
      advanceFakeClock(16);
      game._update_deckOver();
    }
    EXPECT_EQ(game.deckAlpha > 0.5f, k.shown);
    EXPECT_EQ(game.level->deck.size(), 2u) << "peeking draws nothing";
  }
}

TEST_F(MainGameTest, TheLevelKeepsItsLongestDriveBesideTheProfilesRecord) {
  struct Case {
    int profileBest;
    int profileAfter;
    int newRecord;
  } const cases[] = {{2, 4, 1}, {10, 10, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.profileBest);
    int best = k.profileBest;
    mainGameHooks().longestDrive = [&] { return best; };
    mainGameHooks().setLongestDrive = [&](int drive) { best = drive; };
    deal({3, 4, 5, 6}, 2, {});
    for (int i = 0; i < 4; ++i) game.useCard(cards[static_cast<size_t>(i)]);
    EXPECT_EQ(best, k.profileAfter);
    EXPECT_EQ(game.level->longestDrive, 4) << "whatever the profile's record";
    EXPECT_EQ(game.level->newRecord, k.newRecord);
    settle();
  }
}

// Flow ---------------------------------------------------------------------------------------

TEST_F(MainGameTest, LevelEndRecordsScorePlusBonusTimesTheMultiplier) {
  struct Case {
    const char* what;
    bool kasa;
    int recorded;
  } const cases[] = {
      {"plain", false, 900},                      // (100 + 500) * 1.5
      {"with the 5 % item", true, 907},           // (100 + 500 + 5) * 1.5
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    resetFlightLists();  // the last case's deck is still flying out
    std::vector<int> recorded;
    mainGameHooks().recordLevel = [&](int total) { recorded.push_back(total); };
    mainGameHooks().haveItem = [&](const std::string& item) { return k.kasa && item == "KASA+5"; };
    deal({}, 2, {6, 7});
    game.level->score = 100;
    game.level->driveMN = 1.5f;
    game.updatePlay();  // an empty table in play ends the level
    EXPECT_EQ(game.state, "PERFECT");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0], k.recorded);
    EXPECT_EQ(game.recordedTotal, k.recorded);
  }
}

TEST_F(MainGameTest, TheLevelEndScreenDecidesTheResult) {
  struct Case {
    const char* screen;
    const char* result;
  } const cases[] = {{"", "GET-NEXT-LEVEL"}, {"LOSE-STAGE", "LOSE-STAGE"}, {"lose-stage", "LOSE-STAGE"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.screen);
    int shown = 0;
    mainGameHooks().levelEndScreen = [&] {
      ++shown;
      return std::string(k.screen);
    };
    deal({3, 9, 9, 9, 9, 9}, 2, {});
    game.END_LEVEL();
    EXPECT_EQ(game.state, "END") << "five cards left: straight to the end";
    game.updatePlay();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(game.wynik, k.result);
    EXPECT_EQ(game.fade, 1);
    EXPECT_EQ(game.dFade, 1);
    EXPECT_EQ(game.fadeToWhite, 1);
    game.updatePlay();
    EXPECT_EQ(shown, 1) << "the level end screen runs once";
  }
}

TEST_F(MainGameTest, TheInGameMenuRestartsLeavesOrPlaysOn) {
  struct Case {
    const char* choice;
    const char* mode;
    const char* result;
    float fade;
    int recorded;  // -1: nothing recorded
    float driveMN;
  } const cases[] = {
      {"restart", "QUEST", "RESTART-LEVEL", 0, -1, 1.4f},
      {"MAIN-MENU", "QUEST", "MAIN-MENU", 1, 42, 1.4f},       // the quest keeps its multiplier
      {"main-menu", "FREE-PLAY", "MAIN-MENU", 1, 42, 1.0f},   // free play drops it
      {"CONTINUE", "QUEST", "", 0, -1, 1.4f},
      {"", "QUEST", "", 0, -1, 1.4f},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.choice) + " in " + k.mode);
    int recorded = -1;
    mainGameHooks().recordLevel = [&](int total) { recorded = total; };
    mainGameHooks().gameMenu = [&] { return std::string(k.choice); };
    levelLinks().tryb = [&] { return std::string(k.mode); };
    deal({3, 9}, 2, {6});
    game.wynik.clear();
    game.fade = game.dFade = 0;
    game.level->score = 42.7f;
    game.level->driveMN = 1.4f;
    game.goMenu();
    EXPECT_EQ(game.wynik, k.result);
    EXPECT_EQ(game.dFade, k.result[0] ? 1 : 0);
    EXPECT_EQ(game.fade, k.fade);
    EXPECT_EQ(recorded, k.recorded);
    EXPECT_FLOAT_EQ(game.level->driveMN, k.driveMN);
  }
}

TEST_F(MainGameTest, ALevelWithNothingToDrawEndsAtOnce) {
  deal({3, 9}, 0, {});
  game.prepare();
  EXPECT_EQ(game.state, "CAPTION") << "two cards left";
  EXPECT_EQ(count(captions, "2-cards"), 1);
}

}  // namespace
