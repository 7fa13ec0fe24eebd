#pragma once
// TEMPORARY screens over the card table, until the options panel and the level end
// screen exist: the in-game menu (play on, restart, back to the title) and a summary of
// the finished level. Both run modally inside the table's frame loop and draw the table,
// frozen, under a darkened panel.

#include <string>
#include <vector>

#include "app/screen.h"

class TTableOverlay : public TEkran {
 public:
  struct Choice {
    std::string label;
    std::string result;
  };

  std::string mainLoop();
  void update() override;
  void draw() override;

  // The choices' places, in design coordinates.
  float choiceTop(int i) const;
  static constexpr float kChoiceWidth = 340, kChoiceHeight = 52, kChoiceLeft = 512 - kChoiceWidth / 2;
  int hovered() const { return hovered_; }

 protected:
  std::string heading_;
  std::vector<std::string> lines_;  // figures shown under the heading
  std::vector<Choice> choices_;
  std::string escapeResult_;

  virtual void fill() = 0;

 private:
  int hovered_ = -1;
  bool decided_ = false;
  std::vector<float> glow_;
};

// The in-game menu: "CONTINUE", "RESTART" or "MAIN-MENU".
class TGameMenu : public TTableOverlay {
 protected:
  void fill() override;
};

// The finished level's figures; returns "" (go on).
class TLevelSummary : public TTableOverlay {
 protected:
  void fill() override;
};

TGameMenu& gameMenu();
TLevelSummary& levelSummary();
