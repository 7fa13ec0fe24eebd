// The game screen's flow: taking a level, the deal, the frame loop, the state machine
// and the end of a level.
#include <algorithm>

#include "app/delta_time.h"
#include "app/frame.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/text.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "gui/gui.h"
#include "gui/mouse.h"

namespace {

constexpr int kDealStepMs = 20;  // each dealt card starts this much later than the one before
constexpr float kCentreX = 512, kCentreY = 384;

int now() { return static_cast<int>(millisecs()); }

bool later(int a, int b) { return static_cast<int>(static_cast<unsigned>(a) - static_cast<unsigned>(b)) > 0; }

bool leftPressed() {
  const TMouse* mouse = gMouse();
  return mouse && mouse->leftPressed;
}

bool captionOnScreen() { return mainGameHooks().captionOnScreen && mainGameHooks().captionOnScreen(); }

void ribbons(const std::string& set) {
  if (mainGameHooks().ribbons) mainGameHooks().ribbons(set);
}

void award(const std::string& name) {
  if (mainGameHooks().checkAward) mainGameHooks().checkAward(name);
}

}  // namespace

TMainGame::TMainGame() { id = "MAIN-GAME"; }

TMainGame& mainGame() {
  static TMainGame instance;
  return instance;
}

void TMainGame::setLevel(LevelPtr newLevel) {
  level = std::move(newLevel);
  installCardLinks();
  if (!level) return;
  // The profile sets the starting multiplier; without one the level starts at 1.
  if (level->driveMN < 1) level->driveMN = 1;
  level->COUNT_deckHolder();
  level->CHECK_Cover(1);
  level->jestMagic = 0;
  const CardList cards = level->cards;
  for (const CardPtr& card : cards) {
    card->update();
    if (card->cd && card->cd->isMagic()) {
      level->jestMagic = 1;
      const bool owned = levelLinks().getMagicCard && levelLinks().getMagicCard(card->cd->id);
      card->cd->newMagicCard = owned ? 0 : 1;
    }
  }
}

// Starting -------------------------------------------------------------------------------------

void TMainGame::_prepareBegin() {
  resetFlightLists();
  level->CHECK_Cover(1);
  const int animation = rndInt(1, 3);
  int delay = 0;
  const CardList cards = level->cards;
  for (const CardPtr& card : cards) {
    std::fill(std::begin(card->specFrameAlpha), std::end(card->specFrameAlpha), 0.0f);
    card->waterFrame = 0;
    if (card->cd && card->cd->isSpecCard()) card->side = 1;
    if (animation == 1) {
      card->moveMe(-200, static_cast<float>(rndInt(-100, 868)), card->x, card->y, delay);
    } else if (animation == 2) {
      card->moveMe1(card->x, static_cast<float>(rndInt(-200, -120)), card->x, card->y, delay);
    } else if (card->x > kCentreX) {
      card->moveMe1(1024 + card->x / 2, 768 + card->y / 2, card->x, card->y, delay);
    } else {
      card->moveMe1(-card->x / 2, 768 + card->y / 2, card->x, card->y, delay);
    }
    delay += kDealStepMs;
  }
}

void TMainGame::_prepareSelf() {
  setState("BEGIN");
  fade = 1;
  dFade = 0;
  wynik.clear();
  _exit = 0;
  secondTime = now() + 1000;
  clearUndoEvents();  // the opening card cannot be undone
  alpha = dAlpha = 0;
  deckHelpA = dDeckHelpA = endA = dEndA = 0;
  deckAlpha = dDeckAlpha = endCAlpha = dEndCAlpha = endHandA = dEndHandA = 0;
  undoA = dUndoA = 0;
  remDriveN = 0;
  fadeToWhite = 0;
  playSound("cards-move");
  if (level->soundID < 1) level->soundID = 1;
  if (mainGameHooks().levelMusic) mainGameHooks().levelMusic(level->soundID);
  if (mainGameHooks().tableEntered) mainGameHooks().tableEntered();
  runesOfTarnwick = haveItem("HINT") ? 1 : 0;
  // Stands in for the profile's count until the profile sets it.
  undos = 1 + (haveItem("UNDO-1") ? 1 : 0) + (haveItem("UNDO-2") ? 1 : 0);
  recordedTotal = 0;
  draw();
}

