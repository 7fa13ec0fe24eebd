// The stage catalogue on small stage files written by the test: titles and story lines by
// line number, runes by the stage's place in the file, objectives, level paths, the
// free-play pick and the stage records.

#include "game/level_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>
#include <string>

#include "app/delta_time.h"
#include "app/globals.h"
#include "data/texts.h"
#include "engine/random.h"
#include "game/table_state.h"
#include "gui/mouse.h"
#include "support/harness.h"

namespace {

class LevelManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    resetTableState();
    root = harness::makeTempFolder("stages") + "/";
    savedRoot = globals().contentRoot;
    globals().contentRoot = root;
    gameLanguage() = "en";
    harness::writeFile(root + "txt/en/stagesNames.txt", "Mossy Vale\nRiver Ford\nOld Keep\n");
    harness::writeFile(root + "txt/en/storyTexts.txt", "one\ntwo\nthree\nfour\nfive\n");
  }
  void TearDown() override {
    globals().contentRoot = savedRoot;
    resetTableState();
  }

  // A rune picture of the given width, so the test can tell which file was loaded.
  void writeRune(const std::string& name, int width) {
    TPixmap pm(width, 10);
    for (std::size_t i = 0; i < pm.pixels.size(); ++i) pm.pixels[i] = 200;
    std::filesystem::create_directories(root + "gfx/gui/screen-map/runes");
    ASSERT_TRUE(harness::writeRgbPng(root + "gfx/gui/screen-map/runes/" + name, pm));
  }

  // A stage block; levels are named s<id>-<k>.lvl and written as empty levels.
  std::string stage(int i, int id, int title, int firstText, int lastText, int levels,
                    const std::string& extra = "") {
    std::string s = "\tstage" + std::to_string(i) + " {\n\t\tid = " + std::to_string(id) +
                    "\n\t\tdim = 10, 20\n\t\ttitle = " + std::to_string(title) +
                    "\n\t\timage = \"gfx/stage.png\"\n\t\trune = 300, 450\n\t\ttexts = " +
                    std::to_string(firstText) + ", " + std::to_string(lastText) + ", 2\n" + extra +
                    "\t\tlevels {\n\t\t\ti = " + std::to_string(levels) + "\n";
    for (int k = 1; k <= levels; ++k) {
      const std::string file = "data/s" + std::to_string(id) + "-" + std::to_string(k) + ".lvl";
      harness::writeFile(root + file, "level {\n}\n");
      s += "\t\t\tlevel" + std::to_string(k) + " = \"" + file + "\"\n";
    }
    return s + "\t\t}\n\t}\n";
  }

  void writeStages(int count, const std::string& blocks) {
    harness::writeFile(root + "data/stages.dat",
                       "stages {\n\ti = " + std::to_string(count) + "\n" + blocks + "}\n");
    levelManager().setupStagesFrom(root + "data/stages.dat");
  }

  std::string root, savedRoot;
};

