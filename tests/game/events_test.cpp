// Undo: every recorded move played backwards restores the level exactly (table cards
// with their faces and obstacles, columns, deck, spot, score, drive, multiplier), and
// undo is refused when there is nothing to undo or the game cannot take it now.

#include "game/events.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/random.h"
#include "game/flight.h"
#include "game/level.h"
#include "game/table_state.h"

namespace {

CardDataPtr makeKind(int id, int seq) {
  auto kind = std::make_shared<TCardData>();
  kind->id = id;
  kind->seqN = seq;
  return kind;
}

// Everything undo promises to put back, as one comparable text.
std::string dump(const TLevel& level) {
  std::ostringstream out;
  out << "score " << level.score << " drive " << level.driveN << " multi " << level.driveMN
      << "\ncards";
  for (const CardPtr& c : level.cards)
    out << " [" << c->cd->id << " " << c->x << "," << c->y << " rot " << c->rot << " side "
        << c->side << " odk " << c->odkryta << " obst " << c->utrudnienie1 << c->utrudnienie2
        << c->utrudnienie3 << " '" << c->state << "' fly " << (c->flyingCard != nullptr) << "]";
  out << "\ncolumns";
  for (const CardPtr& c : level.columns) out << " " << c->cd->id;
  out << "\ndeck";
  for (const CardDataPtr& k : level.deck) out << " " << k->id;
  out << "\nspot";
  for (const CardDataPtr& k : level.spot) out << " " << k->id;
  return out.str();
}

class Undo : public ::testing::Test {
 public:
  void SetUp() override {
    useFakeClock(true);
    setFrameStep(1);
    globals().cheats = 0;
    seedRnd(3);
    TPixmap mask(96, 140);
    for (std::size_t i = 0; i < mask.pixels.size(); ++i) mask.pixels[i] = 255;
    cardImages().mask = createImage(std::move(mask), 0);
    midHandleImage(cardImages().mask);
    cardLinks() = TCardLinks{};
    flightLinks() = TFlightLinks{};
    undoLinks() = TUndoLinks{};
    installLevelCardLinks();
    installFlightCardLinks();
    installUndoCardLinks();
    pomWaterX() = 0;
    flightLinks().level = [this] { return &level; };
    undoLinks().level = [this] { return &level; };
    resetFlightLists();
    clearUndoEvents();

    // A snowed card under a free one, a free column card beside them.
    under = addCard(1, 300, 400);
    under->utrudnienie3 = 1;
    top = addCard(2, 320, 420);
    side = addCard(5, 700, 400);
    level.init_COLUMNS();
    level.CHECK_Cover(1);
    level.deck = {makeKind(3, 3), makeKind(4, 4)};
    level.spot = {makeKind(6, 6)};
    level.score = 12;
    level.driveN = 4;
    level.driveMN = 1.5f;
  }
  void TearDown() override {
    resetFlightLists();
    clearUndoEvents();
    cardImages().mask.reset();
    resetTableState();
  }

  CardPtr addCard(int id, float x, float y) {
    auto card = std::make_shared<TCard>();
    card->cd = makeKind(id, id);
    card->x = x;
    card->y = y;
    card->myLevel = &level;
    level.cards.push_back(card);
    return card;
  }

  static void landAll() {
    for (int frame = 0; frame < 2000 && !flights().empty(); ++frame) updateFlights();
    ASSERT_TRUE(flights().empty());
  }

  // The moves as the rules make them.
  void playCard(const CardPtr& card) {
    recordCardTaken(card, 600, 600);
    flyCardToSpot(card, 600, 600);
    level.CHECK_Cover(0);
    level.driveN += 1;
    level.score += 3;
  }
  void drawDeck() {
    const CardDataPtr kind = level.deck.front();
    recordDeckDraw(kind, 600, 600, 460, 685);
    level.deck.pop_front();
    flyDeckKindToSpot(kind, 460, 685, 600, 600);
    level.driveN = 0;
  }

