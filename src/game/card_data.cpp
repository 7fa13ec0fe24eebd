#include "game/card_data.h"

#include <cstdio>
#include <sstream>

#include "app/globals.h"
#include "data/record_file.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/text.h"

namespace {

constexpr int kFilteredFlags = IMAGE_FILTERED | IMAGE_MIPMAPPED;
constexpr int kCardCellW = 96;
constexpr int kCardCellH = 140;
constexpr int kObstacleCells = 9;

ImagePtr loadCentred(const std::string& path, int flags) {
  ImagePtr image = loadImage(path, flags);
  midHandleImage(image);
  return image;
}

ImagePtr loadCentredStrip(const std::string& path, int w, int h, int count, int flags) {
  ImagePtr image = loadAnimImage(path, w, h, 0, count, flags);
  midHandleImage(image);
  return image;
}

void loadFixedImages(const std::string& root) {
  TCardImages& im = cardImages();
  const std::string dir = root + "gfx/cards/";
  im.magicOutline1 = loadCentred(dir + "magic-outline-1.png", IMAGE_DEFAULT);
  im.magicOutline2 = loadCentred(dir + "magic-outline-2.png", IMAGE_DEFAULT);
  im.over = loadCentred(dir + "over.png", kFilteredFlags);
  // Back 0 is the same picture as back 1: levels that never chose a back get the first.
  static const char* const kBacks[6] = {"revers-1.png", "revers-1.png", "revers-2.png",
                                        "revers-3.png", "revers-4.png", "revers-5.png"};
  for (int i = 0; i < 6; ++i) im.revers[i] = loadCentred(dir + kBacks[i], kFilteredFlags);
  im.snow = loadCentred(dir + "snow.png", IMAGE_DEFAULT);
  im.mask = loadCentred(dir + "mask.png", IMAGE_DEFAULT);
  im.ice = loadCentredStrip(dir + "ice.png", kCardCellW, kCardCellH, kObstacleCells, kFilteredFlags);
  im.rocks = loadCentredStrip(dir + "card-rocks.png", kCardCellW, kCardCellH, kObstacleCells,
                              kFilteredFlags);
  im.reversGold = loadCentred(dir + "revers-gold-1.png", kFilteredFlags);
}

// Reads the picture list. A count beyond the entries the group holds is a broken file:
// it is cut down so a huge number cannot stall loading.
std::vector<ImagePtr> loadPictures(const TRCMFile& file, const std::string& root) {
  std::vector<ImagePtr> pictures;
  int n = truncToInt(file.getFloat("cards::imgs"));
  const TRCMGroup* group = file._grupa.getGroup("cards");
  const int available = group ? static_cast<int>(group->_listaWpisow.size()) : 0;
  if (n > available) {
    std::fprintf(stderr, "cards.dat: %d pictures announced, at most %d listed\n", n, available);
    n = available;
  }
  for (int i = 1; i <= n; ++i) {
    const std::string key = "cards::img" + std::to_string(i);
    const std::string path = root + file.getString(key, 0);
    std::istringstream cells(file.getString(key, 1));
    double w = 0, h = 0, count = 0;
    cells >> w >> h >> count;
    ImagePtr picture;
    const int type = fileType(path);
    if (type != 1) {
      notify("NO file: " + path + "  FILTYPE : " + std::to_string(type));
    } else if (truncToInt(w) > 0) {
      picture = loadCentredStrip(path, truncToInt(w), truncToInt(h), truncToInt(count),
                                 kFilteredFlags);
    } else {
      picture = loadCentred(path, kFilteredFlags);
    }
    // A missing picture keeps its place so later picture numbers stay right.
    pictures.push_back(picture);
  }
  return pictures;
}

}  // namespace

// TCardData ---------------------------------------------------------------------------

void TCardData::checkSpecScale() const {
  if (id != kHammerCardId) return;
  float sx = 1, sy = 1;
  getScale(sx, sy);
  setScale(sx * 0.5f, sy * 0.5f);
}

void TCardData::draw(float x, float y, int iceFlag, int iceFrame) const {
  checkSpecScale();
  if (img && frame >= 0 && frame < img->frameCount()) drawImage(img, x, y, frame);
  const ImagePtr& ice = cardImages().ice;
  if (iceFlag && ice && iceFrame >= 0 && iceFrame < ice->frameCount()) drawImage(ice, x, y, iceFrame);
}

bool TCardData::isSpecCard() const { return id == kHammerCardId; }
bool TCardData::isSword() const { return id >= kFirstSwordId && id <= kLastSwordId; }
bool TCardData::isMagic() const { return id > kMagicIdOffset; }

