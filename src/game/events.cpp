#include "game/events.h"

#include <algorithm>

#include "engine/numbers.h"
#include "engine/text.h"
#include "game/level.h"

namespace {

// A drive longer than this is a combo; the combo marker follows it.
constexpr int kMinLongDrive = 5;

TLevel* currentLevel() {
  const TUndoLinks& links = undoLinks();
  return links.level ? links.level() : nullptr;
}

EventPtr newEvent(const char* kind, TLevel& level) {
  auto event = std::make_shared<TZdarzenie>();
  event->typ = kind;
  event->copyGameData(level);
  event->table.take(level);
  return event;
}

void dropSpotTop(TLevel& level) {
  if (!level.spot.empty()) level.spot.pop_back();
}

}  // namespace

TUndoLinks& undoLinks() {
  static TUndoLinks links;
  return links;
}

EventList& undoEvents() {
  static EventList list;
  return list;
}

void clearUndoEvents() { undoEvents() = EventList(); }

void installUndoCardLinks() { cardLinks().clearUndo = [] { clearUndoEvents(); }; }

// Table snapshot ------------------------------------------------------------------------

void TTableSnapshot::take(const TLevel& level) {
  cards.clear();
  for (const CardPtr& c : level.cards) {
    TTableCardState s;
    s.card = c;
    s.x = c->x;
    s.y = c->y;
    s.sx = c->sx;
    s.p = c->p;
    s.side = c->side;
    s.odkryta = c->odkryta;
    s.utrudnienie1 = c->utrudnienie1;
    s.utrudnienie2 = c->utrudnienie2;
    s.utrudnienie3 = c->utrudnienie3;
    s.state = c->state;
    cards.push_back(s);
  }
  columns.assign(level.columns.begin(), level.columns.end());
  waterX = pomWaterX();
  waterPom = level.waterPom;
  taken = true;
}

bool TTableSnapshot::restore(TLevel& level) const {
  if (!taken) return false;
  level.cards.clear();
  for (const TTableCardState& s : cards) {
    TCard& c = *s.card;
    c.x = s.x;
    c.y = s.y;
    c.sx = s.sx;
    c.p = s.p;
    c.side = s.side;
    c.odkryta = s.odkryta;
    c.utrudnienie1 = s.utrudnienie1;
    c.utrudnienie2 = s.utrudnienie2;
    c.utrudnienie3 = s.utrudnienie3;
    c.state = s.state;
    c.myLevel = &level;
    level.cards.push_back(s.card);
  }
  level.columns.assign(columns.begin(), columns.end());
  pomWaterX() = waterX;
  level.waterPom = waterPom;
  return true;
}

// Event ---------------------------------------------------------------------------------

void TZdarzenie::copyGameData(const TLevel& level) {
  score = truncToInt(level.score);
  driveN = level.driveN;
  driveMN = level.driveMN;
}

void TZdarzenie::sendGameData(TLevel& level) const {
  level.score = static_cast<float>(score);
  level.driveN = driveN;
  level.driveMN = driveMN;
  if (undoLinks().setComboMarker) undoLinks().setComboMarker(driveN > kMinLongDrive ? 1.0f : 0.0f);
}

void TZdarzenie::wykonaj(TLevel& level) {
  const std::string kind = str::upper(typ);
  if (kind == eventKind::kKartaZdjeta)
    wykonaj_kartaZdjeta(level);
  else if (kind == eventKind::kKartaDodana)
    wykonaj_kartaDodana(level);
  else if (kind == eventKind::kUzytoSword)
    wykonaj_uzytoSword(level);
  else if (kind == eventKind::kPickUpSword)
    wykonaj_pickUpSword(level);
  sendGameData(level);
}