TEST_F(LevelManagerTest, ReadsStagesWithTextsRunesObjectivesAndLevels) {
  writeRune("run-1.png", 11);
  writeRune("run-1-dark.png", 12);
  writeRune("run-2.png", 21);
  const std::string objectives =
      "\t\tobjectives {\n\t\t\ti = 2\n\t\t\tobjective1 = 0, 1500\n\t\t\tobjective2 = 3.9, 12.5\n\t\t}\n";
  // The first stage in the file has id 5: its runes are still the files numbered 1.
  writeStages(2, stage(1, 5, 3, 2, 4, 3, objectives) + stage(2, 1, 1, 5, 5, 1));

  ASSERT_EQ(levelManager().stages.size(), 2u);
  const StagePtr first = levelManager().stages[0];
  EXPECT_EQ(first->id, 5);
  EXPECT_EQ(first->x, 10);
  EXPECT_EQ(first->y, 20);
  EXPECT_EQ(first->title, "Old Keep") << "title = 3 is line 3";
  EXPECT_EQ(first->texts, (std::vector<std::string>{"two", "three", "four"}));
  EXPECT_EQ(first->fontN, 2);
  EXPECT_EQ(first->imgUrl, "gfx/stage.png");
  ASSERT_TRUE(first->hasRuneDim);
  EXPECT_FLOAT_EQ(first->runeDim.x, 300);
  EXPECT_FLOAT_EQ(first->runeDim.y, 450);
  ASSERT_TRUE(first->rune);
  EXPECT_EQ(first->rune->width, 11);
  ASSERT_TRUE(first->runeGrey);
  EXPECT_EQ(first->runeGrey->width, 12);
  ASSERT_EQ(first->objectives.size(), 2u);
  EXPECT_EQ(first->objectives[1].typ, 3) << "kinds truncate";
  EXPECT_FLOAT_EQ(first->objectives[1].value, 12.5f) << "targets are read as they are";
  ASSERT_EQ(first->levelCount(), 3);
  EXPECT_EQ(first->levelsUrls[2], root + "data/s5-3.lvl") << "levels lie behind the content root";

  const StagePtr second = levelManager().getStageById(1);
  ASSERT_EQ(second, levelManager().stages[1]);
  EXPECT_EQ(second->rune->width, 21);
  EXPECT_EQ(second->runeGrey, nullptr) << "a missing rune is no rune";
  EXPECT_EQ(levelManager().getStageById(7), nullptr);
}

TEST_F(LevelManagerTest, BrokenStageFilesLoadWithinBounds) {
  struct Case {
    const char* what;
    std::string file;
    size_t stages;
  } const cases[] = {
      {"no file", "", 0},
      {"negative count", "stages {\n\ti = -3\n}\n", 0},
      {"NaN count", "stages {\n\ti = nan\n}\n", 0},
      {"count beyond the blocks", "stages {\n\ti = 2\n\tstage1 {\n\t\tid = 1\n\t}\n}\n", 2},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    if (!k.file.empty()) harness::writeFile(root + "data/broken.dat", k.file);
    levelManager().setupStagesFrom(root + (k.file.empty() ? "data/none.dat" : "data/broken.dat"));
    EXPECT_EQ(levelManager().stages.size(), k.stages);
    for (const StagePtr& s : levelManager().stages) EXPECT_EQ(s->levelCount(), 0);
  }
  // A title line that is not there shows the missing-line text.
  writeStages(1, stage(1, 1, 40, 0, 0, 1));
  EXPECT_EQ(levelManager().stages[0]->title, "(BEYOND TEXT ARRAY LENGTH!)");
  EXPECT_TRUE(levelManager().stages[0]->texts.empty());
}

TEST_F(LevelManagerTest, LevelsOutsideTheStageAreNull) {
  writeStages(1, stage(1, 1, 1, 1, 1, 2));
  const StagePtr s = levelManager().getStageById(1);
  for (int k : {0, -1, 3, 1000}) {
    SCOPED_TRACE(k);
    EXPECT_EQ(s->getLevel(k), nullptr);
    EXPECT_EQ(s->getLevelForFreePlay(k), nullptr);
  }
  const LevelPtr level = s->getLevelForFreePlay(2);
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->sourcePath(), root + "data/s1-2.lvl");
}

// Which stage and level the free-play pick chose, over many picks.
struct Picks {
  std::set<std::pair<int, int>> seen;  // (stage, level)
  int nulls = 0;
};

Picks pickMany(int n) {
  Picks picks;
  int level = 0, stage = 0;
  stageLinks().setFreeLevel = [&](int l, int s) {
    level = l;
    stage = s;
  };
  for (int i = 0; i < n; ++i) {
    level = stage = 0;
    const LevelPtr picked = levelManager().getRandomLevel();
    if (!picked) {
      ++picks.nulls;
      continue;
    }
    picks.seen.insert({stage, level});
    // The level handed out is the one announced.
    EXPECT_NE(picked->sourcePath().find("s" + std::to_string(stage) + "-" + std::to_string(level) + ".lvl"),
              std::string::npos);
  }
  return picks;
}

