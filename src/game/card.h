#pragma once
// Cards on the table. TCard is one card lying on the table: where it lies, how it
// is turned and scaled, whether it is face up and playable, the obstacles on it
// (rocks, ice, snow) and the small animations that make it flip, glow when hovered,
// flash red when refused, pulse as a hint and shine as a magic card. Its kind comes
// from the card catalogue (card_data.h).
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "game/card_data.h"

class TCard;
class TLevel;
class TFlyingCard;
class TResource;

using CardPtr = std::shared_ptr<TCard>;
using CardList = std::list<CardPtr>;

// What a card needs from the parts built around it: the game screen, the level, the
// profile, flights, undo, sound, particles and captions. Each part fills its own
// entries when it is wired in; until then an empty entry does nothing and a question
// answers false, so a card works on its own (tests, the level editor).
struct TCardLinks {
  // Game screen: checkSequence(getFirstCard(), kind) -- may this kind go onto the spot.
  std::function<bool(const TCardData& kind)> playable;
  // Game screen: pickSword(card), a sword card was turned face up.
  std::function<void(TCard& card)> pickSword;
  // Game screen: its runesOfTarnwick flag (hints shown without the profile's hint level).
  std::function<bool()> runesOfTarnwick;
  // Current profile: its hintLevel.
  std::function<bool()> hintLevel;
  // Level: whether the card's level still keeps its rocks locked (utrudnienie1Odblokowane = 0).
  std::function<bool(const TCard& card)> rocksLocked;
  // Level: the water line (x); cards right of it keep their snow. Empty: no water line.
  std::function<float()> waterLine;
  // Level: utrudnienie1Odblokowane = 1 on the card's level.
  std::function<void(TCard& card)> unlockRocks;
  // Level: the covering pass CHECK_Cover(initial) of the card's level.
  std::function<void(TCard& card, int initial)> checkCover;
  // Level / game screen: removes the card from its level's table cards.
  std::function<void(TCard& card)> removeFromLevel;
  // Flights: starts a flight of the named kind ("STANDARD", "STANDARD1", "STANDARD2",
  // "FLY-OUT-STEP-ONE") carrying the card; levelCheck is moveMeWithCheck's flag.
  std::function<void(TCard& card, const std::string& kind, float fromX, float fromY, float toX,
                     float toY, int delay, bool levelCheck)>
      startFlight;
  // Undo: replaces the undo event list by an empty one.
  std::function<void()> clearUndo;
  // Sound manager: playMySound(name).
  std::function<void(const std::string& name)> playSound;
  // Particles: one particle of the preset ("waterParticle", "rockParticle",
  // "snowParticle", "comboParticle") at (x, y); twoSided for the second rock/snow burst.
  std::function<void(const std::string& preset, float x, float y, int delay, bool twoSided)>
      particle;
  // Captions: createImgCaption(picture name, x, y, milliseconds).
  std::function<void(const std::string& name, float x, float y, int ms)> imgCaption;
};

// The one set of links all cards use.
TCardLinks& cardLinks();

// The hint pulse all hinted cards share: rises and falls between 0 and 1.
struct TCardHintPulse {
  float value = 0;
  float target = 0;
};
TCardHintPulse& cardHintPulse();

// Resets the collision layers, writes a's outline and tells whether b's outline overlaps it.
bool cardsOverlap(TCard& a, TCard& b);

// Cards are held by shared pointers (the level's list, flights); a card that removes
// itself from its level mid-update keeps itself alive until the update returns.
class TCard : public std::enable_shared_from_this<TCard> {
 public:
  float x = 0, y = 0;  // centre; a card at (0, 0) is not drawn
  float sx = 1, sy = 1;  // flip scale
  float alpha = 1;
  float scale = 1;
  float rot = 0;  // degrees
  int side = 0;   // 1 face shown, 0 back shown
  int forceSide = 0;
  float overA = 0, dOverA = 0;  // hover glow and its target
  float negA = 0;               // refused red flash
  float p = 0;                  // flip progress 0..1
  float moa = 0, dMoa = 0;      // magic outline cross-fade and its target
  int hint = 0;
  float waterFrame = 0;  // ice cell 0..8
  std::string state;     // "", "SHOW", "SHOW-FORCE"
  int odkryta = 0;       // uncovered: face up and playable
  int utrudnienie1 = 0;  // rocks
  int utrudnienie2 = 0;  // ice
  int utrudnienie3 = 0;  // snow
  std::shared_ptr<TFlyingCard> flyingCard;
  TLevel* myLevel = nullptr;  // the level holds its cards, so the card only points back
  std::shared_ptr<TResource> res;
  CardDataPtr cd;
  int numerRewersu = 0;  // card back 0..5
  float specFrameAlpha[9] = {};  // alpha of each rock cell

  virtual ~TCard() = default;

  // Flip scale for the angle (degrees); writes side. The second argument is unused.
  virtual float countXSCaleBYRot(float angle, float ignored = 0);
  virtual void drawRewers();
  // True when the profile's hint level is on.
  virtual bool hinted();
  virtual void _drawOverNormal();
  virtual void _drawOver();
  virtual void _drawNeg();
  virtual void _drawHint();
  virtual void _drawMagicOutline();
  virtual void draw();
  virtual void drawSnowStuff();
  virtual void drawRockStuff();
  virtual void drawRockStuff_EDITOR();
  // Pixel-exact: the pointer image at the mouse against the card's mask as drawn.
  virtual bool _updateOver();
  virtual void _updateOverAlpha();
  virtual void _updateNegativeAlpha();
  virtual void _updateSideData();
  virtual void _update_STATE_show();
  virtual void _update_STATE_show_force();
  virtual void _updateState();
  // Steps the shared hint pulse; the game screen calls it once per frame.
  static void _updatehint();
  virtual void _updateSpecCard();
  virtual void _updateWaterFrame();
  virtual void _updateMagicOutline();
  // One frame of the card; true when the mouse is over it.
  virtual bool update();
  // The level editor's hover test: no flying or uncovered conditions.
  virtual bool EDITOR_over();
  // The level editor's drawing; hovered marks the editor's hovered card.
  virtual void EDITOR_draw(bool hovered = false);
  virtual void setState(const std::string& name);
  virtual void moveMe(float fromX, float fromY, float toX, float toY, int delay);
  virtual void moveMe1(float fromX, float fromY, float toX, float toY, int delay);
  virtual void moveMe2(float fromX, float fromY, float toX, float toY, int delay);
  virtual void moveMeWithCheck(float fromX, float fromY, float toX, float toY, int delay);
  virtual void generateWaterParticles();
  virtual void generateSnowParticles();
  virtual void generateRockParticles();
  virtual void generateFlyToComboParticles();
  virtual void flyOut();
  virtual void flyOut2();
  virtual void changeToSword();
  virtual void changeToNormal();
  virtual void showUp();
  virtual void showSand();
  // The card's own covering check against the table cards after it (they lie on top);
  // the level's covering pass runs it for every table card in table order. It may
  // remove this card (the hammer, a picked-up sword) from `cards` through the links.
  virtual void CHECK_Cover(CardList& cards, int initial);
  // Writes the card's mask (scale 1, its rotation) into collision layer 1.
  virtual void collide1();
  // Whether the card's mask (scale 1, its rotation) overlaps collision layer 1.
  virtual bool collide2();

 private:
  void drawFace(int iceFlag, int iceFrame) const;
  void drawBack() const;
  bool maskUnderPointer();
  void startFlight(const std::string& kind, float fromX, float fromY, float toX, float toY,
                   int delay, bool levelCheck);
  void burst(const std::string& sound, const std::string& preset);
};
