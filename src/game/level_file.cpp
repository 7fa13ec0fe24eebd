// Level files: reading and writing the record file of one level.
#include <algorithm>
#include <cmath>
#include <iostream>

#include "engine/numbers.h"
#include "game/level.h"

namespace {

// Table cards outside this area are moved onto its edge: far enough to keep the
// editor's off-table parking, near enough that nothing is lost off screen.
constexpr float kMinCardX = 0, kMaxCardX = 1024;
constexpr float kMinCardY = 0, kMaxCardY = 768;
constexpr int kMaxBackNumber = 5;

void warn(const std::string& path, const std::string& text) {
  std::cerr << "level file " << path << ": " << text << std::endl;
}

// A count entry read as a loop bound: NaN and negative give 0, huge ones the cap.
int readCount(const TRCMFile& file, const std::string& key, const std::string& path) {
  const float raw = file.getFloat(key);
  if (std::isnan(raw) || raw < 0) {
    if (raw != 0) warn(path, key + " is not a count; read as 0");
    return 0;
  }
  const int n = truncToInt(raw);
  if (n > kMaxLevelEntries) {
    warn(path, key + " = " + std::to_string(n) + " is too many; only " +
                   std::to_string(kMaxLevelEntries) + " are read");
    return kMaxLevelEntries;
  }
  return n;
}

// A flag or small number; NaN reads as 0 like any other integer field.
int readInt(const TRCMFile& file, const std::string& key, int index = 0) {
  return truncToInt(file.getFloat(key, index));
}

// A float field; NaN or infinity would poison every sum it enters, so they read as 0.
float readFinite(const TRCMFile& file, const std::string& key, int index = 0) {
  const float v = file.getFloat(key, index);
  return std::isfinite(v) ? v : 0.0f;
}

// Kinds for the deck or spot list "level::<group>::<entry>k"; unknown ids are left out.
CardDataList readKinds(const TRCMFile& file, const std::string& group, const std::string& entry,
                       const std::string& path) {
  CardDataList kinds;
  const std::string prefix = "level::" + group + "::";
  const int n = readCount(file, prefix + "i", path);
  int unknown = 0;
  for (int k = 1; k <= n; ++k) {
    const int id = readInt(file, prefix + entry + std::to_string(k));
    if (CardDataPtr kind = getCardDataById(id)) {
      kinds.push_back(std::move(kind));
    } else {
      ++unknown;
    }
  }
  if (unknown > 0) warn(path, std::to_string(unknown) + " " + group + " ids missing or not in the card catalogue skipped");
  return kinds;
}

void writeKinds(TRCMFile& file, const CardDataList& kinds, const std::string& group,
                const std::string& entry) {
  const std::string prefix = "level::" + group + "::";
  file.setFloat(prefix + "i", static_cast<float>(kinds.size()));
  int k = 1;
  for (const CardDataPtr& kind : kinds) {
    file.setFloat(prefix + entry + std::to_string(k++), static_cast<float>(kind ? kind->id : 0));
  }
}

}  // namespace

void TLevel::_saveLevelStandards(TRCMFile& file) const {
  file.setFloat("level::data::deckDim", deckX, 0);
  file.setFloat("level::data::deckDim", deckY, 1);
  file.setFloat("level::data::numerRewersu", static_cast<float>(numerRewersu));
  file.setFloat("level::data::background", static_cast<float>(backGroundId));
  file.setFloat("level::data::score", score);
  file.setFloat("level::data::soundId", static_cast<float>(soundID));
  file.setFloat("level::data::driveN", static_cast<float>(driveN));
  file.setFloat("level::data::driveMN", driveMN);
  file.setFloat("level::data::allCardsCount", static_cast<float>(allCardsCount));
  file.setFloat("level::data::allColumnsCount", static_cast<float>(allColumns));
  file.setFloat("level::data::newRecord", static_cast<float>(newRecord));
  file.setFloat("level::data::pomWaterX", pomWaterX());
  file.setFloat("level::data::longestDrive", static_cast<float>(longestDrive));
}

void TLevel::_saveLevelOdblokowania(TRCMFile& file) const {
  file.setFloat("level::specs::utrudnienie1", static_cast<float>(utrudnienie1Odblokowane));
  file.setFloat("level::specs::utrudnienie2", static_cast<float>(utrudnienie2Odblokowane));
}

void TLevel::_saveLevelCards(TRCMFile& file) const {
  file.setFloat("level::cards::i", static_cast<float>(cards.size()));
  int k = 1;
  for (const CardPtr& card : cards) {
    const std::string g = "level::cards::card" + std::to_string(k++) + "::";
    file.setFloat(g + "id", static_cast<float>(card->cd ? card->cd->id : 0));
    file.setFloat(g + "dim", card->x, 0);
    file.setFloat(g + "dim", card->y, 1);
    file.setFloat(g + "forceSide", static_cast<float>(card->forceSide));
    file.setFloat(g + "utrudnienie1", static_cast<float>(card->utrudnienie1));
    file.setFloat(g + "utrudnienie2", static_cast<float>(card->utrudnienie2));
    file.setFloat(g + "utrudnienie3", static_cast<float>(card->utrudnienie3));
  }
}

void TLevel::_saveLevelDeck(TRCMFile& file) const { writeKinds(file, deck, "deck", "deckCard"); }