TEST_F(LevelManagerTest, FreePlayPicksOnlyReachedStagesAndExistingLevels) {
  seedRnd(99);
  // Stage 1 holds only three levels: a pick for a stage without a record must not ask
  // stage 1 for levels 4..10.
  writeStages(5, stage(1, 1, 1, 1, 1, 3) + stage(2, 2, 2, 1, 1, 4) + stage(3, 3, 3, 1, 1, 2) +
                     stage(4, 4, 1, 1, 1, 4) + stage(5, 5, 1, 1, 1, 4));

  // No profile: stage 1 only.
  Picks picks = pickMany(60);
  EXPECT_EQ(picks.nulls, 0);
  EXPECT_EQ(picks.seen, (std::set<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}}));

  // Records for stages 1 to 3: levels of those stages only, every one of them reachable.
  stageLinks().highestStageRecord = [] { return 3; };
  stageLinks().hasStageRecord = [](int s) { return s >= 1 && s <= 3; };
  picks = pickMany(400);
  EXPECT_EQ(picks.nulls, 0);
  std::set<std::pair<int, int>> expected;
  for (int l = 1; l <= 3; ++l) expected.insert({1, l});
  for (int l = 1; l <= 4; ++l) expected.insert({2, l});
  for (int l = 1; l <= 2; ++l) expected.insert({3, l});
  EXPECT_EQ(picks.seen, expected);

  // A record for stage 3 only (stages 1 and 2 erased): picks of 1 or 2 fall back to stage 1.
  stageLinks().hasStageRecord = [](int s) { return s == 3; };
  picks = pickMany(200);
  EXPECT_EQ(picks.nulls, 0);
  for (const auto& [s, l] : picks.seen) EXPECT_TRUE(s == 1 || s == 3) << s << "-" << l;
}

TEST_F(LevelManagerTest, StageRecordsKeepTheirHighestAndSumTheScores) {
  TStageData data;
  data.highestMultiplier = 2.5f;  // only rises
  data.longestDrive = 3;
  data.scores = 999;  // recomputed
  for (auto [m, d, s] : {std::tuple{1.5f, 7, 100}, std::tuple{2.0f, 12, 250}, std::tuple{1.0f, 4, 50}}) {
    auto level = std::make_shared<TLevelData>();
    level->id = static_cast<int>(data.levels.size()) + 1;
    level->multiplier = m;
    level->longestDrive = d;
    level->scores = s;
    data.levels.push_back(level);
  }
  data.findTheHighest();
  EXPECT_FLOAT_EQ(data.highestMultiplier, 2.5f);
  EXPECT_EQ(data.longestDrive, 12);
  EXPECT_EQ(data.scores, 400);
  EXPECT_EQ(data.getLevelData(2), data.levels[1]);
  EXPECT_EQ(data.getLevelData(9), nullptr);
}

TEST_F(LevelManagerTest, RuneGlowPulsesAndOnlyDevelopersClickRunes) {
  writeRune("run-1.png", 11);
  writeStages(1, stage(1, 1, 1, 1, 1, 1));
  TStage& s = *levelManager().stages[0];
  setFrameStep(1);
  float highest = 0;
  bool fellBack = false;
  for (int i = 0; i < 200; ++i) {
    s.update();
    highest = std::max(highest, s.a);
    fellBack = fellBack || (highest == 1 && s.a < 1);
  }
  EXPECT_EQ(highest, 1);
  EXPECT_TRUE(fellBack) << "the glow pulses";

  TMouse mouse;
  struct Case {
    int cheats, x, y;
    bool clicked;
  } const cases[] = {{0, 310, 460, false}, {1, 310, 460, true}, {1, 276, 426, true}, {1, 330, 460, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.x) + "," + std::to_string(k.y) + " cheats " + std::to_string(k.cheats));
    globals().cheats = k.cheats;
    mouse.x = k.x;
    mouse.y = k.y;
    EXPECT_EQ(s.update(), k.clicked);
  }
  globals().cheats = 0;
}

}  // namespace
