#include "game/card.h"

#include <algorithm>
#include <cmath>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/text.h"
#include "gui/mouse.h"

namespace {

constexpr float kOverRate = 0.05f;
constexpr float kNegRate = 0.05f;
constexpr float kFlipRate = 0.05f;
constexpr float kIceRate = 0.3f;
constexpr float kIceLastCell = 8;
constexpr float kMagicOutlineRate = 0.02f;
constexpr float kHintRate = 0.05f;
constexpr float kRockRate = 0.1f;
constexpr float kRockNextCell = 0.7f;  // a rock cell lets the next start once above this
constexpr int kFullIceCell = 8;
constexpr unsigned kCardLayer = 1;



bool isHammer(const CardDataPtr& cd) { return cd && cd->isSpecCard(); }
bool isSwordKind(const CardDataPtr& cd) { return cd && cd->isSword(); }
bool isMagicKind(const CardDataPtr& cd) { return cd && cd->isMagic(); }

void playSound(const std::string& name) {
  if (cardLinks().playSound) cardLinks().playSound(name);
}

void whiteAlphaBlend(float a) {
  setColor(255, 255, 255);
  setBlend(BLEND_ALPHA);
  setAlpha(a);
}

}  // namespace

TCardLinks& cardLinks() {
  static TCardLinks links;
  return links;
}

TCardHintPulse& cardHintPulse() {
  static TCardHintPulse pulse;
  return pulse;
}

bool cardsOverlap(TCard& a, TCard& b) {
  resetCollisions();
  a.collide1();
  return b.collide2();
}

// Flip ----------------------------------------------------------------------------------

float TCard::countXSCaleBYRot(float angle, float /*ignored*/) {
  float a = std::isfinite(angle) ? angle : 0.0f;
  // fmod rather than repeated steps of 360, so a huge angle cannot stall.
  if (a < 0 || a > 360) {
    a = std::fmod(a, 360.0f);
    if (a < 0) a += 360.0f;
  }
  if (a <= 90) {
    side = 1;
    return 1 - a / 90;
  }
  if (a <= 180) {
    side = 0;
    return (a - 90) / 90;
  }
  if (a <= 270) {
    side = 0;
    return 1 - (a - 180) / 90;
  }
  side = 1;
  return (a - 270) / 90;
}

// Drawing ---------------------------------------------------------------------------------

void TCard::drawFace(int iceFlag, int iceFrame) const {
  if (cd) cd->draw(x, y, iceFlag, iceFrame);
}

void TCard::drawBack() const {
  const TCardImages& im = cardImages();
  const ImagePtr& back =
      isMagicKind(cd) ? im.reversGold : im.revers[(numerRewersu >= 0 && numerRewersu < 6) ? numerRewersu : 0];
  if (back) drawImage(back, x, y, 0);
}

void TCard::drawRewers() {
  drawBack();
  const ImagePtr& ice = cardImages().ice;
  const int cell = truncToInt(waterFrame);
  if (utrudnienie2 && ice && cell >= 0 && cell < ice->frameCount()) {
    setBlend(BLEND_ALPHA);
    setAlpha(0.7f);
    drawImage(ice, x, y, cell);
  }
}

bool TCard::hinted() { return cardLinks().hintLevel && cardLinks().hintLevel(); }

void TCard::_drawOverNormal() {
  if (hint && hinted()) return;
  if (isMagicKind(cd) && cd->notFound) return;
  if (overA == 0) return;
  if (!cd || !cardLinks().playable || !cardLinks().playable(*cd)) return;
  const ImagePtr& over = cardImages().over;
  whiteAlphaBlend(overA);
  if (over) drawImage(over, x, y, 0);
  setAlpha(1);
  drawFace(utrudnienie2, kFullIceCell);
  setBlend(BLEND_LIGHT);
  setAlpha(overA * (cd->isMagic() ? 0.1f : 0.3f));
  drawFace(utrudnienie2, kFullIceCell);
  whiteAlphaBlend(1);
}

void TCard::_drawOver() {
  if (side == 1) _drawOverNormal();
}

void TCard::_drawNeg() {
  const ImagePtr& over = cardImages().over;
  setBlend(BLEND_ALPHA);
  setAlpha(negA * 0.2f);
  setColor(255, 255, 255);
  if (side == 1 && negA != 0) drawFace(utrudnienie2, kFullIceCell);
  setAlpha(negA);
  setColor(255, 0, 0);
  if (over) drawImage(over, x, y, 0);
  setAlpha(1);
  if (side == 1 && negA != 0) {
    setColor(255, 255, 255);
    drawFace(utrudnienie2, kFullIceCell);
    setColor(255, 0, 0);
    setAlpha(negA * 0.3f);
    drawFace(utrudnienie2, kFullIceCell);
    setColor(255, 255, 255);
    if (utrudnienie1) drawRockStuff();
  }
  setColor(255, 255, 255);
}

