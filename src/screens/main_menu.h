#pragma once
// TEMPORARY title screen: fades in, shows the window title and two choices, and fades
// out with the chosen result. The real title screen replaces it.

#include <string>

#include "app/screen.h"

class TMainMenu : public TEkran {
 public:
  void prepare();
  std::string mainLoop();
  void update() override;
  void draw() override;

  // The choices, in design coordinates.
  struct Choice {
    const char* label;
    const char* result;
    float y;
  };
  static constexpr int kChoiceCount = 3;
  static const Choice kChoices[kChoiceCount];
  // The choice under the mouse, -1 when none.
  int hovered() const { return hovered_; }

 private:
  int hovered_ = -1;
  float glow_[kChoiceCount] = {};
};

TMainMenu& mainMenu();
