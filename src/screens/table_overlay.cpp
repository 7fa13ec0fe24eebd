#include "screens/table_overlay.h"

#include <algorithm>
#include <cstdio>

#include "app/delta_time.h"
#include "app/frame.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "game/main_game.h"
#include "gui/mouse.h"

namespace {

constexpr float kPanelTop = 170, kPanelHeight = 430, kPanelWidth = 520;

TImageFont* font(int size) { return getFont("gfx/fonts/font.ttf", size); }

void centred(const std::string& text, float y) {
  drawText(text, static_cast<float>(512 - textWidth(text) / 2), y);
}

}  // namespace

TGameMenu& gameMenu() {
  static TGameMenu instance;
  return instance;
}

TLevelSummary& levelSummary() {
  static TLevelSummary instance;
  return instance;
}

float TTableOverlay::choiceTop(int i) const {
  return kPanelTop + kPanelHeight - 24 - (static_cast<float>(choices_.size()) - static_cast<float>(i)) * (kChoiceHeight + 12);
}

std::string TTableOverlay::mainLoop() {
  heading_.clear();
  lines_.clear();
  choices_.clear();
  escapeResult_.clear();
  fill();
  glow_.assign(choices_.size(), 0.0f);
  hovered_ = -1;
  STANDARD_DATA();
  alpha = 0;
  dAlpha = 1;
  wynik.clear();
  _exit = 0;
  decided_ = false;
  flushKeys();
  if (TMouse* mouse = gMouse()) mouse->clear();
  // Fades in over the table and out again with the choice made.
  while (!_exit && !appTerminate()) {
    cls();
    update();
    draw();
    flipFrame();
  }
  return wynik;
}

void TTableOverlay::update() {
  standardFrameUpdate();
  _updateAlpha();
  if (decided_) {
    if (alpha == 0) _exit = 1;
    return;
  }
  TMouse* mouse = gMouse();
  hovered_ = -1;
  for (int i = 0; mouse && i < static_cast<int>(choices_.size()); ++i)
    if (mouse->inRect(kChoiceLeft, choiceTop(i), kChoiceWidth, kChoiceHeight)) hovered_ = i;
  if (mouse && hovered_ >= 0) mouse->setCursor("over");
  for (size_t i = 0; i < glow_.size(); ++i) approach(glow_[i], hovered_ == static_cast<int>(i) ? 1.0f : 0.0f, 0.12f);
  if (mouse && hovered_ >= 0 && mouse->leftPressed) {
    wynik = choices_[static_cast<size_t>(hovered_)].result;
    mouse->clear();
  } else if (keyHit(key::ESCAPE)) {
    wynik = escapeResult_;
  } else if (keyHit(key::ENTER) && !choices_.empty()) {
    wynik = choices_.front().result;
  } else {
    return;
  }
  decided_ = true;
  dAlpha = 0;
}

void TTableOverlay::draw() {
  mainGame().draw();
  drawStandards();
  setBlend(BLEND_ALPHA);
  setColor(0, 0, 0);
  setAlpha(0.45f * alpha);
  drawRect(0, 0, 1024, 768);
  const float left = 512 - kPanelWidth / 2;
  setColor(246, 236, 212);
  setAlpha(0.94f * alpha);
  drawRect(left, kPanelTop, kPanelWidth, kPanelHeight);
  setColor(196, 156, 72);
  setAlpha(alpha);
  drawRect(left, kPanelTop, kPanelWidth, 3);
  drawRect(left, kPanelTop + kPanelHeight - 3, kPanelWidth, 3);
  drawRect(left, kPanelTop, 3, kPanelHeight);
  drawRect(left + kPanelWidth - 3, kPanelTop, 3, kPanelHeight);

  setImageFont(font(40));
  setColor(52, 38, 24);
  centred(heading_, kPanelTop + 26);
  setImageFont(font(24));
  float y = kPanelTop + 92;
  for (const std::string& line : lines_) {
    centred(line, y);
    y += 32;
  }
  setImageFont(font(28));
  for (int i = 0; i < static_cast<int>(choices_.size()); ++i) {
    const float g = glow_[static_cast<size_t>(i)];
    const float top = choiceTop(i);
    setColor(60, 74, 52);
    setAlpha((0.75f + 0.25f * g) * alpha);
    drawRect(kChoiceLeft, top, kChoiceWidth, kChoiceHeight);
    setColor(214, 178, 92);
    setAlpha((0.4f + 0.6f * g) * alpha);
    drawRect(kChoiceLeft, top, kChoiceWidth, 2);
    drawRect(kChoiceLeft, top + kChoiceHeight - 2, kChoiceWidth, 2);
    setAlpha(alpha);
    setColor(250, static_cast<int>(236 + 10 * g), static_cast<int>(200 - 70 * g));
    centred(choices_[static_cast<size_t>(i)].label, top + (kChoiceHeight - textHeight()) / 2);
  }
  setImageFont(nullptr);
  drawStandards();
}

void TGameMenu::fill() {
  heading_ = "Paused";
  lines_ = {"The cards wait for you."};
  choices_ = {{"Play on", "CONTINUE"}, {"Restart the level", "RESTART"}, {"Back to the title", "MAIN-MENU"}};
  escapeResult_ = "CONTINUE";
}

void TLevelSummary::fill() {
  const TMainGame& game = mainGame();
  const int left = game.level ? static_cast<int>(game.level->cards.size()) : 0;
  const int score = game.level ? truncToInt(game.level->score) : 0;
  char multiplier[16];
  std::snprintf(multiplier, sizeof multiplier, "%.1f", static_cast<double>(game.level ? game.level->driveMN : 1.0f));
  heading_ = left == 0 ? "Table cleared!" : "Level over";
  lines_ = {left == 1 ? "1 card left" : std::to_string(left) + " cards left",
            "Score " + std::to_string(score) + "   Bonus " + std::to_string(TMainGame::cardsLeftBonus(left)),
            std::string("Multiplier x") + multiplier,
            "Level total " + std::to_string(game.recordedTotal)};
  choices_ = {{"Continue", ""}};
  escapeResult_ = "";
}