void TCard::_drawHint() {
  const bool runes = cardLinks().runesOfTarnwick && cardLinks().runesOfTarnwick();
  if (!hinted() && !runes) return;
  const float glow = alpha * cardHintPulse().value * (isMagicKind(cd) ? 0.2f : 0.5f);
  setAlpha(1);
  setColor(255, 255, 255);
  setBlend(BLEND_LIGHT);
  setAlpha(glow);
  if (cardImages().over) drawImage(cardImages().over, x, y, 0);
  setBlend(BLEND_ALPHA);
  setAlpha(1);
  drawFace(utrudnienie2, kFullIceCell);
  setBlend(BLEND_LIGHT);
  setAlpha(glow);
  drawFace(utrudnienie2, kFullIceCell);
  whiteAlphaBlend(alpha);
}

void TCard::_drawMagicOutline() {
  const TCardImages& im = cardImages();
  setBlend(BLEND_LIGHT);
  setAlpha(1 - moa);
  if (im.magicOutline1) drawImage(im.magicOutline1, x, y, 0);
  setAlpha(moa);
  if (im.magicOutline2) drawImage(im.magicOutline2, x, y, 0);
}

void TCard::draw() {
  if ((x == 0 && y == 0) || flyingCard) return;
  whiteAlphaBlend(alpha);
  setTransform(rot, sx * scale, sy * scale);
  if (isHammer(cd)) {
    // Drawn directly: cd->draw would halve the scale a second time.
    cd->checkSpecScale();
    if (cd->img && cd->frame >= 0 && cd->frame < cd->img->frameCount())
      drawImage(cd->img, x, y, cd->frame);
    setTransform(0, 1, 1);
    return;
  }
  if (side == 1) {
    drawFace(utrudnienie2, truncToInt(waterFrame));
    if (utrudnienie1) drawRockStuff();
    if (hint) _drawHint();
  } else if (utrudnienie1) {
    drawRewers();
    drawRockStuff();
  } else {
    drawRewers();
    if (utrudnienie3) drawSnowStuff();
  }
  if (isMagicKind(cd) && cd->notFound) _drawMagicOutline();
  _drawOver();
  // Rocks stay on top of the glow.
  if (utrudnienie1) drawRockStuff();
  _drawNeg();
  whiteAlphaBlend(1);
  setTransform(0, 1, 1);
}

void TCard::drawSnowStuff() {
  setAlpha(1);
  if (cardImages().snow) drawImage(cardImages().snow, x, y, 0);
}

void TCard::drawRockStuff() {
  const ImagePtr& rocks = cardImages().rocks;
  if (!rocks) return;
  for (int i = 0; i < 9 && i < rocks->frameCount(); ++i) {
    setAlpha(specFrameAlpha[i]);
    drawImage(rocks, x, y, i);
  }
}

void TCard::drawRockStuff_EDITOR() {
  const ImagePtr& rocks = cardImages().rocks;
  setAlpha(1);
  if (rocks && rocks->frameCount() > 8) drawImage(rocks, x, y, 8);
}

// Update --------------------------------------------------------------------------------

bool TCard::_updateOver() {
  if (flyingCard || !odkryta) return false;
  return maskUnderPointer();
}

bool TCard::maskUnderPointer() {
  const ImagePtr& mask = cardImages().mask;
  const ImagePtr& pointer = globals().pointerImage;
  const TMouse* mouse = gMouse();
  if (!mask || !pointer || !mouse) return false;
  setTransform(rot, sx * scale, sy * scale);
  resetCollisions();
  collideImage(mask, static_cast<float>(truncToInt(x)), static_cast<float>(truncToInt(y)), 0, 0,
               kCardLayer);
  setTransform(0, 1, 1);
  return !collideImage(pointer, static_cast<float>(mouse->x), static_cast<float>(mouse->y), 0,
                       kCardLayer, 0)
              .empty();
}

void TCard::_updateOverAlpha() { approach(overA, dOverA, kOverRate); }

void TCard::_updateNegativeAlpha() {
  if (negA > 0) {
    dOverA = 0;
    overA = 0;
    negA = std::max(0.0f, negA - kNegRate * frameStep());
  }
}

void TCard::_updateSideData() {
  if (forceSide && side == 0 && state != "SHOW-FORCE") setState("SHOW-FORCE");
}

