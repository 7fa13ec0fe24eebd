#pragma once
// Static texts and font declarations of GUI files. A TText is a word-wrapped text box that
// screens fill at run time; a TRGMFont names one size of the embedded typeface so other
// declarations can refer to it.

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_object.h"
#include "gui/theme.h"

class TGui;
class TImageFont;

// A text box: `dim.x`, `dim.y` its top-left corner, `dim.w` its wrapping width (10000000
// wraps nothing); every draw stores the laid-out height in `dim.h`.
class TText : public TGuiObject {
 public:
  int _align = 1;      // 1 left, 0 right, 2 centre, 3 justified
  std::string _txt;    // the text; screens replace it at run time
  float _adh = 0;      // not used for layout
  float _adW = 0;      // extra pixels between rows (whole part)
  TImageFont* _font = nullptr;  // null keeps the current font
  int _shadow = 0;
  std::shared_ptr<TRGB> shRGB;  // shadow colour, null none

  TText();

  // "LEFT", "RIGHT", "CENTER", "JUSTIFY" (upper-cased first); anything else changes nothing.
  virtual void setAlign(const std::string& name);
  // The height the text takes at its own position, drawing it there without shadow in the
  // current colour and alpha (dim.h is left alone).
  virtual int countH();
  void draw(float px, float py) override;
  // Texts do nothing per frame.
  virtual void updateMe(int px, int py);
  void updateClass(int px, int py) override;

  // The TEXT declaration of a GUI file.
  static std::shared_ptr<TText> createFromList(const std::string& name, const TGuiEntries& entries,
                                               TGui* gui);
  // "[path|n]": line n of that text file (read anew for each reference).
  static std::string odczytajTekst(const std::string& reference);
};

// One size of the embedded typeface under a declaration name.
class TRGMFont {
 public:
  TImageFont* _font = nullptr;
  std::string _id;

  virtual ~TRGMFont() = default;

  // The FONT declaration: "URL" (required) and "SIZE" (12). Filed in the gui's fonts, or in
  // the global fonts without a gui. Null when it names no path.
  static std::shared_ptr<TRGMFont> createFromList(const std::string& name,
                                                  const TGuiEntries& entries, TGui* gui);
  // The first font of the gui's list (the global list without a gui) of that name, ignoring
  // case; null when none.
  static std::shared_ptr<TRGMFont> getByID(const std::string& name, TGui* gui);
};

// Fonts declared without a gui.
std::vector<std::shared_ptr<TRGMFont>>& globalFonts();

// Declaration helpers shared by the GUI objects of this toolkit ----------------------------

// Whole numbers of a value such as "100 250" (floats truncate; missing ones are 0).
std::vector<int> declaredInts(const std::string& value);
// "TRUE" in any case gives 1, anything else 0.
int declaredFlag(const std::string& value);
// The font a declaration names: the gui's (or global) font, else a notice and null.
TImageFont* declaredFont(const std::string& name, TGui* gui);
// A text value: a "[path|n]" reference becomes that line, anything else stays.
std::string declaredText(const std::string& value);
