// The quest's layouts and how obstacles are spread over the stages. Shapes are built
// from overlapping rows and chains of 96 x 140 cards; a card listed later lies on top.
#include "designs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace leveltool {
namespace {

constexpr float kStepX = 100;  // neighbours in a row just miss each other
constexpr float kPi = 3.14159265f;

using Slots = std::vector<Slot>;

void add(Slots& s, float x, float y) { s.push_back(Slot{x, y}); }

// One pyramid: the apex first, each lower row lying on the one above it.
void pyramidAt(Slots& s, float cx, float top, int height, float dy) {
  for (int r = 0; r < height; ++r)
    for (int c = 0; c <= r; ++c) add(s, cx + (c - r / 2.0f) * kStepX, top + r * dy);
}

Slots pyramid(int height) {
  Slots s;
  pyramidAt(s, 512, 175, height, height > 7 ? 50 : 55);
  return s;
}

// k pyramids side by side; with a foot, one more row lies across all their bases.
Slots peaks(int k, int height, bool foot) {
  Slots s;
  const float dy = 60;
  // Row by row across all peaks, so every lower row is listed after the one above it.
  for (int r = 0; r < height; ++r)
    for (int p = 0; p < k; ++p) {
      const float cx = 512 + (p - (k - 1) / 2.0f) * height * kStepX;
      for (int c = 0; c <= r; ++c) add(s, cx + (c - r / 2.0f) * kStepX, 180 + r * dy);
    }
  if (foot && k * height + 1 <= 10) {
    const int n = k * height + 1;
    for (int c = 0; c < n; ++c) add(s, 512 + (c - (n - 1) / 2.0f) * kStepX, 180 + height * dy);
  }
  return s;
}

// Brick rows: every row lies on the row above it, shifted by half a card.
Slots wall(int rows, int cols) {
  Slots s;
  for (int r = 0; r < rows; ++r) {
    const int n = r % 2 ? cols - 1 : cols;
    for (int c = 0; c < n; ++c) add(s, 512 + (c - (n - 1) / 2.0f) * kStepX, 185 + r * 62);
  }
  return s;
}

// Cascades: each card of a column lies on the one above it.
Slots columns(int count, int depth) {
  Slots s;
  for (int c = 0; c < count; ++c)
    for (int d = 0; d < depth; ++d) add(s, 512 + (c - (count - 1) / 2.0f) * 118, 190 + d * 40);
  return s;
}

// Arms winding out from the middle; the outer cards lie on the inner ones. The arms
// start well away from the middle and spread to the table's edge, so only neighbours on
// an arm overlap: a heap in the middle would leave a single card to play at a time.
Slots spiral(int arms, int perArm) {
  Slots s;
  const float inner = 140, outer = 395;
  const float step = perArm > 1 ? (outer - inner) / static_cast<float>(perArm - 1) : 0;
  for (int k = 0; k < perArm; ++k)
    for (int a = 0; a < arms; ++a) {
      const float r = inner + k * step;
      const float ang = (a * 360.0f / arms + k * 28.0f) * kPi / 180;
      add(s, 512 + r * std::cos(ang), 355 + r * 0.46f * std::sin(ang));
    }
  return s;
}

// Curved layers: each layer lies over the gaps of the one before it.
Slots fan(int first, int layers) {
  Slots s;
  const float cx = 512, cy = 860, radius = 600, spacing = 104;
  for (int l = 0; l < layers; ++l) {
    const int n = first - l;
    const float r = radius - l * 58;
    const float step = spacing / r;
    for (int i = 0; i < n; ++i) {
      const float ang = (i - (n - 1) / 2.0f) * step;
      add(s, cx + r * std::sin(ang) * 1.05f, cy - r * std::cos(ang));
    }
  }
  return s;
}

// Two diamonds of rows 1..w..1.
Slots diamonds(int count, int width) {
  Slots s;
  const float dy = 45;
  for (int d = 0; d < count; ++d) {
    const float cx = 512 + (d - (count - 1) / 2.0f) * (width * kStepX + 20);
    int row = 0;
    for (int n = 1; n <= width; ++n, ++row)
      for (int c = 0; c < n; ++c) add(s, cx + (c - (n - 1) / 2.0f) * kStepX, 175 + row * dy);
    for (int n = width - 1; n >= 1; --n, ++row)
      for (int c = 0; c < n; ++c) add(s, cx + (c - (n - 1) / 2.0f) * kStepX, 175 + row * dy);
  }
  return s;
}

// Whether slot b (listed later) may lie on slot a, by the picture sizes alone.
bool overlapsRoughly(const Slot& a, const Slot& b) {
  return std::fabs(a.x - b.x) < 96 && std::fabs(a.y - b.y) < 140;
}

// Slots that no later slot lies on.
std::vector<int> topSlots(const Slots& s) {
  std::vector<int> out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    bool covered = false;
    for (std::size_t j = i + 1; j < s.size() && !covered; ++j) covered = overlapsRoughly(s[i], s[j]);
    if (!covered) out.push_back(static_cast<int>(i));
  }
  return out;
}

