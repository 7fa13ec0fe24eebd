// The rules of play: the sequence rule, choosing and playing table cards, the deck, the
// drive and its combo, points and coins, the multiplier, hints and undo.
#include <algorithm>
#include <cstdlib>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/input.h"
#include "engine/random.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "gui/mouse.h"

namespace {

constexpr int kAce = 14, kTwo = 2;
constexpr int kDeckClickGap = 500;  // ms between two accepted deck clicks
constexpr int kCardPoints = 3, kMagicCardPoints = 6;
constexpr int kCoinAmount = 10;
constexpr float kCoinX = 843, kCoinY = 81;
constexpr float kMultiplierX = 843, kMultiplierY = 80;
constexpr float kMultiplierJump = 3;  // above this the multiplier goes straight to its maximum
constexpr float kCentreX = 512, kCentreY = 384;

int now() { return static_cast<int>(millisecs()); }

// Milliseconds between two 32-bit clock readings, whichever is later.
int gap(int a, int b) {
  return std::abs(static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b)));
}

// Whether clock reading a comes after b (safe across the 32-bit wrap).
bool later(int a, int b) {
  return static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b)) > 0;
}

bool leftPressed() {
  const TMouse* mouse = gMouse();
  return mouse && mouse->leftPressed;
}

void forgetClicks() {
  if (TMouse* mouse = gMouse()) mouse->clear();
}

bool isSwordKind(const CardDataPtr& kind) {
  return kind && kind->id >= kFirstSwordId && kind->id <= kLastSwordId;
}

}  // namespace

TMainGameHooks& mainGameHooks() {
  static TMainGameHooks hooks;
  return hooks;
}

// Hooks ------------------------------------------------------------------------------------

bool TMainGame::haveItem(const std::string& item) const {
  if (mainGameHooks().haveItem) return mainGameHooks().haveItem(item);
  return levelLinks().haveItem && levelLinks().haveItem(item);
}

void TMainGame::playSound(const std::string& name) const {
  if (mainGameHooks().playSound) mainGameHooks().playSound(name);
}

void TMainGame::caption(const std::string& name, float x, float y, int ms) const {
  if (mainGameHooks().imgCaption) mainGameHooks().imgCaption(name, x, y, ms);
}

bool TMainGame::hintLevel() const { return mainGameHooks().hintLevel && mainGameHooks().hintLevel(); }

int& TMainGame::undoCount() { return mainGameHooks().undos ? mainGameHooks().undos() : undos; }

void TMainGame::installCardLinks() {
  TCardLinks& card = cardLinks();
  card.playable = [this](const TCardData& kind) { return isPlayable(kind); };
  card.pickSword = [this](TCard& c) { pickSword(c); };
  card.runesOfTarnwick = [this] { return runesOfTarnwick != 0; };
  card.hintLevel = [this] { return hintLevel(); };
  installLevelCardLinks();
  installFlightCardLinks();
  installUndoCardLinks();
  levelLinks().deckHolderSize = [this] { return TLevelPoint{deckHolderW, deckHolderH}; };
  flightLinks().level = [this] { return level.get(); };
  TUndoLinks& undo = undoLinks();
  undo.level = [this] { return level.get(); };
  // A token still flying to the cash display would pay for a play that undo takes back.
  undo.mayUndo = [this] { return state == "NORMAL" && !swordInUse() && resourcesInPlay().empty(); };
  undo.setComboMarker = [this](float d) { dEndCAlpha = d; };
  undo.clearEndC = [this] { endCAlpha = dEndCAlpha = 0; };
}

bool TMainGame::swordInUse() const {
  return mainGameHooks().swordInUse && mainGameHooks().swordInUse();
}

// Sequence and the top card ----------------------------------------------------------------

bool TMainGame::checkSequence(int a, int b) {
  if (a == b + 1 || a + 1 == b) return true;
  return (a == kTwo && b == kAce) || (a == kAce && b == kTwo);
}

bool TMainGame::checkSequence(const CardDataPtr& a, const CardDataPtr& b) const {
  return a && b && checkSequence(a->seqN, b->seqN);
}

CardDataPtr TMainGame::getFirstCard() const {
  // A card on its way to the spot already counts as placed.
  if (!spotFlights().empty()) return spotFlightTopKind();
  if (!level || level->spot.empty()) return nullptr;
  return level->spot.back();
}

bool TMainGame::isPlayable(const TCardData& kind) const {
  const CardDataPtr top = getFirstCard();
  return top && checkSequence(kind.seqN, top->seqN);
}

// Choosing and playing a table card --------------------------------------------------------

