// Card kinds and table cards: the catalogue and its id families, the flip, the hover
// test against the card's outline, and the per-frame obstacle animations.

#include "game/card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/draw.h"
#include "gui/mouse.h"
#include "support/harness.h"

namespace {

constexpr int kW = 96, kH = 140, kCorner = 20;

// The card outline: opaque inside a 96 x 140 rectangle with corners rounded by 20 px.
ImagePtr roundedMask() {
  TPixmap pm(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const float cx = std::clamp(x + 0.5f, float(kCorner), float(kW - kCorner));
      const float cy = std::clamp(y + 0.5f, float(kCorner), float(kH - kCorner));
      const bool in = std::hypot(x + 0.5f - cx, y + 0.5f - cy) <= kCorner;
      pm.at(x, y)[0] = pm.at(x, y)[1] = pm.at(x, y)[2] = 255;
      pm.at(x, y)[3] = in ? 255 : 0;
    }
  ImagePtr img = createImage(pm, 0);
  midHandleImage(img);
  return img;
}

ImagePtr solid(int w, int h, int r, int g, int b) {
  TPixmap pm(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = pm.at(x, y);
      p[0] = r, p[1] = g, p[2] = b, p[3] = 255;
    }
  ImagePtr img = createImage(pm, 0);
  midHandleImage(img);
  return img;
}

CardDataPtr kind(int id, const std::string& name = "2", int colour = 1) {
  auto k = std::make_shared<TCardData>();
  k->id = id;
  k->nazwa = name;
  k->kolor = colour;
  k->seqN = seqNFromName(name);
  return k;
}

// Every test starts from empty catalogues, no links and a frame step of 1.
class CardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    clearCardCatalogue();
    cardImages() = TCardImages{};
    cardLinks() = TCardLinks{};
    cardHintPulse() = TCardHintPulse{};
    setFrameStep(1);
  }
  void TearDown() override {
    clearCardCatalogue();
    cardImages() = TCardImages{};
    cardLinks() = TCardLinks{};
    globals().pointerImage = nullptr;
  }
};

