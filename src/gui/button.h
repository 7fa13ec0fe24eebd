#pragma once
// Buttons in thirteen looks, from a plain picture that grows under the mouse to captions
// whose letters swell in a travelling wave, and the stand-alone frame animations of GUI
// files. Animated buttons play named frame sequences ("NORMAL", "OVER", "ACTIVE",
// "UNACTIVE") chosen by a small state machine from the mouse.

#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"
#include "gui/gui_object.h"
#include "gui/theme.h"

class TGui;
class TImageFont;

// Button type codes kept in TButton::_typ. 7 is not used.
enum ButtonType : int {
  SIMPLE_BUTTON = 0,
  ANIM_BUTTON = 1,
  BLEND_BUTTON = 2,
  FSTEP_BUTTON = 3,
  TEXT_BUTTON = 4,
  TEXT_SPEC_BUTTON1 = 5,
  FSTEP_BLEND_BUTTON = 6,
  TEXT_SPEC_BUTTON2 = 8,
  TEXT_SPEC_BUTTON3 = 9,
  TEXT_SPEC_BUTTON4 = 10,
  TEXT_SPEC_BUTTON5 = 11,
  TEXT_SPEC_BUTTON6 = 12,
  TEXT_SPEC_BUTTON7 = 13,
};

// The code of a TYP name ("SIMPLE_BUTTON" ...), matched exactly; -1 when unknown.
int buttonTypeCode(const std::string& name);

// Named frame sequences of an animated button.
class TAnimData {
 public:
  static constexpr int kMaxAnims = 10;
  static constexpr int kMaxFrames = 100;

  int frameN[kMaxAnims][kMaxFrames] = {};  // frame numbers (from 1) of each sequence
  int frames[kMaxAnims] = {};              // frame count of each sequence
  int maxFrames[kMaxAnims] = {};
  int anims = 0;                           // number of sequences
  std::string animName[kMaxAnims];         // upper case
  int animFrames = 0;                      // highest frame number used
  int animTime = 0;                        // clock reading (low 32 bits) of the next change
  int frameDelta[kMaxAnims] = {};          // milliseconds per frame

  // Index of the sequence of that name (upper case), -1 when none.
  int getAnimByName(const std::string& name) const;
  // A new sequence of that name; -1 (with a notice) when ten exist already.
  int dodajNazwe(const std::string& name);
  // The number of strip cells: the highest frame number used.
  int liczbaKlatek() const { return animFrames; }
};

class TButton : public TGuiObject {
 public:
  ImagePtr _image;   // the picture, or the strip of cells
  ImagePtr _addImg;  // shown instead of _image while inactive (TEXT_SPEC_BUTTON7)
  TImageFont* _font = nullptr;  // caption font
  int _typ = SIMPLE_BUTTON;
  int _dir = 0;       // strip of an animated or blend button: 0 cells side by side, 1 stacked
  int shadowed = 0;   // caption shadow (TEXT_BUTTON and TEXT_SPEC_BUTTON6)
  std::shared_ptr<TRGB> outLine;  // caption outline colour, null none
  TAnimData _animData;
  int frames = 0;     // cells of the animated strip
  int aktAnim = 0, aktFrame = 0;
  int _activeFlag = 0, _overFlag = 0, _unactiveFlag = 0;
  int _animNormal = -1, _animActive = -1, _animOver = -1, _animUnActive = -1;
  float _buttonAlpha = 1, _dButtonAlpha = 1;
  float _buttonScale = 1, _dButtonScale = 1;
  float _adOverX = 0, _adOverY = 0;  // mouse area margins
  std::string _txt;                  // caption
  float _textScale[200];             // per-letter scales of the letter wave
  float _chrN = 0;                   // where the letter wave is
  float _dTextScale[200];            // not used
  int _wykonano = 0;                 // the current sequence completed a cycle
  // (The shortcut key is the base `_key`; buttons keep no second one.)
  float _textWidth = 0;   // width of "O" in the caption font
  float _textHeight = 0;  // caption font height
  float _bigText = 2;     // letter wave amplitude
  float _old4StepB = 0, _new4StepB = 0;  // previous and current cell of the cross-fade
  float _oldAlpha = 1, _newAlpha = 1;
  float dimAdX = 0, dimAdY = 0;  // caption offset
  float _pomRememberX = 0, _pomRememberY = 0;  // position from the GUI file

