// Swords: the catalogue, the owned swords on their arc, hovering, using a sword as a
// wild card and picking up a sword card from the table.
#include "game/sword.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/delta_time.h"
#include "app/globals.h"
#include "data/record_file.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "game/card.h"
#include "game/events.h"
#include "game/level.h"
#include "game/main_game.h"
#include "gui/mouse.h"

namespace {

constexpr float kHoverRate = 0.05f;
constexpr float kTurnRate = 0.1f;       // degrees per frame step on the arc
constexpr float kSlideRate = 10;        // pixels per frame step in and out
constexpr float kAlphaRate = 0.05f;
constexpr float kCardTurn = 90;         // a sword's card points away from the arc's centre
constexpr int kSwordParticles = 250;
constexpr int kParticleDelayMax = 1000;
constexpr unsigned kSwordLayer = 1;
constexpr int kMaxCatalogueEntries = 1000;


float wrapAngle(float v) {
  if (v < 0) v += 360;
  if (v > 360) v -= 360;
  return v;
}

float angleAt(int index) { return kSwordFirstAngle + kSwordAngleStep * static_cast<float>(index); }

int seqOf(const CardDataPtr& kind) { return kind ? kind->seqN : 0; }

void burst(float x, float y) {
  const TSwordLinks& links = swordLinks();
  if (!links.particle) return;
  for (int i = 0; i < kSwordParticles; ++i)
    links.particle("swordParticle", x, y, rndInt(0, kParticleDelayMax));
}

bool leftPressed() {
  const TMouse* mouse = gMouse();
  return mouse && mouse->leftPressed;
}

}  // namespace

// Kinds --------------------------------------------------------------------------------

TSwordPoint TSwordData::getCardPosition(const CardDataPtr&, float angle) const {
  return {static_cast<float>(truncToInt(kSwordArcX + cosDeg(angle) * kSwordArcRX)),
          static_cast<float>(truncToInt(kSwordArcY + sinDeg(angle) * kSwordArcRY))};
}

SwordDataList& swordCatalogue() {
  static SwordDataList list;
  return list;
}

void loadSwordCatalogue() { loadSwordCatalogueFrom(globals().contentRoot + "data/swords.dat"); }

void loadSwordCatalogueFrom(const std::string& path) {
  const TRCMFile file = openRecordFile(path);
  swordCatalogue() = SwordDataList();
  const float raw = file.getFloat("swords::i");
  int n = std::isnan(raw) || raw < 0 ? 0 : truncToInt(raw);
  if (n > kMaxCatalogueEntries) {
    std::fprintf(stderr, "%s: swords::i = %d is too many; %d read\n", path.c_str(), n,
                 kMaxCatalogueEntries);
    n = kMaxCatalogueEntries;
  }
  // A count beyond the entries listed is broken content, not that many empty kinds.
  const TRCMGroup* group = file._grupa.getGroup("swords");
  const int listed = group ? static_cast<int>(group->_listaGrup.size()) : 0;
  if (n > listed) {
    std::fprintf(stderr, "%s: %d swords announced, %d listed\n", path.c_str(), n, listed);
    n = listed;
  }
  for (int i = 1; i <= n; ++i) {
    const int id = truncToInt(file.getFloat("swords::sword" + std::to_string(i) + "::id"));
    if (id < kFirstSwordId || id > kLastSwordId) {
      std::fprintf(stderr, "%s: sword %d has id %d, not a sword card (%d..%d); skipped\n",
                   path.c_str(), i, id, kFirstSwordId, kLastSwordId);
      continue;
    }
    auto kind = std::make_shared<TSwordData>();
    kind->id = id;
    kind->cd = getCardDataById(id);
    // Without its card kind a sword has neither rank nor picture.
    if (!kind->cd) {
      std::fprintf(stderr, "%s: sword %d (id %d) has no card kind; skipped\n", path.c_str(), i, id);
      continue;
    }
    swordCatalogue().push_back(kind);
  }
}

