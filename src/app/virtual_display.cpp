#include "app/virtual_display.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/numbers.h"
#include "engine/draw.h"
#include "engine/input.h"

namespace {

VirtualDisplayState g_state;

bool hasBit(int bit) { return g_state.mode != vdisplay::MODE_STRETCH && (g_state.mode & bit) != 0; }

void setDesignViewport() {
  setViewport(truncToInt(g_state.offsetX), truncToInt(g_state.offsetY), truncToInt(g_state.width),
              truncToInt(g_state.height));
}

// Clears the whole virtual resolution, one pixel beyond it against rounding, with the
// border colour; the clear colour and the viewport are left as they were set.
void paintBorder() {
  const TGraphicsContext& gc = graphics();
  const int r = gc.clscolor_red, g = gc.clscolor_green, b = gc.clscolor_blue;
  setViewport(0, 0, truncToInt(std::ceil(gc.vres_width) + 1), truncToInt(std::ceil(gc.vres_height) + 1));
  setClsColor(g_state.borderRed, g_state.borderGreen, g_state.borderBlue);
  cls();
  setClsColor(r, g, b);
}

}  // namespace

const VirtualDisplayState& virtualDisplayState() { return g_state; }

void setVirtualDisplay(float width, float height, int mode) {
  if (mode != vdisplay::MODE_CLIP) g_state.mode = mode;
  g_state.width = width;
  g_state.height = height;
  if (!(width > 0) || !(height > 0)) return;

  if (g_state.mode == vdisplay::MODE_STRETCH) {
    // The engine scales x and y independently to fill the display.
    g_state.offsetX = g_state.offsetY = 0;
    setVirtualResolution(width, height);
    setViewport(0, 0, truncToInt(std::ceil(width)), truncToInt(std::ceil(height)));
    setOrigin(0, 0);
    return;
  }

  const TGraphicsContext& gc = graphics();
  const float gw = static_cast<float>(gc.g_width), gh = static_cast<float>(gc.g_height);
  if (!(gw > 0) || !(gh > 0)) return;  // no display open yet
  float s = std::min(gw / width, gh / height);
  if (hasBit(vdisplay::MODE_INTEGER)) s = std::max(std::floor(s), 1.0f);

  // The virtual resolution keeps the display's aspect ratio; the scaled design area fits in it.
  const float vw = gw / s, vh = gh / s;
  setVirtualResolution(vw, vh);
  g_state.offsetX = (vw - width) * g_state.alignX;
  g_state.offsetY = (vh - height) * g_state.alignY;
  if (hasBit(vdisplay::MODE_INTEGER)) {
    g_state.offsetX = std::floor(g_state.offsetX);
    g_state.offsetY = std::floor(g_state.offsetY);
  }

  if (hasBit(vdisplay::MODE_CLIP)) {
    paintBorder();
    setDesignViewport();
  } else {
    setViewport(0, 0, truncToInt(std::ceil(vw)), truncToInt(std::ceil(vh)));
  }
  setOrigin(g_state.offsetX, g_state.offsetY);
}

void setVirtualDisplayMode(int mode) {
  g_state.mode = mode;
  setVirtualDisplay(g_state.width, g_state.height, vdisplay::MODE_CLIP);
}

void refreshVirtualDisplay() {
  if (hasBit(vdisplay::MODE_CLIP)) {
    paintBorder();
    setDesignViewport();
  }
  cls();
}

float virtualMouseX() { return virtualMouseXRaw() - g_state.offsetX; }
float virtualMouseY() { return virtualMouseYRaw() - g_state.offsetY; }

void moveVirtualMouse(float x, float y) {
  const TGraphicsContext& gc = graphics();
  if (!(gc.vres_mousexscale > 0) || !(gc.vres_mouseyscale > 0)) return;
  const float wx = (x + g_state.offsetX) / gc.vres_mousexscale;
  const float wy = (y + g_state.offsetY) / gc.vres_mouseyscale;
  moveMouse(truncToInt(std::round(wx)), truncToInt(std::round(wy)));
}

void setVirtualViewport(float x, float y, float w, float h) {
  const VirtualDisplayState& s = g_state;
  const float left = std::max(x + s.offsetX, s.offsetX);
  const float top = std::max(y + s.offsetY, s.offsetY);
  const float right = std::min(x + w + s.offsetX, s.offsetX + s.width);
  const float bottom = std::min(y + h + s.offsetY, s.offsetY + s.height);
  const int l = truncToInt(left), t = truncToInt(top);
  setViewport(l, t, truncToInt(right - static_cast<float>(l)), truncToInt(bottom - static_cast<float>(t)));
}

void getVirtualViewport(float& x, float& y, float& w, float& h) {
  int vx = 0, vy = 0, vw = 0, vh = 0;
  getViewport(vx, vy, vw, vh);
  x = static_cast<float>(vx) - g_state.offsetX;
  y = static_cast<float>(vy) - g_state.offsetY;
  w = static_cast<float>(vw);
  h = static_cast<float>(vh);
}

void setVirtualOrigin(float x, float y) { setOrigin(x + g_state.offsetX, y + g_state.offsetY); }

void getVirtualOrigin(float& x, float& y) {
  getOrigin(x, y);
  x -= g_state.offsetX;
  y -= g_state.offsetY;
}

float virtualWidth() { return g_state.width; }
float virtualHeight() { return g_state.height; }

void setVirtualBorderColor(int r, int g, int b) {
  g_state.borderRed = r;
  g_state.borderGreen = g;
  g_state.borderBlue = b;
}

void setVirtualAlignment(float ax, float ay) {
  g_state.alignX = ax;
  g_state.alignY = ay;
}

void drawVirtualBorders() {
  const TGraphicsContext& gc = graphics();
  float ox = 0, oy = 0;
  getOrigin(ox, oy);
  int vx = 0, vy = 0, vw = 0, vh = 0;
  getViewport(vx, vy, vw, vh);
  const float hx = gc.handle_x, hy = gc.handle_y;

  setOrigin(0, 0);
  setHandle(0, 0);
  setViewport(0, 0, truncToInt(std::ceil(gc.vres_width) + 1), truncToInt(std::ceil(gc.vres_height) + 1));
  setColor(0, 0, 0);
  setBlend(BLEND_ALPHA);
  setAlpha(1);
  setTransform(0, 1, 1);

  // Side bars over the full height, top and bottom bars between them; a pixel of slack
  // past the virtual resolution covers its rounding.
  const float fullW = std::ceil(gc.vres_width) + 1, fullH = std::ceil(gc.vres_height) + 1;
  const float left = g_state.offsetX, top = g_state.offsetY;
  const float right = left + g_state.width, bottom = top + g_state.height;
  const auto bar = [](float x, float y, float w, float h) {
    if (w > 0 && h > 0) drawRect(x, y, w, h);
  };
  bar(0, 0, left, fullH);
  bar(right, 0, fullW - right, fullH);
  bar(left, 0, g_state.width, top);
  bar(left, bottom, g_state.width, fullH - bottom);

  setColor(255, 255, 255);
  setHandle(hx, hy);
  setViewport(vx, vy, vw, vh);
  setOrigin(ox, oy);
}
