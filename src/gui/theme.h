#pragma once
// Themes: the frame graphics windows, menu bars, drop-down boxes and sliders are drawn
// with. A theme file is a record file naming piece pictures (relative to its own folder)
// and the bar's colours; corner, edge and centre pieces stretch to any size.

#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"
#include "gui/gui_object.h"

class TGui;
class TGuiToken;
class TRCMFile;
using TGuiEntries = std::vector<std::shared_ptr<TGuiToken>>;

// Index of the window and menu box pieces in `oknoImg` and `rect`.
enum ThemePiece : int {
  PIECE_LEFT_UP = 0,
  PIECE_UP = 1,
  PIECE_RIGHT_UP = 2,
  PIECE_RIGHT = 3,
  PIECE_RIGHT_DOWN = 4,
  PIECE_DOWN = 5,
  PIECE_LEFT_DOWN = 6,
  PIECE_LEFT = 7,
  PIECE_CENTRE = 8,
};

// What a window of one size needs to draw its frame: the edge and centre stretches and the
// inner offsets. Made once per size (TWindow keeps the same numbers in its own fields).
struct TWindowScales {
  float skala[4] = {0, 0, 0, 0};  // horizontal edge, vertical edge, centre x, centre y
  float incX = 0, incY = 0;       // left-up piece size: where the inner part starts
  float decX = 0, decY = 0;       // right-up piece size
};

class TTheme {
 public:
  std::string id;            // upper case
  ImagePtr oknoImg[9];       // window pieces, ThemePiece order
  ImagePtr suwak[6];         // slider: track top, middle, bottom; thumb top, middle, bottom
  std::string suwakUrl[2];   // slider up and down button strips
  ImagePtr _suwakImg[2];     // those strips, 4 frames each
  ImagePtr bar[3];           // menu bar: left, middle, right
  ImagePtr rect[9];          // menu box pieces, ThemePiece order
  int barHeight = 0;         // height of the bar's middle piece
  std::shared_ptr<TRGB> backRGB = std::make_shared<TRGB>();
  std::shared_ptr<TRGB> textRGB = std::make_shared<TRGB>();
  std::shared_ptr<TRGB> outLineRGB = std::make_shared<TRGB>();
  std::string remPath;

  // Reads the theme file: window pieces, then bar pieces and colours. The working folder
  // is the file's folder meanwhile and is restored afterwards.
  void loadTheme(const std::string& path);
  // The loaders of the three groups from the opened theme file; paths are taken relative to
  // the working folder.
  void loadBelkaGFX(const TRCMFile& file);
  void loadSuwakGFX(const TRCMFile& file);
  void loadWindowGFX(const TRCMFile& file);
  // The THEME declaration of a GUI file: its "URL" entry, loaded under `name`.
  static std::shared_ptr<TTheme> createFromList(const std::string& name, const TGuiEntries& entries,
                                                TGui* gui);

  // Stretches for a window of this size.
  TWindowScales windowScales(float w, float h) const;
  // The nine-slice window frame over (x, y, w, h) with the current colour and alpha.
  void drawWindow(float x, float y, float w, float h, const TWindowScales& scales) const;
  void drawWindow(float x, float y, float w, float h) const;
  // The drop-down box around a menu, from its left, top, right and bottom edges.
  void drawMenuBox(int a, int t, int e, int b) const;
  // The three-piece menu bar at (x, y), `width` wide, at scale s.
  void drawBar(float x, float y, float width, float s) const;
};

using ThemePtr = std::shared_ptr<TTheme>;

// Loads a theme under a name: added to the gui's themes when one is given and always to the
// global list; it becomes the most recently loaded theme.
ThemePtr loadTheme(const std::string& name, const std::string& path, TGui* gui = nullptr);
// The first theme of that name (ignoring case) in the gui's themes, then in the global list.
ThemePtr findTheme(const std::string& name, TGui* gui = nullptr);
// Every theme loaded in this run, in order.
std::vector<ThemePtr>& globalThemes();
// The most recently loaded theme (the fallback for windows and bars), null before any.
ThemePtr& lastTheme();
