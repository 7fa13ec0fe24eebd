// Drawing the table: background, table cards, deck, spot, flights and, until the
// head-up display exists, a plain line of figures.
#include <algorithm>
#include <cstdio>

#include "app/globals.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "game/flight.h"
#include "game/main_game.h"

void TMainGame::draw() {
  drawStandards();
  _drawBack();
  _drawCards();
  _drawDeck();
  _drawSpot();
  if (mainGameHooks().drawSwords) mainGameHooks().drawSwords();
  drawStandards();
  drawFlights();
  drawStandards();
  if (mainGameHooks().drawEffects) mainGameHooks().drawEffects();
  _drawInfo();
  _drawBlackFade();
  drawStandards();
}

void TMainGame::_drawBack() {
  if (level) level->drawBackGround();
  drawStandards();
}

void TMainGame::_drawCards() {
  if (!level) return;
  for (const CardPtr& card : level->cards) card->draw();
  drawStandards();
}

void TMainGame::_drawDeck() {
  if (!level) return;
  const ImagePtr& back = cardImages().revers[std::clamp(level->numerRewersu, 0, 5)];
  if (!back) return;
  float step = 13;
  float x = level->deckHolderX + 85;
  for (std::size_t i = 0; i < level->deck.size(); ++i) {
    x += step;
    step = std::max(0.0f, step - 0.8f);
    drawImage(back, x, level->deckY, 0);
  }
  // Over an empty deck a faint card place stands for the end-hand button.
  if (level->deck.empty() && endHandA > 0) {
    setAlpha(0.3f * endHandA);
    drawImage(back, level->deckHolderX + 98, level->deckY, 0);
  }
  // The "SHOW-CARD" peek: the next card's face over the top of the fan.
  if (deckAlpha != 0 && !level->deck.empty() && level->deck.front()) {
    const TLevelPoint top = level->COUNT_firstDeckCardDim();
    setAlpha(deckAlpha);
    level->deck.front()->draw(top.x, top.y, 0, 0);
    setAlpha(1);
  }
  drawStandards();
}

void TMainGame::_drawSpot() {
  if (!level || level->spot.empty()) return;
  drawStandards();
  const TLevelPoint spot = level->COUNT_spotDim();
  level->spot.back()->draw(spot.x, spot.y, 0, 0);
  drawStandards();
}

void TMainGame::_drawInfo() {
  if (mainGameHooks().drawHud) {
    mainGameHooks().drawHud();
    return;
  }
  if (!level) return;
  char line[160];
  std::snprintf(line, sizeof line, "Score %d   Drive %d   Multiplier x%.1f   Deck %d   Undo %d (Ctrl+Z)",
                truncToInt(level->score), level->driveN, static_cast<double>(level->driveMN),
                static_cast<int>(level->deck.size()), undoCount());
  setImageFont(getFont("gfx/fonts/font.ttf", 20));
  setColor(0, 0, 0);
  setAlpha(0.6f * alpha);
  drawText(line, 21, 11);
  setColor(240, 230, 205);
  setAlpha(alpha);
  drawText(line, 20, 10);
  setImageFont(nullptr);
  drawStandards();
}
