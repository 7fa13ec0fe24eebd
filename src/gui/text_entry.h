#pragma once
// One-line text entry: typed characters are appended up to a maximum count (code points,
// not bytes), Backspace removes the last one, Enter clicks the entry. The caret blinks
// after the shown text; a text wider than the field shows its tail.
//
// Only printable characters are accepted: control characters (tab, escape, C1 codes) never
// reach the text, whoever saves it later (profile names are typed here).

#include <memory>
#include <string>

#include "gui/gui_object.h"
#include "gui/theme.h"

class TGui;
class TImageFont;

class TTextEntry : public TGuiObject {
 public:
  std::string _txt;
  TImageFont* _font = nullptr;
  int _maxZnakow = 10;  // maximum number of characters
  float _curWidth = 0, _curHeight = 0;  // caret: width and height of "A" in the font
  int _czas = 0;        // clock reading (low 32 bits) of the next caret blink
  int _trigger = 0;     // caret shown
  int _interwal = 300;  // blink interval in milliseconds
  std::u32string _forbidden;  // characters typing ignores besides the control characters

  TTextEntry();

  virtual void setInterwal(int ms);
  virtual std::string getTxt() const;
  // No length check; control characters are dropped.
  virtual void setTxt(const std::string& text);
  // Typing also ignores these characters.
  virtual void setForbidden(const std::string& characters);
  // Whether typing accepts the character (printable and not forbidden).
  virtual bool accepts(char32_t c) const;
  void draw(float px, float py) override;
  // One typed character per frame, then the caret blink.
  virtual void updateMe(int px, int py);
  void updateClass(int px, int py) override;

  // The TEXTENTRY declaration of a GUI file.
  static std::shared_ptr<TTextEntry> createFromList(const std::string& name,
                                                    const TGuiEntries& entries, TGui* gui);
};
