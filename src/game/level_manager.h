#pragma once
// The quest's catalogue: stages of levels, each with a title, a rune on the quest map,
// story lines and objectives the player must reach over the stage. "data/stages.dat"
// lists them; the levels themselves are loaded from their files on demand.
//
// The progress records a profile keeps per stage and level live here too; the profile
// stores them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"
#include "game/level.h"
#include "game/magic.h"

// A target the player must reach over a stage's levels.
struct TObjective {
  static constexpr int SCORE = 0;       // stage score at least value
  static constexpr int PERFECTS = 1;    // levels cleared with no table card left, at least value
  static constexpr int DRIVE = 2;       // longest drive at least value
  static constexpr int CARDS_LEFT = 3;  // table cards left over the stage, at most value
  int typ = 0;
  float value = 0;
};

class TStage {
 public:
  int id = 0;
  int fontN = 0;
  std::string title;
  std::vector<std::string> levelsUrls;
  std::string imgUrl;
  ImagePtr rune;
  ImagePtr runeGrey;
  bool hasRuneDim = false;  // the rune's place was given
  TLevelPoint runeDim;
  std::vector<std::string> texts;
  std::vector<TObjective> objectives;
  int x = 0, y = 0;
  float a = 0, da = 0;

  int levelCount() const { return static_cast<int>(levelsUrls.size()); }
  // The k-th level (from 1) dealt for the quest: shuffled, with magic cards and swords.
  // Null when k is out of range.
  LevelPtr getLevel(int k) const;
  // The same level dealt for free play: shuffled only.
  LevelPtr getLevelForFreePlay(int k) const;
  // The rune on the quest map: bright with a pulsing glow once reached, else faint.
  void draw() const;
  // Steps the glow; true when a developer clicks near the rune (cheats on).
  bool update();
};
using StagePtr = std::shared_ptr<TStage>;

// What the catalogue needs from the current profile. An empty entry means no profile:
// no stage records, stage 1 reached.
struct TStageLinks {
  // The largest stage id among the profile's stage records (0 when none).
  std::function<int()> highestStageRecord;
  std::function<bool(int stageId)> hasStageRecord;
  // The free-play pick, shown on the table.
  std::function<void(int levelNumber, int stageNumber)> setFreeLevel;
  // The quest stage the player has reached (stageID).
  std::function<int()> stageID;
};
TStageLinks& stageLinks();

class TLevelManager {
 public:
  std::vector<StagePtr> stages;

  void setup();
  // Reads a stage file (titles and story lines from the current language's texts).
  void setupStagesFrom(const std::string& path);
  StagePtr getStageById(int id) const;
  const TLevelMagic* getMagicData(int n) const;
  // A level for free play from a stage the profile has reached; null only when no stage
  // holds a level.
  LevelPtr getRandomLevel();

 private:
  void _setupStages();
  void _setupMagics();
};

// The one catalogue, filled at start-up.
TLevelManager& levelManager();

// Progress records ---------------------------------------------------------------------------

struct TLevelData {
  int id = 0;
  int passed = 0;
  int cardsLeft = 0;
  float multiplier = 0;
  int longestDrive = 0;
  int scores = 0;
};
using LevelDataPtr = std::shared_ptr<TLevelData>;

struct TStageData {
  int id = 0;
  int passed = 0;
  std::vector<LevelDataPtr> levels;
  int longestDrive = 0;
  float highestMultiplier = 0;
  int scores = 0;
  int win = 0;

  LevelDataPtr getLevelData(int levelId) const;
  // The stage's best multiplier and longest drive (both only rise) and its score sum.
  void findTheHighest();
};
using StageDataPtr = std::shared_ptr<TStageData>;
