// The drawing contract checked on read-back pixels: placement under the transform,
// blend modes, viewport, virtual resolution and grabs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/draw.h"
#include "engine/image.h"
#include "support/harness.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb pixelAt(const TPixmap& p, int x, int y) {
  const unsigned char* c = p.at(x, y);
  return {c[0], c[1], c[2]};
}

::testing::AssertionResult near(Rgb got, Rgb want, int tolerance = 2) {
  if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
      std::abs(got.b - want.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got (" << got.r << "," << got.g << "," << got.b
                                       << ") want (" << want.r << "," << want.g << ","
                                       << want.b << ")";
}

// A 40 x 20 picture with four differently coloured quadrants.
const Rgb kQuadrant[4] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 0}};

ImagePtr quadrantImage() {
  TPixmap p(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const Rgb c = kQuadrant[(y / 10) * 2 + x / 20];
      unsigned char* px = p.at(x, y);
      px[0] = static_cast<unsigned char>(c.r);
      px[1] = static_cast<unsigned char>(c.g);
      px[2] = static_cast<unsigned char>(c.b);
      px[3] = 255;
    }
  return createImage(std::move(p), 0);
}

ImagePtr solidImage(int w, int h, Rgb c, int alpha = 255) {
  TPixmap p(w, h);
  for (int i = 0; i < w * h; ++i) {
    p.pixels[static_cast<size_t>(i) * 4 + 0] = static_cast<unsigned char>(c.r);
    p.pixels[static_cast<size_t>(i) * 4 + 1] = static_cast<unsigned char>(c.g);
    p.pixels[static_cast<size_t>(i) * 4 + 2] = static_cast<unsigned char>(c.b);
    p.pixels[static_cast<size_t>(i) * 4 + 3] = static_cast<unsigned char>(alpha);
  }
  return createImage(std::move(p), 0);
}

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(320, 240));
    setClsColor(0, 0, 0);
    cls();
  }
};

TEST_F(DrawTest, RendererIsTheOneAskedFor) {
  // The OpenGL pass must really draw through OpenGL, not fall back quietly.
  const char* wanted = std::getenv("SDL_RENDER_DRIVER");
  if (wanted && *wanted) {
    EXPECT_EQ(rendererName(), wanted);
  }
}

TEST_F(DrawTest, FreshContextHasTheDocumentedInitialState) {
  const TGraphicsContext& c = graphics();
  EXPECT_EQ(c.blend_mode, BLEND_MASK);
  EXPECT_EQ(c.color_red + c.color_green + c.color_blue, 3 * 255);
  EXPECT_FLOAT_EQ(c.color_alpha, 1);
  EXPECT_EQ(c.g_width, 320);
  EXPECT_EQ(c.g_height, 240);
  EXPECT_FLOAT_EQ(c.vres_width, 320);
  EXPECT_EQ(c.viewport_w, 320);
  EXPECT_FLOAT_EQ(c.tform_ix, 1);
  EXPECT_FLOAT_EQ(c.tform_jy, 1);
}

TEST_F(DrawTest, TransformFollowsRotationAndScale) {
  setTransform(30, 2, -0.5f);
  const TGraphicsContext& c = graphics();
  const float rad = 30 * static_cast<float>(M_PI) / 180;
  EXPECT_NEAR(c.tform_ix, std::cos(rad) * 2, 1e-5);
  EXPECT_NEAR(c.tform_iy, -std::sin(rad) * -0.5f, 1e-5);
  EXPECT_NEAR(c.tform_jx, std::sin(rad) * 2, 1e-5);
  EXPECT_NEAR(c.tform_jy, std::cos(rad) * -0.5f, 1e-5);
}