void TLevel::_saveLevelSpot(TRCMFile& file) const { writeKinds(file, spot, "spot", "spotCard"); }

bool TLevel::_save(const std::string& path) const {
  TRCMFile file;
  _saveLevelStandards(file);
  _saveLevelOdblokowania(file);
  _saveLevelDeck(file);
  _saveLevelCards(file);
  _saveLevelSpot(file);
  const bool saved = file.save(path);
  grantAccess(path);
  return saved;
}

void TLevel::_loadLevelStandards(const TRCMFile& file) {
  // The deck holder's place belongs to the table layout, not to the file.
  deckX = kLoadedDeckX;
  deckY = kLoadedDeckY;
  numerRewersu = readInt(file, "level::data::numerRewersu");
  if (numerRewersu < 0 || numerRewersu > kMaxBackNumber) {
    warn(sourcePath_, "card back " + std::to_string(numerRewersu) + " does not exist; back 0 used");
    numerRewersu = 0;
  }
  backGroundId = readInt(file, "level::data::background");
  score = readFinite(file, "level::data::score");
  soundID = readInt(file, "level::data::soundID");
  driveN = readInt(file, "level::data::driveN");
  driveMN = file.getFloat("level::data::driveMN");
  if (!(driveMN >= 1)) driveMN = 1;  // also catches NaN
  allCardsCount = readInt(file, "level::data::allCardsCount");
  allColumns = readInt(file, "level::data::allColumnsCount");
  newRecord = readInt(file, "level::data::newRecord");
  pomWaterX() = readFinite(file, "level::data::pomWaterX");
  longestDrive = readInt(file, "level::data::longestDrive");
}

void TLevel::_loadLevelCards(const TRCMFile& file) {
  cards.clear();
  const int n = readCount(file, "level::cards::i", sourcePath_);
  int unknown = 0;
  for (int k = 1; k <= n; ++k) {
    const std::string g = "level::cards::card" + std::to_string(k) + "::";
    CardDataPtr kind = getCardDataById(readInt(file, g + "id"));
    if (!kind) {
      ++unknown;
      continue;
    }
    const float x = file.getFloat(g + "dim", 0);
    const float y = file.getFloat(g + "dim", 1);
    if (std::isnan(x) || std::isnan(y)) {
      warn(sourcePath_, "card" + std::to_string(k) + " has no position; skipped");
      continue;
    }
    auto card = std::make_shared<TCard>();
    card->cd = std::move(kind);
    card->x = std::clamp(x, kMinCardX, kMaxCardX);
    card->y = std::clamp(y, kMinCardY, kMaxCardY);
    if (card->x != x || card->y != y) {
      warn(sourcePath_, "card" + std::to_string(k) + " lies off the table; moved to its edge");
    }
    card->forceSide = readInt(file, g + "forceSide");
    card->utrudnienie1 = readInt(file, g + "utrudnienie1");
    card->utrudnienie2 = readInt(file, g + "utrudnienie2");
    card->utrudnienie3 = readInt(file, g + "utrudnienie3");
    if (card->utrudnienie1) jestRocks = 1;
    if (card->utrudnienie2) jestIce = 1;
    card->numerRewersu = numerRewersu;
    card->myLevel = this;
    cards.push_back(std::move(card));
  }
  if (unknown > 0) {
    warn(sourcePath_, std::to_string(unknown) + " table cards with ids missing or not in the card catalogue skipped");
  }
}

void TLevel::_loadLevelDeck(const TRCMFile& file) {
  deck = readKinds(file, "deck", "deckCard", sourcePath_);
}

void TLevel::_loadLevelSpot(const TRCMFile& file) {
  spot = readKinds(file, "spot", "spotCard", sourcePath_);
}

void TLevel::_loadLevelOdblokowania(const TRCMFile& file) {
  utrudnienie1Odblokowane = readInt(file, "level::specs::utrudnienie1");
  utrudnienie2Odblokowane = readInt(file, "level::specs::utrudnienie2");
}

void TLevel::_loadLevelResources(const TRCMFile& file) {
  resources.clear();
  const int n = readCount(file, "level::resources::i", sourcePath_);
  const TLevelLinks& links = levelLinks();
  if (n == 0 || !links.newResource) return;
  for (int k = 1; k <= n; ++k) {
    const std::string g = "level::resources::res" + std::to_string(k) + "::";
    if (ResourcePtr token = links.newResource(readInt(file, g + "id"), readInt(file, g + "ammount"))) {
      resources.push_back(std::move(token));
    }
  }
}

void TLevel::_load(const std::string& path, int shuffle, int magic, int swords) {
  installLevelCardLinks();
  sourcePath_ = path;
  const TRCMFile file = openRecordFile(path);
  _loadLevelStandards(file);
  _loadLevelDeck(file);
  _loadLevelCards(file);
  _loadLevelOdblokowania(file);
  _loadLevelResources(file);
  _loadLevelSpot(file);
  init(shuffle, magic, swords);
  init_COLUMNS();
  init_RESOURCES();
  if (allColumns == 0) allColumns = static_cast<int>(columns.size());
}

LevelPtr loadLevel(const std::string& path, int shuffle, int magic, int swords) {
  auto level = std::make_shared<TLevel>();
  level->_load(path, shuffle, magic, swords);
  return level;
}

bool saveLevel(const TLevel& level, const std::string& path) { return level._save(path); }
