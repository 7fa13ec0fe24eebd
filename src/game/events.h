#pragma once
// Undo. Every move the player can take back is recorded as a game event, TZdarzenie:
// a table card played onto the spot, a deck card drawn onto the spot, a sword used as a
// wild card and a sword card picked up from the table. Events are held newest last;
// undo takes the newest off, plays the move backwards with a flight and puts the
// level's score, drive and multiplier back to what they were before the move.
//
// The table, deck and spot are put back at once (the returning card is on the table
// again the moment its flight starts, the spot's top kind is gone), so the rules see a
// consistent level while the backward flight is in the air.
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "game/card.h"
#include "game/card_data.h"
#include "game/flight.h"

class TLevel;

// Event kinds (compared upper-cased).
namespace eventKind {
inline constexpr const char* kKartaZdjeta = "KARTA-ZDJETA";    // table card played
inline constexpr const char* kKartaDodana = "KARTA-DODANA";    // deck card drawn
inline constexpr const char* kUzytoSword = "UZYTO-SWORD";      // sword used
inline constexpr const char* kPickUpSword = "PICK-UP-SWORD";  // sword card picked up
}  // namespace eventKind

// What undo needs from parts built around it; empty entries do nothing / answer no.
struct TUndoLinks {
  // Game screen: the level being played. Null: nothing to record or restore.
  std::function<TLevel*()> level;
  // Game screen: whether undo may run now ("NORMAL", no sword in use). Empty: yes.
  std::function<bool()> mayUndo;
  // Game screen: its dEndCAlpha (the combo marker follows the restored drive).
  std::function<void(float dEndCAlpha)> setComboMarker;
  // Game screen: endCAlpha = dEndCAlpha = 0 (a played card came back).
  std::function<void()> clearEndC;
  // Profile: whether its magicCards holds the kind, and taking it out.
  std::function<bool(const CardDataPtr& kind)> hasMagicCard;
  std::function<void(const CardDataPtr& kind)> removeMagicCard;
  // Profile: takes out its first sword whose kind's card id is cardId.
  std::function<void(int cardId)> removeSwordByCardId;
};

// The one set of links undo uses.
TUndoLinks& undoLinks();

// The table as a move found it: card order, columns and each card's face, flags and
// obstacles. Uncovering a card flips it and breaks its rocks and snow; undo puts all of
// that back, not only the card that moved.
struct TTableCardState {
  CardPtr card;
  float x = 0, y = 0, sx = 1, p = 0;
  int side = 0, odkryta = 0;
  int utrudnienie1 = 0, utrudnienie2 = 0, utrudnienie3 = 0;
  std::string state;
};
struct TTableSnapshot {
  std::vector<TTableCardState> cards;  // table order
  std::vector<CardPtr> columns;
  float waterX = 0;
  int waterPom = 0;
  bool taken = false;

  void take(const TLevel& level);
  // Puts the level's table back; false when nothing was taken.
  bool restore(TLevel& level) const;
};

class TZdarzenie {
 public:
  std::string typ;
  CardPtr c;        // the table card of the move
  CardDataPtr cd;   // the card kind of the move (deck draws)
  SwordDataPtr sd;  // the sword kind of the move
  SwordPtr sw;      // the sword of the move
  float xStart = 0, yStart = 0;  // where the backward flight starts
  float xEnd = 0, yEnd = 0;      // where it ends
  int score = 0;    // the level's score before the move, truncated
  int driveN = 0;
  float driveMN = 0;
  TTableSnapshot table;  // the table before the move

  virtual ~TZdarzenie() = default;

  // Takes score, drive and multiplier from the level.
  virtual void copyGameData(const TLevel& level);
  // Puts them back, and the combo marker with them.
  virtual void sendGameData(TLevel& level) const;
  // Plays the move backwards by its kind, then sendGameData.
  virtual void wykonaj(TLevel& level);
  virtual void wykonaj_kartaZdjeta(TLevel& level);
  virtual void wykonaj_kartaDodana(TLevel& level);
  virtual void wykonaj_uzytoSword(TLevel& level);
  virtual void wykonaj_pickUpSword(TLevel& level);
};

using EventPtr = std::shared_ptr<TZdarzenie>;
using EventList = std::list<EventPtr>;

// The undo event list, newest last.
EventList& undoEvents();
// Makes the list new (a level starts, the hammer is found).
void clearUndoEvents();
// Sets the card links' clearUndo to clearUndoEvents. Safe to call again.
void installUndoCardLinks();

// Recording, one per kind; each copies the level's results and appends the event.
// Null when there is no level. Call before the move changes the level.
// "KARTA-ZDJETA": back from the spot to the card's table position.
EventPtr recordCardTaken(const CardPtr& card, float spotX, float spotY);
// "KARTA-DODANA": back from the spot to the top of the deck fan.
EventPtr recordDeckDraw(const CardDataPtr& kind, float spotX, float spotY, float deckX,
                        float deckY);
// "UZYTO-SWORD": the sword comes back from the spot (the flight finds its own place).
EventPtr recordSwordUsed(const SwordPtr& sword, const SwordDataPtr& swordKind, float spotX,
                         float spotY, float showX, float showY);
// "PICK-UP-SWORD": back from the sword's place on the arc to the card's table position.
EventPtr recordSwordPicked(const CardPtr& card, const SwordDataPtr& swordKind, float placeX,
                           float placeY);

// Whether an undo may run now: a level, an event, nothing in the air and the game
// screen agrees (mayUndo).
bool undoPossible();
// Takes the newest event off and executes it when undoPossible(); true when it did.
// The developer key Z uses it directly.
bool undoLastEvent();
// The undo button: with undos left, undoes the newest event and spends one undo only
// when something was undone. True when something was undone.
bool useUndo(int& undos);
