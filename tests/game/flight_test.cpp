// Card flights: when and where each kind lands and what its landing does, the eased
// curve, delays on the wrapping millisecond clock, slow motion and the spot flight list.

#include "game/flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/random.h"
#include "game/level.h"
#include "game/table_state.h"

namespace {

CardDataPtr makeKind(int id, int seq) {
  auto kind = std::make_shared<TCardData>();
  kind->id = id;
  kind->seqN = seq;
  return kind;
}

class Flight : public ::testing::Test {
 public:
  void SetUp() override {
    useFakeClock(true);
    setFakeClock(10000);
    setFrameStep(1);
    globals().cheats = 0;
    seedRnd(7);
    cardLinks() = TCardLinks{};
    flightLinks() = TFlightLinks{};
    installLevelCardLinks();
    installFlightCardLinks();
    flightLinks().level = [this] { return &level; };
    flightLinks().playSound = [this](const std::string& name) { sounds.push_back(name); };
    resetFlightLists();
  }
  void TearDown() override {
    resetTableState();
  }

  CardPtr tableCard(int id, float x, float y) {
    auto card = std::make_shared<TCard>();
    card->cd = makeKind(id, id);
    card->x = x;
    card->y = y;
    card->side = 1;
    card->odkryta = 1;
    card->myLevel = &level;
    level.cards.push_back(card);
    return card;
  }

  // Frames until the flight has landed; far more frames than any flight needs bound it.
  static int framesToLand(FlightPtr flight) {
    for (int frame = 1; frame <= 2000; ++frame) {
      updateFlights();
      if (flight->landed) return frame;
    }
    return -1;
  }