  TButton();

  void draw(float px, float py) override;
  // The mouse area from the picture or caption, the position and the margins.
  void countDims() override;
  // The mouse area of the letter wave: letters box with the anchor at its bottom centre.
  void countDims2() override;
  // Same as countDims.
  void CountDims() { countDims(); }
  void updateClass(int px, int py) override;

  // Milliseconds per frame of one sequence.
  virtual void setDeltaTime(int ms, int sequence);
  // Reads an animation schema such as "[NORMAL] 1 [OVER(80)] 2 3"; dir as `_dir`. Plays
  // "NORMAL" afterwards. False when the schema is unusable (a notice was shown).
  virtual bool interpretujSchemat(const std::string& schema, int dir);
  // The per-type work of a frame.
  virtual void updateMe(int px, int py);
  // Button scale and alpha toward their targets at 0.05 per frame step.
  virtual void updateScaleAndAlpha();
  // Picks the sequence from the mouse and the completed cycle.
  virtual void sprawdzAnimacje();
  // Steps the current sequence when its time has come.
  virtual void animUpdate();
  virtual void playAnim(const std::string& name);
  // Draws the caption letter by letter at each letter's wave scale.
  virtual void drawMyTextSpec(const std::string& text, float x, float y);

  // The BUTTON declaration of a GUI file; null (with a notice) for an unknown TYP or an
  // animated button without a usable schema.
  static std::shared_ptr<TButton> CreateFromList(const std::string& name, const TGuiEntries& entries,
                                                 TGui* gui);

  // The strip cell shown now by an animated button (-1 none).
  int currentCell() const;
  // The cell a frame-step button shows for its state: normal, over, pressed, inactive.
  int stateCell() const;
  // Loads a strip and cuts it into `count` cells along `dir`, each with a centre handle.
  static ImagePtr loadStrip(const std::string& path, int count, int dir);

 private:
  void drawCaption(float tx, float ty, bool spec);
  void imageArea();
  void captionArea();
};

// One named sequence of a frame animation object.
class TRGMAnim {
 public:
  std::string id;       // upper case
  int frame[100] = {};  // frame numbers (from 1), in play order
  int maxFrames = 0;    // how many are listed
  int interwal = 0;     // milliseconds per frame
  int loop = 0;
};

// A frame animation placed by a GUI file (ANIM): a strip of cells side by side and named
// sequences such as "[NORMAL LOOP 100] 1 2 3". Position 0 of a sequence shows nothing.
class TRGMAnimation : public TGuiObject {
 public:
  ImagePtr gfx;
  int allFrames = 0;  // distinct frame numbers in the schema: the strip's cells
  std::vector<std::shared_ptr<TRGMAnim>> animsList;
  std::shared_ptr<TRGMAnim> aktAnim;
  int _frame = 0;
  int _maxFrames = 0;
  int _animTime = 0;  // clock reading (low 32 bits) of the next change
  int _wykonano = 0;

  TRGMAnimation();

  void draw(float px, float py) override;
  virtual void updateMe(int px, int py);
  void updateClass(int px, int py) override;
  // The sequences of a schema; false (with a notice) when it is unusable.
  virtual bool _pobierzDeklaracje(const std::string& schema);
  // The strip, cut into allFrames cells side by side.
  virtual void loadGFX(const std::string& path);
  virtual bool interpretujSchemat(const std::string& schema);
  // Whether the number is among the first `count` of the list.
  static bool _czyZawiera(int value, const std::vector<int>& list);
  virtual void playAnim(const std::shared_ptr<TRGMAnim>& anim);
  virtual void playAnim(const std::string& name);

  // The ANIM declaration of a GUI file.
  static std::shared_ptr<TRGMAnimation> createFromList(const std::string& name,
                                                       const TGuiEntries& entries, TGui* gui);

  // The strip cell shown now, -1 none.
  int currentCell() const;
};
