// The design area mapped onto windows and full screens of other sizes: scale, bars, the
// mouse read back in design coordinates, clipping and the black borders.

#include "app/virtual_display.h"

#include <gtest/gtest.h>

#include "engine/draw.h"
#include "engine/input.h"
#include "support/harness.h"

namespace {

constexpr float kDesignW = 1024, kDesignH = 768;

struct RGB {
  int r, g, b;
};

RGB pixelAt(const TPixmap& frame, int x, int y) {
  const unsigned char* p = frame.at(x, y);
  return {p[0], p[1], p[2]};
}

class VirtualDisplay : public ::testing::Test {
 protected:
  void TearDown() override {
    setVirtualBorderColor(0, 0, 0);
    setVirtualAlignment(0.5f, 0.5f);
    setClsColor(0, 0, 0);
  }

  // Opens a window of the display's size and sets the design area up on it.
  static void open(int w, int h, int mode) {
    ASSERT_TRUE(harness::openTestGraphics(w, h));
    ASSERT_EQ(graphics().g_width, w);
    ASSERT_EQ(graphics().g_height, h);
    setVirtualDisplay(kDesignW, kDesignH, mode);
  }

  static void moveTo(int wx, int wy) {
    injectMouseMove(wx, wy);
    pollSystem();
  }
};

struct SetupCase {
  int w, h, mode;
  float alignX, alignY;
  float vresW, vresH, offX, offY;
  int vpX, vpY, vpW, vpH;
};

TEST_F(VirtualDisplay, SetUpPlacesTheDesignArea) {
  const SetupCase cases[] = {
      // Stretch: the virtual resolution is the design area whatever the display.
      {1920, 1080, 0, 0.5f, 0.5f, 1024, 768, 0, 0, 0, 0, 1024, 768},
      {1280, 1024, 0, 0.5f, 0.5f, 1024, 768, 0, 0, 0, 0, 1024, 768},
      // Uniform and centred: bars top and bottom, or at the sides.
      {1280, 1024, 2, 0.5f, 0.5f, 1024, 819.2f, 0, 25.6f, 0, 0, 1024, 820},
      {1920, 1080, 2, 0.5f, 0.5f, 1365.333f, 768, 170.667f, 0, 0, 0, 1366, 768},
      {1024, 768, 2, 0.5f, 0.5f, 1024, 768, 0, 0, 0, 0, 1024, 768},
      {819, 614, 2, 0.5f, 0.5f, 1024.417f, 768, 0.208f, 0, 0, 0, 1025, 768},
      // The free space placed after the design area, or all of it before.
      {1920, 1080, 2, 0, 0, 1365.333f, 768, 0, 0, 0, 0, 1366, 768},
      {1280, 1024, 2, 1, 1, 1024, 819.2f, 0, 51.2f, 0, 0, 1024, 820},
      // Whole scale factors and whole-pixel offsets, never below 1x.
      {2560, 1600, 4, 0.5f, 0.5f, 1280, 800, 128, 16, 0, 0, 1280, 800},
      {1920, 1080, 6, 0.5f, 0.5f, 1920, 1080, 448, 156, 0, 0, 1920, 1080},
      {641, 481, 4, 0.5f, 0.5f, 641, 481, -192, -144, 0, 0, 641, 481},
      {1365, 768, 4, 0.5f, 0.5f, 1365, 768, 170, 0, 0, 0, 1365, 768},
      // Clipping: the viewport is the design area (whole pixels, truncated).
      {1280, 1024, 3, 0.5f, 0.5f, 1024, 819.2f, 0, 25.6f, 0, 25, 1024, 768},
      {1920, 1080, 5, 0.5f, 0.5f, 1920, 1080, 448, 156, 448, 156, 1024, 768},
  };
  for (const SetupCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " mode " << c.mode << " align "
                                      << c.alignX << "," << c.alignY);
    setVirtualAlignment(c.alignX, c.alignY);
    open(c.w, c.h, c.mode);
    const TGraphicsContext& gc = graphics();
    EXPECT_NEAR(gc.vres_width, c.vresW, 0.01f);
    EXPECT_NEAR(gc.vres_height, c.vresH, 0.01f);
    const VirtualDisplayState& s = virtualDisplayState();
    EXPECT_NEAR(s.offsetX, c.offX, 0.01f);
    EXPECT_NEAR(s.offsetY, c.offY, 0.01f);
    EXPECT_EQ(s.mode, c.mode);
    EXPECT_FLOAT_EQ(virtualWidth(), kDesignW);
    EXPECT_FLOAT_EQ(virtualHeight(), kDesignH);
    // Design (0, 0) lands on the design area's corner.
    EXPECT_NEAR(gc.origin_x, c.offX, 0.01f);
    EXPECT_NEAR(gc.origin_y, c.offY, 0.01f);
    int x = 0, y = 0, w = 0, h = 0;
    getViewport(x, y, w, h);
    EXPECT_EQ(x, c.vpX);
    EXPECT_EQ(y, c.vpY);
    EXPECT_EQ(w, c.vpW);
    EXPECT_EQ(h, c.vpH);
  }
}

