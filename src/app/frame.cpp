#include "app/frame.h"

#include <cstdlib>
#include <vector>

#include "app/control.h"
#include "app/delta_time.h"
#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "gui/mouse.h"
#include "screens/options.h"

namespace {

struct PauseHandler {
  std::function<void()> pause, resume;
};

std::vector<PauseHandler>& pauseHandlers() {
  static std::vector<PauseHandler> handlers;
  return handlers;
}

bool altF4() { return keyDown(key::LALT) && keyHit(key::F4); }

}  // namespace

void addPauseHandler(std::function<void()> pause, std::function<void()> resume) {
  pauseHandlers().push_back({std::move(pause), std::move(resume)});
}

void standardFrameUpdate() {
  frameTimerStep();
  if (TMouse* mouse = gMouse()) {
    mouse->setCursor("normal");
    mouse->update();
  }
  if (appTerminate() || altF4() || (keyDown(key::LWIN) && keyHit('Q'))) {
    Control::shutDown();
    std::exit(0);
  }
  if (keyDown(key::LWIN) && keyHit('F')) {
    options().switchScreen();
    options().saveOptions();
  }
}

void runPauseScreen() {
  for (PauseHandler& h : pauseHandlers()) h.pause();
  const ImagePtr still = createImage(grabPixmap(0, 0, 1024, 768), IMAGE_FILTERED);
  TImageFont* font = globals().pauseFont.get();
  while (appSuspended()) {
    cls();
    frameTimerStep();
    setColor(255, 255, 255);
    setAlpha(1);
    setScale(1, 1);
    setRotation(0);
    setBlend(BLEND_ALPHA);
    drawImage(still, 0, 0);
    setAlpha(0.5f);
    setColor(0, 0, 0);
    drawRect(0, 0, 1024, 768);
    setColor(255, 255, 255);
    setAlpha(1);
    TImageFont* previous = getImageFont();
    setImageFont(font);
    const std::string& text = globals().pauseText;
    drawText(text, static_cast<float>(512 - textWidth(text) / 2),
             static_cast<float>(364 - textHeight() / 2));
    setImageFont(previous);
    flipFrame(1);
    // Closing from the background ends at once; the exit hook still saves the profiles.
    if (appTerminate() || altF4()) std::exit(0);
  }
  for (PauseHandler& h : pauseHandlers()) h.resume();
}

void flipFrame(int suppressPause) {
  if (TMouse* mouse = gMouse()) mouse->draw();
  if (!suppressPause && appSuspended()) runPauseScreen();
  // Nothing drawn outside the design area may show in the bars (corners included).
  drawVirtualBorders();
  flip(-1);
  refreshVirtualDisplay();
  if (frameObserver()) frameObserver()();
}

std::function<void()>& frameObserver() {
  static std::function<void()> observer;
  return observer;
}
