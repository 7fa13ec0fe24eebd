#include "app/control.h"

#include <cstdio>

#include "app/globals.h"
#include "engine/input.h"
#include "engine/text.h"
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

// The play mode until profiles keep it: "QUEST" or "FREE-PLAY".
std::string& playMode() {
  static std::string mode = "QUEST";
  return mode;
}

std::string playLevel() {
  if (!mainGame().level) return "MAIN-MENU";
  mainGame().draw();
  return mainGame().mainLoop();
}

}  // namespace

std::string Control::QUEST_getNextLevel() {
  if (playMode() == "FREE-PLAY") return "MAIN-MENU";
  // The quest's next level comes from the profile once profiles exist.
  std::fprintf(stderr, "No profile to continue the quest; back to the title screen\n");
  return "MAIN-MENU";
}

std::string Control::RESTART_Level() {
  // The level being played is dealt again from its file: a free-play level stays the
  // same level (the quest's level comes from the profile once profiles exist).
  const LevelPtr& level = mainGame().level;
  if (!level || level->sourcePath().empty()) return "MAIN-MENU";
  const bool quest = playMode() == "QUEST";
  mainGame().setLevel(loadLevel(level->sourcePath(), 1, quest ? 1 : 0, quest ? 1 : 0));
  return "MAIN-GAME";
}

std::string Control::STAGE_LOST() {
  std::fprintf(stderr, "No profile to restart the stage; back to the title screen\n");
  return "MAIN-MENU";
}

std::string Control::dispatch(const std::string& result) {
  const std::string r = str::upper(result);
  if (r == "MAIN-MENU") return mainMenu().mainLoop();
  if (r == "VIEW-LEVELS") return levelPreview().mainLoop();  // temporary, with the title
  if (r == "FREE-PLAY") {
    // The title screen has picked the level and given it to the game screen.
    playMode() = "FREE-PLAY";
    return mainGame().level ? mainGame().mainLoop() : "MAIN-MENU";
  }
  if (r == "MAIN-GAME") return playLevel();
  if (r == "GET-NEXT-LEVEL") return QUEST_getNextLevel();
  if (r == "RESTART-LEVEL") return RESTART_Level();
  if (r == "LOSE-STAGE") return STAGE_LOST();
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