// Catalogue -----------------------------------------------------------------------------

int seqNFromName(const std::string& name) {
  const std::string n = str::upper(str::trim(name));
  if (n == "A") return 14;
  if (n == "K") return 13;
  if (n == "Q") return 12;
  if (n == "J") return 11;
  // Only a plain number counts; "7x" or "" is no rank.
  if (n.empty() || n.size() > 9) return 0;
  for (const char c : n)
    if (c < '0' || c > '9') return 0;
  return std::stoi(n);
}

TCardImages& cardImages() {
  static TCardImages images;
  return images;
}

CardDataList& standardCardCatalogue() {
  static CardDataList list;
  return list;
}

CardDataList& specialCardCatalogue() {
  static CardDataList list;
  return list;
}

CardDataList& magicCardCatalogue() {
  static CardDataList list;
  return list;
}

void clearCardCatalogue() {
  standardCardCatalogue().clear();
  specialCardCatalogue().clear();
  magicCardCatalogue().clear();
}

void addToCardCatalogue(const CardDataPtr& kind) {
  if (!kind) return;
  if (kind->id > kStandardCardLimit)
    specialCardCatalogue().push_back(kind);
  else
    standardCardCatalogue().push_back(kind);
  if (kind->id > kMagicIdOffset) magicCardCatalogue().push_back(kind);
}

void loadCardCatalogue() {
  const std::string& root = globals().contentRoot;
  loadCardCatalogueFrom(root + "data/cards.dat", root);
}

void loadCardCatalogueFrom(const std::string& path, const std::string& imageRoot) {
  const TRCMFile file = openRecordFile(path);
  loadFixedImages(imageRoot);
  clearCardCatalogue();
  const std::vector<ImagePtr> pictures = loadPictures(file, imageRoot);

  int m = truncToInt(file.getFloat("cards::i"));
  const TRCMGroup* group = file._grupa.getGroup("cards");
  const int available = group ? static_cast<int>(group->_listaGrup.size()) : 0;
  if (m > available) {
    std::fprintf(stderr, "%s: %d cards announced, at most %d listed\n", path.c_str(), m, available);
    m = available;
  }
  for (int i = 1; i <= m; ++i) {
    const std::string key = "cards::c" + std::to_string(i);
    auto kind = std::make_shared<TCardData>();
    kind->id = truncToInt(file.getFloat(key + "::id"));
    const int picture = truncToInt(file.getFloat(key + "::img")) - 1;
    if (picture >= 0 && picture < static_cast<int>(pictures.size())) kind->img = pictures[picture];
    kind->frame = truncToInt(file.getFloat(key + "::frame"));
    kind->nazwa = file.getString(key + "::nazwa", 0);
    kind->kolor = truncToInt(file.getFloat(key + "::kolor"));
    kind->seqN = seqNFromName(kind->nazwa);
    if (!kind->img)
      std::fprintf(stderr, "%s: card %d (id %d) has no picture\n", path.c_str(), i, kind->id);
    else if (kind->frame < 0 || kind->frame >= kind->img->frameCount())
      std::fprintf(stderr, "%s: card %d (id %d) names frame %d of %d\n", path.c_str(), i, kind->id,
                   kind->frame, kind->img->frameCount());
    addToCardCatalogue(kind);
  }
}

CardDataPtr getCardDataById(int id) {
  for (const CardDataList* list : {&standardCardCatalogue(), &specialCardCatalogue()})
    for (const CardDataPtr& kind : *list)
      if (kind->id == id) return kind;
  return nullptr;
}

CardDataPtr getCardDataByName(const std::string& name, int colour) {
  const std::string wanted = str::upper(name);
  for (const CardDataPtr& kind : standardCardCatalogue())
    if (kind->kolor == colour && str::upper(kind->nazwa) == wanted) return kind;
  return nullptr;
}

CardDataList getStandardCards() {
  CardDataList out;
  for (const CardDataPtr& kind : standardCardCatalogue())
    if (kind->id < kStandardCardLimit) out.push_back(kind);
  return out;
}

CardDataPtr getRandomStandardCard() {
  const CardDataList cards = getStandardCards();
  if (cards.empty()) return nullptr;
  const int pos = rndInt(1, static_cast<int>(cards.size()));
  auto it = cards.begin();
  std::advance(it, pos - 1);
  return *it;
}

CardDataList getRandomStandardCards(int n) {
  CardDataList out;
  for (int i = 0; i < n; ++i) out.push_back(getRandomStandardCard());
  return out;
}
