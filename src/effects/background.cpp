#include "effects/background.h"

#include <cstdio>

#include "app/globals.h"
#include "data/record_file.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/numbers.h"

namespace {

// How many numbered items a count may announce: no more than the group holds, so a
// broken count cannot stall loading.
int boundedCount(const TRCMFile& file, const std::string& countKey, const std::string& groupName,
                 bool countGroups) {
  const int n = truncToInt(file.getFloat(countKey));
  if (n <= 0) return 0;
  const TRCMGroup* group = file._grupa.getGroup(groupName);
  const int available =
      !group ? 0
             : static_cast<int>(countGroups ? group->_listaGrup.size() : group->_listaWpisow.size());
  if (n > available) {
    std::fprintf(stderr, "%s: %s says %d, only %d listed\n", file._path.c_str(), countKey.c_str(),
                 n, available);
    return available;
  }
  return n;
}

}  // namespace

TBackgroundLinks& backgroundLinks() {
  static TBackgroundLinks links;
  return links;
}

void TBackground::_loadBackGFX(const TRCMFile& file) {
  const std::string path = globals().contentRoot + file.getString("background::backGFX");
  img = loadImage(path, IMAGE_DEFAULT);
  if (!img) notify("Backgroud file '" + path + "' not found!");
}

void TBackground::_loadGlows(const TRCMFile& /*file*/) {}

void TBackground::_loadBushes(const TRCMFile& file) {
  bushes.clear();
  const TRCMGroup* background = file._grupa.getGroup("background");
  const TRCMGroup* group = background ? background->getGroup("bushes") : nullptr;
  const int listed = group ? static_cast<int>(group->_listaWpisow.size()) : 0;
  int m = truncToInt(file.getFloat("background::bushes::i"));
  // The count itself is one of the group's entries.
  if (m > listed - 1) {
    if (m > 0)
      std::fprintf(stderr, "%s: %d bushes announced, %d listed\n", url.c_str(), m,
                   listed > 0 ? listed - 1 : 0);
    m = listed - 1;
  }
  if (!backgroundLinks().createBush) return;
  for (int i = 1; i <= m; ++i) {
    const std::string key = "backGround::bushes::b" + std::to_string(i);
    std::shared_ptr<TBush> bush = backgroundLinks().createBush(
        truncToInt(file.getFloat(key, 0)), file.getFloat(key, 1), file.getFloat(key, 2),
        file.getFloat(key, 3), file.getFloat(key, 4));
    if (bush) bushes.push_back(bush);
  }
}

void TBackground::loadMe() {
  const TRCMFile file = openRecordFile(url);
  _loadBackGFX(file);
  _loadGlows(file);
  _loadBushes(file);
}

void TBackground::check() {
  if (!img) loadMe();
}

void TBackground::_drawBackGFX() {
  setColor(255, 255, 255);
  setAlpha(1);
  setBlend(BLEND_ALPHA);
  setTransform(0, 1, 1);
  if (img) drawImage(img, 0, 0, 0);
}

void TBackground::_drawGlows() {}

void TBackground::_drawBushes() {
  if (!backgroundLinks().drawBush) return;
  for (const std::shared_ptr<TBush>& bush : bushes) backgroundLinks().drawBush(*bush);
}

void TBackground::draw() {
  _drawBackGFX();
  _drawGlows();
  _drawBushes();
}

void TBackground::_updateGlows() {}

void TBackground::_updateBushes() {
  if (!backgroundLinks().updateBush) return;
  for (const std::shared_ptr<TBush>& bush : bushes) backgroundLinks().updateBush(*bush);
}

void TBackground::update() {
  _updateGlows();
  _updateBushes();
}

std::list<BackgroundPtr>& backgroundCatalogue() {
  static std::list<BackgroundPtr> catalogue;
  return catalogue;
}

void loadBackgroundCatalogue() {
  loadBackgroundCatalogueFrom(globals().contentRoot + "data/backgrounds.dat");
}

void loadBackgroundCatalogueFrom(const std::string& path) {
  const TRCMFile file = openRecordFile(path);
  std::list<BackgroundPtr>& catalogue = backgroundCatalogue();
  catalogue.clear();
  const int n = boundedCount(file, "backgrounds::i", "backgrounds", true);
  for (int i = 1; i <= n; ++i) {
    const std::string key = "backGrounds::bg" + std::to_string(i);
    auto background = std::make_shared<TBackground>();
    background->id = truncToInt(file.getFloat(key + "::id"));
    background->url = globals().contentRoot + file.getString(key + "::url");
    catalogue.push_back(background);
  }
}

BackgroundPtr getBackground(int id) {
  for (const BackgroundPtr& background : backgroundCatalogue())
    if (background->id == id) return background;
  return nullptr;
}