  TLevel level;
  CardPtr under, top, side;
  CardPtr swordCard;
};

TEST_F(Undo, EveryMoveIsTakenBackExactly) {
  int swordsGivenBack = 0;
  std::vector<int> swordsRemoved;
  flightLinks().returnSword = [&](TSword&) {
    ++swordsGivenBack;
    return TSwordPlace{880, 640, 20};
  };
  undoLinks().removeSwordByCardId = [&](int id) { swordsRemoved.push_back(id); };
  const SwordPtr sword = std::make_shared<TSword>();

  struct Case {
    const char* name;
    std::function<void(Undo&)> prepare;
    std::function<void(Undo&)> move;
  };
  const auto nothing = [](Undo&) {};
  const Case cases[] = {
      {"KARTA-ZDJETA", nothing, [](Undo& t) { t.playCard(t.top); }},
      {"KARTA-DODANA", nothing, [](Undo& t) { t.drawDeck(); }},
      {"UZYTO-SWORD", nothing, [&](Undo& t) {
         recordSwordUsed(sword, nullptr, 600, 600, 815, 500);
         flySwordKindToSpot(makeKind(209, 9), 815, 500, 600, 600, 10);
         t.level.driveN += 1;
       }},
      {"PICK-UP-SWORD", [](Undo& t) {
         t.swordCard = t.addCard(206, 500, 200);
         t.swordCard->side = 1;
         t.swordCard->odkryta = 1;
       }, [](Undo& t) {
         t.level.removeCard(*t.swordCard);
         t.level.CHECK_Cover(0);
         recordSwordPicked(t.swordCard, nullptr, 880, 640);
         flyPickSword(t.swordCard, 880, 640, 20);
         t.level.score += 1;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.prepare(*this);
    const std::string before = dump(level);
    c.move(*this);
    landAll();
    ASSERT_EQ(undoEvents().size(), 1u);
    EXPECT_EQ(undoEvents().back()->typ, c.name);
    EXPECT_NE(dump(level), before);
    EXPECT_TRUE(undoLastEvent());
    landAll();
    EXPECT_EQ(dump(level), before);
    EXPECT_TRUE(undoEvents().empty());
    if (swordCard) level.removeCard(*swordCard);
  }
  EXPECT_EQ(swordsGivenBack, 1);
  EXPECT_EQ(swordsRemoved, std::vector<int>{206});
}

TEST_F(Undo, PlayedCardComesBackUnderItsCoverAndBreaksNoObstacle) {
  ASSERT_EQ(under->side, 0);
  playCard(top);
  landAll();
  // Uncovering flipped the snowed card up and broke its snow.
  for (int i = 0; i < 40; ++i) under->update();
  EXPECT_EQ(under->utrudnienie3, 0);
  EXPECT_EQ(under->odkryta, 1);
  ASSERT_TRUE(undoLastEvent());
  // On the table again at once, in its place, not offered while in the air.
  EXPECT_EQ(level.cards, (CardList{under, top, side}));
  EXPECT_NE(top->flyingCard, nullptr);
  EXPECT_EQ(under->odkryta, 0);
  landAll();
  EXPECT_EQ(under->utrudnienie3, 1);
  EXPECT_EQ(under->side, 0);
  EXPECT_EQ(top->odkryta, 1);
}

TEST_F(Undo, ScoreIsTruncatedAndComboMarkerFollowsDrive) {
  struct Case {
    float score;
    int drive;
    int wantScore;
    float wantMarker;
  };
  const Case cases[] = {{12.75f, 5, 12, 0}, {40.5f, 7, 40, 1}, {3, 6, 3, 1}};
  float marker = -1;
  undoLinks().setComboMarker = [&](float m) { marker = m; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drive);
    level.score = c.score;
    level.driveN = c.drive;
    level.driveMN = 2.5f;
    drawDeck();
    landAll();
    level.driveMN = 3;
    ASSERT_TRUE(undoLastEvent());
    landAll();
    EXPECT_FLOAT_EQ(level.score, static_cast<float>(c.wantScore));
    EXPECT_EQ(level.driveN, c.drive);
    EXPECT_FLOAT_EQ(level.driveMN, 2.5f);
    EXPECT_FLOAT_EQ(marker, c.wantMarker);
  }
}

TEST_F(Undo, RefusedWhenNothingToUndoOrNotNow) {
  bool allowed = true;
  undoLinks().mayUndo = [&] { return allowed; };
  EXPECT_FALSE(undoLastEvent());

  playCard(top);
  // The played card is still in the air.
  EXPECT_FALSE(undoLastEvent());
  landAll();
  allowed = false;
  EXPECT_FALSE(undoLastEvent());
  EXPECT_EQ(undoEvents().size(), 1u);
  allowed = true;
  EXPECT_TRUE(undoLastEvent());
  EXPECT_TRUE(undoEvents().empty());
}

TEST_F(Undo, AnUndoIsSpentOnlyWhenSomethingWasUndone) {
  struct Case {
    int undos;
    bool recorded;
    bool undone;
    int undosAfter;
  };
  const Case cases[] = {{0, true, false, 0}, {1, false, false, 1}, {2, true, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.undos);
    clearUndoEvents();
    if (c.recorded) {
      drawDeck();
      landAll();
    }
    int undos = c.undos;
    EXPECT_EQ(useUndo(undos), c.undone);
    EXPECT_EQ(undos, c.undosAfter);
    landAll();
  }
}

TEST_F(Undo, FindingTheHammerForgetsEarlierMoves) {
  playCard(top);
  landAll();
  const CardPtr hammer = addCard(105, 100, 100);
  hammer->flyOut2();
  EXPECT_TRUE(undoEvents().empty());
  landAll();
  EXPECT_FALSE(undoLastEvent());
}

TEST_F(Undo, NewMagicCardIsLostAgain) {
  std::vector<int> removed;
  undoLinks().hasMagicCard = [](const CardDataPtr&) { return true; };
  undoLinks().removeMagicCard = [&](const CardDataPtr& k) { removed.push_back(k->id); };
  top->cd = makeKind(302, 2);
  top->cd->newMagicCard = 1;
  playCard(top);
  landAll();
  ASSERT_EQ(top->cd->notFound, 0);
  ASSERT_TRUE(undoLastEvent());
  landAll();
  EXPECT_EQ(top->cd->notFound, 1);
  EXPECT_EQ(removed, std::vector<int>{302});
}

}  // namespace
