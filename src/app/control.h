#pragma once
// The controller: the one place that decides which screen runs next, by the result
// string the previous screen returned.

#include <string>

class Control {
 public:
  static int isPlayerPlayingLevel();
  // The first result: the title screen.
  static void start();
  // Runs screens until one returns "END".
  static void mainLoop();
  // One step of the main loop: runs what the result names and returns the next result.
  static std::string dispatch(const std::string& result);
  static int QUEST_PrepareNextLevel() { return 0; }
  // Quest transitions after a level; each returns the next result.
  static std::string QUEST_getNextLevel();
  static std::string RESTART_Level();
  static std::string STAGE_LOST();
  // Stops the music and saves the profiles and settings; the process may then end.
  static void shutDown();
};
