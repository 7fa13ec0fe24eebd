#pragma once
// Swords: wild cards that stay with the player from level to level, one per rank. The
// sword catalogue ("data/swords.dat") names a sword kind for each sword card kind; an
// owned sword (TSword) lies on an elliptical arc at the lower right of the table, glides
// to its place, lifts when hovered and slides out when used.
//
// Owned swords are kept by TOwnedSwords, sorted by rank. Until player profiles exist the
// game uses one in-memory instance (ownedSwords()); the profile will own that list and
// ownedSwords() will hand out the current profile's.
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "game/card_data.h"
#include "game/flight.h"

class TMainGame;
class TCard;
class TLevel;

// Sword arc: centre, radii, first angle and the step between neighbours (degrees).
constexpr float kSwordArcX = 920, kSwordArcY = 1034;
constexpr float kSwordArcRX = 694, kSwordArcRY = 294;
constexpr float kSwordFirstAngle = 254, kSwordAngleStep = 1.8f;
// How far a sword in use slides out, and how far a hovered one lifts.
constexpr float kSwordShowOffset = 130, kSwordHoverLift = 20;

using SwordList = std::list<SwordPtr>;
using SwordDataList = std::list<SwordDataPtr>;

// A point on the arc.
struct TSwordPoint {
  float x = 0;
  float y = 0;
};

// One sword kind: its card kind (ids 202..214) and its id (the same number).
class TSwordData {
 public:
  CardDataPtr cd;
  int id = 0;

  virtual ~TSwordData() = default;

  // Resting point of a sword at that angle on the arc; the kind plays no part.
  virtual TSwordPoint getCardPosition(const CardDataPtr& kind, float angle) const;
};

// One owned sword.
class TSword : public std::enable_shared_from_this<TSword> {
 public:
  SwordDataPtr sd;
  float s = 1;
  TSwordPoint dim;
  float overP = 0, dOverP = 0;
  int over = 0;
  float a = 1, da = 1;
  float rot = 180, dRot = 0;
  float dodOdl = 0;
  // Given back by undo and still in the air: it waits pushed out until its flight lands.
  bool returning = false;

  virtual ~TSword() = default;

  virtual void draw();
  // Pixel-exact: the pointer image at the mouse against the sword's card as drawn.
  virtual bool _updateOver();
  virtual void _updateAdy();
  virtual void _updateAlphaSelf();
  virtual void _updateAlpha();
  virtual void _updatePosition();
  virtual void _updateRot();
  virtual void update();

  // The sword's card kind, or null.
  CardDataPtr cardKind() const;
  int seqN() const;
};

// The owned swords, sorted by rank, with their places on the arc.
class TOwnedSwords {
 public:
  SwordList swords;

  // Sorts by rank (stable, so equal ranks keep their order).
  void sortSwords();
  // Sets every sword's target angle from its place in the sorted list.
  void countSwordsPosition();
  // The same, and every sword jumps to its angle and position at once.
  void countSwordsPosition2();
  bool haveSwordBySeq(int seq) const;
  SwordPtr getMySwordBySeqN(int seq) const;
  // The angle a sword of this card kind would take if it were added now.
  float getSwordRotTemporary(const CardDataPtr& kind) const;
  // The pushed-out place of an owned sword: position, and its drawing angle; (0, 0, 0)
  // when it is not owned.
  TSwordPlace getSwordDim(const TSword& sword) const;
  // Appends the sword unless it is held already, then sorts and lays out.
  void add(const SwordPtr& sword);
  void remove(const SwordPtr& sword);
  // Takes out the first sword whose card kind has that id.
  void removeByCardId(int cardId);
  // The sword kinds of the ranks 2..14 that no owned sword has.
  SwordDataList getPotencialWildCards() const;
};

// The owned swords of the player (the in-memory stand-in for the profile's list).
TOwnedSwords& ownedSwords();

// Catalogue ----------------------------------------------------------------------------

SwordDataList& swordCatalogue();
// Reads "data/swords.dat" behind the content root, replacing the catalogue.
void loadSwordCatalogue();
// The same from the given record file. Ids outside 202..214 and kinds missing from the
// card catalogue are reported on stderr and skipped.
void loadSwordCatalogueFrom(const std::string& path);
SwordDataPtr getSwordDataById(int id);
SwordDataPtr getSwordDataBySeq(int seq);
// The sword kind of a sword card kind, or null.
SwordDataPtr getSwordDataForCard(const CardDataPtr& kind);
// A new sword of that kind id at the start of the arc; null when there is no such kind.
SwordPtr newSword(int id);
// A new sword for a sword card kind, aimed at the angle it will take once added; null
// (and a notice) when the catalogue has no kind for it.
SwordPtr newSwordForCard(const CardDataPtr& kind);

// Play ---------------------------------------------------------------------------------

// What swords need from effects built elsewhere; empty entries do nothing.
struct TSwordLinks {
  // Particles: one particle of the preset at (x, y) after delay milliseconds.
  std::function<void(const std::string& preset, float x, float y, int delay)> particle;
  // Notices: a non-fatal message (the error notice).
  std::function<void(const std::string& message)> notice;
};
TSwordLinks& swordLinks();

// The game screen's sword state: the sword under the mouse and the one being used.
struct TSwordPlay {
  SwordPtr overSword;
  SwordPtr clickedSword;
  int driveBeforeUse = 0;  // undo gives back the drive as it was before the sword
  const TLevel* level = nullptr;  // the level this state belongs to
};
TSwordPlay& swordPlay();

// Every frame in "NORMAL": hover, update, a click uses the hovered sword.
void updateSwords(TMainGame& game);
// A new level drops the previous level's sword state: a sword caught sliding out or
// flying back shows again at its place.
void resetSwordPlay(const TLevel* level);
// The newsletter's gift: up to three random swords the player lacks.
void add3WildCards();
// Draws the owned swords in list order.
void drawSwords();
// The sword starts its slide out; its card goes to the spot once fully out.
void useSword(TMainGame& game, const SwordPtr& sword);
// The sword in use has slid fully out: its card kind flies to the spot.
void _update_clickedSword(TMainGame& game);
// A sword card new to the player: it flies to its future place on the arc.
void pickUpSword(TMainGame& game, TCard& card);

// Flight landings and undo (installed into the flight links).
// A picked-up sword card has reached the arc turned by flightRot.
void landPickedSword(TCard& card, float flightRot);
// Undo of a use: the sword rejoins the arc, pushed out and hidden; answers its place.
TSwordPlace returnSword(TSword& sword);
// The given-back sword's flight landed; true once it shows.
bool swordShown(TSword& sword);
