// The level model: the deal, the card lists the deal picks from, the shuffles, the
// covering pass, columns, the water line and the deck geometry.
#include "game/level.h"

#include <cmath>
#include <vector>

#include "engine/numbers.h"
#include "engine/random.h"

namespace {

// The deck holder picture when the game screen has not said otherwise (its footprint
// in the table layout).
constexpr TLevelPoint kDeckHolderSize{470, 168};
constexpr int kMaxMagicCardsOwned = 52;
// Placing magic cards gives up after this many tries, so a profile that keeps
// offering kinds no card can take cannot stall the deal.
constexpr int kMagicPlacementTries = 101;
constexpr int kMinSeq = 2, kMaxSeq = 14;
constexpr int kResourceAmount = 10;

float g_waterLine = 0;

bool isHammer(const TCard& card) { return card.cd && card.cd->isSpecCard(); }
int kindId(const TCard& card) { return card.cd ? card.cd->id : 0; }

// Distance of two centres with each axis truncated to whole pixels first.
float centreDistance(const TCard& a, const TCard& b) {
  const int dx = truncToInt(std::fabs(b.x - a.x));
  const int dy = truncToInt(std::fabs(b.y - a.y));
  return std::sqrt(static_cast<float>(dx) * dx + static_cast<float>(dy) * dy);
}

// Profile questions with "no profile" answers.
bool haveProfile() {
  const TLevelLinks& l = levelLinks();
  return l.profileExists && l.profileExists();
}
bool profileHasItem(const std::string& id) {
  return haveProfile() && levelLinks().haveItem && levelLinks().haveItem(id);
}
int profileStage() { return haveProfile() && levelLinks().stageID ? levelLinks().stageID() : 1; }
int profileLevel() { return haveProfile() && levelLinks().levelID ? levelLinks().levelID() : 1; }

// Standard cards of rank 2..14 without rocks and ice, one per rank, in table order.
CardList oneCardPerRank(const CardList& cards, bool withoutSnow, bool onlyMissingSwords) {
  CardList out;
  const TLevelLinks& links = levelLinks();
  for (const CardPtr& card : cards) {
    if (!card->cd || card->cd->id >= kStandardCardLimit) continue;
    const int seq = card->cd->seqN;
    if (seq < kMinSeq || seq > kMaxSeq) continue;
    if (card->utrudnienie1 || card->utrudnienie2) continue;
    if (withoutSnow && card->utrudnienie3) continue;
    if (onlyMissingSwords && haveProfile() && links.haveSwordBySeq && links.haveSwordBySeq(seq)) {
      continue;
    }
    if (TLevel::listHaveThatCard(out, *card)) continue;
    out.push_back(card);
  }
  return out;
}

// Takes the element at a random position out of the list; null when it is empty.
template <typename T>
T takeRandom(std::list<T>& list) {
  if (list.empty()) return T{};
  auto it = list.begin();
  std::advance(it, rndInt(1, static_cast<int>(list.size())) - 1);
  T picked = *it;
  list.erase(it);
  return picked;
}

}  // namespace

TLevelLinks& levelLinks() {
  static TLevelLinks links;
  return links;
}

float& pomWaterX() { return g_waterLine; }

void installLevelCardLinks() {
  TCardLinks& links = cardLinks();
  links.rocksLocked = [](const TCard& card) {
    return card.myLevel != nullptr && card.myLevel->utrudnienie1Odblokowane == 0;
  };
  links.waterLine = [] { return pomWaterX(); };
  links.unlockRocks = [](TCard& card) {
    if (card.myLevel) card.myLevel->utrudnienie1Odblokowane = 1;
  };
  links.checkCover = [](TCard& card, int initial) {
    if (card.myLevel) card.myLevel->CHECK_Cover(initial);
  };
  links.removeFromLevel = [](TCard& card) {
    if (card.myLevel) card.myLevel->removeCard(card);
  };
}

// Lists and counts --------------------------------------------------------------------

bool TLevel::hasCard(const TCard& card) const {
  for (const CardPtr& c : cards)
    if (c.get() == &card) return true;
  return false;
}