TEST_F(VirtualDisplay, ModeOneKeepsTheStoredModeAndTheModeSwitchReachesIt) {
  open(1920, 1080, 2);
  setVirtualDisplay(kDesignW, kDesignH, 1);
  EXPECT_EQ(virtualDisplayState().mode, 2);
  EXPECT_NEAR(graphics().origin_x, 170.667f, 0.01f);

  // Clip only: uniform scale, the viewport shrinks to the design area.
  setVirtualDisplayMode(1);
  EXPECT_EQ(virtualDisplayState().mode, 1);
  EXPECT_FLOAT_EQ(virtualWidth(), kDesignW);
  int x = 0, y = 0, w = 0, h = 0;
  getViewport(x, y, w, h);
  EXPECT_EQ(x, 170);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);

  setVirtualDisplayMode(0);
  EXPECT_FLOAT_EQ(graphics().vres_width, kDesignW);
  EXPECT_FLOAT_EQ(graphics().origin_x, 0);
}

struct MouseCase {
  int w, h, mode;
  int wx, wy;  // window pixels
  float x, y;  // design coordinates
};

TEST_F(VirtualDisplay, MouseReadsInDesignCoordinates) {
  const MouseCase cases[] = {
      {1024, 768, 2, 0, 0, 0, 0},
      {1024, 768, 2, 1023, 767, 1023, 767},
      // Wide screen stretched: the right edge reads close to 1024.
      {1920, 1080, 0, 1919, 1079, 1023.47f, 767.29f},
      {1920, 1080, 0, 960, 540, 512, 384},
      // The same screen with bars: the left edge lies left of the design area.
      {1920, 1080, 2, 0, 0, -170.667f, 0},
      {1920, 1080, 2, 960, 540, 512, 384},
      {1920, 1080, 2, 240, 1079, 0, 767.29f},
      {1280, 1024, 2, 0, 0, 0, -25.6f},
      {1280, 1024, 2, 640, 512, 512, 384},
      {640, 480, 2, 320, 240, 512, 384},
  };
  for (const MouseCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " mode " << c.mode << " at "
                                      << c.wx << "," << c.wy);
    open(c.w, c.h, c.mode);
    moveTo(c.wx, c.wy);
    EXPECT_NEAR(virtualMouseX(), c.x, 0.01f);
    EXPECT_NEAR(virtualMouseY(), c.y, 0.01f);
  }
}

TEST_F(VirtualDisplay, MoveMouseTakesDesignCoordinates) {
  open(1920, 1080, 2);
  moveVirtualMouse(0, 0);
  EXPECT_EQ(mouseX(), 240);
  EXPECT_EQ(mouseY(), 0);
  moveVirtualMouse(512, 384);
  EXPECT_EQ(mouseX(), 960);
  EXPECT_EQ(mouseY(), 540);
  EXPECT_NEAR(virtualMouseX(), 512, 0.5f);
  EXPECT_NEAR(virtualMouseY(), 384, 0.5f);
}

struct ViewportCase {
  int w, h;
  float x, y, vw, vh;  // design coordinates
  int ex, ey, ew, eh;  // engine viewport
};

