#pragma once
// One layout of the card game: the cards on the table with their positions, forced
// sides and obstacles, the deck, the spot, the resource tokens and the running results
// of play. TLevel reads and writes itself as a level file (a record file), deals itself
// (shuffles, swords, magic cards, shop items) and decides which table card covers which.
//
// Level files come from the catalogue, the player's saved quest and the editor, so they
// are treated as untrusted: unknown ids, broken counts and wild positions are reported
// on stderr and skipped or clamped, never fatal.
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "data/record_file.h"
#include "game/card.h"
#include "game/card_data.h"

class TBackground;
class TLevel;

using LevelPtr = std::shared_ptr<TLevel>;
using ResourcePtr = std::shared_ptr<TResource>;
using ResourceList = std::list<ResourcePtr>;

// Two cards whose centres are this far apart or more never cover each other.
constexpr int kCoverDistance = 150;
// The water line when no card carries ice: beyond the right edge, so nothing is snowed.
constexpr float kNoWaterLine = 1500;
// Where the deck holder always stands once a level is loaded.
constexpr float kLoadedDeckX = 460, kLoadedDeckY = 685;
// Upper bound for every count read from a level file; far above any real level and low
// enough that a broken count cannot stall the loader or the covering pass.
constexpr int kMaxLevelEntries = 1000;

// A point in design pixels.
struct TLevelPoint {
  float x = 0;
  float y = 0;
};

// What a level needs from parts built around it: the current profile, the level and
// background catalogues, the resource catalogue and the game screen's deck holder. Each
// part fills its entries when it is wired in. Until then an empty entry means "nothing
// there": no profile (no shop items, no swords owned, no magic cards), no background, no
// resource kinds, and the deck holder's size from the table layout below.
struct TLevelLinks {
  // Current profile. profileExists false makes every other profile answer "none".
  std::function<bool()> profileExists;
  std::function<bool(const std::string& pwrID)> haveItem;  // getMyItem(pwrID) is not none
  std::function<int()> stageID;                            // 1 when absent
  std::function<int()> levelID;                            // 1 when absent
  std::function<std::string()> tryb;                       // "QUEST" or "FREE-PLAY"
  std::function<bool(int seqN)> haveSwordBySeq;
  std::function<CardDataPtr(int id)> getMagicCard;  // an owned magic card, or null
  std::function<int()> magicCardsCount;             // magic cards owned
  std::function<int()> countLevelN;                 // (stageID - 1) * 10 + levelID
  std::function<CardDataPtr()> getAvailableRandomMagicCard;
  std::function<CardDataList()> awaitingMagicCards;
  // Level catalogue: ile of getMagicData(levelN), 0 when there is no entry.
  std::function<int(int levelN)> magicCountForLevel;
  // Background catalogue: the entry with that id (null when none), loading its pictures
  // (nothing when they are loaded already), drawing it.
  std::function<std::shared_ptr<TBackground>(int id)> findBackground;
  std::function<void(TBackground& background)> loadBackground;
  std::function<void(TBackground& background)> drawBackground;
  // Resource catalogue: the number of kinds, and a new lying token.
  std::function<int()> resourceKindCount;
  std::function<ResourcePtr(int kindId, int amount)> newResource;
  // Game screen: size of the deck holder picture.
  std::function<TLevelPoint()> deckHolderSize;
};

// The one set of links all levels use.
TLevelLinks& levelLinks();

// Points the cards' level entries (rock unlock, covering pass, removal) at their own
// level. Safe to call again; loading a level does it.
void installLevelCardLinks();

// The water line: cards right of it without rocks or ice carry snow. Shared by the
// current level and kept in its file.
float& pomWaterX();

