// The oracle's search over a dealt table and the sensible player on the game screen.
#include "players.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "app/delta_time.h"
#include "engine/clock.h"
#include "game/card.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "game/sword.h"

namespace leveltool {
namespace {

constexpr int kMinLongDrive = TMainGame::MIN_LONG_DRIVE;

// The game's covering distance: each axis truncated to whole pixels first.
float centreDistance(const TCard& a, const TCard& b) {
  const int dx = static_cast<int>(std::fabs(b.x - a.x));
  const int dy = static_cast<int>(std::fabs(b.y - a.y));
  return std::sqrt(static_cast<float>(dx * dx + dy * dy));
}

std::vector<std::uint64_t> coverGraph(const TLevel& level) {
  std::vector<CardPtr> cards(level.cards.begin(), level.cards.end());
  std::vector<std::uint64_t> by(cards.size(), 0);
  for (std::size_t i = 0; i < cards.size(); ++i)
    for (std::size_t j = i + 1; j < cards.size(); ++j)
      if (centreDistance(*cards[i], *cards[j]) < kCoverDistance && cardsOverlap(*cards[i], *cards[j]))
        by[i] |= std::uint64_t{1} << j;
  return by;
}

std::uint64_t bit(int i) { return std::uint64_t{1} << i; }

// The search state: what has left the table, how far the deck is drawn, the top rank
// (0: empty spot) and the swords held (bit per rank).
struct State {
  std::uint64_t removed = 0;
  int deckPos = 0;
  int top = 0;
  int swords = 0;
  bool operator==(const State&) const = default;
};

struct StateHash {
  std::size_t operator()(const State& s) const {
    std::uint64_t h = s.removed * 0x9E3779B97F4A7C15ull;
    h ^= (static_cast<std::uint64_t>(s.deckPos) << 40) ^ (static_cast<std::uint64_t>(s.top) << 32) ^
         static_cast<std::uint64_t>(s.swords);
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
};

bool fits(int a, int b) { return a && b && TMainGame::checkSequence(a, b); }

class Search {
 public:
  Search(const Table& t, long limit) : t_(t), limit_(limit) {
    all_ = t.n == 64 ? ~std::uint64_t{0} : bit(t.n) - 1;
    for (int i = 0; i < t.n; ++i) {
      if (t.kind[i] == Table::HAMMER) hammer_ = i;
      if (t.ice[i]) iced_ |= bit(i);
    }
  }

  OracleResult run() {
    State s;
    settle(s);
    fewest_ = t_.n;
    OracleResult r;
    const bool won = dfs(s);
    r.nodes = nodes_;
    r.fewestLeft = won ? 0 : fewest_;
    r.outcome = won ? OracleResult::CLEARED : (aborted_ ? OracleResult::UNKNOWN : OracleResult::STUCK);
    return r;
  }

 private:
  bool isFree(const State& s, int i) const { return (t_.coveredBy[i] & ~s.removed) == 0; }
  bool locked(const State& s) const {
    return t_.rocksLocked && hammer_ >= 0 && !(s.removed & bit(hammer_));
  }
  bool blocked(const State& s, int i) const { return t_.rocks[i] && (locked(s) || (t_.rocksLocked && hammer_ < 0)); }

  // What the covering pass does by itself: a freed hammer is found, a freed sword card
  // is picked up.
  void settle(State& s) const {
    for (bool changed = true; changed;) {
      changed = false;
      for (int i = 0; i < t_.n; ++i) {
        if (s.removed & bit(i) || t_.kind[i] == Table::NORMAL || !isFree(s, i) || blocked(s, i)) continue;
        s.removed |= bit(i);
        if (t_.kind[i] == Table::SWORD) s.swords |= 1 << t_.seq[i];
        changed = true;
      }
    }
  }

  bool playable(const State& s, int i, int top) const {
    if (s.removed & bit(i) || t_.kind[i] != Table::NORMAL || !isFree(s, i) || blocked(s, i)) return false;
    if (t_.snow[i] && (iced_ & ~s.removed)) return false;
    return fits(t_.seq[i], top);
  }

  // Cards freed by taking card i away.
  int frees(const State& s, int i) const {
    int n = 0;
    const std::uint64_t after = s.removed | bit(i);
    for (int j = 0; j < i; ++j)
      if (!(after & bit(j)) && (t_.coveredBy[j] & bit(i)) && (t_.coveredBy[j] & ~after) == 0) ++n;
    return n;
  }

  bool dfs(const State& s) {
    if ((s.removed & all_) == all_) return true;
    fewest_ = std::min(fewest_, t_.n - std::popcount(s.removed & all_));
    if (aborted_) return false;
    if (++nodes_ > limit_) {
      aborted_ = true;
      return false;
    }
    if (!seen_.insert(s).second) return false;

    std::vector<std::pair<int, int>> plays;  // (freed, card)
    for (int i = 0; i < t_.n; ++i)
      if (playable(s, i, s.top)) plays.push_back({frees(s, i), i});
    std::sort(plays.begin(), plays.end(), std::greater<>());
    for (const auto& [freed, i] : plays) {
      State next = s;
      next.removed |= bit(i);
      next.top = t_.seq[i];
      settle(next);
      if (dfs(next)) return true;
    }
    for (int r = 2; r <= 14; ++r) {
      if (!(s.swords & (1 << r)) || r == s.top) continue;
      bool helps = false;
      for (int i = 0; i < t_.n && !helps; ++i) helps = playable(s, i, r);
      if (!helps) continue;
      State next = s;
      next.swords &= ~(1 << r);
      next.top = r;
      if (dfs(next)) return true;
    }
    if (s.deckPos < static_cast<int>(t_.deck.size())) {
      State next = s;
      const int k = t_.deck[s.deckPos];
      next.deckPos = s.deckPos + 1;
      if (k < 0)
        next.swords |= 1 << -k;  // a sword drawn from the deck leaves the top card alone
      else
        next.top = k;
      if (dfs(next)) return true;
    }
    return false;
  }