// Each quadrant's centre texel must land where the transform says, for images drawn
// about a centred handle under rotation, non-uniform scale and mirroring.
TEST_F(DrawTest, ImagePlacementUnderTheTransform) {
  struct Case {
    const char* name;
    float rot, sx, sy;
    float vresW, vresH;  // virtual resolution mapped onto the 320 x 240 window
  };
  const Case cases[] = {
      {"identity", 0, 1, 1, 320, 240},      {"rotated 90", 90, 1, 1, 320, 240},
      {"rotated 33", 33, 1.5f, 1.5f, 320, 240}, {"stretched x", 0, 2, 1, 320, 240},
      {"mirrored x", 0, -1, 1, 320, 240},   {"mirrored y", 0, 1, -1, 320, 240},
      {"mirrored and turned", 120, -2, 1.25f, 320, 240},
      {"virtual 160x240", 20, 1, 1, 160, 240}, {"virtual 640x480", -45, 2, 2, 640, 480},
  };
  const ImagePtr image = quadrantImage();
  midHandleImage(image);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ASSERT_TRUE(harness::openTestGraphics(320, 240));
    setVirtualResolution(k.vresW, k.vresH);
    cls();
    setTransform(k.rot, k.sx, k.sy);
    const float x = k.vresW / 2, y = k.vresH / 2;
    drawImage(image, x, y);
    const TPixmap shot = harness::frame();
    const TGraphicsContext& c = graphics();
    const float kx = 320 / k.vresW, ky = 240 / k.vresH;
    for (int q = 0; q < 4; ++q) {
      const float u = (q % 2) * 20 + 10 - image->handle_x;
      const float v = (q / 2) * 10 + 5 - image->handle_y;
      const float px = (x + u * c.tform_ix + v * c.tform_iy) * kx;
      const float py = (y + u * c.tform_jx + v * c.tform_jy) * ky;
      SCOPED_TRACE("quadrant " + std::to_string(q));
      EXPECT_TRUE(near(pixelAt(shot, static_cast<int>(px), static_cast<int>(py)), kQuadrant[q]));
    }
    // The handle itself lands on the drawing position: the four colours meet there.
    setTransform(0, 1, 1);
  }
}

TEST_F(DrawTest, OriginShiftsEveryDrawing) {
  setOrigin(50, 30);
  const ImagePtr image = solidImage(4, 4, {0, 200, 0});
  drawImage(image, 10, 10);
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 61, 41), {0, 200, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 11, 11), {0, 0, 0}));
}

// Background (100, 150, 200); a white texel tinted (200, 100, 50) at alpha 0.5.
TEST_F(DrawTest, BlendModesCombineAsDocumented) {
  struct Case {
    const char* name;
    int mode;
    int texelAlpha;
    Rgb want;
  };
  const Rgb dst{100, 150, 200};
  const Case cases[] = {
      {"mask keeps strong texels unblended", BLEND_MASK, 255, {200, 100, 50}},
      {"mask drops weak texels", BLEND_MASK, 100, dst},
      {"solid ignores alpha", BLEND_SOLID, 100, {200, 100, 50}},
      {"alpha mixes", BLEND_ALPHA, 255, {150, 125, 125}},
      {"light adds", BLEND_LIGHT, 255, {200, 200, 225}},
      {"shade multiplies", BLEND_SHADE, 255, {78, 59, 39}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    setBlend(BLEND_SOLID);
    setColor(255, 255, 255);
    setAlpha(1);
    setClsColor(dst.r, dst.g, dst.b);
    cls();
    setBlend(k.mode);
    setColor(200, 100, 50);
    setAlpha(0.5f);
    drawImage(solidImage(8, 8, {255, 255, 255}, k.texelAlpha), 20, 20);
    EXPECT_TRUE(near(pixelAt(harness::frame(), 24, 24), k.want, 3));
  }
}

TEST_F(DrawTest, MaskModeHonoursTheColourAlpha) {
  setBlend(BLEND_MASK);
  setAlpha(0.4f);  // 255 * 0.4 < one half: every texel drops
  drawImage(solidImage(8, 8, {255, 255, 255}), 20, 20);
  EXPECT_TRUE(near(pixelAt(harness::frame(), 24, 24), {0, 0, 0}));
}

TEST_F(DrawTest, ViewportClipsDrawingAndClearing) {
  setClsColor(0, 0, 0);
  cls();
  setViewport(10, 10, 20, 20);
  setClsColor(0, 0, 255);
  cls();
  setColor(255, 0, 0);
  drawRect(0, 0, 100, 100);
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 15, 15), {255, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 5, 5), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 35, 15), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 15, 35), {0, 0, 0}));
}