void TMainGame::prepare() {
  if (!level) return;
  installCardLinks();
  _prepareBegin();
  if (level->spot.empty()) _prepareDeckCard();
  // An empty deck and spot end the level at once; keep that result.
  const std::string endedAs = state;
  _prepareSelf();
  if (endedAs == "PERFECT" || endedAs == "CAPTION" || endedAs == "END") setState(endedAs);
  _prepareDelta();
}

std::string TMainGame::mainLoop() {
  prepare();
  if (!level) return "MAIN-MENU";
  // The table fades its display in only after the deal, so the loop ends on the fade
  // alone, not on the common "faded to transparent" rule.
  while (!(fade == 1 && dFade == 1)) {
    cls();
    update();
    draw();
    flipFrame();
    // The table's two buttons work in every state.
    if (Gui && Gui->clickedItem("undo")) undo();
    if (Gui && Gui->clickedItem("menu")) goMenu();
  }
  finish();
  return wynik;
}

void TMainGame::finish() {
  // The spot's top kind is not copied back to the deck: a resumed level would hold it twice.
  over = nullptr;
  showedCards.clear();
  goodCards.clear();
  if (mainGameHooks().clearEffects) mainGameHooks().clearEffects();
  if (mainGameHooks().hideMusic) mainGameHooks().hideMusic();
  // A developer holding D keeps the table until the key is let go.
  while (keyDown('D') && !appTerminate()) pollSystem();
}

void TMainGame::goMenu() {
  const std::string choice = str::upper(mainGameHooks().gameMenu ? mainGameHooks().gameMenu() : "");
  if (choice == "RESTART") {
    wynik = "RESTART-LEVEL";
    dFade = 1;
    fadeToWhite = 1;
  } else if (choice == "MAIN-MENU") {
    if (level) recordResult(truncToInt(level->score));
    wynik = "MAIN-MENU";
    fade = dFade = 1;
    const bool quest = !levelLinks().tryb || levelLinks().tryb() == "QUEST";
    if (level && !quest) {
      level->driveN = 0;
      level->driveMN = 1;
    }
    fadeToWhite = 0;
  }
  // The menu ran its own frames; the next frame step must not jump.
  _prepareDelta();
}

void TMainGame::recordResult(int total) {
  recordedTotal = total;
  if (mainGameHooks().recordLevel) mainGameHooks().recordLevel(total);
}

// Frames -----------------------------------------------------------------------------------------

void TMainGame::update() {
  standardFrameUpdate();
  updatePlay();
  _controlKEYBOARD();
}

void TMainGame::updatePlay() {
  _updateState();
  updateFlights();
  if (mainGameHooks().updateEffects) mainGameHooks().updateEffects();
  _updateEndA();
  _updateComboAlpha();
  _updateFade();
  _updateAlpha();
  _updateUndo();
  _updateDeckHelpA();
  _updateGUI();
  if (mainGameHooks().tutorialCheck) mainGameHooks().tutorialCheck();
  if (mainGameHooks().newsletterCheck && mainGameHooks().newsletterCheck()) Add3WildCards();
}

void TMainGame::Add3WildCards() {
  if (mainGameHooks().add3WildCards) mainGameHooks().add3WildCards();
}

// States -----------------------------------------------------------------------------------------

void TMainGame::setState(const std::string& name) { state = str::upper(name); }

void TMainGame::_updateState() {
  if (state == "BEGIN")
    _update_STATE_begin();
  else if (state == "NORMAL")
    _update_STATE_normal();
  else if (state == "CAPTION")
    _update_STATE_caption();
  else if (state == "PERFECT")
    _update_STATE_perfect();
  else if (state == "PERFECT-2")
    _update_STATE_perfect2();
  else if (state == "PERFECT-3")
    _update_STATE_perfect3();
  else if (state == "END")
    _update_STATE_end();
  else if (state == "WAIT-FOR-CAPTION")
    _update_STATE_wait_for_caption();
  else if (state == "WAIT-FOR-CAPTION1")
    _update_STATE_wait_for_caption1();
}

void TMainGame::_update_STATE_begin() {
  if (!flights().empty()) return;
  setState("NORMAL");
  dAlpha = 1;
  caption("play", kCentreX, 300, 2000);
  if (level) level->CHECK_front_Swords();
}