  TLevel level;
  std::vector<std::string> sounds;
};

TEST_F(Flight, EveryKindLandsOnTimeWithItsEffect) {
  struct Case {
    const char* name;
    std::function<FlightPtr(Flight&)> start;
    int frames;  // updates until landed, the end frame shown once included
    std::function<void(Flight&, const FlightPtr&)> check;
  };
  const auto kind7 = makeKind(7, 7);
  const Case cases[] = {
      {"STANDARD", [](Flight& t) {
         auto c = t.tableCard(1, 300, 400);
         c->moveMe(-200, 300, 400, 300, 0);
         return c->flyingCard;
       }, 51, [](Flight&, const FlightPtr& f) {
         EXPECT_EQ(f->card->flyingCard, nullptr);
         EXPECT_FLOAT_EQ(f->card->x, 400);
         EXPECT_FLOAT_EQ(f->card->y, 300);
         EXPECT_EQ(f->card->side, 1);
       }},
      {"STANDARD1", [](Flight& t) {
         auto c = t.tableCard(1, 300, 400);
         c->moveMe1(0, -150, 300, 400, 0);
         return c->flyingCard;
       }, 51, [](Flight&, const FlightPtr& f) {
         EXPECT_EQ(f->card->flyingCard, nullptr);
         EXPECT_FLOAT_EQ(f->x, 300);
         EXPECT_FLOAT_EQ(f->y, 400);
       }},
      // Speed grows 0.003 a frame: 0.0015 k (k + 1) reaches 1 at k = 26.
      {"STANDARD2", [](Flight& t) {
         auto c = t.tableCard(1, 300, 400);
         c->moveMe2(0, 0, 300, 400, 0);
         return c->flyingCard;
       }, 27, [](Flight&, const FlightPtr& f) { EXPECT_EQ(f->card->flyingCard, nullptr); }},
      {"CARD-TO-SPOT", [](Flight& t) {
         auto c = t.tableCard(9, 300, 400);
         return flyCardToSpot(c, 600, 600);
       }, 35, [](Flight& t, const FlightPtr& f) {
         ASSERT_EQ(t.level.spot.size(), 1u);
         EXPECT_EQ(t.level.spot.back(), f->card->cd);
         EXPECT_FALSE(t.level.hasCard(*f->card));
         EXPECT_EQ(t.sounds, std::vector<std::string>{"card-holder"});
       }},
      {"FROM-DECK-TO-SPOT", [kind7](Flight&) { return flyDeckKindToSpot(kind7, 460, 685, 600, 600); },
       35, [kind7](Flight& t, const FlightPtr& f) {
         EXPECT_EQ(t.level.spot, CardDataList{kind7});
         EXPECT_EQ(f->side, 1);
       }},
      {"FROM-SPOT-TO-DECK", [kind7](Flight& t) {
         t.level.deck.push_back(makeKind(3, 3));
         return flySpotKindToDeck(kind7, 600, 600, 460, 685);
       }, 35, [kind7](Flight& t, const FlightPtr& f) {
         EXPECT_EQ(t.level.deck.front(), kind7);
         EXPECT_EQ(t.level.deck.size(), 2u);
         EXPECT_EQ(f->side, 0);
       }},
      {"FROM-DECK-TO-OUT", [kind7](Flight&) { return flyDeckKindOut(kind7, 460, 685, 700, -200, 0); },
       101, [](Flight& t, const FlightPtr&) { EXPECT_TRUE(t.level.spot.empty()); }},
      {"SWORD-TO-DECK", [](Flight&) { return flySwordKindToSpot(makeKind(205, 5), 800, 500, 600, 600, 30); },
       51, [](Flight& t, const FlightPtr& f) {
         ASSERT_EQ(t.level.spot.size(), 1u);
         EXPECT_EQ(t.level.spot.back()->id, 205);
         EXPECT_FLOAT_EQ(f->rot, 360);
       }},
      // Swells for 67 frames, turns to the next leg, flies 34, fades 20.
      {"PICK-SWORD1", [](Flight& t) {
         auto c = t.tableCard(206, 300, 400);
         c->rot = 12;
         return flyPickSword(c, 850, 650, 40);
       }, 67 + 1 + 34 + 20, [](Flight&, const FlightPtr& f) {
         EXPECT_EQ(f->typ, "PICK-SWORD2");
         EXPECT_FLOAT_EQ(f->x, 850);
         EXPECT_FLOAT_EQ(f->y, 650);
         EXPECT_FLOAT_EQ(f->swordRot, 40);
         EXPECT_EQ(f->card->flyingCard, nullptr);
       }},
      {"PICK-SWORD-FLY-1", [](Flight& t) { return flyPickOwnedSword(t.tableCard(206, 300, 400)); },
       67 + 1 + 51, [](Flight&, const FlightPtr& f) {
         EXPECT_EQ(f->typ, "STANDARD");
         EXPECT_FLOAT_EQ(f->card->x, kFlyOffX);
         EXPECT_FLOAT_EQ(f->card->y, kFlyOffY);
       }},
      {"SWORD-TO-CARD", [](Flight& t) {
         auto c = t.tableCard(206, 300, 400);
         c->rot = 8;
         return flySwordToCard(c, nullptr, 850, 650, 300, 400, 60);
       }, 34 + 1 + 35, [](Flight&, const FlightPtr& f) {
         EXPECT_EQ(f->typ, "SWORD-TO-CARD2");
         EXPECT_FLOAT_EQ(f->rot, 8);
         EXPECT_EQ(f->levelCheck, 1);
         EXPECT_FLOAT_EQ(f->card->x, 300);
       }},
      // Two legs of 34 frames with a turn between, then a STANDARD flight away.
      {"FLY-OUT-STEP-ONE", [](Flight& t) {
         auto c = t.tableCard(105, 300, 400);
         c->flyOut2();
         return c->flyingCard;
       }, 34 + 1 + 34 + 1 + 51, [](Flight& t, const FlightPtr& f) {
         EXPECT_EQ(f->typ, "STANDARD");
         EXPECT_FLOAT_EQ(f->card->x, 300);
         EXPECT_FLOAT_EQ(f->card->y, 900);
         EXPECT_FALSE(t.level.hasCard(*f->card));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    level.spot.clear();
    level.deck.clear();
    level.cards.clear();
    sounds.clear();
    const FlightPtr flight = c.start(*this);
    ASSERT_NE(flight, nullptr);
    EXPECT_EQ(flight->typ, c.name);
    EXPECT_EQ(framesToLand(flight), c.frames);
    EXPECT_TRUE(flights().empty());
    EXPECT_TRUE(spotFlights().empty());
    c.check(*this, flight);
  }
}

TEST_F(Flight, StandardShowsTheEndPointOnceBeforeLanding) {
  auto card = tableCard(1, 400, 300);
  card->moveMe(-200, 300, 400, 300, 0);
  const FlightPtr f = card->flyingCard;
  f->mx = -200;  // the control point of the documented case
  f->my = 300;
  struct Step {
    int frames;
    float x;
  };
  // x = -200 + 600 u^2 with u = sin(90 sin(90 p)), p = 0.02 per frame.
  const Step steps[] = {{10, -69.39047f}, {15, 281.70996f}, {25, 400}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.frames);
    for (int i = 0; i < s.frames; ++i) updateFlights();
    EXPECT_NEAR(f->x, s.x, 0.01f);
    EXPECT_FLOAT_EQ(f->y, 300);
  }
  EXPECT_EQ(f->koniec, 1);
  EXPECT_FALSE(f->landed);
  updateFlights();
  EXPECT_TRUE(f->landed);
}

TEST_F(Flight, StandardFlipsToTheEndSideAndTurnsOnce) {
  auto card = tableCard(1, 400, 300);
  card->side = 0;
  card->rot = 20;
  card->moveMe(0, 0, 400, 300, 0);
  const FlightPtr f = card->flyingCard;
  for (int i = 0; i < 25; ++i) updateFlights();
  // p = 0.5: e = sin 45, the flip angle 180 + 254.6 lies in the face quarter after 360.
  const float e = std::sin(45 * 3.14159265f / 180);
  EXPECT_NEAR(f->rot, 360 * e + 20 * e, 1e-3f);
  EXPECT_EQ(f->side, 1);
  for (int i = 0; i < 25; ++i) updateFlights();
  EXPECT_EQ(f->side, 0);
  EXPECT_NEAR(f->sx, 1, 1e-5f);
  EXPECT_NEAR(f->rot, 380, 1e-3f);
}

TEST_F(Flight, DelaysCountOnTheWrappingClock) {
  struct Case {
    long long start;
    int delay;
  };
  const Case cases[] = {{10000, 500}, {0xFFFFFF00LL, 600}};  // the second crosses the wrap
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    resetFlightLists();
    setFakeClock(c.start);
    auto card = tableCard(1, 400, 300);
    card->moveMe1(0, 0, 400, 300, c.delay);
    const FlightPtr f = card->flyingCard;
    advanceFakeClock(c.delay - 1);
    updateFlights();
    EXPECT_FLOAT_EQ(f->p, 0);
    EXPECT_FLOAT_EQ(f->x, 0);  // not drawn while waiting
    advanceFakeClock(1);
    updateFlights();
    EXPECT_FLOAT_EQ(f->p, 0.02f);
  }
}

TEST_F(Flight, SlowMotionKeyNeedsTheCheatFlag) {
  struct Case {
    int cheats;
    float p;
  };
  const Case cases[] = {{0, 0.02f}, {1, 0.02f * 0.02f}};
  injectKey(kSlowFlightKey, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cheats);
    globals().cheats = c.cheats;
    auto card = tableCard(1, 400, 300);
    card->moveMe(0, 0, 400, 300, 0);
    updateFlights();
    EXPECT_FLOAT_EQ(card->flyingCard->p, c.p);
    resetFlightLists();
  }
  injectKey(kSlowFlightKey, false);
}

