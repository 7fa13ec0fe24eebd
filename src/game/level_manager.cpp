// The stage catalogue: reading "data/stages.dat", dealing a stage's levels, the runes on
// the quest map and the free-play pick.
#include "game/level_manager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/delta_time.h"
#include "app/globals.h"
#include "data/record_file.h"
#include "data/texts.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "gui/mouse.h"

namespace {

constexpr int kMaxStages = 1000;
constexpr int kMaxStageEntries = 1000;
// Story lines a stage may name; a broken range cannot flood the map.
constexpr int kMaxStoryLines = 100;
// Free play deals from stage 1 when the profile has not reached the picked stage.
constexpr int kFreePlayFirstLevels = 10;

std::string numbered(const std::string& stem, int i) { return stem + std::to_string(i); }

ImagePtr loadRune(const std::string& path) {
  ImagePtr image = loadImage(path);
  if (image) midHandleImage(image);
  return image;
}

LevelPtr dealLevel(const std::vector<std::string>& urls, int k, int magic, int swords) {
  if (k < 1 || k > static_cast<int>(urls.size())) return nullptr;
  return loadLevel(urls[static_cast<size_t>(k - 1)], 1, magic, swords);
}

int reachedStage() { return stageLinks().stageID ? stageLinks().stageID() : 1; }

}  // namespace

TStageLinks& stageLinks() {
  static TStageLinks links;
  return links;
}

TLevelManager& levelManager() {
  static TLevelManager manager;
  return manager;
}

// Stages ---------------------------------------------------------------------------------------

LevelPtr TStage::getLevel(int k) const { return dealLevel(levelsUrls, k, 1, 1); }

LevelPtr TStage::getLevelForFreePlay(int k) const { return dealLevel(levelsUrls, k, 0, 0); }

void TStage::draw() const {
  if (!rune || !hasRuneDim) return;
  const int blend = getBlend();
  const float alpha = getAlpha();
  float sx = 1, sy = 1;
  getScale(sx, sy);
  if (reachedStage() >= id) {
    setAlpha(0.8f);
    setBlend(BLEND_ALPHA);
    drawImage(rune, runeDim.x, runeDim.y);
    setBlend(BLEND_LIGHT);
    setAlpha(0.2f * a);
    drawImage(rune, runeDim.x, runeDim.y);
  } else {
    setScale(1.1f, 1.1f);
    setBlend(BLEND_ALPHA);
    setAlpha(0.2f);
    drawImage(rune, runeDim.x, runeDim.y);
    setScale(1, 1);
    if (runeGrey) drawImage(runeGrey, runeDim.x, runeDim.y);
  }
  setScale(sx, sy);
  setAlpha(alpha);
  setBlend(blend);
}

bool TStage::update() {
  approach(a, da, 0.02f);
  if (a == da) da = da > 0.5f ? 0 : 1;
  if (!globals().cheats || !hasRuneDim) return false;
  const TMouse* mouse = gMouse();
  return mouse && mouse->inRect(runeDim.x - 25, runeDim.y - 25, 50, 50);
}

// The catalogue ----------------------------------------------------------------------------------

void TLevelManager::setup() {
  _setupStages();
  _setupMagics();
}

void TLevelManager::_setupStages() { setupStagesFrom(globals().contentRoot + "data/stages.dat"); }

void TLevelManager::_setupMagics() { loadMagicTable(); }

void TLevelManager::setupStagesFrom(const std::string& path) {
  stages.clear();
  const TRCMFile file = openRecordFile(path);
  const std::string root = globals().contentRoot;
  const TTxtFile names = loadTextFile(root + "txt/#LANG#/stagesNames.txt");
  const TTxtFile story = loadTextFile(root + "txt/#LANG#/storyTexts.txt");
  const int count = readRecordCount(file, "stages::i", kMaxStages, path);
  for (int i = 1; i <= count; ++i) {
    const std::string key = numbered("stages::stage", i) + "::";
    auto stage = std::make_shared<TStage>();
    stage->id = truncToInt(file.getFloat(key + "id"));
    stage->x = truncToInt(file.getFloat(key + "dim", 0));
    stage->y = truncToInt(file.getFloat(key + "dim", 1));
    stage->title = getText(names, truncToInt(file.getFloat(key + "title")));
    stage->imgUrl = file.getString(key + "image");
    if (!file.getString(key + "rune").empty()) {
      stage->hasRuneDim = true;
      stage->runeDim = {file.getFloat(key + "rune", 0), file.getFloat(key + "rune", 1)};
    }
    // Runes follow the stage's place in the file, not its id.
    const std::string runeStem = root + numbered("gfx/gui/screen-map/runes/run-", i);
    stage->rune = loadRune(runeStem + ".png");
    stage->runeGrey = loadRune(runeStem + "-dark.png");

    const int first = truncToInt(file.getFloat(key + "texts", 0));
    const int last = std::min(truncToInt(file.getFloat(key + "texts", 1)), first + kMaxStoryLines - 1);
    for (int line = first; line <= last && line > 0; ++line) stage->texts.push_back(getText(story, line));
    stage->fontN = truncToInt(file.getFloat(key + "texts", 2));

    const int objectives = readRecordCount(file, key + "objectives::i", kMaxStageEntries, path);
    for (int k = 1; k <= objectives; ++k) {
      const std::string o = key + numbered("objectives::objective", k);
      stage->objectives.push_back({truncToInt(file.getFloat(o, 0)), file.getFloat(o, 1)});
    }
    const int levels = readRecordCount(file, key + "levels::i", kMaxStageEntries, path);
    for (int k = 1; k <= levels; ++k)
      stage->levelsUrls.push_back(root + file.getString(key + numbered("levels::level", k)));
    stages.push_back(std::move(stage));
  }
}

StagePtr TLevelManager::getStageById(int id) const {
  for (const StagePtr& stage : stages)
    if (stage->id == id) return stage;
  return nullptr;
}

const TLevelMagic* TLevelManager::getMagicData(int n) const { return ::getMagicData(n); }

LevelPtr TLevelManager::getRandomLevel() {
  const TStageLinks& links = stageLinks();
  const int highest = std::max(1, links.highestStageRecord ? links.highestStageRecord() : 0);
  const int s = rndInt(1, highest);
  StagePtr stage = links.hasStageRecord && links.hasStageRecord(s) ? getStageById(s) : nullptr;
  int stageNumber = s;
  int n = 0;
  if (stage && stage->levelCount() > 0) {
    n = rndInt(1, stage->levelCount());
  } else {
    // Stage 1 is asked, but only for a level it has.
    stage = getStageById(1);
    if (!stage && !stages.empty()) stage = stages.front();
    if (!stage || stage->levelCount() == 0) return nullptr;
    stageNumber = stage->id;
    n = rndInt(1, std::min(kFreePlayFirstLevels, stage->levelCount()));
  }
  if (links.setFreeLevel) links.setFreeLevel(n, stageNumber);
  return stage->getLevelForFreePlay(n);
}

// Progress records -------------------------------------------------------------------------------

LevelDataPtr TStageData::getLevelData(int levelId) const {
  for (const LevelDataPtr& data : levels)
    if (data && data->id == levelId) return data;
  return nullptr;
}

void TStageData::findTheHighest() {
  scores = 0;
  for (const LevelDataPtr& data : levels) {
    if (!data) continue;
    highestMultiplier = std::max(highestMultiplier, data->multiplier);
    longestDrive = std::max(longestDrive, data->longestDrive);
    scores += data->scores;
  }
}