void TLevel::removeCard(const TCard& card) {
  // The hammer leaves the table only when it is found, and finding it frees the rocks,
  // whichever way it was found (flipped, or freed by the covering pass).
  if (isHammer(card) && hasCard(card)) utrudnienie1Odblokowane = 1;
  cards.remove_if([&](const CardPtr& c) { return c.get() == &card; });
  columns.remove_if([&](const CardPtr& c) { return c.get() == &card; });
}

void TLevel::addListToDeck(const CardDataList& list) { deck.insert(deck.end(), list.begin(), list.end()); }

void TLevel::addMagicCard(const CardDataPtr& kind) {
  CardList available = getAllAvailableForMagicCardsList();
  if (CardPtr card = takeRandom(available)) card->cd = kind;
}

int TLevel::COUNT_magicCards() const {
  int n = 0;
  for (const CardPtr& card : cards)
    if (card->cd && card->cd->isMagic()) ++n;
  return n;
}

int TLevel::COUNT_level_value() const { return allColumns * 10 + allCardsCount * 3; }

void TLevel::setRewers(int n) {
  numerRewersu = n;
  for (const CardPtr& card : cards) card->numerRewersu = n;
}

CardPtr TLevel::getCardByIndex(int i) const {
  if (i < 0) return nullptr;
  for (const CardPtr& card : cards)
    if (i-- == 0) return card;
  return nullptr;
}

CardList TLevel::getAvailableForFORCECards() const {
  CardList out;
  for (const CardPtr& card : cards)
    if (!card->utrudnienie1 && !card->utrudnienie2 && !card->utrudnienie3 && !isHammer(*card))
      out.push_back(card);
  return out;
}

CardList TLevel::getAllCardsList() const {
  CardList out;
  for (const CardPtr& card : cards)
    if (card->cd && card->cd->id < kStandardCardLimit && !card->utrudnienie1 && !card->utrudnienie2)
      out.push_back(card);
  return out;
}

CardList TLevel::getAllAvailableForMagicCardsList() const { return oneCardPerRank(cards, false, false); }

CardList TLevel::getAllAvailableForSwordsCardsList() const { return oneCardPerRank(cards, true, true); }

bool TLevel::listHaveThatCard(const CardList& list, const TCard& card) {
  if (!card.cd) return false;
  for (const CardPtr& c : list)
    if (c->cd && c->cd->seqN == card.cd->seqN) return true;
  return false;
}

CardList TLevel::getAllAvailableToForceCards() const {
  CardList out;
  for (const CardPtr& card : cards)
    if (!card->utrudnienie1 && !card->utrudnienie2 && !card->utrudnienie3) out.push_back(card);
  return out;
}

CardList TLevel::getRandomCards(int n) const { return getRandomCardsFromList(n, getAllAvailableToForceCards()); }

CardList TLevel::getRandomCardsFromList(int n, const CardList& list) {
  CardList pool = list;
  CardList out;
  for (int i = 0; i < n && !pool.empty(); ++i) out.push_back(takeRandom(pool));
  return out;
}

// The deal --------------------------------------------------------------------------

void TLevel::init(int shuffle, int magic, int swords) {
  TLevelLinks& links = levelLinks();
  if (backGroundId == 0) backGroundId = 1;
  background = links.findBackground ? links.findBackground(backGroundId) : nullptr;
  if (background && links.loadBackground) links.loadBackground(*background);

  bool anyIceOrSnow = false;
  for (const CardPtr& card : cards) {
    if (isHammer(*card)) utrudnienie1Odblokowane = 0;
    if (card->utrudnienie2 || card->utrudnienie3) anyIceOrSnow = true;
  }
  if (anyIceOrSnow && pomWaterX() == 0) CHECK_WaterX();

  if (shuffle) {
    SHUFFLE_CARDS();
    if (swords) SHUFFLE_SWORDS();
    SHUFFLE_DECK(1);
    const bool reveal10 = profileHasItem("ODKRYCIE-10");
    const bool reveal20 = profileHasItem("ODKRYCIE-20");
    if (reveal10 && reveal20) {
      forceSide(0.3f);
    } else if (reveal10) {
      forceSide(0.1f);
    } else if (reveal20) {
      forceSide(0.2f);
    }
    if (profileHasItem("DECK-CARDS")) addListToDeck(getRandomStandardCards(5));
    if (magic) CHECK_magicCards();
  }

  if (allCardsCount == 0) allCardsCount = static_cast<int>(cards.size());
  CHECK_Cover(1);
  COUNT_deckHolder();

  anyIceOrSnow = false;
  for (const CardPtr& card : cards) {
    if (kindId(*card) >= kSwordIdOffset) jestWildCards = 1;
    if (card->utrudnienie2 || card->utrudnienie3) anyIceOrSnow = true;
  }
  if (anyIceOrSnow && pomWaterX() == 0) CHECK_WaterX();
}