namespace {
// One frame of turning over; true on the frame the face has come round.
bool stepFlip(TCard& card) {
  card.p = std::min(1.0f, card.p + kFlipRate * frameStep());
  card.sx = card.countXSCaleBYRot(180 + 180 * sinDeg(90 * card.p));
  if (card.p < 1) return false;
  card.state = "";
  card.side = 1;
  card.sx = 1;
  return true;
}
}  // namespace

void TCard::_update_STATE_show() {
  if (!stepFlip(*this)) return;
  if (isSwordKind(cd) && cardLinks().pickSword) cardLinks().pickSword(*this);
  if (isHammer(cd)) {
    showSand();
    playSound("rocks-uncover");
  }
}

void TCard::_update_STATE_show_force() {
  if (!stepFlip(*this)) return;
  if (isHammer(cd)) showSand();
}

void TCard::_updateState() {
  if (state == "SHOW")
    _update_STATE_show();
  else if (state == "SHOW-FORCE")
    _update_STATE_show_force();
}

void TCard::_updatehint() {
  TCardHintPulse& pulse = cardHintPulse();
  approach(pulse.value, pulse.target, kHintRate);
  if (pulse.value == pulse.target) pulse.target = 1 - pulse.target;
}

void TCard::_updateSpecCard() {
  for (float& cell : specFrameAlpha) {
    const bool ready = cell > kRockNextCell;
    cell = std::min(1.0f, cell + kRockRate * frameStep());
    if (!ready) break;
  }
}

void TCard::_updateWaterFrame() {
  if (utrudnienie2) waterFrame = std::min(kIceLastCell, waterFrame + kIceRate * frameStep());
}

void TCard::_updateMagicOutline() {
  approach(moa, dMoa, kMagicOutlineRate);
  if (moa == dMoa) dMoa = 1 - dMoa;
}

bool TCard::update() {
  // Finding the hammer removes the card from its level; stay alive until we return.
  const std::shared_ptr<TCard> keep = weak_from_this().lock();
  const bool over = _updateOver();
  _updateOverAlpha();
  _updateNegativeAlpha();
  _updateSideData();
  _updateState();
  _updateWaterFrame();
  if (isMagicKind(cd) && cd->notFound) _updateMagicOutline();
  if (utrudnienie1) _updateSpecCard();
  return over;
}

bool TCard::EDITOR_over() {
  if (utrudnienie1 && cardLinks().rocksLocked && cardLinks().rocksLocked(*this)) side = 0;
  return maskUnderPointer();
}

void TCard::EDITOR_draw(bool hovered) {
  whiteAlphaBlend(1);
  setTransform(rot, 1, 1);
  const bool swordOrForced = forceSide || isSwordKind(cd);
  if (side == 1) {
    drawFace(utrudnienie2, kFullIceCell);
  } else if (utrudnienie1) {
    drawBack();
    drawRockStuff_EDITOR();
  } else if (utrudnienie2) {
    if (swordOrForced)
      drawFace(0, 0);
    else
      drawBack();
    const ImagePtr& ice = cardImages().ice;
    if (ice && ice->frameCount() > kFullIceCell) drawImage(ice, x, y, kFullIceCell);
  } else if (swordOrForced || isHammer(cd)) {
    // The hammer is half size on the table; the editor shows it card-sized.
    if (isHammer(cd)) setTransform(rot, 2, 2);
    drawFace(0, 0);
    setTransform(rot, 1, 1);
  } else {
    drawBack();
  }
  if (hovered) {
    setBlend(BLEND_LIGHT);
    setAlpha(0.4f);
    if (side == 1)
      drawFace(utrudnienie2, kFullIceCell);
    else if (!utrudnienie2)
      drawBack();
    whiteAlphaBlend(1);
  }
  setTransform(0, 1, 1);
}

// Actions -------------------------------------------------------------------------------

void TCard::setState(const std::string& name) { state = str::upper(name); }

void TCard::startFlight(const std::string& kind, float fromX, float fromY, float toX, float toY,
                        int delay, bool levelCheck) {
  if (cardLinks().startFlight)
    cardLinks().startFlight(*this, kind, fromX, fromY, toX, toY, delay, levelCheck);
}

void TCard::moveMe(float fromX, float fromY, float toX, float toY, int delay) {
  startFlight("STANDARD", fromX, fromY, toX, toY, delay, false);
}

void TCard::moveMe1(float fromX, float fromY, float toX, float toY, int delay) {
  startFlight("STANDARD1", fromX, fromY, toX, toY, delay, false);
}

