// leveltool: writes the quest's levels and stage file, and checks that every quest level
// can be cleared and every stage's objectives can be met. Runs from the installation
// folder, on the game's own loader, shuffles, covering and rules.
//
//   leveltool write [--seed S] [--out DIR] [--stages-only | --shape NAME]
//   leveltool check [--deals N] [--levels a..b] [--seed S] [--report FILE]
//     (checking the whole quest writes tools/leveltool/report.txt unless --report says otherwise)
//   leveltool check --file LEVEL.lvl [--deals N]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "data/record_file.h"
#include "designs.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/random.h"
#include "game/card.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/sword.h"
#include "players.h"

namespace fs = std::filesystem;
using namespace leveltool;

namespace {

constexpr int kStages = 12, kLevelsPerStage = 10;
constexpr long kNodeLimit = 150000;
constexpr float kOracleBar = 0.5f, kStageBar = 0.5f;

struct Objective {
  int typ = 0;
  float value = 0;
};

struct StageRun {
  int score = 0, perfects = 0, drive = 0, cardsLeft = 0;
};

// Judged as the level end screen does at the stage's last level.
bool met(const Objective& o, const StageRun& r) {
  switch (o.typ) {
    case 0: return static_cast<float>(r.score) >= o.value;
    case 1: return static_cast<float>(r.perfects) >= o.value;
    case 2: return static_cast<float>(r.drive) >= o.value;
    case 3: return static_cast<float>(r.cardsLeft) <= o.value;
  }
  return false;
}

bool allMet(const std::vector<Objective>& objectives, const StageRun& r) {
  return std::all_of(objectives.begin(), objectives.end(), [&](const Objective& o) { return met(o, r); });
}

std::string describe(const Objective& o) {
  static const char* names[] = {"score >= ", "perfects >= ", "longest drive >= ", "cards left <= "};
  std::ostringstream s;
  s << (o.typ >= 0 && o.typ <= 3 ? names[o.typ] : "? ") << static_cast<int>(o.value);
  return s.str();
}

bool openTool() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);  // a long check must stop on Ctrl+C
  useFakeClock(true);
  setFakeClock(1'000'000);
  if (!openGraphics(1024, 768, 0, 60, 0)) {
    std::cerr << "leveltool: no graphics context\n";
    return false;
  }
  loadGameContent();
  return true;
}

// Deals one level the way the quest does (shuffled, with swords, without magic cards:
// they change only points) at its place in the quest.
LevelPtr deal(const std::string& path, int stage, int level, int seed) {
  seedRnd(seed);
  setQuestPosition(stage, level);
  return loadLevel(path, 1, 0, 1);
}

// With LEVELTOOL_DEBUG set, every deal the oracle tried goes to stderr: rank per card
// (* sword or hammer, s snow, r rocks, i ice) with the cards lying on it, then the deck.
void dumpDeal(int d, const Table& table, const OracleResult& r) {
  std::fprintf(stderr, "deal %d: outcome %d nodes %ld left %d\n  table:", d, r.outcome, r.nodes, r.fewestLeft);
  for (int i = 0; i < table.n; ++i)
    std::fprintf(stderr, " %d%s%s%s%s/%llx", table.seq[i], table.kind[i] ? "*" : "", table.snow[i] ? "s" : "",
                 table.rocks[i] ? "r" : "", table.ice[i] ? "i" : "",
                 static_cast<unsigned long long>(table.coveredBy[i]));
  std::fprintf(stderr, "\n  deck:");
  for (int k : table.deck) std::fprintf(stderr, " %d", k);
  std::fprintf(stderr, "\n");
}

struct OracleStats {
  int deals = 0, cleared = 0, unknown = 0;
  double leftSum = 0;
  int cards = 0, deck = 0;
  float share() const { return deals ? static_cast<float>(cleared) / deals : 0; }
};

