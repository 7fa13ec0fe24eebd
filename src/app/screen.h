#pragma once
// The screen base: every screen fades in and out, draws its GUI and runs a modal loop
// until it has faded out with its result set.

#include <memory>
#include <string>

#include "engine/image.h"

class TGui;

class TEkran {
 public:
  std::string id = "Screen Object";
  std::string wynik;
  int _exit = 0;
  float alpha = 1;
  float dAlpha = 1;
  float fade = 0;
  float dFade = 0;
  float p = 0;
  float dp = 0;
  float aSpeed = 0.05f;
  float fSpeed = 0.05f;
  float pSpeed = 0.005f;
  std::shared_ptr<TGui> Gui;
  TEkran* ekran = nullptr;

  virtual ~TEkran() = default;

  // Loads the screen's pictures and GUI; once, while the game loads.
  virtual void setup() {}
  // Records this screen as the most recent one.
  virtual void sendPixMap();
  // Colour white, alpha blending, no scale or rotation, full alpha.
  virtual void drawStandards();
  virtual void _drawGui();
  // Darkens everything by `fade`.
  virtual void _drawBlackFade();
  // A white flash growing with `fade`, then the state reset.
  virtual void _drawFade();
  // The same flash at half the size, leaving blend, scale and alpha as they are.
  virtual void _drawWhiteFade();
  virtual void _drawMouse();
  virtual void draw() {}
  virtual void _updatePer();
  virtual void _updateFade();
  virtual void _updateAlpha();
  virtual void _updateGui();
  virtual void update() {}
  // Draws the screen on a cleared frame and returns the picture.
  virtual TPixmap _getMyScreen();
  // Fully visible, no fade.
  virtual void STANDARD_DATA();
  // Runs the frame timer a few times so loading time is not one huge frame step.
  virtual void _prepareDelta();

  // The usual modal loop: frames of clear, update, draw and flip until the screen has
  // faded out (the common exit rule); returns `wynik`.
  std::string runFrames();

  // The common exit rule: faded out to black, or to transparent.
  bool fadedOut() const { return (fade == 1 && dFade == 1) || (alpha == 0 && dAlpha == 0); }
};

// The screen that last called sendPixMap.
TEkran* mostRecentScreen();