TEST_F(CardTest, FlipScaleFollowsTheTable) {
  struct Case {
    float angle, scale;
    int side;
  } const cases[] = {
      {0, 1, 1},      {45, 0.5f, 1},   {90, 0, 1},    {135, 0.5f, 0}, {180, 1, 0},
      {225, 0.5f, 0}, {270, 0, 0},     {315, 0.5f, 1}, {360, 1, 1},   {-90, 0, 0},
      {450, 0, 1},    {-315, 0.5f, 1}, {720 + 135, 0.5f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    TCard card;
    card.side = 1 - c.side;
    EXPECT_NEAR(card.countXSCaleBYRot(c.angle, 0), c.scale, 1e-5f);
    EXPECT_EQ(card.side, c.side);
  }
}

TEST_F(CardTest, FlipScaleOfBrokenAnglesStaysInRange) {
  for (const float a : {NAN, INFINITY, 1e30f, -1e30f}) {
    SCOPED_TRACE(a);
    TCard card;
    const float s = card.countXSCaleBYRot(a, 0);
    EXPECT_GE(s, 0);
    EXPECT_LE(s, 1);
  }
}

TEST_F(CardTest, SequenceNumbersFromNames) {
  struct Case {
    const char* name;
    int seq;
  } const cases[] = {{"A", 14}, {"K", 13}, {"Q", 12}, {"J", 11}, {"a", 14}, {"10", 10},
                     {"2", 2},  {"9", 9},  {"X", 0},  {"", 0},   {"7x", 0}, {"-3", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(seqNFromName(c.name), c.seq);
  }
}

TEST_F(CardTest, FamiliesRouteToTheirCatalogues) {
  struct Case {
    int id;
    bool standard, special, magic, sword, hammer;
  } const cases[] = {
      {1, true, false, false, false, false},    {99, true, false, false, false, false},
      {100, true, false, false, false, false},  {101, false, true, false, false, false},
      {105, false, true, false, false, true},   {201, false, true, false, false, false},
      {202, false, true, false, true, false},   {214, false, true, false, true, false},
      {215, false, true, false, false, false},  {300, false, true, false, false, false},
      {301, false, true, true, false, false},   {352, false, true, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    clearCardCatalogue();
    const CardDataPtr k = kind(c.id);
    addToCardCatalogue(k);
    EXPECT_EQ(standardCardCatalogue().size(), c.standard ? 1u : 0u);
    EXPECT_EQ(specialCardCatalogue().size(), c.special ? 1u : 0u);
    EXPECT_EQ(magicCardCatalogue().size(), c.magic ? 1u : 0u);
    EXPECT_EQ(k->isMagic(), c.magic);
    EXPECT_EQ(k->isSword(), c.sword);
    EXPECT_EQ(k->isSpecCard(), c.hammer);
    EXPECT_EQ(getCardDataById(c.id), k);
    // Random picks and new decks use only ids below 100.
    EXPECT_EQ(getStandardCards().size(), c.id < 100 ? 1u : 0u);
  }
}

TEST_F(CardTest, LookUpsByIdNameAndColour) {
  const CardDataPtr a1 = kind(13, "A", 1), a2 = kind(26, "A", 2), k1 = kind(12, "K", 1);
  for (const CardDataPtr& k : {a1, a2, k1, kind(313, "A", 1)}) addToCardCatalogue(k);
  EXPECT_EQ(getCardDataByName("a", 2), a2);
  EXPECT_EQ(getCardDataByName("A", 1), a1);
  EXPECT_EQ(getCardDataByName("K", 2), nullptr);
  EXPECT_EQ(getCardDataById(313)->nazwa, "A");
  EXPECT_EQ(getCardDataById(7), nullptr);
  const CardDataList picks = getRandomStandardCards(40);
  ASSERT_EQ(picks.size(), 40u);
  for (const CardDataPtr& k : picks) EXPECT_TRUE(k == a1 || k == a2 || k == k1);
  clearCardCatalogue();
  EXPECT_EQ(getRandomStandardCard(), nullptr);
}

TEST_F(CardTest, SwordChangesFollowTheKindsThatExist) {
  const CardDataPtr seven = kind(6, "7"), sword = kind(207, "7"), eight = kind(7, "8");
  for (const CardDataPtr& k : {seven, sword, eight}) addToCardCatalogue(k);
  TCard card;
  card.cd = seven;
  card.changeToSword();
  EXPECT_EQ(card.cd, sword);
  card.cd = eight;  // no sword 208 in this catalogue
  card.changeToSword();
  EXPECT_EQ(card.cd, eight);
}

// The flip: 20 frames at a frame step of 1, face side past the middle, eased by the sine.
TEST_F(CardTest, ShowTurnsTheCardInTwentyFrames) {
  TCard card;
  card.cd = kind(5);
  card.x = 300, card.y = 300;
  card.showUp();
  EXPECT_EQ(card.state, "SHOW");
  EXPECT_EQ(card.odkryta, 1);
  int frames = 0;
  while (card.state == "SHOW" && frames < 100) {
    card.update();
    ++frames;
    if (frames == 10) {
      EXPECT_NEAR(card.p, 0.5f, 1e-5f);
      EXPECT_NEAR(card.sx, 0.4142f, 1e-3f);
      EXPECT_EQ(card.side, 1);
    }
    if (frames == 5) {
      EXPECT_EQ(card.side, 0);  // the back, narrowing
    }
  }
  EXPECT_EQ(frames, 20);
  EXPECT_EQ(card.side, 1);
  EXPECT_EQ(card.sx, 1);
}

TEST_F(CardTest, SwordIsPickedOnlyByAnOrdinaryShow) {
  struct Case {
    bool forced;
    int picks;
  } const cases[] = {{false, 1}, {true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.forced);
    int picks = 0;
    cardLinks().pickSword = [&](TCard&) { ++picks; };
    TCard card;
    card.cd = kind(205, "5");
    if (c.forced)
      card.forceSide = 1;
    else
      card.showUp();
    for (int i = 0; i < 30; ++i) card.update();
    EXPECT_EQ(card.side, 1);
    EXPECT_EQ(card.state, "");
    EXPECT_EQ(picks, c.picks);
    // A forced card turns over by itself but stays unplayable until uncovered.
    EXPECT_EQ(card.odkryta, c.forced ? 0 : 1);
  }
}

TEST_F(CardTest, RocksFadeInCellByCell) {
  for (const float step : {1.0f, 2.0f, 0.5f}) {
    SCOPED_TRACE(step);
    setFrameStep(step);
    TCard card;
    card.utrudnienie1 = 1;
    for (int i = 0; i < 8; ++i) {
      // Run until cell i has passed 0.7: cell i + 1 is still untouched in that frame.
      int guard = 0;
      while (card.specFrameAlpha[i] <= 0.7f && guard++ < 100) {
        EXPECT_EQ(card.specFrameAlpha[i + 1], 0) << "cell " << i + 1;
        card.update();
      }
      EXPECT_EQ(card.specFrameAlpha[i + 1], 0) << "cell " << i + 1;
      card.update();
      EXPECT_GT(card.specFrameAlpha[i + 1], 0) << "cell " << i + 1;
    }
    for (int i = 0; i < 100; ++i) card.update();
    for (const float a : card.specFrameAlpha) EXPECT_EQ(a, 1);
  }
}

TEST_F(CardTest, RocklessCardNeverFadesRocksIn) {
  TCard card;
  for (int i = 0; i < 20; ++i) card.update();
  for (const float a : card.specFrameAlpha) EXPECT_EQ(a, 0);
}

TEST_F(CardTest, IceFormsOnceAndStays) {
  struct Case {
    int iced, frames;
    float cell;
  } const cases[] = {{1, 1, 0.3f}, {1, 10, 3.0f}, {1, 26, 7.8f}, {1, 27, 8}, {1, 200, 8}, {0, 50, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.iced << " " << c.frames);
    TCard card;
    card.utrudnienie2 = c.iced;
    for (int i = 0; i < c.frames; ++i) card.update();
    EXPECT_NEAR(card.waterFrame, c.cell, 1e-4f);
  }
}

// Rocks and snow burst off a card turning face up: their sound and 11 + 11 particles.
TEST_F(CardTest, ObstaclesBurstWhenTheCardShows) {
  struct Case {
    bool rocks;
    const char* sound;
    const char* preset;
  } const cases[] = {{true, "stone", "rockParticle"}, {false, "snow", "snowParticle"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sound);
    std::vector<std::string> sounds;
    int oneSided = 0, twoSided = 0, other = 0;
    cardLinks().playSound = [&](const std::string& s) { sounds.push_back(s); };
    cardLinks().particle = [&](const std::string& preset, float px, float py, int delay, bool two) {
      if (preset != c.preset || delay != -100) {
        ++other;
        return;
      }
      // One-sided ones lie right of the card, two-sided ones below its middle.
      if (two) {
        ++twoSided;
        EXPECT_TRUE(px >= 455 && px <= 545 && py >= 325 && py <= 370) << px << "," << py;
      } else {
        ++oneSided;
        EXPECT_TRUE(px >= 525 && px <= 545 && py >= 230 && py <= 370) << px << "," << py;
      }
    };
    TCard card;
    card.cd = kind(3);
    card.x = 500, card.y = 300;
    (c.rocks ? card.utrudnienie1 : card.utrudnienie3) = 1;
    card.showUp();
    EXPECT_EQ(card.utrudnienie1, 0);
    EXPECT_EQ(card.utrudnienie3, 0);
    EXPECT_EQ(sounds, std::vector<std::string>{c.sound});
    EXPECT_EQ(oneSided, 11);
    EXPECT_EQ(twoSided, 11);
    EXPECT_EQ(other, 0);
  }
}

TEST_F(CardTest, RefusedFlashFadesAndHoldsTheGlowOff) {
  TCard card;
  card.negA = 1;
  card.overA = 0.5f;
  card.dOverA = 1;
  for (int i = 1; i <= 20; ++i) {
    card.update();
    EXPECT_EQ(card.overA, 0);
    EXPECT_EQ(card.dOverA, 0);
    EXPECT_NEAR(card.negA, std::max(0.0f, 1 - 0.05f * i), 1e-5f);
  }
  EXPECT_EQ(card.negA, 0);
  card.dOverA = 1;
  card.update();
  EXPECT_NEAR(card.overA, 0.05f, 1e-6f);  // the glow comes back once the flash is over
}

TEST_F(CardTest, MagicOutlineCrossFadesOnlyWhileNotCollected) {
  TCard card;
  card.cd = kind(305);
  // The target starts where the value is, so the first frame only turns it round.
  const auto framesUntil = [&](float value) {
    int frames = 0;
    do {
      card.update();
      ++frames;
    } while (card.moa != value && frames < 500);
    return frames;
  };
  // Fifty steps of 0.02 in 32-bit floats fall just short of 1, so each leg takes 51.
  EXPECT_EQ(framesUntil(1), 1 + 51);
  EXPECT_EQ(card.dMoa, 0);
  EXPECT_EQ(framesUntil(0), 51);
  EXPECT_EQ(card.dMoa, 1);
  card.update();
  card.cd->notFound = 0;  // collected: the outline stops
  const float held = card.moa;
  for (int i = 0; i < 10; ++i) card.update();
  EXPECT_GT(held, 0);
  EXPECT_EQ(card.moa, held);
}

TEST_F(CardTest, HintPulseRisesAndFalls) {
  TCard::_updatehint();  // starts at its target: turns round
  EXPECT_EQ(cardHintPulse().value, 0);
  EXPECT_EQ(cardHintPulse().target, 1);
  for (int i = 0; i < 20; ++i) TCard::_updatehint();
  EXPECT_EQ(cardHintPulse().value, 1);
  EXPECT_EQ(cardHintPulse().target, 0);
  for (int i = 0; i < 10; ++i) TCard::_updatehint();
  EXPECT_NEAR(cardHintPulse().value, 0.5f, 1e-5f);
}

TEST_F(CardTest, HammerHalvesTheDrawingScale) {
  struct Case {
    int id;
    float sx, sy;
  } const cases[] = {{105, 1, 1.5f}, {5, 2, 3}, {205, 2, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    setScale(2, 3);
    kind(c.id)->checkSpecScale();
    float sx = 0, sy = 0;
    getScale(sx, sy);
    EXPECT_EQ(sx, c.sx);
    EXPECT_EQ(sy, c.sy);
  }
  setScale(1, 1);
}

// Read back from the screen: a hammer's 40 px face covers 20 px, any other kind 40.
TEST_F(CardTest, HammerIsDrawnAtHalfSize) {
  struct Case {
    int id;
    bool drawnAt15;
  } const cases[] = {{105, false}, {5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    TCard card;
    card.cd = kind(c.id);
    card.cd->img = solid(40, 40, 255, 0, 0);
    card.x = 200, card.y = 200;
    card.side = 1;
    card.draw();
    const TPixmap shot = harness::frame();
    EXPECT_EQ(shot.at(205, 200)[0], 255);
    EXPECT_EQ(shot.at(215, 200)[0], c.drawnAt15 ? 255 : 0);
  }
}

TEST_F(CardTest, CardAtOriginIsNotDrawn) {
  TCard card;
  card.cd = kind(5);
  card.cd->img = solid(40, 40, 0, 255, 0);
  card.side = 1;
  card.draw();
  EXPECT_EQ(harness::frame().at(5, 5)[1], 0);
  card.x = 1;
  card.draw();
  EXPECT_EQ(harness::frame().at(5, 5)[1], 255);
}

// The pointer at a point given in the card's own pixels (from its centre), placed on the
// screen through the card's rotation and scale.
class CardHover : public CardTest {
 protected:
  void SetUp() override {
    CardTest::SetUp();
    cardImages().mask = roundedMask();
    globals().pointerImage = solid(1, 1, 255, 255, 255);
    globals().pointerImage->handle_x = globals().pointerImage->handle_y = 0;
  }
  void pointAt(const TCard& card, float u, float v) {
    const float r = card.rot * 3.14159265f / 180;
    const float s = card.scale;
    mouse.x = static_cast<int>(std::floor(card.x + u * s * std::cos(r) - v * s * std::sin(r)));
    mouse.y = static_cast<int>(std::floor(card.y + u * s * std::sin(r) + v * s * std::cos(r)));
  }
  TMouse mouse;
};

TEST_F(CardHover, FollowsTheRotatedScaledOutline) {
  // The corner circle's centre lies at (-28, -50) from the card's centre.
  const float d = 0.70710678f;
  struct Case {
    const char* what;
    float rot, scale, u, v;
    bool over;
  } const cases[] = {
      {"centre", 30, 1.5f, 0, 0, true},
      {"inside the rounded corner", 30, 1.5f, -28 - 16 * d, -50 - 16 * d, true},
      {"just outside the rounded corner", 30, 1.5f, -28 - 24 * d, -50 - 24 * d, false},
      {"inside the long edge", 30, 1.5f, 0, 67, true},
      {"beyond the long edge", 30, 1.5f, 0, 73, false},
      {"corner, other rotation", -65, 0.8f, -28 - 15 * d, -50 - 15 * d, true},
      {"outside, other rotation", -65, 0.8f, -28 - 26 * d, -50 - 26 * d, false},
      // 69 px along the card's axis: inside only because the card is scaled up.
      {"scaled card reaches further", 30, 1.5f, 46, 0, true},
      {"unscaled card does not", 30, 1.0f, 69, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCard card;
    card.x = 500, card.y = 380;
    card.rot = c.rot;
    card.scale = c.scale;
    card.odkryta = 1;
    card.side = 1;
    pointAt(card, c.u, c.v);
    EXPECT_EQ(card.update(), c.over);
  }
}

TEST_F(CardHover, CoveredCardIsNeverHovered) {
  TCard card;
  card.x = 500, card.y = 380;
  pointAt(card, 0, 0);
  EXPECT_FALSE(card.update());
  EXPECT_TRUE(card.EDITOR_over());  // the editor ignores the uncovered flag
  card.odkryta = 1;
  EXPECT_TRUE(card.update());
}

TEST_F(CardHover, OutlinesOverlapOnlyWhereTheyMeet) {
  struct Case {
    const char* what;
    float dx, dy, rot;
    bool overlap;
  } const cases[] = {
      {"side by side, touching edges", 90, 0, 0, true},
      {"side by side, apart", 100, 0, 0, false},
      {"diagonal, rounded corners miss", 92, 136, 0, false},
      {"diagonal, overlapping more", 80, 120, 0, true},
      {"apart but rotated into it", 100, 0, 30, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCard a, b;
    a.x = 400, a.y = 300;
    b.x = 400 + c.dx, b.y = 300 + c.dy;
    b.rot = c.rot;
    EXPECT_EQ(cardsOverlap(a, b), c.overlap);
    EXPECT_EQ(cardsOverlap(b, a), c.overlap);
  }
}

// The catalogue file: pictures numbered from 1, broken counts and entries skipped.
class CardCatalogue : public CardTest {
 protected:
  void SetUp() override {
    CardTest::SetUp();
    root = harness::makeTempFolder("cards") + "/";
    TPixmap strip(30, 10);
    for (auto& px : strip.pixels) px = 255;
    harness::writeFile(root + "gfx/cards/unused.txt", "");  // makes the folders
    ASSERT_TRUE(savePixmapPNG(strip, root + "gfx/faces.png"));
    ASSERT_TRUE(savePixmapPNG(strip, root + "gfx/single.png"));
    TPixmap mask(96, 140);
    for (auto& px : mask.pixels) px = 255;
    ASSERT_TRUE(savePixmapPNG(mask, root + "gfx/cards/mask.png"));
  }
  void load(const std::string& text) {
    harness::writeFile(root + "data/cards.dat", text);
    loadCardCatalogueFrom(root + "data/cards.dat", root);
  }
  std::string root;
};

TEST_F(CardCatalogue, LoadsKindsAndSkipsBrokenPictures) {
  load("cards {\n"
       "\timgs = 3\n"
       "\timg1 = \"gfx/faces.png\", \"10 10 3\"\n"
       "\timg2 = \"gfx/missing.png\", \"10 10 3\"\n"
       "\timg3 = \"gfx/single.png\", \"0 0 0\"\n"
       "\ti = 6\n"
       "\tc1 {\n\t\tid = 1\n\t\timg = 1\n\t\tframe = 2\n\t\tnazwa = \"A\"\n\t\tkolor = 3\n\t}\n"
       "\tc2 {\n\t\tid = 150\n\t\timg = 2\n\t\tframe = 0\n\t\tnazwa = \"5\"\n\t}\n"
       "\tc3 {\n\t\tid = 305\n\t\timg = 9\n\t\tnazwa = \"K\"\n\t}\n"
       "\tc4 {\n\t\tid = 105\n\t\timg = 3\n\t}\n"
       "\tc5 {\n\t\tid = 7\n\t\timg = 0\n\t\tnazwa = \"Z\"\n\t}\n"
       "\tc6 {\n\t\tid = 300\n\t\timg = 1\n\t\tframe = 99\n\t\tnazwa = \"10\"\n\t}\n"
       "}\n");
  struct Case {
    int id;
    bool picture;
    int frames, seq;
  } const cases[] = {{1, true, 3, 14}, {150, false, 0, 5}, {305, false, 0, 13},
                     {105, true, 1, 0}, {7, false, 0, 0},  {300, true, 3, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const CardDataPtr k = getCardDataById(c.id);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->img != nullptr, c.picture);
    EXPECT_EQ(k->img ? k->img->frameCount() : 0, c.frames);
    EXPECT_EQ(k->seqN, c.seq);
  }
  EXPECT_EQ(getCardDataById(1)->frame, 2);
  EXPECT_EQ(getCardDataById(1)->kolor, 3);
  EXPECT_EQ(standardCardCatalogue().size(), 2u);
  EXPECT_EQ(specialCardCatalogue().size(), 4u);
  EXPECT_EQ(magicCardCatalogue().size(), 1u);
  EXPECT_NE(cardImages().mask, nullptr);
  EXPECT_EQ(cardImages().mask->handle_x, 48);
  EXPECT_EQ(cardImages().over, nullptr);  // missing fixed pictures stay null
  // A kind without a picture draws nothing and does not fail.
  TCard card;
  card.cd = getCardDataById(150);
  card.x = 50, card.y = 50;
  card.side = 1;
  card.draw();
}

TEST_F(CardCatalogue, BrokenCountsNeitherHangNorCrash) {
  struct Case {
    const char* imgs;
    const char* count;
    size_t kinds;
  } const cases[] = {{"1", "1", 1},     {"-5", "-5", 0},     {"1e30", "1e30", 1},
                     {"nan", "nan", 0}, {"2147483647", "99999999", 1}, {"x", "1", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    load(std::string("cards {\n\timgs = ") + c.imgs +
         "\n\timg1 = \"gfx/faces.png\", \"10 10 3\"\n\ti = " + c.count +
         "\n\tc1 {\n\t\tid = 4\n\t\timg = 1\n\t\tnazwa = \"5\"\n\t}\n}\n");
    EXPECT_EQ(standardCardCatalogue().size(), c.kinds);
  }
  load("");  // missing contents: empty catalogues
  EXPECT_TRUE(standardCardCatalogue().empty());
  EXPECT_TRUE(specialCardCatalogue().empty());
}

}  // namespace