void TLevel::SHUFFLE_CARDS() {
  if (cards.empty()) return;
  // Faces move, places stay: positions, obstacles and sides belong to the layout.
  std::vector<CardPtr> table(cards.begin(), cards.end());
  const int count = static_cast<int>(table.size());
  for (int i = 0; i < 2 * count; ++i) {
    TCard& a = *table[static_cast<size_t>(rndInt(1, count) - 1)];
    TCard& b = *table[static_cast<size_t>(rndInt(1, count) - 1)];
    const int idA = kindId(a), idB = kindId(b);
    if (idA == kNoShuffleCardId || idA == kHammerCardId || idB == kNoShuffleCardId ||
        idB == kHammerCardId)
      continue;
    std::swap(a.cd, b.cd);
  }
}

void TLevel::SHUFFLE_SWORDS() {
  const int stage = profileStage();
  const int level = profileLevel();
  const bool swordLesson = stage == 1 && level == 2;  // the tutorial level always gets one
  if (stage == 1 && level < 2) return;
  if (!swordLesson && rndInt(0, 10) > 8) return;
  swordsN = 0;
  int count = rndInt(0, 1);
  if (swordLesson) count = 1;
  CardList available = getAllAvailableForSwordsCardsList();
  for (int i = 0; i < count; ++i) {
    CardPtr card = takeRandom(available);
    if (!card) break;
    card->changeToSword();
    ++swordsN;
  }
}

void TLevel::SHUFFLE_DECK(int keep) {
  CardDataList shuffled;
  if (keep) {
    while (!deck.empty()) shuffled.push_back(takeRandom(deck));
  }
  deck = std::move(shuffled);
}

void TLevel::forceSide(float fraction) {
  bool anyIce = false;
  for (const CardPtr& card : cards) anyIce = anyIce || card->utrudnienie2;
  if (anyIce) CHECK_WaterX();
  const int n = truncToInt(static_cast<float>(cards.size()) * fraction);
  for (const CardPtr& card : getRandomCardsFromList(n, getAvailableForFORCECards())) card->forceSide = 1;
}

void TLevel::CHECK_found_magicCards() {
  const TLevelLinks& links = levelLinks();
  if (!haveProfile() || !links.getMagicCard) return;
  for (const CardPtr& card : cards) {
    if (!card->cd) continue;
    if (CardDataPtr twin = links.getMagicCard(card->cd->id + kMagicIdOffset)) card->cd = twin;
  }
}

void TLevel::CHECK_magicCards() {
  const TLevelLinks& links = levelLinks();
  if (!haveProfile() || !links.tryb || links.tryb() != "QUEST") return;
  if (links.magicCardsCount && links.magicCardsCount() >= kMaxMagicCardsOwned) return;
  CHECK_found_magicCards();
  const int levelN = links.countLevelN ? links.countLevelN() : 0;
  const int wanted = links.magicCountForLevel ? links.magicCountForLevel(levelN) : 0;
  for (int tries = 0; tries < kMagicPlacementTries && COUNT_magicCards() < wanted; ++tries) {
    CardDataPtr kind = links.getAvailableRandomMagicCard ? links.getAvailableRandomMagicCard() : nullptr;
    if (!kind) break;
    addMagicCard(kind);
  }
  if (links.awaitingMagicCards) {
    for (const CardDataPtr& kind : links.awaitingMagicCards()) addMagicCard(kind);
  }
}