void TCard::moveMe2(float fromX, float fromY, float toX, float toY, int delay) {
  startFlight("STANDARD2", fromX, fromY, toX, toY, delay, false);
}

void TCard::moveMeWithCheck(float fromX, float fromY, float toX, float toY, int delay) {
  startFlight("STANDARD", fromX, fromY, toX, toY, delay, true);
}

void TCard::generateWaterParticles() {
  playSound("plusk");
  const float w = static_cast<float>(cd ? imageWidth(cd->img) : 0);
  const float h = static_cast<float>(cd ? imageHeight(cd->img) : 0);
  for (int k = 0; k < 26; ++k) {
    const float px = rnd(x - w / 2, x + w / 2);
    const float py = rnd(y - h / 2, y + h / 2);
    if (cardLinks().particle) cardLinks().particle("waterParticle", px, py, 2 * k, false);
  }
}

void TCard::burst(const std::string& sound, const std::string& preset) {
  playSound(sound);
  for (int i = 0; i < 11; ++i) {
    const float px = x + static_cast<float>(rndInt(25, 45));
    const float py = y + static_cast<float>(rndInt(-70, 70));
    if (cardLinks().particle) cardLinks().particle(preset, px, py, -100, false);
  }
  for (int i = 0; i < 11; ++i) {
    const float px = x + static_cast<float>(rndInt(-45, 45));
    const float py = y + static_cast<float>(rndInt(25, 70));
    if (cardLinks().particle) cardLinks().particle(preset, px, py, -100, true);
  }
}

void TCard::generateSnowParticles() { burst("snow", "snowParticle"); }

void TCard::generateRockParticles() { burst("stone", "rockParticle"); }

void TCard::generateFlyToComboParticles() {
  const int n = rndInt(5, 10) + 1;
  for (int i = 0; i < n; ++i) {
    const float px = x + static_cast<float>(rndInt(-40, 40));
    const float py = y + static_cast<float>(rndInt(-70, 70));
    if (cardLinks().particle) cardLinks().particle("comboParticle", px, py, 0, false);
  }
}

void TCard::flyOut() {
  startFlight("STANDARD", x, y, 1200, 500, 0, false);
  if (cardLinks().checkCover) cardLinks().checkCover(*this, 0);
}

void TCard::flyOut2() {
  startFlight("FLY-OUT-STEP-ONE", x, y, x, 900, 0, false);
  if (cardLinks().removeFromLevel) cardLinks().removeFromLevel(*this);
  if (cardLinks().checkCover) cardLinks().checkCover(*this, 0);
  playSound("rocks-uncover");
  if (cardLinks().imgCaption) cardLinks().imgCaption("hammer-found", 512, 384, 3000);
  // Nothing before the hammer can be undone.
  if (cardLinks().clearUndo) cardLinks().clearUndo();
}

void TCard::changeToSword() {
  if (!cd) return;
  if (CardDataPtr sword = getCardDataById(cd->seqN + kSwordIdOffset)) cd = sword;
}

void TCard::changeToNormal() {
  if (!cd) return;
  if (CardDataPtr normal = getCardDataById(cd->seqN - kSwordIdOffset)) cd = normal;
}

void TCard::showUp() {
  setState("SHOW");
  if (utrudnienie1) {
    generateRockParticles();
    utrudnienie1 = 0;
  }
  if (utrudnienie3) {
    generateSnowParticles();
    utrudnienie3 = 0;
  }
  odkryta = 1;
  p = 0;
}

void TCard::showSand() {
  const std::shared_ptr<TCard> keep = weak_from_this().lock();
  if (cardLinks().unlockRocks) cardLinks().unlockRocks(*this);
  flyOut2();
  if (cardLinks().checkCover) cardLinks().checkCover(*this, 0);
  if (cardLinks().removeFromLevel) cardLinks().removeFromLevel(*this);
}

// Collision -----------------------------------------------------------------------------

void TCard::collide1() {
  const ImagePtr& mask = cardImages().mask;
  if (!mask) return;
  setTransform(rot, 1, 1);
  collideImage(mask, static_cast<float>(truncToInt(x)), static_cast<float>(truncToInt(y)), 0, 0,
               kCardLayer);
  setTransform(0, 1, 1);
}

bool TCard::collide2() {
  const ImagePtr& mask = cardImages().mask;
  if (!mask) return false;
  setTransform(rot, 1, 1);
  const bool hit = !collideImage(mask, static_cast<float>(truncToInt(x)),
                                 static_cast<float>(truncToInt(y)), 0, kCardLayer, 0)
                        .empty();
  setTransform(0, 1, 1);
  return hit;
}