int coverCount(const Slots& s, std::size_t i) {
  int n = 0;
  for (std::size_t j = i + 1; j < s.size(); ++j) n += overlapsRoughly(s[i], s[j]);
  return n;
}

// Rocks on the deepest cards and the hammer under a few others, never under rocks.
void placeRocks(Slots& s, int rocks, std::mt19937& rng) {
  const int n = static_cast<int>(s.size());
  rocks = std::min(rocks, n / 4);
  for (int i = 0; i < rocks; ++i) s[i].rocks = true;
  std::vector<int> candidates;
  for (int i = rocks; i < n * 2 / 3; ++i)
    if (coverCount(s, i) >= 1) candidates.push_back(i);
  if (candidates.empty()) return;
  const int pick = candidates[std::uniform_int_distribution<int>(0, static_cast<int>(candidates.size()) - 1)(rng)];
  s[pick].hammer = true;
}

// Ice on a few uncovered cards of the left half; everything right of the rightmost
// one is snowed in until the ice is gone.
void placeIce(Slots& s, int count) {
  std::vector<int> tops = topSlots(s);
  std::sort(tops.begin(), tops.end(), [&](int a, int b) { return s[a].x < s[b].x; });
  int placed = 0;
  for (int i : tops) {
    if (placed >= count || s[i].x > 520) break;
    if (s[i].rocks || s[i].hammer) continue;
    s[i].ice = true;
    ++placed;
  }
}

void placeForced(Slots& s, float share, std::mt19937& rng) {
  for (Slot& slot : s)
    if (!slot.hammer && std::uniform_real_distribution<float>(0, 1)(rng) < share) slot.forced = true;
}

void placeTableSword(Slots& s, std::mt19937& rng) {
  std::vector<int> choices;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!s[i].rocks && !s[i].hammer && !s[i].ice) choices.push_back(static_cast<int>(i));
  if (choices.empty()) return;
  s[choices[std::uniform_int_distribution<int>(0, static_cast<int>(choices.size()) - 1)(rng)]].sword = true;
}

// The shape of a level: a small table early, bigger and deeper ones later.
Slots shapeFor(int stage, int level, std::string& name) {
  const int d = (stage - 1) * 10 + (level - 1);  // 0 .. 119
  const int big = 1 + d / 24;                      // 1 .. 5
  switch ((stage * 3 + level) % 8) {
    case 0: name = "peaks"; return peaks(big < 2 ? 4 : 3, big < 2 ? 2 : 3, big >= 2);
    case 1: name = "pyramid"; return pyramid(std::min(4 + big, 8));
    case 2: name = "wall"; return wall(std::min(2 + big / 2 + 1, 5), big < 2 ? 6 : 8);
    case 3: name = "columns"; return columns(big < 2 ? 5 : 7, std::min(2 + big / 2 + 1, 5));
    case 4: name = "spiral"; return spiral(4, std::min(2 + big, 7));
    case 5: name = "fan"; return fan(big < 3 ? 7 : 9, std::min(2 + big / 2, 4));
    case 6: name = "diamonds"; return diamonds(2, std::min(3 + big / 3, 4));
    default: name = "twin peaks"; return peaks(2, std::min(3 + big / 2, 5), big >= 3);
  }
}

}  // namespace

std::string levelFileName(int stage, int level) {
  char name[64];
  std::snprintf(name, sizeof name, "data/levels/stage-%02d-level-%02d.lvl", stage, level);
  return name;
}

