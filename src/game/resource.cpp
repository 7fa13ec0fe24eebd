// Resource tokens: the catalogue, collecting tokens and their flight to the cash display.
#include "game/resource.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "data/record_file.h"
#include "engine/clock.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/draw.h"
#include "engine/text.h"
#include "game/card.h"
#include "game/level.h"

namespace {

constexpr int kMaxCatalogueEntries = 1000;
constexpr int kParticleGap = 25;  // ms between two trail bursts
constexpr int kTrailParticles = 25, kTrailSpread = 5;
constexpr int kLandingParticles = 50, kLandingSpread = 25;
constexpr float kEndSnap = 0.0001f;  // so 20 steps of 0.05 arrive despite float sums
constexpr int kDriveCoinKind = 1;


// Whether clock reading a comes after b (safe across the 32-bit wrap).
bool later(unsigned a, unsigned b) { return static_cast<int>(a - b) > 0; }

void particles(int count, float x, float y, int spread) {
  const TResourceLinks& links = resourceLinks();
  if (!links.particle) return;
  for (int i = 0; i < count; ++i) {
    const float px = static_cast<float>(truncToInt(x + rnd(static_cast<float>(-spread), static_cast<float>(spread))));
    const float py = static_cast<float>(truncToInt(y + rnd(static_cast<float>(-spread), static_cast<float>(spread))));
    links.particle("resourceParticle", px, py, 0);
  }
}

}  // namespace

TResourceLinks& resourceLinks() {
  static TResourceLinks links;
  return links;
}

// Catalogue ----------------------------------------------------------------------------

ResourceDataList& resourceCatalogue() {
  static ResourceDataList list;
  return list;
}

void loadResourceCatalogue() {
  const std::string& root = globals().contentRoot;
  loadResourceCatalogueFrom(root + "data/resources.dat", root);
}

void loadResourceCatalogueFrom(const std::string& path, const std::string& imageRoot) {
  const TRCMFile file = openRecordFile(path);
  resourceCatalogue() = ResourceDataList();
  const float raw = file.getFloat("resources::i");
  int n = std::isnan(raw) || raw < 0 ? 0 : truncToInt(raw);
  if (n > kMaxCatalogueEntries) {
    std::fprintf(stderr, "%s: resources::i = %d is too many; %d read\n", path.c_str(), n,
                 kMaxCatalogueEntries);
    n = kMaxCatalogueEntries;
  }
  // A count beyond the entries listed is broken content, not that many empty kinds.
  const TRCMGroup* group = file._grupa.getGroup("resources");
  const int listed = group ? static_cast<int>(group->_listaGrup.size()) : 0;
  if (n > listed) {
    std::fprintf(stderr, "%s: %d resources announced, %d listed\n", path.c_str(), n, listed);
    n = listed;
  }
  for (int i = 1; i <= n; ++i) {
    const std::string key = "resources::res" + std::to_string(i) + "::";
    auto kind = std::make_shared<TResourceData>();
    kind->id = truncToInt(file.getFloat(key + "id"));
    if (kind->id != i)
      std::fprintf(stderr, "%s: resource %d has id %d; random tokens expect ids 1..%d\n", path.c_str(), i,
                   kind->id, n);
    const std::string picture = file.getString(key + "img", 0);
    if (picture.empty()) {
      std::fprintf(stderr, "%s: resource %d has no picture\n", path.c_str(), i);
    } else {
      kind->img = loadImage(imageRoot + picture, IMAGE_FILTERED);
      if (kind->img) midHandleImage(kind->img);
    }
    resourceCatalogue().push_back(kind);
  }
}

ResourceDataPtr getResourceDataById(int id) {
  for (const ResourceDataPtr& kind : resourceCatalogue())
    if (kind->id == id) return kind;
  return nullptr;
}

ResourcePtr newResource(const ResourceDataPtr& kind, int amount, float x, float y) {
  auto token = std::make_shared<TResource>();
  token->rd = kind;
  token->ammount = amount;
  token->x = x;
  token->y = y;
  return token;
}

// One token ----------------------------------------------------------------------------

void TResource::generateParticles() { particles(kTrailParticles, x, y, kTrailSpread); }

void TResource::draw() {
  if (!rd || !rd->img) return;
  setColor(255, 255, 255);
  setAlpha(1);
  setBlend(BLEND_ALPHA);
  setTransform(360 * per, 1, 1);
  drawImage(rd->img, x, y, 0);
  setTransform(0, 1, 1);
}

void TResource::_update_fly() {
  per += kResourceFlightRate * frameStep();
  if (per >= 1 - kEndSnap) per = 1;
  const float u = sinDeg(90 * per);
  x = x1 + 2 * u * (mx - x1) + u * u * (x1 - 2 * mx + x2);
  y = y1 + 2 * u * (my - y1) + u * u * (y1 - 2 * my + y2);
  const unsigned now = millisecs();
  if (later(now, static_cast<unsigned>(time))) {
    time = static_cast<int>(now + kParticleGap);
    generateParticles();
  }
  if (per == 1) {
    addToProfile();
    const TResourceLinks& links = resourceLinks();
    if (links.playSound) links.playSound("coin-" + std::to_string(rndInt(1, 2)));
    if (links.shake) links.shake();
  }
}

void TResource::update() {
  if (str::upper(state) == "FLY") _update_fly();
}

void TResource::flyToCash() {
  state = "FLY";
  x1 = x;
  y1 = y;
  x2 = kCashX;
  y2 = kCashY;
  if (rndInt(0, 1) == 1) {
    mx = x2;
    my = y1;
  } else {
    mx = x1;
    my = y2;
  }
  per = 0;
}

void TResource::addToProfile() {
  const TResourceLinks& links = resourceLinks();
  if (TLevel* level = links.level ? links.level() : nullptr) level->score += static_cast<float>(ammount);
  state = "";
  resourcesInPlay().remove_if([this](const ResourcePtr& r) { return r.get() == this; });
  particles(kLandingParticles, x, y, kLandingSpread);
}

// Tokens in play -----------------------------------------------------------------------

ResourceList& resourcesInPlay() {
  static ResourceList list;
  return list;
}

void addResource(const ResourcePtr& token) {
  if (!token) return;
  ResourceList& inPlay = resourcesInPlay();
  ResourcePtr flying = token;
  if (std::find(inPlay.begin(), inPlay.end(), token) != inPlay.end())
    flying = newResource(token->rd, token->ammount, token->x, token->y);
  inPlay.push_back(flying);
  flying->flyToCash();
}

void collectColumnToken(TCard& card) {
  if (!card.res) return;
  card.res->x = card.x;
  card.res->y = card.y;
  addResource(card.res);
}

void flyCoin(float x, float y, int amount) {
  addResource(newResource(getResourceDataById(kDriveCoinKind), amount, x, y));
}

void updateResources() {
  // A landing token leaves the list during its own update.
  const std::vector<ResourcePtr> all(resourcesInPlay().begin(), resourcesInPlay().end());
  for (const ResourcePtr& token : all) token->update();
}

void drawResources() {
  for (const ResourcePtr& token : resourcesInPlay()) token->draw();
}
