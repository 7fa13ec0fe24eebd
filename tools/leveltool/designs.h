#pragma once
// The quest's designed content: twelve stages of ten levels. Each level is a layout (a
// shape of overlapping piles), its obstacles, its looks and a starting deck size; the
// deck is then grown by the checker until the level is clearable often enough.
#include <cstdint>
#include <string>
#include <vector>

namespace leveltool {

// One table card of a layout, before the faces are chosen.
struct Slot {
  float x = 0, y = 0;
  bool rocks = false, ice = false, forced = false, hammer = false, sword = false;
};

// One designed level.
struct LevelDesign {
  int stage = 1, level = 1;  // both from 1
  std::string shape;         // layout name, for the report
  std::vector<Slot> slots;   // drawing order: later slots lie on top
  int deckSize = 0;
  int deckSwords = 0;        // sword cards (202..214) mixed into the deck
  int back = 0, background = 1, sound = 1;
  float targetClear = 0.9f;  // share of deals the oracle must clear before the deck stops growing
};

// The file a level is written to, relative to the installation folder.
std::string levelFileName(int stage, int level);

// The designs of the whole quest, deterministic for a seed.
std::vector<LevelDesign> designQuest(std::uint32_t seed);

// The magic cards placed in overall level n (1..120).
int magicCardsForLevel(int n);

}  // namespace leveltool
