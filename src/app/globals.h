#pragma once
// The state start-up sets once and every part of the game reads: marker flags, the
// language, the data folder, the window title and the few shared pictures.

#include <string>

#include "engine/font.h"
#include "engine/image.h"

struct TGameGlobals {
  std::string contentRoot;  // "" : content is read relative to the installation folder
  int cheats = 0;
  int noTutorial = 0;
  int noLogo = 0;
  int newsletter = 0;
  int launcher = 0;
  int guiReload = 0;
  int desktopWidth = 0;
  int desktopHeight = 0;
  std::string windowTitle;
  std::string productFolder = "Tarnwick";
  std::string makerFolder;
  std::string dataFolder;
  std::string oldDataFolder;
  ImagePtr whiteImage;
  ImagePtr pointerImage;
  FontPtr pauseFont;
  std::string pauseText;
  std::string controllerResult;
};

TGameGlobals& globals();

// Loads an image; a failure shows a notice and gives null.
ImagePtr loadImageWithWarning(const std::string& path, int flags = IMAGE_DEFAULT);
// The embedded typeface at this pixel size (the path is not used); cached by path and size.
TImageFont* getFont(const std::string& path, int size);
