#include "screens/options.h"

#include <algorithm>
#include <cstdio>

#include "app/globals.h"
#include "app/virtual_display.h"
#include "data/record_file.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "gui/mouse.h"

namespace {

constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;
bool g_fullScreenOpen = false;

// A volume too quiet to hear counts as off.
float audibleVolume(float v) { return v < 0.05f ? 0.0f : v; }

bool openWindow() {
  const TGameGlobals& g = globals();
  bool opened = false;
  if (g.desktopHeight > 768) opened = openGraphics(1024, 768, 0, 60);
  if (!opened) {
    // Small desktops get a smaller window; the design area is scaled into it.
    if (g.desktopHeight <= 600)
      opened = openGraphics(640, 480, 0, 60);
    else
      opened = openGraphics(819, 614, 0, 60);
  }
  g_fullScreenOpen = false;
  return opened;
}

}  // namespace

TOptions& options() {
  static TOptions instance;
  return instance;
}

std::string TOptions::settingsPath() { return globals().dataFolder + "/Data/settings.dat"; }

void TOptions::setupMouse() {
  setupCustomCursor(customCursor != 0);
}

void TOptions::saveOptions() {
  TRCMFile file;
  file.setFloat("settings::fullScreen", static_cast<float>(fullScreen), 0);
  file.setFloat("settings::wideScreen", static_cast<float>(wideScreen), 0);
  file.setFloat("settings::customCursor", static_cast<float>(customCursor), 0);
  file.setFloat("settings::musicVolume", musicVol, 0);
  file.setFloat("settings::soundVolume", soundVol, 0);
  file.save(settingsPath());
  grantAccess(settingsPath());
}

void TOptions::loadOptions() {
  if (fileType(settingsPath()) == 0) saveOptions();
  const TRCMFile file = openRecordFile(settingsPath());
  fullScreen = truncToInt(file.getFloat("settings::fullScreen", 0));
  wideScreen = truncToInt(file.getFloat("settings::wideScreen", 0));
  customCursor = truncToInt(file.getFloat("settings::customCursor", 0));
  soundVol = audibleVolume(file.getFloat("settings::soundVolume", 0));
  musicVol = audibleVolume(file.getFloat("settings::musicVolume", 0));
}

void TOptions::openScreen() {
  if (fullScreen) {
    bool opened = g_fullScreenOpen;
    if (!opened) opened = openGraphics(globals().desktopWidth, globals().desktopHeight, 32, 60);
    if (opened) {
      g_fullScreenOpen = true;
      setVirtualDisplay(kDesignWidth, kDesignHeight, wideScreen == 1 ? 0 : 2);
      return;
    }
    // A desktop that refuses full screen still gets the game, in a window.
    std::fprintf(stderr, "Full screen could not be opened; playing in a window\n");
  }
  if (!openWindow()) std::fprintf(stderr, "No window could be opened\n");
  setVirtualDisplay(kDesignWidth, kDesignHeight, 2);
}

namespace {
void flushAndClearMouse() {
  flushMouse();
  if (TMouse* mouse = gMouse()) mouse->clear();
}
}  // namespace

void TOptions::switchScreen() {
  if (fullScreen) {
    if (wideScreen) switchWideScreen();
    fullScreen = 0;
  } else {
    fullScreen = 1;
  }
  openScreen();
  flushAndClearMouse();
}

void TOptions::switchWideScreen() {
  wideScreen = wideScreen ? 0 : 1;
  if (fullScreen) openScreen();
  flushAndClearMouse();
}

void TOptions::switchCursor() {
  customCursor = customCursor ? 0 : 1;
  setupMouse();
  flushAndClearMouse();
}

void TOptions::checkSoundStuff() {
  musicVol = std::clamp(musicVol, 0.0f, 1.0f);
  soundVol = std::clamp(soundVol, 0.0f, 1.0f);
}