void TMainGame::_update_cardOver() {
  over = nullptr;
  showedCards.clear();
  goodCards.clear();
  if (!level) return;
  const bool hints = hintLevel();
  // A copy: a card may leave the table during its own update (the hammer).
  const CardList cards = level->cards;
  for (const CardPtr& card : cards) {
    if (card->update())
      over = card;  // later cards lie on top, so the last hit wins
    else
      card->dOverA = 0;
    if (card->side == 1 && card->odkryta) {
      showedCards.push_back(card);
      if (hints && card->cd && isPlayable(*card->cd)) goodCards.push_back(card);
    }
  }
  if (!over) return;
  // A card below the winner may also have been hit; only the winner may glow.
  for (const CardPtr& card : cards)
    if (card != over) card->dOverA = 0;
  over->dOverA = over->cd && isPlayable(*over->cd) ? 1.0f : 0.0f;
  if (globals().cheats && keyHit('E')) over->changeToSword();
  if (leftPressed()) useCard(over);
}

void TMainGame::useCard(const CardPtr& card) {
  if (!card || !level || !level->hasCard(*card) || !card->odkryta || card->flyingCard) return;
  if (isSwordKind(card->cd)) {
    pickSword(*card);
    return;
  }
  if (!card->cd || !isPlayable(*card->cd)) {
    card->negA = 1;
    playSound("bad");
    return;
  }
  const CardPtr keep = card;
  const TLevelPoint spot = level->COUNT_spotDim();
  recordCardTaken(card, spot.x, spot.y);
  if (card->utrudnienie2) {
    card->generateWaterParticles();
    const bool iceLeft = std::any_of(level->cards.begin(), level->cards.end(), [&](const CardPtr& c) {
      return c != card && c->utrudnienie2;
    });
    if (!iceLeft) {
      caption("ice-cleared", kCentreX, kCentreY, 3000);
      playSound("rocks-uncover");
    }
  }
  if (card->utrudnienie1) card->generateRockParticles();
  const bool column = std::find(level->columns.begin(), level->columns.end(), card) != level->columns.end();
  level->removeCard(*card);
  level->CHECK_Cover(0);
  flyCardToSpot(card, spot.x, spot.y);
  LongDrive_add();
  card->generateFlyToComboParticles();
  if (level->driveN > MIN_LONG_DRIVE)
    addDriveResource();
  else
    addScore(card->cd->isMagic() ? kMagicCardPoints : kCardPoints);
  playSound("card-fly-" + std::to_string(rndInt(0, 1)));
  if (column || card->res) addColumnResource(*card);
  cardHintPulse() = {0, 1};
}

void TMainGame::pickSword(TCard& card) {
  if (!level) return;
  const CardPtr keep = card.shared_from_this();
  const bool column = std::find(level->columns.begin(), level->columns.end(), keep) != level->columns.end();
  level->removeCard(card);
  level->CHECK_Cover(0);
  const int seq = card.cd ? card.cd->seqN : 0;
  const bool owned = levelLinks().haveSwordBySeq && levelLinks().haveSwordBySeq(seq);
  if (owned || !mainGameHooks().pickUpSword) {
    card.flyOut();
    return;
  }
  mainGameHooks().pickUpSword(card);
  if (column || card.res) addColumnResource(card);
}

// Points, tokens and the drive -------------------------------------------------------------

void TMainGame::addScore(float points) {
  if (level) level->score += points;
}

void TMainGame::addColumnResource(TCard& card) {
  if (mainGameHooks().collectToken) mainGameHooks().collectToken(card);
  forgetClicks();
}

void TMainGame::addDriveResource() {
  if (mainGameHooks().flyCoin)
    mainGameHooks().flyCoin(kCoinX, kCoinY, kCoinAmount);
  else
    addScore(kCoinAmount);
}

void TMainGame::LongDrive_add() {
  if (!level) return;
  const int old = level->driveN;
  level->driveN = old + 1;
  if (old == MIN_LONG_DRIVE) caption("combo", kCentreX, 200, 3000);
  if (level->driveN > MIN_LONG_DRIVE) {
    if (dEndCAlpha == 0) playSound("combo-start");
    dEndCAlpha = 1;
  } else {
    dEndCAlpha = 0;
  }
  TMainGameHooks& h = mainGameHooks();
  const int longest = h.longestDrive ? h.longestDrive() : level->longestDrive;
  if (level->driveN > longest) {
    if (h.setLongestDrive) h.setLongestDrive(level->driveN);
    level->newRecord = 1;
  }
  // The level keeps its own longest drive too: its record and the stage's drive
  // objective are judged by it.
  level->longestDrive = std::max(level->longestDrive, level->driveN);
}

