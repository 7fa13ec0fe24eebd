#include "game/flight.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/numbers.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/text.h"
#include "game/level.h"

namespace {


constexpr float kStandardRate = 0.02f;
constexpr float kStandard1Rate = 0.02f;
constexpr float kStandard2Accel = 0.003f;
constexpr float kStandard2MaxRate = 0.1f;
constexpr float kSpotRate = 0.03f;
constexpr float kDeckOutRate = 0.01f;
constexpr float kSwordRate = 0.02f;
constexpr float kSwellRate = 0.015f;
constexpr float kPickSword2Rate = 0.03f;
constexpr float kSwordToCardRate = 0.03f;
constexpr float kFlyOutRate = 0.03f;
constexpr float kSlowMotion = 0.02f;
constexpr float kSwell = 0.1f;
constexpr float kFadeRate = 0.05f;
constexpr float kCardHolderSoundAt = 0.85f;
constexpr float kArcLift = 50;  // the deck and sword curves bow upwards by this much
constexpr float kSwordTurn = 360;  // a sword going back turns once on its way
// Summing a rate like 0.02 in float lands a hair below 1; without this a 50-step
// flight would need a 51st step.
constexpr float kEndSnap = 1e-4f;
// The hammer's fly-out: a small hop that swells, a fall that shrinks, then away.
constexpr float kFlyOutStepOneShare = 0.15f;  // of the whole way
constexpr float kFlyOutStepTwoShare = 0.25f;  // of what is left after step one
constexpr float kFlyOutSwell = 0.3f;


bool sameKind(const std::string& a, const char* b) { return str::upper(a) == b; }

TLevel* currentLevel() {
  const TFlightLinks& links = flightLinks();
  return links.level ? links.level() : nullptr;
}

void playSound(const std::string& name) {
  if (flightLinks().playSound) flightLinks().playSound(name);
}

// A new flight in the lists; the level comes from the card, else the game screen.
FlightPtr makeFlight(const std::string& kind, float fromX, float fromY, float toX, float toY,
                     int delay, bool toSpot, TLevel* level) {
  auto flight = std::make_shared<TFlyingCard>();
  flight->typ = kind;
  flight->x1 = fromX;
  flight->y1 = fromY;
  flight->x2 = toX;
  flight->y2 = toY;
  flight->startTime = millisecs() + static_cast<unsigned int>(std::max(0, delay));
  flight->level = level ? level : currentLevel();
  flights().push_back(flight);
  if (toSpot) spotFlights().push_back(flight);
  return flight;
}

// A table card has one flight at a time: a newer flight replaces an older one.
void takeCard(TFlyingCard& flight, const CardPtr& card) {
  if (card->flyingCard && card->flyingCard.get() != &flight) {
    TFlyingCard* old = card->flyingCard.get();
    old->landed = true;
    flights().remove_if([&](const FlightPtr& f) { return f.get() == old; });
    spotFlights().remove_if([&](const FlightPtr& f) { return f.get() == old; });
  }
  flight.card = card;
  card->flyingCard = flight.shared_from_this();
}

void archControl(TFlyingCard& flight) {
  flight.mx = flight.x1 + (flight.x2 - flight.x1) / 2;
  flight.my = flight.y1 - kArcLift;
}

void straightControl(TFlyingCard& flight) {
  flight.mx = flight.x1 + (flight.x2 - flight.x1) / 2;
  flight.my = flight.y1 + (flight.y2 - flight.y1) / 2;
}

// The next leg of a chained kind starts where the last one ended.
void nextLeg(TFlyingCard& flight, const char* kind, float toX, float toY) {
  flight.typ = kind;
  flight.p = 0;
  flight.koniec = 0;
  flight.x1 = flight.x;
  flight.y1 = flight.y;
  flight.x2 = toX;
  flight.y2 = toY;
}

void removeFromLists(const TFlyingCard* flight) {
  flights().remove_if([&](const FlightPtr& f) { return f.get() == flight; });
  spotFlights().remove_if([&](const FlightPtr& f) { return f.get() == flight; });
}

}  // namespace

