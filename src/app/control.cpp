#include "app/control.h"

#include <cstdio>

#include "app/globals.h"
#include "engine/input.h"
#include "engine/text.h"
#include "engine/random.h"
#include "game/level.h"
#include "game/main_game.h"
#include "screens/level_preview.h"
#include "screens/main_menu.h"
#include "screens/options.h"

int Control::isPlayerPlayingLevel() {
  return str::upper(globals().controllerResult) == "MAIN-GAME" ? 1 : 0;
}

void Control::start() { globals().controllerResult = "MAIN-MENU"; }

namespace {
std::string playLevel() {
  if (!mainGame().level) return "MAIN-MENU";
  mainGame().draw();
  return mainGame().mainLoop();
}
}  // namespace

std::string Control::dispatch(const std::string& result) {
  const std::string r = str::upper(result);
  if (r == "MAIN-MENU") return mainMenu().mainLoop();
  if (r == "VIEW-LEVELS") return levelPreview().mainLoop();  // temporary, with the title
  if (r == "FREE-PLAY") {
    // Until the stage catalogue deals free-play levels, a sample level is played.
    const std::vector<std::string> files = sampleLevelFiles();
    if (files.empty()) return "MAIN-MENU";
    mainGame().setLevel(loadLevel(files[static_cast<size_t>(rndInt(0, static_cast<int>(files.size()) - 1))], 1, 0, 0));
    return playLevel();
  }
  if (r == "MAIN-GAME") return playLevel();
  // The quest, map, story, outro and more-games screens join the table as
  // they are built; until then their results lead back to the title screen.
  std::fprintf(stderr, "No screen for the result \"%s\"; back to the title screen\n", result.c_str());
  return "MAIN-MENU";
}

void Control::mainLoop() {
  while (str::upper(globals().controllerResult) != "END") {
    globals().controllerResult = dispatch(globals().controllerResult);
    // Profiles are saved here after every screen once they exist.
    pollSystem();
    flushKeys();
    flushMouse();
  }
}

void Control::shutDown() {
  options().saveOptions();
  showMouse();
}