TEST_F(DrawTest, VirtualResolutionScalesDrawingAndMouse) {
  setVirtualResolution(160, 240);  // twice as wide on screen, same height
  setColor(0, 255, 0);
  drawRect(10, 10, 10, 10);
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 21, 11), {0, 255, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 38, 19), {0, 255, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 41, 15), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 15, 21), {0, 0, 0}));
  EXPECT_FLOAT_EQ(graphics().vres_mousexscale, 0.5f);
  EXPECT_FLOAT_EQ(graphics().vres_mouseyscale, 1.0f);
}

TEST_F(DrawTest, RectanglesTurnAboutTheContextHandle) {
  setHandle(10, 5);
  setRotation(90);
  setColor(255, 255, 255);
  drawRect(100, 100, 20, 10);  // turned: spans x 95..105, y 90..110
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 100, 92), {255, 255, 255}));
  EXPECT_TRUE(near(pixelAt(shot, 100, 108), {255, 255, 255}));
  EXPECT_TRUE(near(pixelAt(shot, 92, 100), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 108, 100), {0, 0, 0}));
}

TEST_F(DrawTest, OvalFillsItsBoxButNotTheCorners) {
  setColor(255, 255, 0);
  drawOval(40, 40, 40, 20);
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 60, 50), {255, 255, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 42, 50), {255, 255, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 41, 41), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 78, 58), {0, 0, 0}));
}

TEST_F(DrawTest, LineLightsItsPixels) {
  setColor(255, 255, 255);
  drawLine(10, 100, 110, 100);
  drawLine(200, 10, 200, 60);
  const TPixmap shot = harness::frame();
  EXPECT_TRUE(near(pixelAt(shot, 60, 100), {255, 255, 255}));
  EXPECT_TRUE(near(pixelAt(shot, 60, 103), {0, 0, 0}));
  EXPECT_TRUE(near(pixelAt(shot, 200, 30), {255, 255, 255}));
}

TEST_F(DrawTest, GrabbedPixmapDrawsBackIdentically) {
  setVirtualResolution(160, 120);  // window pixels are twice the virtual ones
  setOrigin(8, 4);
  const ImagePtr image = quadrantImage();
  drawImage(image, 10, 10);
  const TPixmap grabbed = grabPixmap(10, 10, 40, 20);
  ASSERT_EQ(grabbed.width, 40);
  ASSERT_EQ(grabbed.height, 20);
  for (int q = 0; q < 4; ++q) {
    const Rgb c = kQuadrant[q];
    EXPECT_TRUE(near(pixelAt(grabbed, (q % 2) * 20 + 10, (q / 2) * 10 + 5), c));
  }
}

TEST_F(DrawTest, SavedBackBufferIsAReadablePng) {
  setColor(10, 200, 30);
  drawRect(0, 0, 320, 240);
  const std::string path = harness::makeTempFolder("shot") + "/frame.png";
  ASSERT_TRUE(saveBackBuffer(path));
  TPixmap loaded;
  bool alpha = false;
  ASSERT_TRUE(loadPixmap(path, loaded, alpha));
  EXPECT_EQ(loaded.width, 320);
  EXPECT_TRUE(near(pixelAt(loaded, 160, 120), {10, 200, 30}));
}

TEST_F(DrawTest, ReopeningKeepsImagesUsable) {
  const ImagePtr image = solidImage(6, 6, {0, 0, 255});
  drawImage(image, 5, 5);
  ASSERT_TRUE(harness::openTestGraphics(400, 300));
  EXPECT_EQ(graphics().g_width, 400);
  cls();
  drawImage(image, 5, 5);
  EXPECT_TRUE(near(pixelAt(harness::frame(), 7, 7), {0, 0, 255}));
}

}  // namespace
