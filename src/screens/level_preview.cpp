#include "screens/level_preview.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/frame.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/text.h"
#include "game/card.h"
#include "game/card_data.h"
#include "gui/mouse.h"

namespace {

}  // namespace

std::vector<std::string> sampleLevelFiles() {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("data/levels", ec))
    if (str::lower(entry.path().extension().string()) == ".lvl")
      files.push_back("data/levels/" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

namespace {

// A place on the table drawn as a faint gold frame the size of a card.
void drawPlace(float cx, float cy) {
  setBlend(BLEND_ALPHA);
  setColor(0, 0, 0);
  setAlpha(0.25f);
  drawRect(cx - 48, cy - 70, 96, 140);
  setColor(214, 178, 92);
  setAlpha(0.6f);
  drawRect(cx - 48, cy - 70, 96, 2);
  drawRect(cx - 48, cy + 68, 96, 2);
  drawRect(cx - 48, cy - 70, 2, 140);
  drawRect(cx + 46, cy - 70, 2, 140);
  setAlpha(1);
  setColor(255, 255, 255);
}

}  // namespace

TLevelPreview& levelPreview() {
  static TLevelPreview instance;
  return instance;
}

void TLevelPreview::show(int index) {
  if (files_.empty()) {
    level_.reset();
    return;
  }
  const int n = static_cast<int>(files_.size());
  index_ = ((index % n) + n) % n;
  level_ = loadLevel(files_[static_cast<size_t>(index_)], 1, 0, 0);
}

void TLevelPreview::prepare() {
  STANDARD_DATA();
  fade = 1;
  dFade = 0;
  wynik = "";
  _exit = 0;
  files_ = sampleLevelFiles();
  // Without rules of play every uncovered card counts as playable, so it glows.
  cardLinks().playable = [](const TCardData&) { return true; };
  if (files_.empty()) std::fprintf(stderr, "No levels found in data/levels\n");
  show(0);
}

std::string TLevelPreview::mainLoop() {
  prepare();
  runFrames();
  level_.reset();
  cardLinks().playable = nullptr;
  return wynik;
}

void TLevelPreview::update() {
  standardFrameUpdate();
  _updateFade();
  TCard::_updatehint();
  CardPtr picked;
  if (level_) {
    // A copy: a card may leave the table during its own update (the hammer does).
    const CardList cards = level_->cards;
    for (const CardPtr& card : cards) {
      if (card->update() && card->odkryta) picked = card;
    }
    // Only the topmost uncovered card under the mouse glows.
    for (const CardPtr& card : level_->cards) card->dOverA = card == picked ? 1.0f : 0.0f;
  }
  TMouse* mouse = gMouse();
  if (picked && mouse) mouse->setCursor("over");
  if (!wynik.empty()) return;
  if (picked && mouse && mouse->leftPressed) {
    level_->removeCard(*picked);
    level_->CHECK_Cover(0);
    mouse->clear();
  }
  if (keyHit(key::RIGHT) || keyHit(key::SPACE)) show(index_ + 1);
  if (keyHit(key::LEFT)) show(index_ - 1);
  if (keyHit(key::ESCAPE) || (mouse && mouse->rightPressed)) {
    wynik = "MAIN-MENU";
    dFade = 1;
  }
}

void TLevelPreview::draw() {
  drawStandards();
  if (level_) {
    level_->drawBackGround();
    drawStandards();
    const TLevelPoint spot = level_->COUNT_spotDim();
    const TLevelPoint deck = level_->COUNT_firstDeckCardDim();
    drawPlace(spot.x, spot.y);
    if (!level_->deck.empty()) {
      const ImagePtr& back = cardImages().revers[std::clamp(level_->numerRewersu, 0, 5)];
      midHandleImage(back);
      drawImage(back, deck.x, deck.y);
    } else {
      drawPlace(deck.x, deck.y);
    }
    for (const CardPtr& card : level_->cards) card->draw();
    drawStandards();
  }
  setImageFont(getFont("gfx/fonts/font.ttf", 20));
  char line[160];
  std::snprintf(line, sizeof line, "Level %d of %d   -   Left / Right: another level,  click: lift a card,  Escape: back",
                files_.empty() ? 0 : index_ + 1, static_cast<int>(files_.size()));
  setColor(0, 0, 0);
  setAlpha(0.6f);
  drawText(line, 21, 741);
  setAlpha(1);
  setColor(240, 230, 205);
  drawText(line, 20, 740);
  setImageFont(nullptr);
  _drawBlackFade();
  drawStandards();
}