TFlightLinks& flightLinks() {
  static TFlightLinks links;
  return links;
}

FlightList& flights() {
  static FlightList list;
  return list;
}

FlightList& spotFlights() {
  static FlightList list;
  return list;
}

void resetFlightLists() {
  for (const FlightPtr& f : flights()) {
    f->landed = true;
    if (f->card && f->card->flyingCard == f) f->card->flyingCard.reset();
  }
  flights() = FlightList();
  spotFlights() = FlightList();
}

// Flight ---------------------------------------------------------------------------------

bool TFlyingCard::started() const { return millisSince(startTime) >= 0; }

CardDataPtr TFlyingCard::shownKind() const {
  if (card) return card->cd;
  if (kind) return kind;
  if (sword && flightLinks().swordKind) return flightLinks().swordKind(*sword);
  return nullptr;
}

bool TFlyingCard::IamMagicCard() const {
  const CardDataPtr k = shownKind();
  return k && k->isMagic();
}

float TFlyingCard::countXSCaleBYRot(float angle, float ignored) {
  // The card's own flip, so a card looks the same in the air and on the table.
  TCard probe;
  const float scale = probe.countXSCaleBYRot(angle, ignored);
  side = probe.side;
  return scale;
}

void TFlyingCard::countPosition(float t) {
  const float u = sinDeg(90 * t);
  x = x1 + 2 * u * (mx - x1) + u * u * (x1 - 2 * mx + x2);
  y = y1 + 2 * u * (my - y1) + u * u * (y1 - 2 * my + y2);
}

void TFlyingCard::checkDzwiek(float e) {
  if (bylDzwiek || e <= kCardHolderSoundAt) return;
  bylDzwiek = 1;
  playSound("card-holder");
}

float TFlyingCard::advance(float rate) {
  p += rate * frameStep() * allSpeed;
  if (p >= 1 - kEndSnap) {
    p = 1;
    koniec = 1;
  }
  return sinDeg(90 * p);
}

void TFlyingCard::update() {
  allSpeed = (globals().cheats && keyDown(kSlowFlightKey)) ? kSlowMotion : 1;
  if (landed || !started()) return;
  const std::string k = str::upper(typ);

  if (koniec) {
    // The end point has been shown for one frame: land or start the next leg.
    if (k == flightKind::kPickSword1) {
      swordStartRot = swordRot;
      nextLeg(*this, flightKind::kPickSword2, x2, y2);
      straightControl(*this);
    } else if (k == flightKind::kPickSwordFly1) {
      nextLeg(*this, flightKind::kStandard, kFlyOffX, kFlyOffY);
      randomCorner(*this);
      standardSpeed = kStandardRate;
      swordScale = 1;
      swordRot = 0;
    } else if (k == flightKind::kSwordToCard) {
      nextLeg(*this, flightKind::kSwordToCard2, x2, y2);
    } else if (k == flightKind::kFlyOutStepOne) {
      nextLeg(*this, flightKind::kFlyOutStepTwo, x + (outX - x) * kFlyOutStepTwoShare,
              y + (outY - y) * kFlyOutStepTwoShare);
      randomCorner(*this);
    } else if (k == flightKind::kFlyOutStepTwo) {
      nextLeg(*this, flightKind::kStandard, outX, outY);
      randomCorner(*this);
      standardSpeed = kStandardRate;
      sScale = 1;
    } else if (k == flightKind::kPickSword2) {
      landPickSword2();
    } else if (k == flightKind::kDeckToSword) {
      if (!sword || !flightLinks().swordShown || flightLinks().swordShown(*sword)) destroy();
    } else {
      destroy();
    }
    return;
  }

  if (k == flightKind::kStandard) updateStandard();
  else if (k == flightKind::kStandard1) updateStandard1();
  else if (k == flightKind::kStandard2) updateStandard2();
  else if (k == flightKind::kCardToSpot) updateCardToSpot();
  else if (k == flightKind::kFromDeckToSpot) updateDeckToSpot();
  else if (k == flightKind::kFromDeckToOut) updateDeckToOut();
  else if (k == flightKind::kFromSpotToDeck) updateSpotToDeck();
  else if (k == flightKind::kSwordToDeck) updateSwordToDeck();
  else if (k == flightKind::kDeckToSword) updateDeckToSword();
  else if (k == flightKind::kPickSword1) updatePickSword1();
  else if (k == flightKind::kPickSword2) updatePickSword2();
  else if (k == flightKind::kPickSwordFly1) updatePickSwordFly1();
  else if (k == flightKind::kSwordToCard) updateSwordToCard();
  else if (k == flightKind::kSwordToCard2) updateSwordToCard2();
  else if (k == flightKind::kFlyOutStepOne || k == flightKind::kFlyOutStepTwo) updateFlyOut();
  else destroy();  // an unknown kind would hang in the air for ever
}