SwordDataPtr getSwordDataById(int id) {
  for (const SwordDataPtr& kind : swordCatalogue())
    if (kind->id == id) return kind;
  return nullptr;
}

SwordDataPtr getSwordDataBySeq(int seq) {
  for (const SwordDataPtr& kind : swordCatalogue())
    if (kind->cd && kind->cd->seqN == seq) return kind;
  return nullptr;
}

SwordDataPtr getSwordDataForCard(const CardDataPtr& kind) {
  if (!kind) return nullptr;
  for (const SwordDataPtr& sd : swordCatalogue())
    if (sd->cd && sd->cd->id == kind->id) return sd;
  return nullptr;
}

SwordPtr newSword(int id) {
  SwordDataPtr kind = getSwordDataById(id);
  if (!kind) return nullptr;
  auto sword = std::make_shared<TSword>();
  sword->sd = std::move(kind);
  sword->_updatePosition();
  return sword;
}

SwordPtr newSwordForCard(const CardDataPtr& kind) {
  SwordDataPtr sd = getSwordDataForCard(kind);
  if (!sd) {
    std::fprintf(stderr, "no sword kind for card %d\n", kind ? kind->id : 0);
    if (swordLinks().notice) swordLinks().notice("NO dat!");
    return nullptr;
  }
  auto sword = std::make_shared<TSword>();
  sword->sd = std::move(sd);
  sword->dRot = ownedSwords().getSwordRotTemporary(kind);
  sword->_updatePosition();
  return sword;
}

// One sword ----------------------------------------------------------------------------

CardDataPtr TSword::cardKind() const { return sd ? sd->cd : nullptr; }

int TSword::seqN() const { return seqOf(cardKind()); }

void TSword::draw() {
  const CardDataPtr kind = cardKind();
  if (!kind || !kind->img) return;
  setColor(255, 255, 255);
  setAlpha(a);
  setBlend(BLEND_ALPHA);
  setTransform(rot + kCardTurn, s, s);
  drawImage(kind->img, dim.x, dim.y, kind->frame);
  setTransform(0, 1, 1);
  setAlpha(1);
}

bool TSword::_updateOver() {
  over = 0;
  const CardDataPtr kind = cardKind();
  const ImagePtr& pointer = globals().pointerImage;
  const TMouse* mouse = gMouse();
  if (!kind || !kind->img || !pointer || !mouse) return false;
  resetCollisions();
  setTransform(rot + kCardTurn, 1, 1);
  collideImage(kind->img, static_cast<float>(truncToInt(dim.x)), static_cast<float>(truncToInt(dim.y)),
               0, 0, kSwordLayer);
  setTransform(0, 1, 1);
  return !collideImage(pointer, static_cast<float>(mouse->x), static_cast<float>(mouse->y), 0,
                       kSwordLayer, 0)
              .empty();
}

void TSword::_updateAdy() {
  if (swordPlay().overSword.get() == this) {
    over = 1;
    dOverP = 1;
  } else {
    dOverP = 0;
  }
  approach(overP, dOverP, kHoverRate);
}

void TSword::_updateRot() {
  rot = wrapAngle(rot);
  dRot = wrapAngle(dRot);
  approach(rot, dRot, kTurnRate);
}

void TSword::_updatePosition() {
  const float rx = kSwordArcRX + kSwordHoverLift * overP + dodOdl;
  const float ry = kSwordArcRY + kSwordHoverLift * overP + dodOdl;
  dim.x = static_cast<float>(truncToInt(kSwordArcX + cosDeg(rot) * rx));
  dim.y = static_cast<float>(truncToInt(kSwordArcY + sinDeg(rot) * ry));
}

void TSword::_updateAlphaSelf() {
  dodOdl = std::min(kSwordShowOffset, dodOdl + kSlideRate * frameStep());
}

void TSword::_updateAlpha() {
  if (swordPlay().clickedSword.get() == this) {
    _updateAlphaSelf();
    return;
  }
  if (returning) {
    dodOdl = kSwordShowOffset;
    return;
  }
  dodOdl = std::max(0.0f, dodOdl - kSlideRate * frameStep());
  approach(a, da, kAlphaRate);
}