OracleStats runOracle(const std::string& path, int stage, int level, int deals, int seed, CoverCache& cache,
                      long nodeLimit = kNodeLimit) {
  OracleStats st;
  for (int d = 0; d < deals; ++d) {
    LevelPtr lvl = deal(path, stage, level, seed + d * 7919);
    if (!lvl) continue;
    st.cards = static_cast<int>(lvl->cards.size());
    st.deck = static_cast<int>(lvl->deck.size());
    Table table;
    ++st.deals;
    if (!buildTable(*lvl, path, cache, table)) continue;
    const OracleResult r = solveOracle(table, nodeLimit);
    if (std::getenv("LEVELTOOL_DEBUG")) dumpDeal(d, table, r);
    st.cleared += r.outcome == OracleResult::CLEARED;
    st.unknown += r.outcome == OracleResult::UNKNOWN;
    st.leftSum += r.fewestLeft;
  }
  return st;
}

struct SensibleStats {
  int plays = 0, cleared = 0;
  double leftSum = 0;
  void add(const PlayResult& r) {
    ++plays;
    cleared += r.cardsLeft == 0;
    leftSum += r.cardsLeft;
  }
};

// One run through a whole stage by the sensible player, holding on to the swords found.
StageRun runStage(const std::vector<std::string>& paths, int stage, int seed, CoverCache& cache,
                  std::vector<SensibleStats>& perLevel) {
  ownedSwords().swords.clear();
  StageRun run;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    LevelPtr lvl = deal(paths[k], stage, static_cast<int>(k) + 1, seed + static_cast<int>(k) * 104729);
    const PlayResult r = playSensible(lvl, paths[k], cache);
    perLevel[k].add(r);
    run.score += r.total;
    run.perfects += r.cardsLeft == 0;
    run.drive = std::max(run.drive, r.longestDrive);
    run.cardsLeft += r.cardsLeft;
  }
  return run;
}

// Stage file reading: the levels and objectives of each stage.
struct StageInfo {
  std::vector<std::string> levels;
  std::vector<Objective> objectives;
};

// The stages as the game's catalogue reads them from "data/stages.dat".
std::vector<StageInfo> readStages() {
  levelManager().setup();
  std::vector<StageInfo> out;
  for (const StagePtr& stage : levelManager().stages) {
    StageInfo s;
    s.levels = stage->levelsUrls;
    for (const TObjective& o : stage->objectives) s.objectives.push_back({o.typ, o.value});
    out.push_back(std::move(s));
  }
  return out;
}

// Writing -------------------------------------------------------------------------------

void writeLevel(const LevelDesign& d, const std::string& path, std::mt19937 rng) {
  auto level = std::make_shared<TLevel>();
  level->numerRewersu = d.back;
  level->backGroundId = d.background;
  level->soundID = d.sound;
  level->driveMN = 1;
  level->deckX = kLoadedDeckX;
  level->deckY = kLoadedDeckY;
  bool rocks = false, hammer = false;
  std::uniform_int_distribution<int> standard(1, 52), rank(2, 14);
  for (const Slot& s : d.slots) {
    auto card = std::make_shared<TCard>();
    int id = standard(rng);
    if (s.hammer) id = kHammerCardId;
    if (s.sword) id = kSwordIdOffset + rank(rng);
    card->cd = getCardDataById(id);
    card->x = s.x;
    card->y = s.y;
    card->forceSide = s.forced;
    card->utrudnienie1 = s.rocks;
    card->utrudnienie2 = s.ice;
    card->myLevel = level.get();
    rocks |= s.rocks;
    hammer |= s.hammer;
    level->cards.push_back(card);
  }
  // Rocks without a hammer would never open.
  level->utrudnienie1Odblokowane = rocks && !hammer ? 1 : 0;
  for (int k = 0; k < d.deckSize; ++k) level->deck.push_back(getCardDataById(standard(rng)));
  for (int k = 0; k < d.deckSwords; ++k) {
    auto at = level->deck.begin();
    std::advance(at, std::uniform_int_distribution<int>(0, static_cast<int>(level->deck.size()))(rng));
    level->deck.insert(at, getCardDataById(kSwordIdOffset + rank(rng)));
  }
  pomWaterX() = 0;  // the snow line is worked out at every deal
  fs::create_directories(fs::path(path).parent_path());
  if (!saveLevel(*level, path)) std::cerr << "leveltool: cannot write " << path << "\n";
}