int magicCardsForLevel(int n) {
  const int stage = (n - 1) / 10 + 1, level = (n - 1) % 10 + 1;
  if (stage == 1) return level >= 5 && level % 3 == 2 ? 1 : 0;
  if (stage <= 4) return level % 3 == 0 ? 1 : 0;
  if (stage <= 8) return level % 2 == 0 ? 1 : 0;
  return level % 4 == 0 ? 2 : 1;
}

std::vector<LevelDesign> designQuest(std::uint32_t seed) {
  std::vector<LevelDesign> out;
  for (int stage = 1; stage <= 12; ++stage)
    for (int level = 1; level <= 10; ++level) {
      std::mt19937 rng(seed * 7919u + static_cast<unsigned>(stage * 100 + level));
      LevelDesign L;
      L.stage = stage;
      L.level = level;
      // The first levels of the quest are plain small peaks while the player learns.
      if (stage == 1 && level <= 3) {
        L.shape = "peaks";
        L.slots = level == 1 ? peaks(3, 3, false) : peaks(4, 2, true);
      } else {
        L.slots = shapeFor(stage, level, L.shape);
      }
      // Stand the layout in the middle of the table area, between the top display and the deck.
      float top = 1e9f, bottom = -1e9f;
      for (const Slot& slot : L.slots) {
        top = std::min(top, slot.y);
        bottom = std::max(bottom, slot.y);
      }
      const float shift = std::round(355 - (top + bottom) / 2);
      for (Slot& slot : L.slots) slot.y += shift;
      const bool intro = level == 1;
      // Obstacles: each first appears alone in the first level of its stage.
      bool rocks = false, ice = false, forced = false, deckSwords = false, tableSword = false;
      if (stage == 2) rocks = intro || level % 3 == 0;
      if (stage == 3) { ice = intro || level % 3 == 0; rocks = level == 5 || level == 8; }
      if (stage == 4) { forced = intro || level % 2 == 0; rocks = level == 3 || level == 9; ice = level == 6 || level == 7; }
      if (stage == 5) { deckSwords = intro || level % 3 == 1; rocks = level == 4 || level == 8; ice = level == 5; forced = level == 9; }
      if (stage == 6) {
        tableSword = intro || level % 2 == 0;
        if (!intro) { rocks = level % 3 == 0; ice = level % 4 == 2; deckSwords = level == 5 || level == 9; forced = level == 7; }
      }
      if (stage >= 7) {
        const int mix = (stage * 7 + level * 3) % 6;
        rocks = mix == 0 || mix == 3 || (stage >= 10 && mix == 5);
        ice = mix == 1 || mix == 3 || (stage >= 11 && mix == 4);
        forced = mix == 2 || mix == 4;
        deckSwords = level % 3 == 0;
        tableSword = level % 4 == 1;
      }
      if (rocks) placeRocks(L.slots, 2 + stage / 3, rng);
      if (ice) placeIce(L.slots, stage >= 8 ? 3 : 2);
      if (forced) placeForced(L.slots, 0.25f, rng);
      if (tableSword) placeTableSword(L.slots, rng);
      L.deckSwords = deckSwords ? 1 + (stage >= 9) : 0;
      if (rocks) L.shape += " + rocks";
      if (ice) L.shape += " + ice";
      if (forced) L.shape += " + face-up";
      if (tableSword) L.shape += " + sword";
      if (deckSwords) L.shape += " + deck swords";
      // A generous deck early, a lean one late; the checker adds cards until the target.
      const float ratio = 1.0f - 0.38f * static_cast<float>((stage - 1) * 10 + level - 1) / 119.0f;
      const int n = static_cast<int>(L.slots.size());
      L.deckSize = std::max(14 + n / 2, static_cast<int>(static_cast<float>(n) * ratio * 0.8f));
      L.targetClear = 0.92f - 0.14f * static_cast<float>(stage - 1) / 11.0f;
      L.back = (stage + level) % 6;
      L.background = (stage - 1 + (level - 1) / 5) % 4 + 1;
      L.sound = (stage + level / 6 - 1) % 4 + 1;
      out.push_back(std::move(L));
    }
  return out;
}

}  // namespace leveltool
