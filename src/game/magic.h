#pragma once
// Magic cards: gold-backed twins of the playing cards (id + 300) that the player
// collects into an album. "data/magics.dat" says how many a quest level deals; the deal
// turns cards whose twin the player owns into that twin, adds new ones the player lacks
// and places again those left uncollected in an earlier level. Playing a magic card
// collects it when its flight lands; one still on the table at the level's end waits
// for a later level.
//
// The collection lives in TMagicCollection. Until player profiles exist the game uses
// one in-memory instance (magicCollection()); the profile will own those lists and
// magicCollection() will hand out the current profile's.
#include <functional>
#include <list>
#include <string>

#include "game/card_data.h"

class TLevel;

// One entry of the magic card table: how many magic cards overall level levelN deals.
struct TLevelMagic {
  int levelN = 0;
  int ile = 0;
};

// Reads "data/magics.dat" behind the content root, replacing the table.
void loadMagicTable();
// The same from the given record file; broken counts are reported and read as 0.
void loadMagicTableFrom(const std::string& path);
std::list<TLevelMagic>& magicTable();
// The entry of that overall level number, or null.
const TLevelMagic* getMagicData(int levelN);
// Its count, 0 when there is no entry.
int magicCountForLevel(int levelN);

class TMagicCollection {
 public:
  CardDataList magicCards;          // found
  CardDataList awaitingMagicCards;  // left on a table, placed again later
  int foundMagicCardsN = 0;         // found in the current level

  // The found card with that id, or null.
  CardDataPtr getMagicCard(int id) const;
  bool haveMagic(int id) const;
  int count() const;
  // Magic kinds of the card catalogue not found yet, in catalogue order.
  CardDataList getAvailableMagicCards() const;
  // One of those at random; null when all are found.
  CardDataPtr getAvailableRandomMagicCard() const;
  // Appended unless a card with its id waits already.
  void addAwaitingMagicCard(const CardDataPtr& kind);
  // Found: leaves the awaiting list, marked found, one more found in this level.
  void addMagicCard(const CardDataPtr& kind);
  // Undo of a find: out of the found cards again.
  void removeMagicCard(const CardDataPtr& kind);
  // Marks every catalogue magic kind not found, then the found ones found.
  void setupAllMagicCards() const;
  // Empties the lists.
  void clear();
};

// The player's magic cards (the in-memory stand-in for the profile's lists).
TMagicCollection& magicCollection();

// The level is over: every magic kind still on its table and not found waits.
void awaitUncollectedMagicCards(const TLevel& level);

// Award checks raised when a magic card is found (checkMagicCardsAwards); empty: none.
std::function<void()>& magicCardsAwardsHook();