bool insideTable(const LevelDesign& d) {
  return std::all_of(d.slots.begin(), d.slots.end(), [](const Slot& s) {
    return s.x >= 60 && s.x <= 970 && s.y >= 150 && s.y <= 560;
  });
}

int percentile(std::vector<int> v, float p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const int i = std::clamp(static_cast<int>(p * static_cast<float>(v.size() - 1)), 0, static_cast<int>(v.size()) - 1);
  return v[i];
}

// Objectives a sensible player reaches in most runs of the stage: a stage score for all,
// then a second and later a third goal that changes from stage to stage.
std::vector<Objective> chooseObjectives(int stage, const std::vector<StageRun>& runs) {
  std::vector<int> score, drive, perfects, left;
  for (const StageRun& r : runs) {
    score.push_back(r.score);
    drive.push_back(r.drive);
    perfects.push_back(r.perfects);
    left.push_back(r.cardsLeft);
  }
  const float low = stage >= 7 ? 0.12f : 0.2f;
  std::vector<Objective> obj;
  obj.push_back({0, static_cast<float>(percentile(score, low) / 50 * 50)});
  if (stage >= 2) {
    const int which = stage % 3;
    const int p = percentile(perfects, low);
    if (which == 0 || (which == 2 && p < 1))
      obj.push_back({2, static_cast<float>(std::max(3, percentile(drive, low)))});
    else if (which == 1)
      obj.push_back({3, static_cast<float>((percentile(left, 1 - low) + 4) / 5 * 5)});
    else
      obj.push_back({1, static_cast<float>(std::min(p, 10))});
  }
  if (stage >= 7) {
    if (stage % 3 != 0)
      obj.push_back({2, static_cast<float>(std::max(3, percentile(drive, low)))});
    else
      obj.push_back({3, static_cast<float>((percentile(left, 1 - low) + 4) / 5 * 5)});
  }
  // Loosen the score goal until most runs meet everything together.
  for (int tries = 0; tries < 20; ++tries) {
    int ok = 0;
    for (const StageRun& r : runs) ok += allMet(obj, r);
    if (ok >= static_cast<int>(runs.size()) * 65 / 100) break;
    obj[0].value = std::floor(obj[0].value * 0.9f / 50) * 50;
    for (Objective& o : obj) {
      if (o.typ == 2 && o.value > 3) o.value -= 1;
      if (o.typ == 3) o.value += 5;
      if (o.typ == 1 && o.value > 1) o.value -= 1;
    }
  }
  return obj;
}

struct RunePlace {
  int x, y;
};
// Along a path over the map, clear of the stage picture frame and the text bands.
constexpr RunePlace kRunes[kStages] = {{110, 455}, {205, 520}, {305, 465}, {400, 530}, {480, 440}, {525, 330},
                                       {600, 225}, {705, 175}, {805, 250}, {885, 350}, {820, 460}, {935, 525}};

bool writeStagesFile(const std::string& path, const std::vector<std::vector<Objective>>& objectives) {
  TRCMFile f;
  f.setFloat("stages::i", kStages);
  for (int i = 1; i <= kStages; ++i) {
    const std::string g = "stages::stage" + std::to_string(i);
    f.setFloat(g + "::id", static_cast<float>(i));
    f.setFloat(g + "::dim", static_cast<float>(kRunes[i - 1].x), 0);
    f.setFloat(g + "::dim", static_cast<float>(kRunes[i - 1].y), 1);
    f.setFloat(g + "::title", static_cast<float>(i));
    f.setString(g + "::image", "gfx/gui/screen-map/stage-" + std::to_string(i) + ".png");
    f.setFloat(g + "::rune", static_cast<float>(kRunes[i - 1].x), 0);
    f.setFloat(g + "::rune", static_cast<float>(kRunes[i - 1].y), 1);
    f.setFloat(g + "::texts", static_cast<float>(2 * i - 1), 0);
    f.setFloat(g + "::texts", static_cast<float>(2 * i), 1);
    f.setFloat(g + "::texts", 2, 2);
    const std::vector<Objective>& obj = objectives[i - 1];
    f.setFloat(g + "::objectives::i", static_cast<float>(obj.size()));
    for (std::size_t k = 0; k < obj.size(); ++k) {
      const std::string key = g + "::objectives::objective" + std::to_string(k + 1);
      f.setFloat(key, static_cast<float>(obj[k].typ), 0);
      f.setFloat(key, obj[k].value, 1);
    }
    f.setFloat(g + "::levels::i", kLevelsPerStage);
    for (int k = 1; k <= kLevelsPerStage; ++k)
      f.setString(g + "::levels::level" + std::to_string(k), levelFileName(i, k));
  }
  return f.save(path);
}

