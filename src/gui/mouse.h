#pragma once
// The global mouse: the engine's raw mouse input turned once per frame into state in design
// coordinates (position, movement, presses, holds, how long the left button is held), and
// the game's own cursors, one of which is drawn on top of each frame when the custom cursor
// is on. GUI objects and screens ask the mouse, never the engine.

#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"

// One named cursor: a single image or an animation strip whose handle is the hot spot.
class TCursor {
 public:
  std::string _id;
  ImagePtr _img;
  int _time = 0;       // clock reading (low 32 bits) of the next frame change
  int _timeDelta = 0;  // milliseconds per frame; 0: not animated
  int _frame = 0;
  int _maxFrames = 0;  // index of the last frame; 0: single image
  int _hx = 0, _hy = 0;

  // Draws the cursor with its hot spot on (x, y).
  void draw(float x, float y) const;
  // Steps the animation when its time has come; true when the frame changed.
  bool update();
};

class TMouse {
 public:
  std::vector<std::shared_ptr<TCursor>> listaKursorow;
  int x = 0, y = 0;
  int px = 0, py = 0;  // position in the previous frame
  int vx = 0, vy = 0;  // previous position minus current position
  int leftPressed = 0;
  int rightPressed = 0;
  int leftHolded = 0;  // down, except in the frame of a press
  int rightHolded = 0;  // only ever cleared
  int middleHit = 0;
  int middleHold = 0;
  int _v = 1;  // the custom cursor is drawn
  std::shared_ptr<TCursor> cur;
  ImagePtr point;
  int _leftHolded = 0;
  int _leftHoldedTime = 0;  // clock reading (low 32 bits) when the left button went down

  // A new mouse becomes the global mouse until it is destroyed.
  TMouse();
  ~TMouse();
  TMouse(const TMouse&) = delete;
  TMouse& operator=(const TMouse&) = delete;

  // Milliseconds the left button has been held; check leftHolded first (while the button
  // is up this is the clock reading itself).
  int getHoldedTime() const;
  // Once per frame: reads the buttons and the position, and steps the current cursor.
  void update();
  // Last in the frame: the current cursor at the mouse position, when the cursor is shown.
  void draw() const;
  // Whether the game draws its cursor; the system pointer is not touched.
  void show();
  void hide();
  // True when the mouse lies in the rectangle, edges included.
  bool inRect(float rx, float ry, float rw, float rh) const;
  // The same against anything with float x, y, w, h (a TDim).
  template <class Dim>
  bool inDim(const Dim& dim) const {
    return inRect(dim.x, dim.y, dim.w, dim.h);
  }
  // Adds a cursor made from a loaded image (single frame) and makes it current.
  std::shared_ptr<TCursor> loadCursor(const std::string& id, const ImagePtr& image, int hx, int hy);
  // Adds a cursor loaded from a file, an animation strip of `frames` cells side by side when
  // frames is 2 or more, and makes it current.
  std::shared_ptr<TCursor> loadCursor(const std::string& id, const std::string& path, int hx,
                                      int hy, int frames = 1, int frameMs = 0);
  // Every cursor of that name, ignoring case, becomes current in list order: the last match
  // wins. An unknown name keeps the current cursor.
  void setCursor(const std::string& id);
  // Forgets presses and holds, so a click already handled is not seen again.
  void clear();
};

// The newest mouse still alive, null when there is none.
TMouse* gMouse();

// The custom cursor setting: on, the game draws its cursor and the system pointer is hidden;
// off, the system pointer is shown and the game draws none.
void setupCustomCursor(bool on);