TEST_F(VirtualDisplay, ViewportInDesignCoordinatesStaysInsideTheDesignArea) {
  const ViewportCase cases[] = {
      {1280, 1024, 0, 0, 1024, 768, 0, 25, 1024, 768},
      {1280, 1024, -50, -50, 200, 200, 0, 25, 150, 150},
      {1280, 1024, 900, 700, 500, 500, 900, 725, 124, 68},
      {1920, 1080, 100, 10, 50, 20, 270, 10, 50, 20},
      {1920, 1080, 1000, 0, 300, 768, 1170, 0, 24, 768},
      {1920, 1080, -3000, -3000, 10000, 10000, 170, 0, 1024, 768},
  };
  for (const ViewportCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " viewport " << c.x << "," << c.y
                                      << " " << c.vw << "x" << c.vh);
    open(c.w, c.h, 2);
    setVirtualViewport(c.x, c.y, c.vw, c.vh);
    int x = 0, y = 0, w = 0, h = 0;
    getViewport(x, y, w, h);
    EXPECT_EQ(x, c.ex);
    EXPECT_EQ(y, c.ey);
    EXPECT_EQ(w, c.ew);
    EXPECT_EQ(h, c.eh);
    float dx = 0, dy = 0, dw = 0, dh = 0;
    getVirtualViewport(dx, dy, dw, dh);
    EXPECT_NEAR(dx, c.ex - virtualDisplayState().offsetX, 0.001f);
    EXPECT_NEAR(dy, c.ey - virtualDisplayState().offsetY, 0.001f);
    EXPECT_FLOAT_EQ(dw, c.ew);
  }
}

TEST_F(VirtualDisplay, ClippedStripNeverDrawsIntoTheBars) {
  open(1920, 1080, 2);
  setVirtualViewport(900, 0, 400, 768);  // runs past the design area's right edge
  setColor(255, 255, 255);
  drawRect(900, 0, 400, 768);
  const TPixmap frame = harness::frame();
  EXPECT_EQ(pixelAt(frame, 1550, 540).r, 255);  // inside the strip and the design area
  EXPECT_EQ(pixelAt(frame, 1670, 540).r, 255);
  EXPECT_EQ(pixelAt(frame, 1700, 540).r, 0);  // design area ends at window x 1680
  EXPECT_EQ(pixelAt(frame, 1900, 540).r, 0);
}

TEST_F(VirtualDisplay, OriginInDesignCoordinates) {
  open(1920, 1080, 2);
  setVirtualOrigin(10, 20);
  float x = 0, y = 0;
  getVirtualOrigin(x, y);
  EXPECT_NEAR(x, 10, 0.001f);
  EXPECT_NEAR(y, 20, 0.001f);
  // Drawing at (0, 0) now lands on design (10, 20): window (254, 28).
  setColor(255, 255, 255);
  drawRect(0, 0, 4, 4);
  const TPixmap frame = harness::frame();
  EXPECT_EQ(pixelAt(frame, 256, 30).r, 255);
  EXPECT_EQ(pixelAt(frame, 250, 30).r, 0);
  EXPECT_EQ(pixelAt(frame, 256, 25).r, 0);
}

struct BorderCase {
  int w, h, mode;
  struct Sample {
    int x, y;
    bool inside;
  } samples[10];
};