bool writeMagics(const std::string& path) {
  TRCMFile f;
  f.setFloat("magics::i", kStages * kLevelsPerStage);
  for (int n = 1; n <= kStages * kLevelsPerStage; ++n)
    f.setFloat("magics::level" + std::to_string(n), static_cast<float>(magicCardsForLevel(n)));
  return f.save(path);
}

int writeMode(std::uint32_t seed, const std::string& out, bool stagesOnly, const std::string& shape) {
  const std::vector<LevelDesign> designs = designQuest(seed);
  CoverCache cache;
  std::vector<std::vector<std::string>> stagePaths(kStages);
  for (const LevelDesign& base : designs) {
    LevelDesign d = base;
    if (!insideTable(d)) {
      std::cerr << "leveltool: " << levelFileName(d.stage, d.level) << " lies outside the table area\n";
      return 2;
    }
    const std::string path = out + "/" + levelFileName(d.stage, d.level);
    stagePaths[d.stage - 1].push_back(path);
    // The other levels stand (each level has its own seed, so they would come out the same);
    // the objectives are always worked out again.
    if (stagesOnly || (!shape.empty() && d.shape.rfind(shape, 0) != 0)) continue;
    const std::mt19937 rng(seed * 31u + static_cast<unsigned>(d.stage * 1000 + d.level));
    // Small tables chain little, so they need a deck well beyond their size.
    const int cap = static_cast<int>(d.slots.size()) * 2 + 24;
    OracleStats st;
    float best = -1;
    int stale = 0;
    for (;;) {
      writeLevel(d, path, rng);
      cache.erase(path);
      // A lower search bound here: an unsettled deal counts against the level anyway.
      st = runOracle(path, d.stage, d.level, 24, static_cast<int>(seed) + d.stage * 97 + d.level, cache, 40000);
      if (st.share() >= d.targetClear || d.deckSize >= cap) break;
      // A longer deck stops helping once the last cards depend on luck alone.
      if (st.share() > best) {
        best = st.share();
        stale = 0;
      } else if (++stale >= 2 && st.share() > 0.7f) {
        break;
      }
      d.deckSize += 4;
    }
    std::printf("%s  %-36s cards %2d deck %2d  oracle %3.0f%%%s\n", levelFileName(d.stage, d.level).c_str(),
                d.shape.c_str(), st.cards, st.deck, 100 * st.share(), st.share() > kOracleBar ? "" : "  BELOW THE BAR");
    std::fflush(stdout);
  }
  std::vector<std::vector<Objective>> objectives;
  for (int s = 1; s <= kStages; ++s) {
    std::vector<SensibleStats> perLevel(kLevelsPerStage);
    std::vector<StageRun> runs;
    for (int r = 0; r < 30; ++r) runs.push_back(runStage(stagePaths[s - 1], s, static_cast<int>(seed) + 5000 * s + r * 131, cache, perLevel));
    objectives.push_back(chooseObjectives(s, runs));
    std::printf("stage %2d objectives:", s);
    for (const Objective& o : objectives.back()) std::printf("  %s", describe(o).c_str());
    std::printf("\n");
    std::fflush(stdout);
  }
  if (!writeStagesFile(out + "/data/stages.dat", objectives) || !writeMagics(out + "/data/magics.dat")) return 2;
  return 0;
}

// Checking ------------------------------------------------------------------------------

struct CheckOptions {
  int deals = 30;  // a full report stays under about ten minutes on one core
  int first = 1, last = kStages * kLevelsPerStage;
  int seed = 20261210;
  std::string file;    // one level file instead of the quest
  std::string report;  // also written here
};