  const Table& t_;
  long limit_;
  long nodes_ = 0;
  bool aborted_ = false;
  int fewest_ = 0;
  int hammer_ = -1;
  std::uint64_t all_ = 0, iced_ = 0;
  std::unordered_set<State, StateHash> seen_;
};

// Lets every card flight, sword flight and token land.
void settleFlights() {
  for (int i = 0; i < 4000; ++i) {
    if (flights().empty() && spotFlights().empty() && resourcesInPlay().empty()) return;
    advanceFakeClock(16);
    updateFlights();
    updateResources();
  }
}

}  // namespace

bool buildTable(const TLevel& level, const std::string& key, CoverCache& cache, Table& out) {
  const int n = static_cast<int>(level.cards.size());
  if (n > 64) return false;
  auto it = cache.find(key);
  if (it == cache.end() || static_cast<int>(it->second.size()) != n)
    it = cache.insert_or_assign(key, coverGraph(level)).first;
  out = Table{};
  out.n = n;
  out.coveredBy = it->second;
  for (const CardPtr& c : level.cards) {
    const int id = c->cd ? c->cd->id : 0;
    Table::Kind kind = Table::NORMAL;
    if (id == kHammerCardId) kind = Table::HAMMER;
    if (id >= kFirstSwordId && id <= kLastSwordId) kind = Table::SWORD;
    out.kind.push_back(kind);
    out.seq.push_back(c->cd ? c->cd->seqN : 0);
    out.rocks.push_back(c->utrudnienie1 != 0);
    out.ice.push_back(c->utrudnienie2 != 0);
    out.snow.push_back(c->utrudnienie3 != 0);
  }
  out.rocksLocked = level.utrudnienie1Odblokowane == 0;
  for (const CardDataPtr& k : level.deck) {
    const bool sword = k && k->id >= kFirstSwordId && k->id <= kLastSwordId;
    out.deck.push_back(k ? (sword ? -k->seqN : k->seqN) : 0);
  }
  return true;
}

OracleResult solveOracle(const Table& table, long nodeLimit) { return Search(table, nodeLimit).run(); }

void setQuestPosition(int stage, int level) {
  TLevelLinks& links = levelLinks();
  links.profileExists = [] { return true; };
  links.stageID = [stage] { return stage; };
  links.levelID = [level] { return level; };
  links.tryb = [] { return std::string("FREE-PLAY"); };  // no magic cards: they only add points
  links.haveItem = [](const std::string&) { return false; };
}

PlayResult playSensible(const LevelPtr& level, const std::string& key, CoverCache& cache) {
  TMainGame& game = mainGame();
  resetFlightLists();
  clearUndoEvents();
  resourcesInPlay().clear();
  swordPlay() = TSwordPlay{};
  setFrameStep(2);
  game.setLevel(level);
  game.setState("NORMAL");
  level->CHECK_front_Swords();
  settleFlights();

  Table table;
  buildTable(*level, key, cache, table);
  std::map<const TCard*, int> index;
  {
    int i = 0;
    for (const CardPtr& c : level->cards) index[c.get()] = i++;
  }
  // How many cards the play of card i would free, from the covering graph.
  auto freedBy = [&](const CardPtr& card) {
    const int i = index.count(card.get()) ? index[card.get()] : -1;
    if (i < 0) return 0;
    std::uint64_t left = 0;
    for (const CardPtr& c : level->cards)
      if (index.count(c.get())) left |= std::uint64_t{1} << index[c.get()];
    left &= ~(std::uint64_t{1} << i);
    int n = 0;
    for (int j = 0; j < i; ++j)
      if ((left >> j & 1) && (table.coveredBy[j] >> i & 1) && (table.coveredBy[j] & left) == 0) ++n;
    return n;
  };

  for (int guard = 0; guard < 1000 && !level->cards.empty(); ++guard) {
    CardPtr best;
    int bestFreed = -1;
    for (const CardPtr& c : level->cards) {
      // A card still turning face up may already be played, as in the game.
      if (!c->odkryta || !c->cd || !game.isPlayable(*c->cd)) continue;
      if (c->cd->id >= kFirstSwordId) continue;
      const int f = freedBy(c);
      if (f > bestFreed) {
        bestFreed = f;
        best = c;
      }
    }
    if (best) {
      game.useCard(best);
      settleFlights();
      continue;
    }
    // Stuck: a sword that makes an uncovered card fit.
    SwordPtr helpful;
    for (const SwordPtr& sword : ownedSwords().swords) {
      const CardDataPtr kind = sword->cardKind();
      if (!kind) continue;
      for (const CardPtr& c : level->cards)
        if (c->odkryta && c->cd && TMainGame::checkSequence(c->cd->seqN, kind->seqN)) {
          helpful = sword;
          break;
        }
      if (helpful) break;
    }
    if (helpful) {
      useSword(game, helpful);
      for (int i = 0; i < 400 && swordPlay().clickedSword; ++i) {
        advanceFakeClock(16);
        updateSwords(game);
      }
      settleFlights();
      continue;
    }
    if (level->deck.empty()) break;
    game.addDeckCard();
    settleFlights();
  }
  if (level->driveN > kMinLongDrive) game.LongDrive_end();
  PlayResult r;
  r.cardsLeft = static_cast<int>(level->cards.size());
  r.total = game.levelTotal();
  r.longestDrive = level->longestDrive;
  r.multiplier = level->driveMN;
  game.level.reset();
  return r;
}

}  // namespace leveltool
