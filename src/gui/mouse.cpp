#include "gui/mouse.h"

#include <climits>
#include <cmath>
#include <vector>

#include "app/virtual_display.h"
#include "engine/numbers.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/text.h"

namespace {

// Live mice, oldest first; the newest is the global mouse.
std::vector<TMouse*>& liveMice() {
  static std::vector<TMouse*> mice;
  return mice;
}


// The 32-bit clock reading kept in an int field, bit for bit.
int clockNow() { return static_cast<int>(millisecs()); }

// b - a on the 32-bit clock, right across its wrap.
int clockDiff(int a, int b) {
  return static_cast<int>(static_cast<unsigned>(b) - static_cast<unsigned>(a));
}

}  // namespace

// TCursor ------------------------------------------------------------------------------

void TCursor::draw(float x, float y) const {
  setColor(255, 255, 255);
  setScale(1, 1);
  setAlpha(1);
  drawImage(_img, x, y, _frame > 0 && _maxFrames > 0 ? _frame : 0);
}

bool TCursor::update() {
  if (_timeDelta <= 0 || _maxFrames <= 0) return false;
  // A fresh cursor (time 0) changes at its first update.
  const int now = clockNow();
  if (_time != 0 && clockDiff(_time, now) < 0) return false;
  _time = static_cast<int>(static_cast<unsigned>(now) + static_cast<unsigned>(_timeDelta));
  if (++_frame > _maxFrames) _frame = 0;
  return true;
}

// TMouse -------------------------------------------------------------------------------

TMouse::TMouse() { liveMice().push_back(this); }

TMouse::~TMouse() { std::erase(liveMice(), this); }

int TMouse::getHoldedTime() const {
  const unsigned d = static_cast<unsigned>(clockDiff(_leftHoldedTime, clockNow()));
  // The distance either way round the 32-bit clock.
  const unsigned distance = d > static_cast<unsigned>(INT_MAX) ? 0u - d : d;
  return distance > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(distance);
}

void TMouse::update() {
  leftPressed = mouseHit(1);
  rightPressed = mouseHit(2);
  middleHit = mouseHit(3);
  middleHold = mouseDown(3) ? 1 : 0;
  const bool leftDown = mouseDown(1);
  leftHolded = leftDown ? 1 : 0;

  if (leftDown && _leftHolded == 0) {
    _leftHoldedTime = clockNow();
    _leftHolded = 1;
  } else if (!leftDown) {
    _leftHoldedTime = 0;
    _leftHolded = 0;
  }
  // The frame of a press is never a hold frame, though the hold time starts in it.
  if (leftPressed != 0) leftHolded = 0;

  px = x;
  py = y;
  x = truncToInt(virtualMouseX());
  y = truncToInt(virtualMouseY());
  vx = px - x;
  vy = py - y;

  if (cur) cur->update();
}

void TMouse::draw() const {
  setBlend(BLEND_ALPHA);
  if (_v != 0 && cur) cur->draw(static_cast<float>(x), static_cast<float>(y));
}

void TMouse::show() { _v = 1; }
void TMouse::hide() { _v = 0; }

bool TMouse::inRect(float rx, float ry, float rw, float rh) const {
  const float mx = static_cast<float>(x), my = static_cast<float>(y);
  return rx <= mx && mx <= rx + rw && ry <= my && my <= ry + rh;
}

std::shared_ptr<TCursor> TMouse::loadCursor(const std::string& id, const ImagePtr& image, int hx,
                                            int hy) {
  auto cursor = std::make_shared<TCursor>();
  cursor->_id = id;
  cursor->_hx = hx;
  cursor->_hy = hy;
  cursor->_img = image;
  setImageHandle(cursor->_img, static_cast<float>(hx), static_cast<float>(hy));
  listaKursorow.push_back(cursor);
  cur = cursor;
  return cursor;
}

std::shared_ptr<TCursor> TMouse::loadCursor(const std::string& id, const std::string& path, int hx,
                                            int hy, int frames, int frameMs) {
  ImagePtr image = loadImage(path);
  std::shared_ptr<TCursor> cursor = loadCursor(id, image, hx, hy);
  if (image && frames >= 2) {
    const int cellWidth = image->width / frames;
    cursor->_img = loadAnimImage(path, cellWidth, image->height, 0, frames);
    setImageHandle(cursor->_img, static_cast<float>(hx), static_cast<float>(hy));
    cursor->_maxFrames = frames - 1;
    cursor->_timeDelta = frameMs;
  }
  return cursor;
}

void TMouse::setCursor(const std::string& id) {
  for (const std::shared_ptr<TCursor>& cursor : listaKursorow)
    if (str::equalsIgnoreCase(cursor->_id, id)) cur = cursor;
}

void TMouse::clear() {
  flushMouse();
  leftPressed = 0;
  leftHolded = 0;
  rightPressed = 0;
  rightHolded = 0;
}

TMouse* gMouse() { return liveMice().empty() ? nullptr : liveMice().back(); }

void setupCustomCursor(bool on) {
  if (TMouse* mouse = gMouse()) {
    if (on)
      mouse->show();
    else
      mouse->hide();
  }
  if (on)
    hideMouse();
  else
    showMouse();
}