void TFlyingCard::updateStandard() {
  const float e = advance(standardSpeed);
  sx = countXSCaleBYRot(360 * e + (docelowySide == 0 ? 180.0f : 0.0f));
  rot = 360 * e + e * docelowyRot;
  countPosition(e);
}

void TFlyingCard::updateStandard1() {
  const float e = advance(kStandard1Rate);
  sx = 1;
  side = docelowySide;
  rot = 0;
  countPosition(e);
}

void TFlyingCard::updateStandard2() {
  mySpeed = std::min(kStandard2MaxRate, mySpeed + kStandard2Accel * frameStep());
  advance(mySpeed);
  sx = 1;
  side = docelowySide;
  rot = 0;
  countPosition(p);
}

void TFlyingCard::updateCardToSpot() {
  const float e = advance(kSpotRate);
  sx = countXSCaleBYRot(360 * e);
  rot = 360 * e + e * docelowyRot;
  checkDzwiek(e);
  countPosition(e);
}

void TFlyingCard::updateDeckToSpot() {
  const float e = advance(kSpotRate);
  sx = countXSCaleBYRot(180 * e - 180.0f * static_cast<float>(docelowySide));
  rot = 0;
  countPosition(e);
}

void TFlyingCard::updateDeckToOut() {
  const float e = advance(kDeckOutRate);
  sx = countXSCaleBYRot(180 * e - 180.0f * static_cast<float>(docelowySide));
  rot = 360 * e + e * docelowyRot;
  countPosition(e);
}

void TFlyingCard::updateSpotToDeck() {
  const float e = advance(kSpotRate);
  sx = countXSCaleBYRot(180 * e);
  rot = 0;
  countPosition(e);
}

void TFlyingCard::updateSwordToDeck() {
  const float e = advance(kSwordRate);
  sx = countXSCaleBYRot(360 * e);
  rot = 360 * e + swordStartRot * (1 - e);
  countPosition(e);
}

void TFlyingCard::updateDeckToSword() {
  const float e = advance(kSwordRate);
  sx = countXSCaleBYRot(360 * e);
  rot = e * docelowyRot;
  countPosition(e);
}

void TFlyingCard::updatePickSword1() {
  const float e = advance(kSwellRate);
  x = x1;
  y = y1;
  side = 1;
  swordScale = 1 + kSwell * sinDeg(90 * e);
  if (p > 0.5f) swordRot = 0;
}

void TFlyingCard::updatePickSword2() {
  const float e = advance(kPickSword2Rate);
  side = 1;
  swordRot = swordStartRot + (docelowyRot - swordStartRot) * e;
  swordScale = 1 + kSwell * (1 - e);
  countPosition(e);
}

void TFlyingCard::updatePickSwordFly1() { updatePickSword1(); }

