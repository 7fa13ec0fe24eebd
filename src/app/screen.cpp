#include "app/screen.h"

#include "app/delta_time.h"
#include "app/frame.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "gui/gui.h"
#include "gui/mouse.h"

namespace {
TEkran* g_mostRecent = nullptr;
}

TEkran* mostRecentScreen() { return g_mostRecent; }

void TEkran::sendPixMap() { g_mostRecent = this; }

void TEkran::drawStandards() {
  setColor(255, 255, 255);
  setBlend(BLEND_ALPHA);
  setScale(1, 1);
  setRotation(0);
  setAlpha(1);
}

void TEkran::_drawGui() {
  if (Gui) Gui->draw();
}

void TEkran::_drawBlackFade() {
  setBlend(BLEND_ALPHA);
  setScale(1, 1);
  setRotation(0);
  setAlpha(fade);
  setColor(0, 0, 0);
  drawRect(0, 0, virtualResolutionWidth(), virtualResolutionHeight());
}

namespace {
// The white picture added over the screen, grown by `scale` and as strong as `fade`.
void drawWhiteFlash(float scale, float fade) {
  setColor(255, 255, 255);
  setBlend(BLEND_LIGHT);
  setScale(scale, scale);
  setRotation(0);
  setAlpha(fade);
  drawImage(globals().whiteImage, 512, 384, 0);
}
}  // namespace

void TEkran::_drawFade() {
  drawWhiteFlash(4 * fade, fade);
  setBlend(BLEND_ALPHA);
  setScale(1, 1);
  setAlpha(1);
}

void TEkran::_drawWhiteFade() { drawWhiteFlash(2 * fade, fade); }

void TEkran::_drawMouse() {
  if (TMouse* mouse = gMouse()) mouse->draw();
}

void TEkran::_updatePer() { approach(p, dp, pSpeed); }
void TEkran::_updateFade() { approach(fade, dFade, fSpeed); }
void TEkran::_updateAlpha() { approach(alpha, dAlpha, aSpeed); }

// The GUI fades with its screen.
void TEkran::_updateGui() {
  if (!Gui) return;
  for (const GuiObjectPtr& o : Gui->_listaObiektow) {
    o->_alpha = alpha;
    o->_dAlpha = alpha;
  }
  Gui->update();
}

TPixmap TEkran::_getMyScreen() {
  cls();
  draw();
  return grabPixmap(0, 0, static_cast<int>(virtualResolutionWidth() - 1),
                    static_cast<int>(virtualResolutionHeight() - 1));
}

void TEkran::STANDARD_DATA() {
  alpha = dAlpha = 1;
  fade = dFade = 0;
}

std::string TEkran::runFrames() {
  _prepareDelta();
  while (!_exit) {
    cls();
    update();
    draw();
    flipFrame();
    if (fadedOut()) _exit = 1;
  }
  return wynik;
}

void TEkran::_prepareDelta() {
  for (int i = 0; i < 25; ++i) frameTimerStep();
}
