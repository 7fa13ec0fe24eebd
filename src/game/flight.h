#pragma once
// Card flights. Every movement of a card in the card game is a TFlyingCard: a table
// card, a card kind or a sword travels from a start point to an end point along a
// quadratic Bezier curve while it flips, turns and scales; when it lands it applies its
// effect (a kind joins the spot or the deck, a table card comes to rest, a sword joins
// the profile). Flights live in the flight list; flights that carry a card to the spot
// are also in the spot flight list, so the top card counts them before they land.
//
// A flight of a table card owns the card in the air: the card's flyingCard points at
// the flight until it lands, which keeps the table from drawing or offering it.
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "game/card.h"
#include "game/card_data.h"

class TLevel;
class TSword;      // an owned sword (swords are built elsewhere)
class TSwordData;  // a sword kind

using SwordPtr = std::shared_ptr<TSword>;
using SwordDataPtr = std::shared_ptr<TSwordData>;

class TFlyingCard;
using FlightPtr = std::shared_ptr<TFlyingCard>;
using FlightList = std::list<FlightPtr>;

// Flight kinds (compared upper-cased).
namespace flightKind {
inline constexpr const char* kStandard = "STANDARD";
inline constexpr const char* kStandard1 = "STANDARD1";
inline constexpr const char* kStandard2 = "STANDARD2";
inline constexpr const char* kCardToSpot = "CARD-TO-SPOT";
inline constexpr const char* kFromDeckToSpot = "FROM-DECK-TO-SPOT";
inline constexpr const char* kFromDeckToOut = "FROM-DECK-TO-OUT";
inline constexpr const char* kFromSpotToDeck = "FROM-SPOT-TO-DECK";
inline constexpr const char* kSwordToDeck = "SWORD-TO-DECK";
inline constexpr const char* kDeckToSword = "DECK-TO-SWORD";
inline constexpr const char* kPickSword1 = "PICK-SWORD1";
inline constexpr const char* kPickSword2 = "PICK-SWORD2";
inline constexpr const char* kPickSwordFly1 = "PICK-SWORD-FLY-1";
inline constexpr const char* kSwordToCard = "SWORD-TO-CARD";
inline constexpr const char* kSwordToCard2 = "SWORD-TO-CARD2";
inline constexpr const char* kFlyOutStepOne = "FLY-OUT-STEP-ONE";
inline constexpr const char* kFlyOutStepTwo = "FLY-OUT-STEP-TWO";
}  // namespace flightKind

// Where a card flies off the table when nobody wants it (flyOut, an owned sword).
constexpr float kFlyOffX = 1200, kFlyOffY = 500;
// Key code of the developer slow-motion key (N).
constexpr int kSlowFlightKey = 78;

// A sword's place on the profile's arc.
struct TSwordPlace {
  float x = 0;
  float y = 0;
  float rot = 0;
};

// What flights need from parts built around them. An empty entry does nothing (a
// question answers "none"), so flights work on their own in tests.
struct TFlightLinks {
  // Game screen: the level being played (spot, deck, covering pass). Null: none.
  std::function<TLevel*()> level;
  // Sound manager: playMySound(name).
  std::function<void(const std::string& name)> playSound;
  // Captions: createImgCaption(picture name, x, y, milliseconds).
  std::function<void(const std::string& name, float x, float y, int ms)> imgCaption;
  // Profile: addMagicCard(kind), a magic card found by a play.
  std::function<void(const CardDataPtr& kind)> addMagicCard;
  // Game screen: checkMagicCardsAwards.
  std::function<void()> checkMagicCardsAwards;
  // Swords: the card kind of a sword (its sd->cd).
  std::function<CardDataPtr(const TSword& sword)> swordKind;
  // Swords / profile: gives the sword back to the profile (sorted and laid out again,
  // alpha and its target 0, offset 130) and answers its place on the arc.
  std::function<TSwordPlace(TSword& sword)> returnSword;
  // Swords: whether the given-back sword shows again (its update reports done).
  std::function<bool(TSword& sword)> swordShown;
  // Swords / profile: a picked-up sword card landed: newSwordForCard with rotation rot,
  // its particles, alpha target 1, added to the profile unless held and laid out again.
  std::function<void(TCard& card, float rot)> newSwordForCard;
};

// The one set of links all flights use.
TFlightLinks& flightLinks();

// Every flight in the air, in update and drawing order.
FlightList& flights();
// The flights heading to the spot, oldest first; a subset of flights().
FlightList& spotFlights();
// Makes both lists new (a level's deal starts). Cards still in the air are released.
void resetFlightLists();