// Covering, columns and the water line -----------------------------------------------

void TLevel::CHECK_Cover(int initial) {
  if (cards.empty()) return;
  if (!CHECK_WaterExist()) CHECK_WaterX();
  // A card may leave the table during its own check (the hammer), and that runs a
  // nested pass; walk a copy and skip what has gone.
  const std::vector<CardPtr> table(cards.begin(), cards.end());
  for (const CardPtr& card : table) {
    if (hasCard(*card)) card->CHECK_Cover(cards, initial);
  }
}

bool TLevel::CHECK_card_column(TCard& card) {
  for (const CardPtr& earlier : cards) {
    if (earlier.get() == &card) break;
    if (centreDistance(*earlier, card) < kCoverDistance && cardsOverlap(*earlier, card)) return false;
  }
  return true;
}

void TLevel::init_COLUMNS() {
  columns.clear();
  for (const CardPtr& card : cards)
    if (CHECK_card_column(*card)) columns.push_back(card);
}

void TLevel::init_RESOURCES() {
  const TLevelLinks& links = levelLinks();
  const int kinds = links.resourceKindCount ? links.resourceKindCount() : 0;
  auto fromFile = resources.begin();
  for (const CardPtr& column : columns) {
    if (fromFile != resources.end()) {
      column->res = *fromFile++;
    } else if (kinds > 0 && links.newResource) {
      column->res = links.newResource(rndInt(1, kinds), kResourceAmount);
    }
  }
}

void TLevel::CHECK_front_Swords() {
  const TCardLinks& links = cardLinks();
  if (!links.pickSword) return;
  // pickSword takes the card off the table.
  const std::vector<CardPtr> table(cards.begin(), cards.end());
  for (const CardPtr& card : table) {
    if (card->odkryta && card->cd && card->cd->isSword() && hasCard(*card)) links.pickSword(*card);
  }
}

void TLevel::CHECK_WaterX() {
  float line = 0;
  for (const CardPtr& card : cards)
    if (card->utrudnienie2 && card->x > line) line = card->x;
  if (line == 0) line = kNoWaterLine;
  pomWaterX() = line;
  for (const CardPtr& card : cards)
    if (card->x > line && !card->utrudnienie1 && !card->utrudnienie2) card->utrudnienie3 = 1;
}

bool TLevel::CHECK_WaterExist() {
  waterPom = 0;
  for (const CardPtr& card : cards)
    if (card->utrudnienie2) waterPom = 1;
  return waterPom != 0;
}

// Deck and spot geometry ------------------------------------------------------------

void TLevel::COUNT_deckHolder() {
  const TLevelLinks& links = levelLinks();
  const TLevelPoint size = links.deckHolderSize ? links.deckHolderSize() : kDeckHolderSize;
  deckHolderX = deckX - size.x / 2;
  deckHolderY = deckY - size.y / 2;
  deckSpotX = deckHolderX + size.x - 82;
  deckSpotY = deckY + 10;
}

TLevelPoint TLevel::COUNT_firstDeckCardDim() const {
  float step = 13;
  float x = deckHolderX + 85;
  for (std::size_t i = 0; i < deck.size(); ++i) {
    x += step;
    step -= 0.8f;
    if (step < 0) step = 0;
  }
  return {static_cast<float>(truncToInt(x)), static_cast<float>(truncToInt(deckY))};
}

TLevelPoint TLevel::COUNT_spotDim() const {
  return {static_cast<float>(truncToInt(deckSpotX)), static_cast<float>(truncToInt(deckY))};
}

void TLevel::drawBackGround() {
  const TLevelLinks& links = levelLinks();
  if (!background) return;
  if (links.loadBackground) links.loadBackground(*background);
  if (links.drawBackground) links.drawBackground(*background);
}

LevelPtr newEmptyLevel() {
  installLevelCardLinks();
  auto level = std::make_shared<TLevel>();
  level->backGroundId = 1;
  level->deck = getStandardCards();
  level->SHUFFLE_DECK(0);
  level->init(0, 0, 1);
  return level;
}