void TMainGame::LongDrive_end() {
  if (!level) return;
  const int drive = level->driveN;
  if (drive > MIN_LONG_DRIVE) {
    const TLevelPoint from = level->COUNT_firstDeckCardDim();
    playSound("end-combo");
    if (mainGameHooks().driveTrail)
      mainGameHooks().driveTrail(from.x, from.y, kMultiplierX, kMultiplierY, drive);
    else
      raiseMultiplier(drive);
  }
  remDriveN = drive;
  if (mainGameHooks().checkAward)
    for (const char* award : {"outstandingCombo", "MegaCombo", "superCombo", "easyCombo"})
      mainGameHooks().checkAward(award);
  forgetClicks();
  level->driveN = 0;
}

float TMainGame::getMaxDriveMultiplier() const { return haveItem("MAX-MULTI-7") ? 7.0f : 5.0f; }

void TMainGame::raiseMultiplier(int driveLength) {
  if (!level || driveLength <= MIN_LONG_DRIVE) return;
  const float maxMN = getMaxDriveMultiplier();
  const bool wasMax = level->driveMN >= maxMN;
  level->driveMN += static_cast<float>(driveLength - MIN_LONG_DRIVE) / 10.0f;
  if (level->driveMN > kMultiplierJump) level->driveMN = maxMN;
  if (mainGameHooks().recordMultiplier) mainGameHooks().recordMultiplier(level->driveMN);
  if (!wasMax && level->driveMN >= maxMN) {
    waitForCaption1();
    caption(maxMN == 7 ? "7x-multiplier" : "5x-multiplier", kCentreX, kCentreY, 3000);
  }
}

// The deck -----------------------------------------------------------------------------------

void TMainGame::_update_deckCardOver() {
  if (!deckCardOver) {
    deckCardOver = 1;
    deckWaitTime = now() + CONST_WAIT_TIME;
  }
  dDeckAlpha = later(now(), deckWaitTime) ? 1.0f : 0.0f;
}

void TMainGame::_update_deckOver() {
  if (!level) return;
  const TMouse* mouse = gMouse();
  const float ax = static_cast<float>(static_cast<int>(level->deckHolderX + 50));
  const float ay = static_cast<float>(static_cast<int>(level->deckHolderY + 25));
  deckOver = mouse && mouse->inRect(ax, ay, deckHolderW - 240, deckHolderH - 45);
  if (deckOver && haveItem("SHOW-CARD")) {
    _update_deckCardOver();
  } else if (!deckOver) {
    deckCardOver = 0;
    dDeckAlpha = 0;
  }
  if (deckOver && leftPressed() && gap(clickTime, now()) > kDeckClickGap) {
    clickTime = now();
    const bool stage1Level2 = levelLinks().stageID && levelLinks().levelID &&
                              levelLinks().stageID() == 1 && levelLinks().levelID() == 2;
    if (stage1Level2 && !goodCards.empty()) {
      kartaPominieta = 1;
    } else if (level->deck.empty() && level->driveN > MIN_LONG_DRIVE) {
      LongDrive_end();
    } else if (dEndCAlpha != 0) {
      dEndCAlpha = 0;  // the card comes once the combo marker has faded (_updateGUI)
    } else {
      addDeckCard();
    }
  }
  approach(deckAlpha, dDeckAlpha, 0.02f);
  dDeckOverA = 0;
  if (deckOver) {
    const bool anyPlayable = std::any_of(showedCards.begin(), showedCards.end(), [&](const CardPtr& c) {
      return c->cd && isPlayable(*c->cd);
    });
    if (!(haveItem("HINT") && anyPlayable)) dDeckOverA = 1;
  }
  approach(deckOverA, dDeckOverA, 0.1f);
}

void TMainGame::addDeckCard() {
  cardHintPulse() = {0, 0};
  if (!level) return;
  if (level->deck.empty() && endHandA < 1) return;
  _prepareDeckCard();
  forgetClicks();
  playSound("deck-card");
  cardHintPulse() = {0, 0};
}

