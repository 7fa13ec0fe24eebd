// A card's own covering check: which table cards lie on it, and what turning free
// means for it (flip up, pick up a sword, find the hammer, keep its snow).
#include <cmath>

#include "engine/numbers.h"
#include "game/card.h"

namespace {

constexpr float kCoverReach = 150;  // cards further apart never cover each other
constexpr float kNoWaterLine = 1500;  // beyond the screen

// Distance of two centres, each axis truncated to whole pixels first.
float centreDistance(const TCard& a, const TCard& b) {
  const int dx = truncToInt(std::fabs(b.x - a.x));
  const int dy = truncToInt(std::fabs(b.y - a.y));
  return std::sqrt(static_cast<float>(dx) * dx + static_cast<float>(dy) * dy);
}

bool isSword(const TCard& card) { return card.cd && card.cd->isSword(); }
bool isHammer(const TCard& card) { return card.cd && card.cd->isSpecCard(); }

}  // namespace

void TCard::CHECK_Cover(CardList& cards, int initial) {
  const TCardLinks& links = cardLinks();
  if (utrudnienie1 && links.rocksLocked && links.rocksLocked(*this)) {
    side = 0;
    return;
  }
  const float waterX = links.waterLine ? links.waterLine() : kNoWaterLine;

  bool free = true;
  auto it = cards.begin();
  while (it != cards.end() && it->get() != this) ++it;
  if (it != cards.end()) ++it;
  for (; it != cards.end(); ++it) {
    TCard& later = **it;
    if (centreDistance(*this, later) < kCoverReach && cardsOverlap(*this, later)) {
      free = false;
      odkryta = 0;
      break;
    }
    if (!initial && ::isSword(later)) odkryta = 0;
  }

  if (!free && side == 1) {
    if (!forceSide) side = 0;
    odkryta = 0;
  }

  if (free && !odkryta) {
    if (initial) {
      side = 1;
      odkryta = 1;
      if (::isHammer(*this)) {
        // flyOut2 takes the card off the table and runs the covering pass in play mode.
        flyOut2();
        return;
      }
      if (x > waterX) {
        if (!forceSide) side = 0;
        odkryta = 0;
      }
    } else {
      if (::isSword(*this) && links.pickSword) links.pickSword(*this);
      if (!::isHammer(*this) && x > waterX && utrudnienie3) {
        if (!forceSide) side = 0;
      } else if (::isHammer(*this)) {
        flyOut2();
        return;
      } else if (side == 0) {
        if (::isSword(*this)) {
          side = 1;
          odkryta = 1;
        } else {
          showUp();
        }
      } else {
        odkryta = 1;
      }
    }
  }

  if (::isSword(*this)) side = 1;
}