int checkMode(const CheckOptions& opt) {
  const auto started = std::chrono::steady_clock::now();
  std::ostringstream out;
  CoverCache cache;
  int failures = 0;
  out << "Level check: " << opt.deals << " deals per level, oracle search bound " << kNodeLimit
      << " states; bars: oracle clears > " << static_cast<int>(kOracleBar * 100)
      << "% of deals, stage objectives met in >= " << static_cast<int>(kStageBar * 100) << "% of stage runs\n\n";

  if (!opt.file.empty()) {
    // Dealt as the quest's first level: no sword replaces a card of a tiny table.
    const OracleStats st = runOracle(opt.file, 1, 1, opt.deals, opt.seed, cache);
    SensibleStats sp;
    for (int d = 0; d < opt.deals; ++d) {
      ownedSwords().swords.clear();
      sp.add(playSensible(deal(opt.file, 1, 1, opt.seed + d), opt.file, cache));
    }
    const bool ok = st.deals > 0 && st.cards > 0 && st.share() > kOracleBar;
    failures += !ok;
    char line[512];
    std::snprintf(line, sizeof line,
                  "%s  cards %d deck %d  oracle clears %.0f%% (unknown %.0f%%, avg left %.1f)  sensible clears "
                  "%.0f%% (avg left %.1f)  %s\n",
                  opt.file.c_str(), st.cards, st.deck, 100 * st.share(),
                  st.deals ? 100.0 * st.unknown / st.deals : 0.0, st.deals ? st.leftSum / st.deals : 0.0,
                  sp.plays ? 100.0 * sp.cleared / sp.plays : 0.0, sp.plays ? sp.leftSum / sp.plays : 0.0,
                  ok ? "PASS" : "FAIL");
    out << line;
  } else {
    const std::vector<StageInfo> stages = readStages();
    if (stages.empty()) {
      std::cerr << "leveltool: no stages in data/stages.dat (run from the installation folder)\n";
      return 2;
    }
    for (std::size_t si = 0; si < stages.size(); ++si) {
      const int stage = static_cast<int>(si) + 1;
      const StageInfo& info = stages[si];
      const int firstN = (stage - 1) * kLevelsPerStage + 1;
      const int lastN = firstN + static_cast<int>(info.levels.size()) - 1;
      if (lastN < opt.first || firstN > opt.last) continue;
      const bool wholeStage = firstN >= opt.first && lastN <= opt.last;
      out << "Stage " << stage << "\n";
      std::vector<SensibleStats> perLevel(info.levels.size());
      std::vector<StageRun> runs;
      if (wholeStage)
        for (int r = 0; r < opt.deals; ++r)
          runs.push_back(runStage(info.levels, stage, opt.seed + 777 * stage + r * 131, cache, perLevel));
      for (std::size_t k = 0; k < info.levels.size(); ++k) {
        const int n = firstN + static_cast<int>(k);
        if (n < opt.first || n > opt.last) continue;
        const std::string& path = info.levels[k];
        const OracleStats st = runOracle(path, stage, static_cast<int>(k) + 1, opt.deals, opt.seed + n * 13, cache);
        if (!wholeStage)
          for (int d = 0; d < opt.deals; ++d) {
            ownedSwords().swords.clear();
            perLevel[k].add(playSensible(deal(path, stage, static_cast<int>(k) + 1, opt.seed + n * 17 + d), path, cache));
          }
        const SensibleStats& sp = perLevel[k];
        const bool ok = st.cards > 0 && st.share() > kOracleBar;
        failures += !ok;
        char line[512];
        std::snprintf(line, sizeof line,
                      "  %-38s cards %2d deck %2d | oracle clears %3.0f%% unknown %3.0f%% avg left %4.1f | "
                      "sensible clears %3.0f%% avg left %4.1f | %s\n",
                      path.c_str(), st.cards, st.deck, 100 * st.share(),
                      st.deals ? 100.0 * st.unknown / st.deals : 0.0, st.deals ? st.leftSum / st.deals : 0.0,
                      sp.plays ? 100.0 * sp.cleared / sp.plays : 0.0, sp.plays ? sp.leftSum / sp.plays : 0.0,
                      ok ? "PASS" : "FAIL");
        out << line;
      }
      if (wholeStage) {
        int ok = 0;
        double score = 0;
        for (const StageRun& r : runs) {
          ok += allMet(info.objectives, r);
          score += r.score;
        }
        const float share = runs.empty() ? 0 : static_cast<float>(ok) / static_cast<float>(runs.size());
        const bool pass = share >= kStageBar;
        failures += !pass;
        out << "  objectives:";
        for (const Objective& o : info.objectives) out << "  " << describe(o);
        char line[256];
        std::snprintf(line, sizeof line, "\n  sensible player meets them all in %.0f%% of %zu stage runs (mean score %.0f) | %s\n",
                      100 * share, runs.size(), runs.empty() ? 0.0 : score / runs.size(), pass ? "PASS" : "FAIL");
        out << line;
      }
      out << "\n";
      std::cout << out.str();
      std::cout.flush();
      out.str("");
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  char tail[160];
  std::snprintf(tail, sizeof tail, "Checked in %.0f s. RESULT: %s (%d failing)\n", seconds,
                failures ? "FAIL" : "PASS", failures);
  out << tail;
  std::cout << out.str();
  return failures ? 1 : 0;
}

int usage() {
  std::cerr << "usage: leveltool write [--seed S] [--out DIR] [--stages-only | --shape NAME]\n"
               "       leveltool check [--deals N] [--levels a..b] [--seed S] [--report FILE] [--file LEVEL]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string mode = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  auto value = [&](std::size_t& i) -> std::string { return i + 1 < args.size() ? args[++i] : ""; };
  if (mode == "write") {
    std::uint32_t seed = 1210;
    std::string out = TARNWICK_SOURCE_DIR "/content";
    bool stagesOnly = false;
    std::string shape;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i] == "--seed") seed = static_cast<std::uint32_t>(std::stoul(value(i)));
      else if (args[i] == "--out") out = value(i);
      else if (args[i] == "--stages-only") stagesOnly = true;
      else if (args[i] == "--shape") shape = value(i);
      else return usage();
    }
    if (!openTool()) return 2;
    return writeMode(seed, out, stagesOnly, shape);
  }
  if (mode == "check") {
    CheckOptions opt;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i] == "--deals") opt.deals = std::max(1, std::atoi(value(i).c_str()));
      else if (args[i] == "--seed") opt.seed = std::atoi(value(i).c_str());
      else if (args[i] == "--file") opt.file = value(i);
      else if (args[i] == "--report") opt.report = value(i);
      else if (args[i] == "--levels") {
        const std::string range = value(i);
        const std::size_t dots = range.find("..");
        if (dots == std::string::npos) return usage();
        opt.first = std::atoi(range.substr(0, dots).c_str());
        opt.last = std::atoi(range.substr(dots + 2).c_str());
      } else {
        return usage();
      }
    }
    // A check of the whole quest is the shipped report.
    if (opt.report.empty() && opt.file.empty() && opt.first <= 1 && opt.last >= kStages * kLevelsPerStage)
      opt.report = TARNWICK_SOURCE_DIR "/tools/leveltool/report.txt";
    if (!opt.report.empty()) std::cerr << "leveltool: writing the report to " << opt.report << "\n";
    if (!openTool()) return 2;
    std::streambuf* old = nullptr;
    std::ofstream report;
    if (!opt.report.empty()) {
      report.open(opt.report);
      old = std::cout.rdbuf();
    }
    // With a report file, everything printed goes to both.
    if (old) {
      struct Tee : std::streambuf {
        std::streambuf *a, *b;
        int overflow(int c) override {
          if (c == EOF) return !EOF;
          a->sputc(static_cast<char>(c));
          b->sputc(static_cast<char>(c));
          return c;
        }
        int sync() override { return a->pubsync() | b->pubsync(); }
      };
      static Tee tee;
      tee.a = old;
      tee.b = report.rdbuf();
      std::cout.rdbuf(&tee);
      const int rc = checkMode(opt);
      std::cout.flush();
      std::cout.rdbuf(old);
      return rc;
    }
    return checkMode(opt);
  }
  return usage();
}
