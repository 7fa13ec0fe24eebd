#pragma once
// TEMPORARY level viewer, reached from the temporary title screen until the card table
// exists: shows each level in data/levels/ with its background, the dealt cards, the
// deck and the spot. Hovering follows each card's outline; clicking an uncovered card
// lifts it off so the covering rule can be watched.

#include <string>
#include <vector>

#include "app/screen.h"
#include "game/level.h"

class TLevelPreview : public TEkran {
 public:
  std::string mainLoop();
  void prepare();
  void update() override;
  void draw() override;
  // Shows the level at this index of the level list (wrapping).
  void show(int index);
  const LevelPtr& level() const { return level_; }
  const std::vector<std::string>& files() const { return files_; }

 private:
  std::vector<std::string> files_;
  int index_ = 0;
  LevelPtr level_;
};

TLevelPreview& levelPreview();

// The level files in data/levels/, sorted.
std::vector<std::string> sampleLevelFiles();