void TFlyingCard::updateSwordToCard() {
  const float e = advance(standardSpeed);
  sx = 1;
  side = 1;
  rot = swordStartRot;
  countPosition(e);
}

void TFlyingCard::updateSwordToCard2() {
  const float e = advance(kSwordToCardRate);
  sx = 1;
  side = 1;
  x = x2;
  y = y2;
  const float own = card ? card->rot : 0;
  rot = swordStartRot + (own - swordStartRot) * e;
}

void TFlyingCard::updateFlyOut() {
  const float e = advance(kFlyOutRate);
  const bool one = sameKind(typ, flightKind::kFlyOutStepOne);
  sScale = one ? 1 + kFlyOutSwell * e : 1 + kFlyOutSwell * (1 - e);
  sx = 1;
  side = 1;
  rot = 0;
  countPosition(e);
}

void TFlyingCard::landPickSword2() {
  if (!byloPart) {
    byloPart = 1;
    if (card && flightLinks().newSwordForCard) flightLinks().newSwordForCard(*card, docelowyRot);
  }
  alpha -= kFadeRate * frameStep() * allSpeed;
  if (alpha <= 0) {
    alpha = 0;
    destroy();
  }
}

void TFlyingCard::destroy() {
  if (landed) return;
  landed = true;
  const FlightPtr keep = shared_from_this();  // the lists may hold the last reference
  const std::string k = str::upper(typ);
  const CardDataPtr carried = shownKind();

  if (k == flightKind::kFromDeckToSpot && level && kind) {
    level->spot.push_back(kind);
  } else if (k == flightKind::kCardToSpot && carried) {
    if (level && (level->spot.empty() || level->spot.back() != carried))
      level->spot.push_back(carried);
    if (carried->isMagic() && carried->notFound) {
      carried->notFound = 0;
      const TFlightLinks& links = flightLinks();
      if (links.addMagicCard) links.addMagicCard(carried);
      if (links.imgCaption) links.imgCaption("new-magic-card", 512, 384, 3000);
      if (links.checkMagicCardsAwards) links.checkMagicCardsAwards();
      playSound("rocks-uncover");
    }
  } else if (k == flightKind::kSwordToDeck && level && kind) {
    level->spot.push_back(kind);
  } else if (k == flightKind::kSwordToCard2) {
    levelCheck = 1;
  }

  // A table card comes to rest where the flight ends (the spot keeps its kind only).
  if (card && card->flyingCard.get() == this) {
    if (k != flightKind::kCardToSpot && k != flightKind::kPickSword2) {
      card->x = x2;
      card->y = y2;
    }
    card->flyingCard.reset();
  }
  if (levelCheck && level) level->CHECK_Cover(1);
  if (moveToDeck && level && kind) level->deck.push_front(kind);
  removeFromLists(this);
}

// Drawing ---------------------------------------------------------------------------------

void TFlyingCard::drawPicture(float scaleX, float scaleY, float angle) {
  setColor(255, 255, 255);
  setBlend(BLEND_ALPHA);
  setAlpha(alpha);
  setTransform(angle, scaleX, scaleY);
  const CardDataPtr k = shownKind();
  if (side == 1) {
    if (k) k->draw(x, y, 0, 0);  // the hammer halves its own scale
  } else {
    const TCardImages& im = cardImages();
    int back = card ? card->numerRewersu : (level ? level->numerRewersu : 0);
    if (back < 0 || back > 5) back = 0;
    const ImagePtr& picture = (k && k->isMagic()) ? im.reversGold : im.revers[back];
    if (picture) drawImage(picture, x, y, 0);
    if (card && card->utrudnienie3 && im.snow) drawImage(im.snow, x, y, 0);
  }
  setAlpha(1);
  setTransform(0, 1, 1);
}

