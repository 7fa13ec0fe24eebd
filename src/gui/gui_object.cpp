#include "gui/gui_object.h"

#include "app/delta_time.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "gui/mouse.h"

void TGuiObject::move(float dx, float dy) {
  dim->x += dx;
  dim->y += dy;
  dim->x1 += dx;
  dim->y1 += dy;
  dim->x2 += dx;
  dim->y2 += dy;
}

void TGuiObject::setPosition(float x, float y) {
  move(static_cast<float>(truncToInt(x - dim->x)), static_cast<float>(truncToInt(y - dim->y)));
}

void TGuiObject::clear() {
  _v = 1;
  _a = 1;
  _over = 0;
  _clicked = 0;
}

void TGuiObject::update(float px, float py) {
  const TMouse* mouse = gMouse();
  const bool inside = mouse != nullptr && mouse->x >= dim->x1 + px && mouse->x <= dim->x2 + px &&
                      mouse->y >= dim->y1 + py && mouse->y <= dim->y2 + py;
  if (_v && _a && inside) {
    _over = 1;
    _clicked = mouse->leftPressed;
    _holded = mouse->leftHolded;
  } else {
    // The hold survives leaving the area: a drag that wanders off is still a drag.
    _over = 0;
    _clicked = 0;
  }
  if (_a && _key != 0 && keyHit(_key) > 0) {
    _clicked = 1;
    _over = 1;
  }
  updateClass(truncToInt(px), truncToInt(py));
  updateParams();
}

void TGuiObject::updateClass(int, int) {}

void TGuiObject::updateParams() {
  approach(_scale, _dScale, wzr);
  approach(_alpha, _dAlpha, wzr);
}

void TGuiObject::wygasAlpha() { _dAlpha = 0; }

void TGuiObject::wygasScale() { _dScale = 0; }

void TGuiObject::_drawFrame() {
  setColor(255, 0, 0);
  setAlpha(1);
  drawLine(dim->x1, dim->y1, dim->x2, dim->y1);
  drawLine(dim->x2, dim->y1, dim->x2, dim->y2);
  drawLine(dim->x2, dim->y2, dim->x1, dim->y2);
  drawLine(dim->x1, dim->y2, dim->x1, dim->y1);
  setColor(255, 255, 255);
}

void TGuiObject::draw(float, float) {}

void TGuiObject::setKey(int key) { _key = key; }

void TGuiObject::setRGB(int r, int g, int b) {
  if (!rgb) rgb = std::make_shared<TRGB>();
  rgb->r = r;
  rgb->g = g;
  rgb->b = b;
}

void TGuiObject::setState(int visible, int active) {
  _v = visible;
  _a = active;
}

void TGuiObject::countDims() {}

void TGuiObject::countDims2() {}