TEST_F(Flight, PlayedCardLeavesTheTableAndCountsAsTopAtOnce) {
  level.spot.push_back(makeKind(3, 3));
  auto card = tableCard(4, 300, 400);
  flyCardToSpot(card, 600, 600);
  EXPECT_FALSE(level.hasCard(*card));
  EXPECT_TRUE(isFlyingToSpot(*card));
  EXPECT_EQ(spotFlightTopKind(), card->cd);
  EXPECT_FALSE(card->update());  // a card in the air is never offered
  // A second flight of the same card replaces the first: it lands once.
  flyCardToSpot(card, 600, 600);
  EXPECT_EQ(spotFlights().size(), 1u);
  framesToLand(card->flyingCard);
  EXPECT_EQ(level.spot.size(), 2u);
  EXPECT_FALSE(isFlyingToSpot(*card));
  EXPECT_EQ(spotFlightTopKind(), nullptr);
}

TEST_F(Flight, NewMagicCardIsFoundOnlyOnce) {
  std::vector<int> added;
  std::vector<std::string> captions;
  flightLinks().addMagicCard = [&](const CardDataPtr& k) { added.push_back(k->id); };
  flightLinks().imgCaption = [&](const std::string& n, float, float, int) { captions.push_back(n); };
  const CardDataPtr magic = makeKind(305, 5);
  for (int play = 0; play < 2; ++play) {
    SCOPED_TRACE(play);
    auto card = tableCard(1, 300, 400);
    card->cd = magic;
    framesToLand(flyCardToSpot(card, 600, 600));
  }
  EXPECT_EQ(magic->notFound, 0);
  EXPECT_EQ(added, std::vector<int>{305});
  EXPECT_EQ(captions, std::vector<std::string>{"new-magic-card"});
}

TEST_F(Flight, SwordGoesBackAndLandsOnlyWhenShown) {
  bool shown = false;
  flightLinks().returnSword = [](TSword&) { return TSwordPlace{880, 640, 25}; };
  flightLinks().swordShown = [&](TSword&) { return shown; };
  const SwordPtr sword = std::make_shared<TSword>();
  const FlightPtr f = flySwordBack(sword, 600, 600);
  for (int i = 0; i < 60; ++i) updateFlights();
  EXPECT_FALSE(f->landed);
  EXPECT_FLOAT_EQ(f->x, 880);
  EXPECT_FLOAT_EQ(f->y, 640);
  EXPECT_FLOAT_EQ(f->rot, 385);
  shown = true;
  updateFlights();
  EXPECT_TRUE(f->landed);
}

TEST_F(Flight, PickedSwordIsCreatedOnceAtItsAngle) {
  std::vector<float> created;
  flightLinks().newSwordForCard = [&](TCard&, float rot) { created.push_back(rot); };
  const FlightPtr f = flyPickSword(tableCard(206, 300, 400), 850, 650, 40);
  framesToLand(f);
  EXPECT_EQ(created, std::vector<float>{40});
  EXPECT_EQ(sounds, std::vector<std::string>{"spec-card-find"});
}

TEST_F(Flight, ResetReleasesCardsInTheAir) {
  auto card = tableCard(1, 300, 400);
  card->moveMe(0, 0, 300, 400, 1000);
  resetFlightLists();
  EXPECT_TRUE(flights().empty());
  EXPECT_EQ(card->flyingCard, nullptr);
}

}  // namespace