class TFlyingCard : public std::enable_shared_from_this<TFlyingCard> {
 public:
  // What flies: exactly one of the three is set.
  CardPtr card;       // a table card
  CardDataPtr kind;   // a card kind (deck, spot, a sword's card kind)
  SwordPtr sword;     // a sword going back to the profile
  float p = 0;        // progress 0..1
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float mx = 0, my = 0;  // control point
  float x = 0, y = 0;    // current position; (0, 0) is not drawn
  int side = 0;          // 1 face shown, 0 back
  int docelowySide = 0;  // side shown at the end
  float sx = 1;          // horizontal flip scale
  SwordDataPtr swordPom;  // sword kind carried back to a card (undo)
  float swordScale = 1;
  float swordRot = 0, swordStartRot = 0;
  float rot = 0, docelowyRot = 0;
  std::string typ = flightKind::kStandard;
  unsigned int startTime = 0;  // millisecond clock reading; compared wrap-safe
  float alpha = 1;
  int levelCheck = 0;  // on landing: the level's covering pass in initial mode
  int moveToDeck = 0;  // on landing: the kind goes to the front of the deck
  int koniec = 0;      // the end point has been shown for one frame
  float sScale = 1;
  float standardSpeed = 0.01f;
  int byloPart = 0;
  float allSpeed = 1;
  float mySpeed = 0;
  int bylDzwiek = 0;
  float outX = 0, outY = 0;  // the hammer's final target, reached leg by leg
  TLevel* level = nullptr;  // the level the flight lands on (spot, deck, covering)
  bool landed = false;      // destroy has run

  virtual ~TFlyingCard() = default;

  // One frame: nothing before the start time, then the kind's step.
  virtual void update();
  virtual void draw();
  // The curve at t (eased once more with sin(90 t)); writes x, y.
  virtual void countPosition(float t);
  // The flip scale of the angle (degrees); writes side.
  virtual float countXSCaleBYRot(float angle, float ignored = 0);
  // Whether the carried card's kind is magic.
  virtual bool IamMagicCard() const;
  // The card-holder sound of a flight to the spot, once, past e = 0.85.
  virtual void checkDzwiek(float e);
  // Landing: applies the kind's effect and leaves both lists.
  virtual void destroy();

  // Whether the start time has come.
  bool started() const;
  // The kind the flight shows: a table card's kind, the kind, or a sword's kind.
  CardDataPtr shownKind() const;

 private:
  // p grows by rate; returns e = sin(90 p) and marks the end point.
  float advance(float rate);
  void updateStandard();
  void updateStandard1();
  void updateStandard2();
  void updateCardToSpot();
  void updateDeckToSpot();
  void updateDeckToOut();
  void updateSpotToDeck();
  void updateSwordToDeck();
  void updateDeckToSword();
  void updatePickSword1();
  void updatePickSword2();
  void updatePickSwordFly1();
  void updateSwordToCard();
  void updateSwordToCard2();
  void updateFlyOut();
  void landPickSword2();
  void drawPicture(float scaleX, float scaleY, float angle);
};

// Sets the card links' startFlight to the creator below. Safe to call again.
void installFlightCardLinks();

// Random control point: (x1, y2) or (x2, y1).
void randomCorner(TFlyingCard& flight);

// Creators. Each appends the flight to the flight list (those heading to the spot also
// to the spot flight list) and returns it. delay is in milliseconds from now.

// "STANDARD", "STANDARD1", "STANDARD2" or "FLY-OUT-STEP-ONE" for a table card
// (moveMe, moveMe1, moveMe2, moveMeWithCheck, flyOut, flyOut2). Lands with the card at
// (toX, toY) showing the card's own side and rotation.
FlightPtr startCardFlight(TCard& card, const std::string& kind, float fromX, float fromY,
                          float toX, float toY, int delay, bool levelCheck);
// "CARD-TO-SPOT": a played table card. The card leaves its level's table at once.
FlightPtr flyCardToSpot(const CardPtr& card, float toX, float toY);
// "FROM-DECK-TO-SPOT": a deck kind drawn onto the spot.
FlightPtr flyDeckKindToSpot(const CardDataPtr& kind, float fromX, float fromY, float toX,
                            float toY);
// "FROM-DECK-TO-OUT": a deck kind leaving at the level end; the caller may move the
// control point afterwards.
FlightPtr flyDeckKindOut(const CardDataPtr& kind, float fromX, float fromY, float toX, float toY,
                         int delay);
// "FROM-SPOT-TO-DECK": undo of a deck draw; the kind returns to the front of the deck.
FlightPtr flySpotKindToDeck(const CardDataPtr& kind, float fromX, float fromY, float toX,
                            float toY);
// "SWORD-TO-DECK": a used sword's card kind flies from the sword to the spot.
FlightPtr flySwordKindToSpot(const CardDataPtr& swordCardKind, float fromX, float fromY,
                             float toX, float toY, float startRot);
// "DECK-TO-SWORD": undo of a sword use; the sword is given back and flies to its place.
FlightPtr flySwordBack(const SwordPtr& sword, float fromX, float fromY);
// "PICK-SWORD1": a new sword card swells where it lies, then flies to (toX, toY) and
// takes the angle toRot.
FlightPtr flyPickSword(const CardPtr& card, float toX, float toY, float toRot);
// "PICK-SWORD-FLY-1": an owned sword card swells, then flies off the table.
FlightPtr flyPickOwnedSword(const CardPtr& card);
// "SWORD-TO-CARD": undo of a pick-up; the card flies from the sword's place back to its
// table position and turns back to its own rotation.
FlightPtr flySwordToCard(const CardPtr& card, const SwordDataPtr& swordKind, float fromX,
                         float fromY, float toX, float toY, float startRot);

// Whether the table card is in the spot flight list.
bool isFlyingToSpot(const TCard& card);
// The kind the last spot flight carries (the coming top card); null when none.
CardDataPtr spotFlightTopKind();
// Every flight's update, in list order (flights may land and leave meanwhile).
void updateFlights();
// Every flight's draw, in list order.
void drawFlights();
