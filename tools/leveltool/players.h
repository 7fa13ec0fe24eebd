#pragma once
// Two players for a dealt level: an oracle that sees every hidden card and searches for
// a clearing line, and a sensible player who plays the real game screen move by move.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/level.h"

namespace leveltool {

// A dealt level reduced to what decides play: who lies on whom, ranks, obstacles and
// the deck order. Built from a level the game itself loaded and dealt.
struct Table {
  enum Kind { NORMAL, HAMMER, SWORD };
  int n = 0;
  std::vector<int> seq;          // rank 2..14 (swords: their rank)
  std::vector<Kind> kind;
  std::vector<std::uint64_t> coveredBy;  // later cards lying on card i
  std::vector<bool> rocks, ice, snow;
  bool rocksLocked = false;
  std::vector<int> deck;  // rank, or -rank for a sword card
};

// Who lies on whom, by the game's own covering test; layouts do not change between
// deals, so it is kept per file.
using CoverCache = std::map<std::string, std::vector<std::uint64_t>>;

// The table of a freshly dealt level; false when the level has more cards than the
// search can hold (64).
bool buildTable(const TLevel& level, const std::string& key, CoverCache& cache, Table& out);

struct OracleResult {
  enum Outcome { CLEARED, STUCK, UNKNOWN } outcome = STUCK;
  int fewestLeft = 0;  // the fewest table cards left on any line it tried
  long nodes = 0;
};

// Depth-first search with a memo over (table, deck position, top card, swords held);
// gives up with UNKNOWN after nodeLimit states.
OracleResult solveOracle(const Table& table, long nodeLimit);

// One level played by the sensible player on the real game screen.
struct PlayResult {
  int cardsLeft = 0;
  int total = 0;         // the level's result as the level end screen computes it
  int longestDrive = 0;
  float multiplier = 1;
};

// Plays a dealt level to its end with the game's rules; swords held from earlier levels
// of the run stay with the player.
PlayResult playSensible(const LevelPtr& level, const std::string& key, CoverCache& cache);

// Points the game's level links at a quest position without a real profile.
void setQuestPosition(int stage, int level);

}  // namespace leveltool