void TMainGame::_prepareDeckCard() {
  if (!level) return;
  if (level->deck.empty()) {
    dAlpha = 0;
    END_LEVEL();
    return;
  }
  const TLevelPoint s = level->COUNT_firstDeckCardDim();
  const TLevelPoint spot = level->COUNT_spotDim();
  const CardDataPtr kind = level->deck.front();
  level->deck.pop_front();
  deckAlpha = dDeckAlpha = 0;
  deckCardOver = 0;
  if (isSwordKind(kind)) {
    // A sword drawn from the deck lands on the table face up and is picked up at once.
    auto card = std::make_shared<TCard>();
    card->cd = kind;
    card->x = s.x;
    card->y = s.y;
    card->side = 1;
    card->odkryta = 1;
    card->numerRewersu = level->numerRewersu;
    card->myLevel = level.get();
    level->cards.push_back(card);
    pickSword(*card);
    return;
  }
  recordDeckDraw(kind, spot.x, spot.y, s.x, s.y);
  flyDeckKindToSpot(kind, s.x, s.y, spot.x, spot.y);
  if (level->driveN != 0) LongDrive_end();
}

// Per-frame rules ----------------------------------------------------------------------------

void TMainGame::_update_time() {
  if (later(now(), secondTime)) {
    secondTime = now() + 1000;
    if (mainGameHooks().tickSecond) mainGameHooks().tickSecond();
  }
}

void TMainGame::_update_hint() {
  if (!level) return;
  const bool lightUp = !mainGameHooks().cardsLightUp || mainGameHooks().cardsLightUp();
  for (const CardPtr& card : level->cards)
    card->hint = lightUp && card->odkryta && card->cd && isPlayable(*card->cd) ? 1 : 0;
  TCard::_updatehint();
}

void TMainGame::_update_objectives() {
  if (mainGameHooks().updateObjectives) mainGameHooks().updateObjectives();
}

void TMainGame::_updateUndo() {
  dUndoA = undoCount() > 0 && !undoEvents().empty() ? 1.0f : 0.0f;
  approach(undoA, dUndoA, 0.05f);
  // The end-hand button stands over an empty deck while no combo is waiting.
  if (level && level->deck.empty() && level->driveN <= MIN_LONG_DRIVE) {
    dEndHandA = 1;
  } else {
    endHandA = dEndHandA = 0;
  }
  approach(endHandA, dEndHandA, 0.05f);
}

void TMainGame::_updateGUI() {
  const float before = endCAlpha;
  approach(endCAlpha, dEndCAlpha, 0.1f);
  // The marker was faded out by a deck click: now the card is drawn.
  if (before > endCAlpha && endCAlpha == dEndCAlpha && dEndCAlpha == 0) addDeckCard();
}

namespace {
// A pulse that flips its target whenever it arrives.
void pulse(float& value, float& target, bool run) {
  if (!run) {
    target = 0;
  } else if (value == target) {
    target = 1 - target;
  }
  approach(value, target, 0.05f);
}
}  // namespace

void TMainGame::_updateEndA() { pulse(endA, dEndA, goodCards.empty() && level && level->deck.empty()); }

void TMainGame::_updateDeckHelpA() { pulse(deckHelpA, dDeckHelpA, goodCards.empty()); }

void TMainGame::_updateComboAlpha() {
  dComboA = level && level->driveN != 0 ? 1.0f : 0.0f;
  approach(comboA, dComboA, comboA < dComboA ? 0.05f : 0.04f);
}

// Undo -----------------------------------------------------------------------------------------

bool TMainGame::undo() { return useUndo(undoCount()); }

bool TMainGame::undoLast() { return undoLastEvent(); }

// Keys -----------------------------------------------------------------------------------------

void TMainGame::_controlKEYBOARD() {
  // Escape opens the in-game menu, like the table's menu button.
  if (keyHit(key::ESCAPE) && wynik.empty()) goMenu();
  // Ctrl+Z or Backspace undoes, until the table's undo button exists.
  const bool control = keyDown(key::LCONTROL) || keyDown(key::RCONTROL);
  if ((control && keyHit('Z')) || keyHit(key::BACKSPACE)) undo();
  if (!globals().cheats || !level) return;
  if (keyHit(key::SPACE)) prepare();
  if (keyHit(key::F1)) {
    wynik = "RESTART-LEVEL";
    dFade = 1;
    fadeToWhite = 1;
  }
  if (keyHit('W')) END_LEVEL();
  if (keyHit('Q')) level->driveMN += 0.1f;
  if (keyHit('A')) level->driveMN -= 0.1f;
  if (keyHit('I')) LongDrive_add();
  if (keyHit('H')) {
    level->driveN = 50;
    LongDrive_end();
  }
  if (keyHit('G')) {
    level->cards.clear();
    level->columns.clear();
    END_LEVEL();
  }
  if (keyHit('Z')) undoLast();
  for (int n = 0; n < 6; ++n)
    if (keyHit('1' + n)) level->setRewers(n);
}
