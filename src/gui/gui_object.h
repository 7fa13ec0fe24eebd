#pragma once
// The base of every GUI object: a named rectangle that knows whether the mouse is over it,
// was clicked or is held, fades its alpha and scale toward targets, and can be hidden or
// made inactive. TGui finds objects by `_id` and dispatches on `_class`.

#include <memory>
#include <string>

// Class codes kept in TGuiObject::_class. 4, 5, 6 and 11 are defined and used by nothing.
enum GuiClass : int {
  GUI_BUTTON = 0,
  GUI_TEXT_LIST = 1,
  GUI_WINDOW = 2,
  GUI_TEXT = 3,
  GUI_CLASS_4 = 4,
  GUI_CLASS_5 = 5,
  GUI_CLASS_6 = 6,
  GUI_ANIMATION = 7,
  GUI_SLIDER = 8,
  GUI_TEXT_ENTRY = 9,
  GUI_BAR = 10,
  GUI_CLASS_11 = 11,
};

// A colour; new ones are white.
class TRGB {
 public:
  int r = 255, g = 255, b = 255;

  TRGB() = default;
  TRGB(int r_, int g_, int b_) : r(r_), g(g_), b(b_) {}
};

// make colour (r, g, b)
inline std::shared_ptr<TRGB> makeRGB(int r, int g, int b) {
  return std::make_shared<TRGB>(r, g, b);
}

// Position, size and mouse area in design pixels. `mx`, `my` are not used.
class TDim {
 public:
  float x = 0, y = 0, h = 0, w = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float mx = 0, my = 0;

  TDim() = default;
  // Anchor only.
  TDim(float x_, float y_) : x(x_), y(y_) {}
  // Anchor and size, with the mouse area made from them.
  TDim(float x_, float y_, float w_, float h_) : x(x_), y(y_), h(h_), w(w_) { update(); }

  // The mouse area becomes the rectangle x, y, w, h.
  void update() {
    x1 = x;
    y1 = y;
    x2 = x + w;
    y2 = y + h;
  }
};

// make dim (x, y) and make dim (x, y, w, h)
inline std::shared_ptr<TDim> makeDim(float x, float y) { return std::make_shared<TDim>(x, y); }
inline std::shared_ptr<TDim> makeDim(float x, float y, float w, float h) {
  return std::make_shared<TDim>(x, y, w, h);
}

class TGuiObject {
 public:
  std::string _id;
  int _v = 1;      // visible: drawn
  int _a = 1;      // active: reacts to the mouse and its key
  int _class = GUI_BUTTON;
  std::shared_ptr<TDim> dim = std::make_shared<TDim>();
  float _alpha = 1, _dAlpha = 1;
  float _scale = 1, _dScale = 1;
  std::shared_ptr<TRGB> rgb = std::make_shared<TRGB>();  // null: no colour object
  int _over = 0;
  int _clicked = 0;
  int _holded = 0;
  float wzr = 0.03f;  // rate of the alpha and scale fades per frame step
  int _key = 0;       // key code that clicks the object, 0 none

  TGuiObject() = default;
  virtual ~TGuiObject() = default;
  TGuiObject(const TGuiObject&) = delete;
  TGuiObject& operator=(const TGuiObject&) = delete;

  // Adds to the anchor and to the mouse area.
  virtual void move(float dx, float dy);
  // Moves by the integer parts of the distance to (x, y).
  virtual void setPosition(float x, float y);
  // Visible and active on, over and clicked off.
  virtual void clear();
  // Per frame: mouse area and key, then the class update, then the fades. px, py is the
  // parent's offset.
  virtual void update(float px, float py);
  // The class's own per-frame work (buttons, animations; the other classes override it).
  virtual void updateClass(int px, int py);
  // Approach of `_scale` and `_alpha` to their targets at `wzr` per frame step.
  virtual void updateParams();
  // Fade out: target alpha 0.
  virtual void wygasAlpha();
  // Shrink away: target scale 0.
  virtual void wygasScale();
  // Debugging aid: the mouse area outlined in red.
  virtual void _drawFrame();
  virtual void draw(float px, float py);
  virtual void setKey(int key);
  virtual void setRGB(int r, int g, int b);
  virtual void setState(int visible, int active);
  virtual void countDims();
  virtual void countDims2();
};

using GuiObjectPtr = std::shared_ptr<TGuiObject>;

// Objects that report a chosen command rather than their own name (menu bars, text lists):
// TGui reads `_clickedOp` and `_overOp` instead of the base flags.
class TGuiSelector : public TGuiObject {
 public:
  std::string _clickedOp;  // command chosen this frame, "" none
  std::string _overOp;     // command under the mouse this frame, "" none

  // Forgets this frame's reports (the base keeps them).
  virtual void _clean() {}
};