void TMainGame::_update_STATE_normal() {
  kartaPominieta = 0;
  _update_cardOver();
  _update_deckOver();
  if (mainGameHooks().updateSwords) mainGameHooks().updateSwords();
  _update_time();
  _update_hint();
  _update_objectives();
  if (state == "NORMAL" && level && level->cards.empty() && flights().empty()) END_LEVEL();
}

void TMainGame::_update_STATE_caption() {
  dAlpha = 0;
  if (leftPressed() || !captionOnScreen()) setState("END");
}

void TMainGame::_update_STATE_perfect() {
  if (!later(now(), waitTime)) return;
  waitTime = now() + 1500;
  ribbons("PERFECT-2");
  setState("PERFECT-2");
}

void TMainGame::_update_STATE_perfect2() {
  if (!later(now(), waitTime)) return;
  waitTime = now() + 1500;
  ribbons("PERFECT-3");
  setState("PERFECT-3");
}

void TMainGame::_update_STATE_perfect3() {
  if (!leftPressed() && (captionOnScreen() || !later(now(), waitTime))) return;
  award("perfect1");
  award("perfect2");
  award("perfect3");
  setState("END");
}

void TMainGame::_update_STATE_end() {
  const std::string screen = mainGameHooks().levelEndScreen ? mainGameHooks().levelEndScreen() : "";
  wynik = str::upper(screen) == "LOSE-STAGE" ? "LOSE-STAGE" : "GET-NEXT-LEVEL";
  fade = dFade = 1;
  fadeToWhite = 1;
  setState("OVER");  // the loop ends with this frame
}

void TMainGame::waitForCaption() {
  waitingTime = now() + 3000;
  setState("WAIT-FOR-CAPTION");
}

void TMainGame::waitForCaption1() {
  // Only play pauses for the caption; an ending level keeps its own states.
  if (state == "NORMAL") setState("WAIT-FOR-CAPTION1");
}

void TMainGame::_update_STATE_wait_for_caption1() {
  ribbons("MAX-MULTI");
  waitForCaption();
}

void TMainGame::_update_STATE_wait_for_caption() {
  if (later(now(), waitingTime)) setState("NORMAL");
}

// Level end --------------------------------------------------------------------------------------

int TMainGame::cardsLeftBonus(int cardsLeft) {
  static constexpr int kBonus[] = {500, 250, 150, 100, 50};
  return cardsLeft >= 0 && cardsLeft < 5 ? kBonus[cardsLeft] : 0;
}

int TMainGame::levelTotal() const {
  if (!level) return 0;
  int total = truncToInt(level->score) + cardsLeftBonus(static_cast<int>(level->cards.size()));
  if (haveItem("KASA+5")) total += truncToInt(level->score * 0.05f);
  return truncToInt(static_cast<float>(total) * level->driveMN);
}

void TMainGame::deckCardsFlyOut() {
  if (!level) return;
  int delay = 100 * static_cast<int>(level->deck.size());
  float step = 13;
  float x = level->deckHolderX + 85;
  while (!level->deck.empty()) {
    x += step;
    step = std::max(0.0f, step - 0.8f);
    const FlightPtr flight = flyDeckKindOut(level->deck.front(), x, level->deckY, 700, -200, delay);
    if (flight) {
      flight->mx = 0;
      flight->my = 300;
    }
    level->deck.pop_front();
    delay -= 100;  // the last kinds leave first
  }
}

void TMainGame::END_LEVEL() {
  if (!level) return;
  pomDeckCardsLeft = static_cast<int>(level->deck.size());
  deckCardsFlyOut();
  recordResult(levelTotal());
  const int left = static_cast<int>(level->cards.size());
  if (left == 0) {
    caption("perfect", kCentreX, kCentreY, 2000);
    setState("PERFECT");
    playSound("end-level-perfect");
    LongDrive_end();
    ribbons("PERFECT-1");
    waitTime = now() + 1000;
  } else if (left <= 4) {
    caption(left == 1 ? "1-card" : std::to_string(left) + "-cards", kCentreX, kCentreY, 2000);
    setState("CAPTION");
    playSound("end-level-normal");
  } else {
    playSound("end-level-normal");
    level->driveN = 0;
    setState("END");
  }
}