void TSword::update() {
  _updateAdy();
  _updateRot();
  _updatePosition();
  _updateAlpha();
}

// The owned swords ----------------------------------------------------------------------

TOwnedSwords& ownedSwords() {
  static TOwnedSwords owned;
  return owned;
}

void TOwnedSwords::sortSwords() {
  swords.sort([](const SwordPtr& x, const SwordPtr& y) { return x->seqN() < y->seqN(); });
}

void TOwnedSwords::countSwordsPosition() {
  int i = 0;
  for (const SwordPtr& sword : swords) sword->dRot = angleAt(i++);
}

void TOwnedSwords::countSwordsPosition2() {
  countSwordsPosition();
  for (const SwordPtr& sword : swords) {
    sword->rot = sword->dRot;
    sword->update();
  }
}

bool TOwnedSwords::haveSwordBySeq(int seq) const { return getMySwordBySeqN(seq) != nullptr; }

SwordPtr TOwnedSwords::getMySwordBySeqN(int seq) const {
  for (const SwordPtr& sword : swords)
    if (sword->seqN() == seq) return sword;
  return nullptr;
}

float TOwnedSwords::getSwordRotTemporary(const CardDataPtr& kind) const {
  if (!kind) return 0;
  // Its place among the owned swords once sorted in: after every lower rank.
  int index = 0;
  for (const SwordPtr& sword : swords)
    if (sword->seqN() < kind->seqN) ++index;
  return angleAt(index);
}

TSwordPlace TOwnedSwords::getSwordDim(const TSword& sword) const {
  int index = 0;
  for (const SwordPtr& owned : swords) {
    if (owned.get() == &sword) {
      const float angle = angleAt(index);
      // The card flying there should land turned as the sword is drawn.
      return {kSwordArcX + cosDeg(angle) * (kSwordArcRX + kSwordShowOffset),
              kSwordArcY + sinDeg(angle) * (kSwordArcRY + kSwordShowOffset),
              static_cast<float>(truncToInt(angle)) + kCardTurn};
    }
    ++index;
  }
  return {};
}

void TOwnedSwords::add(const SwordPtr& sword) {
  if (!sword) return;
  if (std::find(swords.begin(), swords.end(), sword) == swords.end()) swords.push_back(sword);
  sortSwords();
  countSwordsPosition();
}

void TOwnedSwords::remove(const SwordPtr& sword) {
  swords.remove(sword);
  countSwordsPosition();
}

void TOwnedSwords::removeByCardId(int cardId) {
  auto it = std::find_if(swords.begin(), swords.end(), [&](const SwordPtr& s) {
    const CardDataPtr kind = s->cardKind();
    return kind && kind->id == cardId;
  });
  if (it == swords.end()) return;
  swords.erase(it);
  countSwordsPosition();
}

SwordDataList TOwnedSwords::getPotencialWildCards() const {
  SwordDataList out;
  for (int seq = 2; seq <= 14; ++seq)
    if (!haveSwordBySeq(seq))
      if (SwordDataPtr kind = getSwordDataBySeq(seq)) out.push_back(kind);
  return out;
}

// Play ---------------------------------------------------------------------------------

TSwordLinks& swordLinks() {
  static TSwordLinks links;
  return links;
}

TSwordPlay& swordPlay() {
  static TSwordPlay play;
  return play;
}

void resetSwordPlay(const TLevel* level) {
  for (const SwordPtr& sword : ownedSwords().swords) {
    sword->returning = false;
    sword->a = sword->da = 1;
  }
  swordPlay() = TSwordPlay{};
  swordPlay().level = level;
}

void add3WildCards() {
  TOwnedSwords& owned = ownedSwords();
  for (int i = 0; i < 3; ++i) {
    const SwordDataList missing = owned.getPotencialWildCards();
    if (missing.empty()) break;
    auto it = missing.begin();
    std::advance(it, rndInt(1, static_cast<int>(missing.size())) - 1);
    if (SwordPtr sword = newSword((*it)->id)) owned.swords.push_back(sword);
  }
  owned.sortSwords();
  owned.countSwordsPosition2();
}