class TLevel {
 public:
  std::shared_ptr<TBackground> background;
  int backGroundId = 0;  // 0 is treated as 1 at the deal
  float deckX = 512, deckY = 705;
  int numerRewersu = 0;  // back number of every card, 0..5
  float score = 0;
  int allCardsCount = 0;  // table cards at the first deal
  int allColumns = 0;     // column cards at the first deal
  int utrudnienie1Odblokowane = 0;  // rocks unlocked
  int utrudnienie2Odblokowane = 0;  // ice unlocked; only kept in the file
  int jestRocks = 0, jestIce = 0;
  int jestWildCards = 0;
  int jestMagic = 0;
  int longestDrive = 0;
  CardList cards;      // table order = drawing order; later cards lie on top
  CardDataList deck;   // first element drawn first
  CardDataList spot;   // last element is the visible top card
  CardList columns;    // cards that lie on no earlier card
  ResourceList resources;
  int soundID = 0;
  float deckHolderX = 0, deckHolderY = 0;
  float deckSpotX = 0, deckSpotY = 0;
  int driveN = 0;
  float driveMN = 0;
  int swordsN = 0;
  int newRecord = 0;
  int waterPom = 0;  // some card still carries ice

  TLevel() = default;
  // Cards point back at their level, so a level never moves.
  TLevel(const TLevel&) = delete;
  TLevel& operator=(const TLevel&) = delete;

  void addListToDeck(const CardDataList& list);
  // A random card of getAllAvailableForMagicCardsList() becomes that kind.
  void addMagicCard(const CardDataPtr& kind);
  // The deal.
  void init(int shuffle, int magic, int swords);
  void init_COLUMNS();
  // Gives every column card a resource token: the file's first, then random ones.
  void init_RESOURCES();
  int COUNT_magicCards() const;
  void COUNT_deckHolder();
  // The top of the deck fan: the next kind to be drawn.
  TLevelPoint COUNT_firstDeckCardDim() const;
  TLevelPoint COUNT_spotDim() const;
  int COUNT_level_value() const;
  void drawBackGround();
  void setRewers(int n);
  // The table card at index i from 0, or null.
  CardPtr getCardByIndex(int i) const;
  CardList getAvailableForFORCECards() const;
  CardList getAllCardsList() const;
  CardList getAllAvailableForMagicCardsList() const;
  CardList getAllAvailableForSwordsCardsList() const;
  // Whether a card of the list has the card's sequence number.
  static bool listHaveThatCard(const CardList& list, const TCard& card);
  CardList getAllAvailableToForceCards() const;
  // n different cards at random from getAllAvailableToForceCards(); fewer when it runs out.
  CardList getRandomCards(int n) const;
  // n different cards at random from a copy of the list; fewer when it runs out.
  static CardList getRandomCardsFromList(int n, const CardList& list);
  // Marks truncate(cards * fraction) random free cards to be face up from the start.
  void forceSide(float fraction);
  void CHECK_found_magicCards();
  void CHECK_magicCards();
  // Whether the card lies on no card before it.
  bool CHECK_card_column(TCard& card);
  void CHECK_front_Swords();
  // The covering pass: initial at the deal, else during play.
  void CHECK_Cover(int initial);
  void CHECK_WaterX();
  bool CHECK_WaterExist();
  void SHUFFLE_CARDS();
  void SHUFFLE_SWORDS();
  void SHUFFLE_DECK(int keep);

  void _saveLevelStandards(TRCMFile& file) const;
  void _saveLevelOdblokowania(TRCMFile& file) const;
  void _saveLevelCards(TRCMFile& file) const;
  void _saveLevelDeck(TRCMFile& file) const;
  void _saveLevelSpot(TRCMFile& file) const;
  bool _save(const std::string& path) const;
  void _loadLevelStandards(const TRCMFile& file);
  void _loadLevelCards(const TRCMFile& file);
  void _loadLevelDeck(const TRCMFile& file);
  void _loadLevelSpot(const TRCMFile& file);
  void _loadLevelOdblokowania(const TRCMFile& file);
  void _loadLevelResources(const TRCMFile& file);
  void _load(const std::string& path, int shuffle, int magic, int swords);

  // Whether the card lies on this level's table.
  bool hasCard(const TCard& card) const;
  // Takes the card off the table (and out of the columns); its kind and flags stay.
  void removeCard(const TCard& card);
  // The file the level was read from ("" for a new level).
  const std::string& sourcePath() const { return sourcePath_; }

 private:
  std::string sourcePath_;  // for messages about a broken file
};

// A new level read from path and dealt.
LevelPtr loadLevel(const std::string& path, int shuffle, int magic, int swords);
// Writes the level file; false when it could not be written.
bool saveLevel(const TLevel& level, const std::string& path);
// The level editor's blank level: background 1, an empty deck, dealt without shuffling.
LevelPtr newEmptyLevel();
