// Pixel-exact collision must agree with what is drawn: the one-pixel pointer hits a
// rotated, scaled or mirrored card exactly where the card's opaque pixels show.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/draw.h"
#include "support/harness.h"

namespace {

// A 48 x 70 card-like shape: a rounded slab with a hole, opaque white on transparent.
ImagePtr cardShape() {
  TPixmap p(48, 70);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 48; ++x) {
      const float dx = std::max(0.0f, std::fabs(x + 0.5f - 24) - 16);
      const float dy = std::max(0.0f, std::fabs(y + 0.5f - 35) - 27);
      const bool slab = dx * dx + dy * dy < 64;
      const bool hole = x >= 30 && x < 40 && y >= 8 && y < 20;  // off-centre, shows mirroring
      unsigned char* c = p.at(x, y);
      c[0] = c[1] = c[2] = 255;
      c[3] = slab && !hole ? 255 : 0;
    }
  return createImage(std::move(p), 0);
}

ImagePtr pointer() {
  TPixmap p(1, 1);
  p.pixels = {255, 255, 255, 255};
  return createImage(std::move(p), 0);
}

TEST(Collision, PointerAgreesWithTheDrawnCard) {
  struct Case {
    const char* name;
    float rot, sx, sy;
  };
  const Case cases[] = {
      {"plain", 0, 1, 1},          {"turned", 27, 1, 1},
      {"scaled", 0, 1.7f, 0.8f},   {"mirrored", 0, -1, 1},
      {"all at once", -63, -1.4f, 1.1f},
  };
  const ImagePtr card = cardShape();
  midHandleImage(card);
  const ImagePtr point = pointer();
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ASSERT_TRUE(harness::openTestGraphics(200, 200));
    cls();
    setBlend(BLEND_ALPHA);
    setTransform(k.rot, k.sx, k.sy);
    drawImage(card, 100, 100);
    resetCollisions();
    collideImage(card, 100, 100, 0, 0, 1, 7);
    setTransform(0, 1, 1);
    const TPixmap shot = harness::frame();
    int checked = 0, disagreements = 0;
    for (int y = 2; y < 198; ++y)
      for (int x = 2; x < 198; ++x) {
        // The rasteriser's fill rule and texel rounding move edges by about a pixel;
        // compare where everything within two pixels is all card or all background.
        const bool lit = shot.at(x, y)[0] > 128;
        bool uniform = true;
        for (int dy = -2; dy <= 2 && uniform; ++dy)
          for (int dx = -2; dx <= 2; ++dx)
            if ((shot.at(x + dx, y + dy)[0] > 128) != lit) uniform = false;
        if (!uniform) continue;
        const auto hits = collideImage(point, static_cast<float>(x), static_cast<float>(y), 0, 1, 0);
        ++checked;
        if ((!hits.empty()) != lit) {
          ++disagreements;
          ADD_FAILURE() << "pointer at " << x << "," << y << (lit ? " misses" : " hits");
        }
        if (!hits.empty()) {
          EXPECT_EQ(hits[0], 7);
        }
      }
    EXPECT_GT(checked, 30000);  // most of the window is compared
    EXPECT_EQ(disagreements, 0);
  }
}

TEST(Collision, LayersAreSelectedByMaskAndReset) {
  ASSERT_TRUE(harness::openTestGraphics(200, 200));
  const ImagePtr card = cardShape();
  const ImagePtr point = pointer();
  resetCollisions();
  collideImage(card, 0, 0, 0, 0, 1u << 3, 1);
  collideImage(card, 10, 0, 0, 0, 1u << 5, 2);
  struct Case {
    unsigned mask;
    std::vector<long long> want;
  };
  const Case cases[] = {{1u << 3, {1}}, {1u << 5, {2}}, {(1u << 3) | (1u << 5), {1, 2}}, {1u, {}}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.mask);
    EXPECT_EQ(collideImage(point, 24, 40, 0, k.mask, 0), k.want);
  }
  resetCollisions(1u << 3);
  EXPECT_EQ(collideImage(point, 24, 40, 0, (1u << 3) | (1u << 5), 0), std::vector<long long>{2});
  resetCollisions();
  EXPECT_TRUE(collideImage(point, 24, 40, 0, ~0u, 0).empty());
}

TEST(Collision, TransparentPixelsNeverCollide) {
  ASSERT_TRUE(harness::openTestGraphics(200, 200));
  const ImagePtr card = cardShape();
  resetCollisions();
  collideImage(card, 0, 0, 0, 0, 1, 1);
  EXPECT_TRUE(collideImage(pointer(), 35, 12, 0, 1, 0).empty()) << "inside the hole";
  EXPECT_TRUE(collideImage(pointer(), 0, 0, 0, 1, 0).empty()) << "rounded corner";
  EXPECT_FALSE(collideImage(pointer(), 20, 40, 0, 1, 0).empty());
  // Two cards overlap only where both are opaque: corner to corner they miss.
  EXPECT_TRUE(collideImage(card, 46, 68, 0, 1, 0).empty());
  EXPECT_FALSE(collideImage(card, 30, 30, 0, 1, 0).empty());
}

}  // namespace
