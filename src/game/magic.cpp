// Magic cards: the per-level table, the collection and what a level leaves waiting.
#include "game/magic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/globals.h"
#include "data/record_file.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "game/level.h"

namespace {

constexpr int kMaxTableEntries = 1000;

bool sameId(const CardDataPtr& a, int id) { return a && a->id == id; }

}  // namespace

// The table -------------------------------------------------------------------------------

std::list<TLevelMagic>& magicTable() {
  static std::list<TLevelMagic> table;
  return table;
}

void loadMagicTable() { loadMagicTableFrom(globals().contentRoot + "data/magics.dat"); }

void loadMagicTableFrom(const std::string& path) {
  const TRCMFile file = openRecordFile(path);
  magicTable().clear();
  const int n = readRecordCount(file, "magics::i", kMaxTableEntries, path);
  for (int i = 1; i <= n; ++i)
    magicTable().push_back({i, readRecordCount(file, "magics::level" + std::to_string(i), kMaxTableEntries, path)});
}

const TLevelMagic* getMagicData(int levelN) {
  for (const TLevelMagic& entry : magicTable())
    if (entry.levelN == levelN) return &entry;
  return nullptr;
}

int magicCountForLevel(int levelN) {
  const TLevelMagic* entry = getMagicData(levelN);
  return entry ? entry->ile : 0;
}

// The collection --------------------------------------------------------------------------

TMagicCollection& magicCollection() {
  static TMagicCollection collection;
  return collection;
}

CardDataPtr TMagicCollection::getMagicCard(int id) const {
  for (const CardDataPtr& kind : magicCards)
    if (sameId(kind, id)) return kind;
  return nullptr;
}

bool TMagicCollection::haveMagic(int id) const { return getMagicCard(id) != nullptr; }

int TMagicCollection::count() const { return static_cast<int>(magicCards.size()); }

CardDataList TMagicCollection::getAvailableMagicCards() const {
  CardDataList out;
  for (const CardDataPtr& kind : magicCardCatalogue())
    if (kind && !haveMagic(kind->id)) out.push_back(kind);
  return out;
}

CardDataPtr TMagicCollection::getAvailableRandomMagicCard() const {
  const CardDataList available = getAvailableMagicCards();
  if (available.empty()) return nullptr;
  auto it = available.begin();
  std::advance(it, rndInt(1, static_cast<int>(available.size())) - 1);
  return *it;
}

void TMagicCollection::addAwaitingMagicCard(const CardDataPtr& kind) {
  if (!kind) return;
  const bool waiting = std::any_of(awaitingMagicCards.begin(), awaitingMagicCards.end(),
                                   [&](const CardDataPtr& k) { return sameId(k, kind->id); });
  if (!waiting) awaitingMagicCards.push_back(kind);
}

void TMagicCollection::addMagicCard(const CardDataPtr& kind) {
  if (!kind) return;
  awaitingMagicCards.remove_if([&](const CardDataPtr& k) { return sameId(k, kind->id); });
  kind->notFound = 0;
  magicCards.push_back(kind);
  ++foundMagicCardsN;
}

void TMagicCollection::removeMagicCard(const CardDataPtr& kind) {
  if (!kind) return;
  const auto before = magicCards.size();
  magicCards.remove(kind);
  if (magicCards.size() != before && foundMagicCardsN > 0) --foundMagicCardsN;
}

void TMagicCollection::setupAllMagicCards() const {
  for (const CardDataPtr& kind : magicCardCatalogue())
    if (kind) kind->notFound = 1;
  for (const CardDataPtr& kind : magicCards)
    if (kind) kind->notFound = 0;
}

void TMagicCollection::clear() {
  magicCards.clear();
  awaitingMagicCards.clear();
  foundMagicCardsN = 0;
}

void awaitUncollectedMagicCards(const TLevel& level) {
  for (const CardPtr& card : level.cards)
    if (card->cd && card->cd->isMagic() && card->cd->notFound)
      magicCollection().addAwaitingMagicCard(card->cd);
}

std::function<void()>& magicCardsAwardsHook() {
  static std::function<void()> hook;
  return hook;
}