void updateSwords(TMainGame& game) {
  if (swordPlay().level != game.level.get()) resetSwordPlay(game.level.get());
  TSwordPlay& play = swordPlay();
  const SwordList swords = ownedSwords().swords;  // using a sword takes it out of the list
  if (swords.empty() && !play.clickedSword) return;
  play.overSword = nullptr;
  for (const SwordPtr& sword : swords)
    if (sword->_updateOver()) play.overSword = sword;
  for (const SwordPtr& sword : swords) sword->update();
  if (play.clickedSword) play.overSword = nullptr;
  if (play.overSword && leftPressed()) useSword(game, play.overSword);
  _update_clickedSword(game);
}

void drawSwords() {
  const SwordList swords = ownedSwords().swords;
  for (const SwordPtr& sword : swords) sword->draw();
}

void useSword(TMainGame& game, const SwordPtr& sword) {
  TSwordPlay& play = swordPlay();
  if (!sword || play.clickedSword || !game.level) return;
  burst(sword->dim.x, sword->dim.y);
  sword->da = 0;
  play.driveBeforeUse = game.level->driveN;
  game.level->driveN += 1;
  play.clickedSword = sword;
  play.overSword = nullptr;
  play.level = game.level.get();
  game.playSound("use-wildcard");
  if (TMouse* mouse = gMouse()) mouse->clear();  // the click must not reach a table card
}

void _update_clickedSword(TMainGame& game) {
  TSwordPlay& play = swordPlay();
  const SwordPtr sword = play.clickedSword;
  if (!sword || sword->dodOdl < kSwordShowOffset) return;
  play.clickedSword = nullptr;
  if (!game.level) return;
  const TLevelPoint spot = game.level->COUNT_spotDim();
  if (EventPtr event = recordSwordUsed(sword, sword->sd, spot.x, spot.y, game.swordShowX,
                                       game.swordShowY))
    event->driveN = play.driveBeforeUse;
  flySwordKindToSpot(sword->cardKind(), sword->dim.x, sword->dim.y, spot.x, spot.y,
                     sword->rot + kCardTurn);
  ownedSwords().remove(sword);
}

void pickUpSword(TMainGame&, TCard& card) {
  const CardPtr keep = card.shared_from_this();
  const SwordDataPtr kind = getSwordDataForCard(card.cd);
  if (!kind) {
    // No sword to join: the card just leaves the table.
    if (swordLinks().notice) swordLinks().notice("NO dat!");
    card.flyOut();
    return;
  }
  const float angle = ownedSwords().getSwordRotTemporary(card.cd);
  const TSwordPoint place = kind->getCardPosition(card.cd, angle);
  recordSwordPicked(keep, kind, place.x, place.y);
  // The flight ends turned as the sword is drawn; the landing takes the turn off again.
  flyPickSword(keep, place.x, place.y, angle + kCardTurn);
}

// The landing of a pick-up flight: the sword joins the arc.
void landPickedSword(TCard& card, float flightRot) {
  SwordPtr sword = newSwordForCard(card.cd);
  if (!sword) return;
  sword->rot = flightRot - kCardTurn;
  sword->_updatePosition();
  burst(card.x, card.y);
  sword->da = 1;
  if (!ownedSwords().haveSwordBySeq(sword->seqN())) ownedSwords().add(sword);
}

// Undo of a use: the sword rejoins the arc pushed out and invisible until it lands.
TSwordPlace returnSword(TSword& sword) {
  sword.a = sword.da = 0;
  sword.dodOdl = kSwordShowOffset;
  sword.returning = true;
  ownedSwords().add(sword.shared_from_this());
  return ownedSwords().getSwordDim(sword);
}

// The given-back sword's flight has landed: it shows again and slides back in.
bool swordShown(TSword& sword) {
  sword.returning = false;
  sword.a = sword.da = 1;
  return true;
}
