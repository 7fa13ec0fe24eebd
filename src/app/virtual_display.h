#pragma once
// The virtual display: maps the game's fixed design area (1024 x 768) onto whatever the
// window or the desktop offers, stretched to fill it or scaled uniformly and centred with
// bars, and turns the mouse back into design coordinates. Everything the game draws is in
// design coordinates; this module sets the engine's virtual resolution, origin and
// viewport so that those land in the right place.

namespace vdisplay {

// Mode bits; any mode other than 0 scales uniformly and centres.
constexpr int MODE_STRETCH = 0;
constexpr int MODE_CLIP = 1;     // clip to the design area, paint the rest in the border colour
constexpr int MODE_UNIFORM = 2;  // the game's mode whenever it does not stretch
constexpr int MODE_INTEGER = 4;  // whole scale factor (at least 1) and whole-pixel offsets

}  // namespace vdisplay

// The module's state, readable for tests and for code that needs the offsets.
struct VirtualDisplayState {
  float offsetX = 0, offsetY = 0;  // design area's top-left inside the engine's virtual resolution
  float width = 0, height = 0;     // the design area
  int mode = vdisplay::MODE_STRETCH;
  int borderRed = 0, borderGreen = 0, borderBlue = 0;
  float alignX = 0.5f, alignY = 0.5f;  // share of the free space placed before the design area
};

const VirtualDisplayState& virtualDisplayState();

// Sets up the display for a design area of width x height. A mode of 1 keeps the stored
// mode (so that "clip only" is reachable through setVirtualDisplayMode).
void setVirtualDisplay(float width, float height, int mode);
// Runs the set-up again with a new mode and the same design size.
void setVirtualDisplayMode(int mode);
// Called right after every flip: repaints the border when clipping, then clears.
void refreshVirtualDisplay();

// The mouse in design coordinates.
float virtualMouseX();
float virtualMouseY();
// Moves the mouse to a point in design coordinates.
void moveVirtualMouse(float x, float y);

// Clips drawing to a rectangle in design coordinates, never beyond the design area.
void setVirtualViewport(float x, float y, float w, float h);
void getVirtualViewport(float& x, float& y, float& w, float& h);

// The drawing origin in design coordinates.
void setVirtualOrigin(float x, float y);
void getVirtualOrigin(float& x, float& y);

float virtualWidth();
float virtualHeight();

// Takes effect at the next set-up or refresh.
void setVirtualBorderColor(int r, int g, int b);
// Where the design area sits in the free space (0.5, 0.5 centres); takes effect at the next set-up.
void setVirtualAlignment(float ax, float ay);

// Paints black over everything outside the design area, so nothing drawn past its edges
// shows in the bars. Drawn with origin 0,0 over the whole virtual resolution; origin,
// viewport and handle are put back, and it leaves colour 255,255,255, blend alpha, alpha 1,
// rotation 0 and scale 1,1, the drawing state every frame starts from.
void drawVirtualBorders();
