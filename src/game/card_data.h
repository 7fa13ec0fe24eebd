#pragma once
// The card catalogue ("data/cards.dat"): every kind of card the game knows, with its
// picture, rank and family, and the fixed pictures all table cards share (backs,
// glow, mask, obstacles). Kinds are shared: a table card, a deck or a profile points at
// the catalogue's kind and never copies it.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"

class TCardData;
using CardDataPtr = std::shared_ptr<TCardData>;
using CardDataList = std::list<CardDataPtr>;

// Id families.
constexpr int kStandardCardLimit = 100;  // ids below this are the playing cards
constexpr int kSpecialCardFirst = 101;   // ids above 100 are kept as special cards
constexpr int kNoShuffleCardId = 104;    // never exchanged by the table shuffle
constexpr int kHammerCardId = 105;
constexpr int kSwordIdOffset = 200;  // sword id = sequence number + 200
constexpr int kFirstSwordId = 202;
constexpr int kLastSwordId = 214;
constexpr int kMagicIdOffset = 300;  // magic id = standard id + 300

// One card kind.
class TCardData {
 public:
  int id = 0;
  ImagePtr img;  // picture strip holding the face
  int frame = 0;
  std::string nazwa;  // rank name: "2" .. "10", "J", "Q", "K", "A"
  int kolor = 0;      // colour (suit) number
  int seqN = 0;       // rank in sequence, 2 .. 14
  int newMagicCard = 0;
  int notFound = 1;

  virtual ~TCardData() = default;

  // The hammer is drawn at half scale: halves the current drawing scale.
  virtual void checkSpecScale() const;
  // The face at (x, y); with iceFlag also the ice cell iceFrame over it.
  virtual void draw(float x, float y, int iceFlag, int iceFrame) const;
  virtual bool isSpecCard() const;  // the hammer
  virtual bool isSword() const;
  virtual bool isMagic() const;
};

// Sequence number of a rank name: "A" 14, "K" 13, "Q" 12, "J" 11, else the number (0 when none).
int seqNFromName(const std::string& name);

// The fixed pictures every card uses, loaded with the catalogue. Any may be null when
// its file is missing; drawing then skips that piece.
struct TCardImages {
  ImagePtr magicOutline1, magicOutline2;
  ImagePtr over;           // hover glow
  ImagePtr revers[6];      // card backs by back number
  ImagePtr snow;
  ImagePtr mask;           // the card's silhouette for hover and overlap tests
  ImagePtr ice;            // 9 cells
  ImagePtr rocks;          // 9 cells
  ImagePtr reversGold;     // the back of every magic card
};
TCardImages& cardImages();

// The three catalogue lists, shared for the whole run.
CardDataList& standardCardCatalogue();
CardDataList& specialCardCatalogue();
CardDataList& magicCardCatalogue();

// Reads "data/cards.dat" (relative to the working folder) into the catalogue lists,
// replacing what they held. Missing pictures and broken entries are reported on stderr
// and skipped.
void loadCardCatalogue();
// Reads the catalogue from the given record file; the fixed pictures are looked up
// under imageRoot ("" is the working folder).
void loadCardCatalogueFrom(const std::string& path, const std::string& imageRoot = "");
// Appends a kind to the lists its id selects.
void addToCardCatalogue(const CardDataPtr& kind);
// Empties the three lists.
void clearCardCatalogue();

// The kind with that id from the standard, then the special catalogue; null when absent.
CardDataPtr getCardDataById(int id);
// The first standard kind of that colour whose name matches, ignoring case; null when absent.
CardDataPtr getCardDataByName(const std::string& name, int colour);
// A new list of the standard kinds with ids below 100, in catalogue order.
CardDataList getStandardCards();
// One of getStandardCards() at random; null when there are none.
CardDataPtr getRandomStandardCard();
// n independent getRandomStandardCard() results (repeats possible).
CardDataList getRandomStandardCards(int n);