void TFlyingCard::draw() {
  const std::string k = str::upper(typ);
  if (!started()) {
    if (k != flightKind::kFromDeckToOut) return;
    // Waiting at the deck: its back where it lies.
    const float keepX = x, keepY = y;
    const int keepSide = side;
    x = x1;
    y = y1;
    side = 0;
    drawPicture(1, 1, 0);
    x = keepX;
    y = keepY;
    side = keepSide;
    return;
  }
  if (x == 0 && y == 0) return;
  if (k.rfind("PICK-SWORD", 0) == 0) {
    drawPicture(swordScale, swordScale, swordRot);
  } else if (k == flightKind::kFlyOutStepOne || k == flightKind::kFlyOutStepTwo) {
    drawPicture(sScale, sScale, rot);
  } else {
    drawPicture(sx, 1, rot);
  }
}

// Creators ---------------------------------------------------------------------------------

void randomCorner(TFlyingCard& flight) {
  if (rndInt(0, 1) == 0) {
    flight.mx = flight.x1;
    flight.my = flight.y2;
  } else {
    flight.mx = flight.x2;
    flight.my = flight.y1;
  }
}

void installFlightCardLinks() {
  cardLinks().startFlight = [](TCard& card, const std::string& kind, float fromX, float fromY,
                               float toX, float toY, int delay, bool levelCheck) {
    startCardFlight(card, kind, fromX, fromY, toX, toY, delay, levelCheck);
  };
}

FlightPtr startCardFlight(TCard& card, const std::string& kind, float fromX, float fromY,
                          float toX, float toY, int delay, bool levelCheck) {
  const std::string k = str::upper(kind);
  const bool flyOut = k == flightKind::kFlyOutStepOne;
  float legX = toX, legY = toY;
  if (flyOut) {
    // Step one covers only the first share of the way; the rest follows leg by leg.
    legX = fromX + (toX - fromX) * kFlyOutStepOneShare;
    legY = fromY + (toY - fromY) * kFlyOutStepOneShare;
  }
  FlightPtr flight = makeFlight(k, fromX, fromY, legX, legY, delay, false, card.myLevel);
  flight->outX = toX;
  flight->outY = toY;
  takeCard(*flight, card.shared_from_this());
  randomCorner(*flight);
  flight->standardSpeed = kStandardRate;
  flight->docelowySide = card.side;
  flight->side = card.side;
  flight->docelowyRot = card.rot;
  flight->levelCheck = levelCheck ? 1 : 0;
  return flight;
}

FlightPtr flyCardToSpot(const CardPtr& card, float toX, float toY) {
  if (!card) return nullptr;
  // Off the table the moment it leaves, so it can be neither clicked nor drawn twice.
  if (card->myLevel) card->myLevel->removeCard(*card);
  FlightPtr flight =
      makeFlight(flightKind::kCardToSpot, card->x, card->y, toX, toY, 0, true, card->myLevel);
  takeCard(*flight, card);
  randomCorner(*flight);
  flight->docelowySide = 1;
  flight->side = 1;
  return flight;
}

FlightPtr flyDeckKindToSpot(const CardDataPtr& kind, float fromX, float fromY, float toX,
                            float toY) {
  FlightPtr flight = makeFlight(flightKind::kFromDeckToSpot, fromX, fromY, toX, toY, 0, true, nullptr);
  flight->kind = kind;
  archControl(*flight);
  flight->docelowySide = 1;
  return flight;
}

FlightPtr flyDeckKindOut(const CardDataPtr& kind, float fromX, float fromY, float toX, float toY,
                         int delay) {
  FlightPtr flight =
      makeFlight(flightKind::kFromDeckToOut, fromX, fromY, toX, toY, delay, false, nullptr);
  flight->kind = kind;
  archControl(*flight);
  flight->docelowySide = 1;
  return flight;
}

