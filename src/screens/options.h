#pragma once
// The player's settings (full screen, wide screen, own cursor, volumes): stored in the
// data folder, applied to the display and the cursor. The options panel itself, shown
// over the title screen and as the in-game menu, joins this class with the GUI toolkit.

#include <string>

#include "app/screen.h"

class TOptions : public TEkran {
 public:
  int fullScreen = 1;
  int wideScreen = 0;
  int customCursor = 0;
  float fade2 = 0, dFade2 = 0;
  float soundVol = 0.5f;
  float musicVol = 0.5f;
  int debugMode = 1;
  float zarAlpha = 0, dZarAlpha = 0;
  int holdedMusic = 0, holdedSound = 0;

  // Hides the system pointer while the game draws its own cursor.
  void setupMouse();
  // Writes the five settings to the settings file.
  void saveOptions();
  // Reads the settings, writing the defaults first when the file is missing.
  void loadOptions();
  // Opens the display the settings ask for, with the design area mapped onto it.
  void openScreen();
  void switchScreen();
  void switchWideScreen();
  void switchCursor();
  // Keeps both volumes within 0..1.
  void checkSoundStuff();

  // data folder + "/Data/settings.dat"
  static std::string settingsPath();
};

// The one options object, made at start-up.
TOptions& options();
