#include "screens/main_menu.h"

#include <cmath>
#include <cstdio>

#include "app/delta_time.h"
#include "app/frame.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "game/level_manager.h"
#include "game/main_game.h"
#include "gui/mouse.h"

namespace {
constexpr float kChoiceWidth = 320;
constexpr float kChoiceHeight = 56;
constexpr float kChoiceLeft = 512 - kChoiceWidth / 2;
}  // namespace

const TMainMenu::Choice TMainMenu::kChoices[kChoiceCount] = {
    {"Free play", "FREE-PLAY", 380},
    {"View the levels", "VIEW-LEVELS", 450},
    {"Quit", "END", 520},
};

TMainMenu& mainMenu() {
  static TMainMenu instance;
  return instance;
}

void TMainMenu::prepare() {
  STANDARD_DATA();
  fade = 1;
  dFade = 0;
  wynik = "";
  _exit = 0;
  hovered_ = -1;
}

std::string TMainMenu::mainLoop() {
  prepare();
  return runFrames();
}

void TMainMenu::update() {
  standardFrameUpdate();
  _updateFade();
  _updateAlpha();
  TMouse* mouse = gMouse();
  hovered_ = -1;
  if (mouse && wynik.empty()) {
    for (int i = 0; i < kChoiceCount; ++i)
      if (mouse->inRect(static_cast<int>(kChoiceLeft), static_cast<int>(kChoices[i].y),
                        static_cast<int>(kChoiceWidth), static_cast<int>(kChoiceHeight)))
        hovered_ = i;
    if (hovered_ >= 0) mouse->setCursor("over");
  }
  for (int i = 0; i < kChoiceCount; ++i) approach(glow_[i], hovered_ == i ? 1.0f : 0.0f, 0.1f);
  if (!wynik.empty()) return;
  if (mouse && hovered_ >= 0 && mouse->leftPressed) {
    wynik = kChoices[hovered_].result;
    mouse->clear();
  } else if (keyHit(key::ESCAPE)) {
    wynik = "END";
  }
  if (wynik == "FREE-PLAY") {
    // Free play deals a random level of the stages reached.
    mainGame().setLevel(levelManager().getRandomLevel());
    if (!mainGame().level) std::fprintf(stderr, "No level to play\n");
  }
  if (!wynik.empty()) dFade = 1;
}

void TMainMenu::draw() {
  drawStandards();
  // A dusk sky over dark hills: bands from blue to forest green.
  for (int band = 0; band < 24; ++band) {
    const float t = band / 23.0f;
    setColor(static_cast<int>(28 + 6 * t), static_cast<int>(38 + 30 * t), static_cast<int>(70 - 30 * t));
    drawRect(0, band * 32.0f, 1024, 33);
  }
  setColor(20, 46, 34);
  drawOval(-200, 560, 760, 420);
  setColor(16, 38, 30);
  drawOval(380, 600, 900, 400);

  setImageFont(getFont("gfx/fonts/font.ttf", 72));
  const std::string& title = globals().windowTitle;
  const float tx = static_cast<float>(512 - textWidth(title) / 2);
  setColor(0, 0, 0);
  setAlpha(0.5f);
  drawText(title, tx + 3, 183);
  setAlpha(1);
  setColor(240, 206, 120);
  drawText(title, tx, 180);

  setImageFont(getFont("gfx/fonts/font.ttf", 36));
  for (int i = 0; i < kChoiceCount; ++i) {
    const Choice& c = kChoices[i];
    setColor(12, 20, 26);
    setAlpha(0.55f);
    drawRect(kChoiceLeft, c.y, kChoiceWidth, kChoiceHeight);
    setColor(214, 178, 92);
    setAlpha(0.35f + 0.65f * glow_[i]);
    drawRect(kChoiceLeft, c.y, kChoiceWidth, 2);
    drawRect(kChoiceLeft, c.y + kChoiceHeight - 2, kChoiceWidth, 2);
    setAlpha(1);
    const int shade = static_cast<int>(220 + 35 * glow_[i]);
    setColor(shade, shade - static_cast<int>(20 * (1 - glow_[i])), static_cast<int>(190 - 60 * glow_[i]));
    drawText(c.label, static_cast<float>(512 - textWidth(c.label) / 2),
             c.y + (kChoiceHeight - textHeight()) / 2);
  }
  setImageFont(nullptr);
  _drawBlackFade();
  drawStandards();
}