FlightPtr flySpotKindToDeck(const CardDataPtr& kind, float fromX, float fromY, float toX,
                            float toY) {
  FlightPtr flight =
      makeFlight(flightKind::kFromSpotToDeck, fromX, fromY, toX, toY, 0, false, nullptr);
  flight->kind = kind;
  archControl(*flight);
  flight->side = 1;
  flight->docelowySide = 0;
  flight->moveToDeck = 1;
  return flight;
}

FlightPtr flySwordKindToSpot(const CardDataPtr& swordCardKind, float fromX, float fromY,
                             float toX, float toY, float startRot) {
  // A spot flight, so the sword's rank is the top card from the moment it leaves.
  FlightPtr flight = makeFlight(flightKind::kSwordToDeck, fromX, fromY, toX, toY, 0, true, nullptr);
  flight->kind = swordCardKind;
  archControl(*flight);
  flight->swordStartRot = startRot;
  flight->rot = startRot;
  flight->side = 1;
  flight->docelowySide = 1;
  cardHintPulse().value = 0;
  cardHintPulse().target = 0;
  return flight;
}

FlightPtr flySwordBack(const SwordPtr& sword, float fromX, float fromY) {
  TSwordPlace place;
  if (sword && flightLinks().returnSword) place = flightLinks().returnSword(*sword);
  FlightPtr flight =
      makeFlight(flightKind::kDeckToSword, fromX, fromY, place.x, place.y, 0, false, nullptr);
  flight->sword = sword;
  archControl(*flight);
  flight->side = 1;
  flight->docelowySide = 1;
  flight->docelowyRot = place.rot + kSwordTurn;
  return flight;
}

FlightPtr flyPickSword(const CardPtr& card, float toX, float toY, float toRot) {
  if (!card) return nullptr;
  FlightPtr flight =
      makeFlight(flightKind::kPickSword1, card->x, card->y, toX, toY, 0, false, card->myLevel);
  takeCard(*flight, card);
  flight->side = 1;
  flight->docelowySide = 1;
  flight->swordRot = card->rot;
  flight->docelowyRot = toRot;
  playSound("spec-card-find");
  return flight;
}

FlightPtr flyPickOwnedSword(const CardPtr& card) {
  if (!card) return nullptr;
  FlightPtr flight = makeFlight(flightKind::kPickSwordFly1, card->x, card->y, kFlyOffX, kFlyOffY,
                                0, false, card->myLevel);
  takeCard(*flight, card);
  flight->side = 1;
  flight->docelowySide = 1;
  flight->swordRot = card->rot;
  return flight;
}

FlightPtr flySwordToCard(const CardPtr& card, const SwordDataPtr& swordKind, float fromX,
                         float fromY, float toX, float toY, float startRot) {
  if (!card) return nullptr;
  FlightPtr flight =
      makeFlight(flightKind::kSwordToCard, fromX, fromY, toX, toY, 0, false, card->myLevel);
  takeCard(*flight, card);
  archControl(*flight);
  flight->swordPom = swordKind;
  flight->standardSpeed = kSwordToCardRate;
  flight->swordStartRot = startRot;
  flight->rot = startRot;
  flight->side = 1;
  flight->docelowySide = 1;
  return flight;
}

// Lists ---------------------------------------------------------------------------------

bool isFlyingToSpot(const TCard& card) {
  return std::any_of(spotFlights().begin(), spotFlights().end(),
                     [&](const FlightPtr& f) { return f->card.get() == &card; });
}

CardDataPtr spotFlightTopKind() {
  if (spotFlights().empty()) return nullptr;
  const TFlyingCard& last = *spotFlights().back();
  if (last.card) return last.card->cd;
  return last.kind;
}

void updateFlights() {
  // A landing flight leaves the list; walk a copy.
  const std::vector<FlightPtr> all(flights().begin(), flights().end());
  for (const FlightPtr& f : all)
    if (!f->landed) f->update();
}

void drawFlights() {
  const std::vector<FlightPtr> all(flights().begin(), flights().end());
  for (const FlightPtr& f : all) f->draw();
}