void TZdarzenie::wykonaj_kartaZdjeta(TLevel& level) {
  if (!c) return;
  const TUndoLinks& links = undoLinks();
  if (c->cd && c->cd->isMagic() && c->cd->newMagicCard && links.hasMagicCard &&
      links.hasMagicCard(c->cd)) {
    // A magic card found by this play is lost again.
    if (links.removeMagicCard) links.removeMagicCard(c->cd);
    c->cd->notFound = 1;
  }
  // The table as the play found it: the card back in its place, the cards it covered
  // face down again with their obstacles.
  table.restore(level);
  if (!level.hasCard(*c)) {
    c->myLevel = &level;
    level.cards.push_back(c);
  }
  c->moveMeWithCheck(xStart, yStart, xEnd, yEnd, 0);
  dropSpotTop(level);
  if (links.clearEndC) links.clearEndC();
}

void TZdarzenie::wykonaj_kartaDodana(TLevel& level) {
  if (!cd) return;
  flySpotKindToDeck(cd, xStart, yStart, xEnd, yEnd);
  dropSpotTop(level);
}

void TZdarzenie::wykonaj_uzytoSword(TLevel& level) {
  if (sw) flySwordBack(sw, xStart, yStart);
  dropSpotTop(level);
}

void TZdarzenie::wykonaj_pickUpSword(TLevel& level) {
  if (!c) return;
  table.restore(level);
  if (!level.hasCard(*c)) {
    c->myLevel = &level;
    level.cards.push_back(c);
  }
  flySwordToCard(c, sd, xStart, yStart, xEnd, yEnd, 0);
  if (c->cd && undoLinks().removeSwordByCardId) undoLinks().removeSwordByCardId(c->cd->id);
}

// Recording -------------------------------------------------------------------------------

EventPtr recordCardTaken(const CardPtr& card, float spotX, float spotY) {
  TLevel* level = currentLevel();
  if (!level || !card) return nullptr;
  EventPtr event = newEvent(eventKind::kKartaZdjeta, *level);
  event->c = card;
  event->xStart = spotX;
  event->yStart = spotY;
  event->xEnd = card->x;
  event->yEnd = card->y;
  undoEvents().push_back(event);
  return event;
}

EventPtr recordDeckDraw(const CardDataPtr& kind, float spotX, float spotY, float deckX,
                        float deckY) {
  TLevel* level = currentLevel();
  if (!level || !kind) return nullptr;
  EventPtr event = newEvent(eventKind::kKartaDodana, *level);
  event->cd = kind;
  event->xStart = spotX;
  event->yStart = spotY;
  event->xEnd = deckX;
  event->yEnd = deckY;
  undoEvents().push_back(event);
  return event;
}

EventPtr recordSwordUsed(const SwordPtr& sword, const SwordDataPtr& swordKind, float spotX,
                         float spotY, float showX, float showY) {
  TLevel* level = currentLevel();
  if (!level || !sword) return nullptr;
  EventPtr event = newEvent(eventKind::kUzytoSword, *level);
  event->sw = sword;
  event->sd = swordKind;
  event->xStart = spotX;
  event->yStart = spotY;
  event->xEnd = showX;
  event->yEnd = showY;
  undoEvents().push_back(event);
  return event;
}

EventPtr recordSwordPicked(const CardPtr& card, const SwordDataPtr& swordKind, float placeX,
                           float placeY) {
  TLevel* level = currentLevel();
  if (!level || !card) return nullptr;
  EventPtr event = newEvent(eventKind::kPickUpSword, *level);
  event->c = card;
  event->sd = swordKind;
  event->xStart = placeX;
  event->yStart = placeY;
  event->xEnd = card->x;
  event->yEnd = card->y;
  undoEvents().push_back(event);
  return event;
}

// Undo ------------------------------------------------------------------------------------

bool undoPossible() {
  if (undoEvents().empty() || !currentLevel()) return false;
  // A flight still in the air would land on the table, spot or deck that undo puts back.
  if (!flights().empty()) return false;
  const TUndoLinks& links = undoLinks();
  return !links.mayUndo || links.mayUndo();
}

bool undoLastEvent() {
  if (!undoPossible()) return false;
  const EventPtr event = undoEvents().back();
  undoEvents().pop_back();
  event->wykonaj(*currentLevel());
  return true;
}

bool useUndo(int& undos) {
  if (undos <= 0) return false;
  if (!undoLastEvent()) return false;
  --undos;
  return true;
}