TEST_F(VirtualDisplay, BordersBlackenEverythingOutsideTheDesignArea) {
  const BorderCase cases[] = {
      {1920, 1080, 2,
       {{239, 540, false}, {240, 540, true}, {1679, 540, true}, {1680, 540, false},
        {0, 0, false}, {1919, 1079, false}, {960, 0, true}, {960, 1079, true},
        {240, 0, true}, {1679, 1079, true}}},
      {1280, 1024, 2,
       {{640, 31, false}, {640, 32, true}, {640, 991, true}, {640, 992, false},
        {0, 0, false}, {1279, 1023, false}, {0, 512, true}, {1279, 512, true},
        {0, 32, true}, {1279, 991, true}}},
      // Whole scale factor: bars on all four sides, corners included.
      {1920, 1080, 4,
       {{447, 540, false}, {448, 540, true}, {1471, 540, true}, {1472, 540, false},
        {960, 155, false}, {960, 156, true}, {960, 923, true}, {960, 924, false},
        {100, 100, false}, {1800, 1000, false}}},
      // Stretched: no bars at all.
      {1920, 1080, 0,
       {{0, 0, true}, {1919, 1079, true}, {0, 1079, true}, {1919, 0, true},
        {960, 540, true}, {1, 1, true}, {1918, 1078, true}, {960, 0, true},
        {0, 540, true}, {1919, 540, true}}},
  };
  for (const BorderCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " mode " << c.mode);
    open(c.w, c.h, c.mode);
    setColor(255, 255, 255);
    drawRect(-3000, -3000, 6000, 6000);  // spills into the bars

    // Whatever state the frame left, the borders are drawn plainly, and the origin,
    // viewport and handle survive.
    setColor(200, 0, 0);
    setAlpha(0.25f);
    setBlend(BLEND_LIGHT);
    setTransform(30, 2, 3);
    setHandle(7, 8);
    setOrigin(5, 6);
    setViewport(1, 2, 300, 400);
    drawVirtualBorders();

    const TPixmap frame = harness::frame();
    for (const BorderCase::Sample& s : c.samples) {
      SCOPED_TRACE(::testing::Message() << "pixel " << s.x << "," << s.y);
      const RGB p = pixelAt(frame, s.x, s.y);
      EXPECT_EQ(p.r, s.inside ? 255 : 0);
      EXPECT_EQ(p.g, s.inside ? 255 : 0);
    }
    const TGraphicsContext& gc = graphics();
    EXPECT_EQ(gc.origin_x, 5);
    EXPECT_EQ(gc.origin_y, 6);
    EXPECT_EQ(gc.viewport_x, 1);
    EXPECT_EQ(gc.viewport_h, 400);
    EXPECT_EQ(gc.handle_x, 7);
    EXPECT_EQ(gc.handle_y, 8);
    EXPECT_EQ(gc.color_red, 255);
    EXPECT_EQ(gc.color_green, 255);
    EXPECT_EQ(gc.color_blue, 255);
    EXPECT_EQ(gc.blend_mode, BLEND_ALPHA);
    EXPECT_EQ(gc.color_alpha, 1);
    EXPECT_EQ(gc.tform_rot, 0);
    EXPECT_EQ(gc.tform_scale_x, 1);
    EXPECT_EQ(gc.tform_scale_y, 1);
  }
}

TEST_F(VirtualDisplay, ClippingPaintsTheBorderColourAndKeepsDrawingInside) {
  setVirtualBorderColor(0, 0, 255);
  open(1920, 1080, 3);
  // Set-up paints the whole back buffer in the border colour.
  {
    const TPixmap frame = harness::frame();
    EXPECT_EQ(pixelAt(frame, 100, 540).b, 255);
    EXPECT_EQ(pixelAt(frame, 960, 540).b, 255);
  }
  setClsColor(255, 0, 0);
  refreshVirtualDisplay();
  setColor(0, 255, 0);
  drawRect(-500, 200, 3000, 10);  // a green band clipped to the design area
  const TPixmap frame = harness::frame();
  struct Sample {
    int x, y;
    RGB expected;
  };
  const Sample samples[] = {
      {100, 540, {0, 0, 255}},   {1800, 540, {0, 0, 255}},  // border
      {960, 540, {255, 0, 0}},   {250, 100, {255, 0, 0}},   // cleared design area
      {960, 288, {0, 255, 0}},   {250, 288, {0, 255, 0}},   // the band inside
      {100, 288, {0, 0, 255}},   {1800, 288, {0, 0, 255}},  // ... and not beyond
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(::testing::Message() << "pixel " << s.x << "," << s.y);
    const RGB p = pixelAt(frame, s.x, s.y);
    EXPECT_EQ(p.r, s.expected.r);
    EXPECT_EQ(p.g, s.expected.g);
    EXPECT_EQ(p.b, s.expected.b);
  }
  EXPECT_EQ(graphics().clscolor_red, 255);
  EXPECT_EQ(graphics().clscolor_blue, 0);
}

TEST_F(VirtualDisplay, RefreshWithoutClippingClearsTheWholeDisplay) {
  open(1920, 1080, 2);
  setColor(255, 255, 255);
  drawRect(-3000, -3000, 6000, 6000);
  setClsColor(0, 40, 0);
  refreshVirtualDisplay();
  const TPixmap frame = harness::frame();
  for (const auto& [x, y] : {std::pair{0, 0}, {960, 540}, {1919, 1079}}) {
    SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y);
    EXPECT_EQ(pixelAt(frame, x, y).r, 0);
    EXPECT_EQ(pixelAt(frame, x, y).g, 40);
  }
}

}  // namespace
