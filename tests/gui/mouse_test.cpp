// The global mouse: presses and holds per frame, hold time on the 32-bit clock, position
// and movement in design coordinates, and the cursors: names, animation and drawing.

#include "gui/mouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "support/harness.h"

namespace {

constexpr long long kWrap = 1LL << 32;

class Mouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    for (int b = 1; b <= 3; ++b) injectMouseButton(b, false);
    moveTo(0, 0);
    flushMouse();
  }

  static void moveTo(int wx, int wy) {
    injectMouseMove(wx, wy);
    pollSystem();
  }

  // A cursor picture: green, with red from the hot spot (14, 6) to the right and down.
  static ImagePtr quadrantImage() {
    TPixmap pixmap(32, 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        unsigned char* p = pixmap.at(x, y);
        const bool red = x >= 14 && y >= 6;
        p[0] = red ? 255 : 0;
        p[1] = red ? 0 : 255;
        p[2] = 0;
        p[3] = 255;
      }
    return createImage(pixmap, 0);
  }

  static ImagePtr plainImage() { return createImage(TPixmap(4, 4)); }

  TMouse mouse;
};

TEST_F(Mouse, NewMouseIsTheGlobalMouse) {
  EXPECT_EQ(gMouse(), &mouse);
  {
    TMouse other;
    EXPECT_EQ(gMouse(), &other);
  }
  EXPECT_EQ(gMouse(), &mouse);
}

// One frame: the button events since the previous frame, then what update() reports.
struct ButtonFrame {
  const char* events;  // L/l left down/up, R/r right, M/m middle
  int leftPressed, leftHolded, rightPressed, middleHit, middleHold;
};

struct ButtonCase {
  const char* name;
  std::vector<ButtonFrame> frames;
};

TEST_F(Mouse, PressesAndHoldsPerFrame) {
  const ButtonCase cases[] = {
      {"click between frames", {{"Ll", 1, 0, 0, 0, 0}, {"", 0, 0, 0, 0, 0}}},
      {"hold", {{"L", 1, 0, 0, 0, 0}, {"", 0, 1, 0, 0, 0}, {"", 0, 1, 0, 0, 0},
                {"l", 0, 0, 0, 0, 0}}},
      {"release and press again between frames",
       {{"L", 1, 0, 0, 0, 0}, {"", 0, 1, 0, 0, 0}, {"lL", 1, 0, 0, 0, 0}, {"", 0, 1, 0, 0, 0}}},
      {"double click between frames", {{"LlLl", 2, 0, 0, 0, 0}}},
      {"right button", {{"R", 0, 0, 1, 0, 0}, {"", 0, 0, 0, 0, 0}, {"r", 0, 0, 0, 0, 0}}},
      {"middle button", {{"M", 0, 0, 0, 1, 1}, {"", 0, 0, 0, 0, 1}, {"m", 0, 0, 0, 0, 0},
                         {"Mm", 0, 0, 0, 1, 0}}},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.name);
    flushMouse();
    mouse.clear();
    mouse.update();
    for (size_t i = 0; i < c.frames.size(); ++i) {
      const ButtonFrame& f = c.frames[i];
      SCOPED_TRACE(::testing::Message() << "frame " << i << " \"" << f.events << "\"");
      for (const char* e = f.events; *e; ++e) {
        switch (*e) {
          case 'L': case 'l': injectMouseButton(1, *e == 'L'); break;
          case 'R': case 'r': injectMouseButton(2, *e == 'R'); break;
          case 'M': case 'm': injectMouseButton(3, *e == 'M'); break;
        }
      }
      mouse.update();
      EXPECT_EQ(mouse.leftPressed, f.leftPressed);
      EXPECT_EQ(mouse.leftHolded, f.leftHolded);
      EXPECT_EQ(mouse.rightPressed, f.rightPressed);
      EXPECT_EQ(mouse.rightHolded, 0);
      EXPECT_EQ(mouse.middleHit, f.middleHit);
      EXPECT_EQ(mouse.middleHold, f.middleHold);
    }
  }
}

TEST_F(Mouse, ClearForgetsAHandledClick) {
  injectMouseButton(1, true);
  injectMouseButton(2, true);
  mouse.update();
  mouse.update();
  ASSERT_EQ(mouse.leftHolded, 1);
  mouse.rightHolded = 1;
  injectMouseButton(1, false);
  injectMouseButton(1, true);  // a second click waiting in the engine
  mouse.clear();
  EXPECT_EQ(mouse.leftPressed, 0);
  EXPECT_EQ(mouse.leftHolded, 0);
  EXPECT_EQ(mouse.rightPressed, 0);
  EXPECT_EQ(mouse.rightHolded, 0);
  mouse.update();
  EXPECT_EQ(mouse.leftPressed, 0);
  EXPECT_EQ(mouse.rightPressed, 0);
}

TEST_F(Mouse, HoldTimeAcrossTheClockWrap) {
  const long long starts[] = {5000, (1LL << 31) - 100, kWrap - 100, 3 * kWrap - 1};
  for (const long long start : starts) {
    SCOPED_TRACE(::testing::Message() << "pressed at " << start);
    setFakeClock(start);
    injectMouseButton(1, true);
    mouse.update();
    EXPECT_EQ(mouse._leftHolded, 1);
    EXPECT_EQ(mouse.getHoldedTime(), 0);
    advanceFakeClock(120);
    mouse.update();
    advanceFakeClock(130);
    mouse.update();  // the start of the hold stays where it was
    EXPECT_EQ(mouse.leftHolded, 1);
    EXPECT_EQ(mouse.getHoldedTime(), 250);
    injectMouseButton(1, false);
    mouse.update();
    EXPECT_EQ(mouse._leftHolded, 0);
    EXPECT_EQ(mouse._leftHoldedTime, 0);
  }
  // Button up: the distance from 0, i.e. the clock reading.
  setFakeClock(kWrap + 7000);
  EXPECT_EQ(mouse.getHoldedTime(), 7000);
}

struct PositionCase {
  int w, h, mode;
  int wx, wy;  // window pixels
  int x, y;    // design pixels, truncated toward zero
};

TEST_F(Mouse, PositionIsTruncatedDesignCoordinates) {
  const PositionCase cases[] = {
      {1024, 768, 2, 300, 200, 300, 200},
      {1280, 1024, 2, 0, 0, 0, -25},  // -25.6 truncates toward zero
      {1280, 1024, 2, 1279, 1023, 1023, 792},
      {1920, 1080, 2, 0, 0, -170, 0},
      {1920, 1080, 0, 1919, 1079, 1023, 767},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " mode " << c.mode << " at "
                                      << c.wx << "," << c.wy);
    ASSERT_TRUE(harness::openTestGraphics(c.w, c.h));
    setVirtualDisplay(1024, 768, c.mode);
    moveTo(c.wx, c.wy);
    mouse.update();
    EXPECT_EQ(mouse.x, c.x);
    EXPECT_EQ(mouse.y, c.y);
  }
}

TEST_F(Mouse, MovementIsPreviousMinusCurrent) {
  moveTo(100, 200);
  mouse.update();
  moveTo(103, 200);
  mouse.update();
  EXPECT_EQ(mouse.px, 100);
  EXPECT_EQ(mouse.x, 103);
  EXPECT_EQ(mouse.vx, -3);
  EXPECT_EQ(mouse.vy, 0);
  moveTo(90, 210);
  mouse.update();
  EXPECT_EQ(mouse.vx, 13);
  EXPECT_EQ(mouse.vy, -10);
  mouse.update();
  EXPECT_EQ(mouse.vx, 0);
  EXPECT_EQ(mouse.vy, 0);
}

TEST_F(Mouse, InRectAndInDimIncludeTheEdges) {
  struct Dim {
    float x, y, h, w;
  };
  const struct {
    int x, y;
    bool inside;
  } cases[] = {
      {10, 10, true}, {15, 15, true}, {12, 13, true}, {16, 15, false},
      {15, 16, false}, {9, 12, false}, {12, 9, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mouse at " << c.x << "," << c.y);
    mouse.x = c.x;
    mouse.y = c.y;
    EXPECT_EQ(mouse.inRect(10, 10, 5, 5), c.inside);
    EXPECT_EQ(mouse.inDim(Dim{10, 10, 5, 5}), c.inside);
  }
  // Fractional rectangles compare as floats.
  mouse.x = 15;
  mouse.y = 10;
  EXPECT_FALSE(mouse.inRect(10, 10, 4.9f, 5));
  EXPECT_TRUE(mouse.inRect(10.5f, 9.5f, 4.5f, 1));
}

TEST_F(Mouse, SetCursorIgnoresCaseAndTheLastMatchWins) {
  const auto normal = mouse.loadCursor("normal", plainImage(), 1, 1);
  const auto over = mouse.loadCursor("over", plainImage(), 2, 2);
  EXPECT_EQ(mouse.cur, over);  // loading makes a cursor current
  mouse.setCursor("NORMAL");
  EXPECT_EQ(mouse.cur, normal);
  mouse.setCursor("OVER");
  EXPECT_EQ(mouse.cur, over);
  mouse.setCursor("no such cursor");
  EXPECT_EQ(mouse.cur, over);

  const auto over2 = mouse.loadCursor("Over", plainImage(), 3, 3);
  mouse.setCursor("normal");
  mouse.setCursor("over");
  EXPECT_EQ(mouse.cur, over2);
  ASSERT_EQ(mouse.listaKursorow.size(), 3u);
  EXPECT_EQ(mouse.listaKursorow[0], normal);
}

TEST_F(Mouse, LoadedCursorsKeepTheirHotSpotAsHandle) {
  const std::string folder = harness::makeTempFolder("cursors");
  TPixmap strip(60, 16);  // three cells of 20 x 16
  ASSERT_TRUE(savePixmapPNG(strip, folder + "/strip.png"));

  const auto single = mouse.loadCursor("single", folder + "/strip.png", 14, 6);
  ASSERT_TRUE(single->_img);
  EXPECT_EQ(single->_img->frameCount(), 1);
  EXPECT_EQ(single->_img->width, 60);
  EXPECT_EQ(single->_maxFrames, 0);
  EXPECT_EQ(single->_timeDelta, 0);
  EXPECT_EQ(single->_img->handle_x, 14);
  EXPECT_EQ(single->_img->handle_y, 6);

  const auto anim = mouse.loadCursor("anim", folder + "/strip.png", 3, 4, 3, 100);
  ASSERT_TRUE(anim->_img);
  EXPECT_EQ(anim->_img->frameCount(), 3);
  EXPECT_EQ(anim->_img->width, 20);
  EXPECT_EQ(anim->_img->height, 16);
  EXPECT_EQ(anim->_maxFrames, 2);
  EXPECT_EQ(anim->_timeDelta, 100);
  EXPECT_EQ(anim->_img->handle_x, 3);
  EXPECT_EQ(anim->_img->handle_y, 4);
  EXPECT_EQ(mouse.cur, anim);

  // A missing file still gives a named cursor; it draws nothing.
  const auto missing = mouse.loadCursor("missing", folder + "/none.png", 0, 0);
  EXPECT_FALSE(missing->_img);
  mouse.draw();
}

TEST_F(Mouse, AnimatedCursorStepsOnTheClock) {
  TPixmap cell(8, 8);
  const ImagePtr frames = createImage(std::vector<TPixmap>{cell, cell, cell});
  // Each step: advance the clock, then the frame after the mouse's update.
  const struct {
    int advance;
    int frame;
  } steps[] = {{0, 1}, {0, 1}, {99, 1}, {1, 2}, {50, 2}, {50, 0}, {100, 1}, {250, 2}, {0, 2}};
  const long long starts[] = {10000, kWrap - 150, (1LL << 31) - 120};
  for (const long long start : starts) {
    SCOPED_TRACE(::testing::Message() << "starting at " << start);
    setFakeClock(start);
    auto cursor = mouse.loadCursor("spinner", frames, 0, 0);
    cursor->_maxFrames = 2;
    cursor->_timeDelta = 100;
    for (const auto& s : steps) {
      advanceFakeClock(s.advance);
      mouse.update();
      EXPECT_EQ(cursor->_frame, s.frame) << "at +" << millis64() - start;
    }
  }
  // A single image never changes frame.
  auto still = mouse.loadCursor("still", plainImage(), 0, 0);
  advanceFakeClock(1000);
  EXPECT_FALSE(still->update());
  EXPECT_EQ(still->_frame, 0);
}

TEST_F(Mouse, CursorIsDrawnAtItsHotSpotOnlyWhenShown) {
  mouse.loadCursor("normal", quadrantImage(), 14, 6);
  moveTo(100, 100);
  mouse.update();

  const struct {
    int x, y;
    int r, g;
  } samples[] = {
      {100, 100, 255, 0}, {99, 100, 0, 255}, {100, 99, 0, 255},  // hot spot on the mouse
      {86, 94, 0, 255},   {85, 94, 0, 0},    {86, 93, 0, 0},     // top-left corner
      {117, 125, 255, 0}, {118, 125, 0, 0},  {117, 126, 0, 0},   // bottom-right corner
  };
  setupCustomCursor(true);
  EXPECT_EQ(mouse._v, 1);
  setColor(10, 20, 30);
  setAlpha(0.2f);
  mouse.draw();
  TPixmap frame = harness::frame();
  for (const auto& s : samples) {
    SCOPED_TRACE(::testing::Message() << "pixel " << s.x << "," << s.y);
    EXPECT_EQ(frame.at(s.x, s.y)[0], s.r);
    EXPECT_EQ(frame.at(s.x, s.y)[1], s.g);
  }

  // Off: nothing is drawn, though the cursor still changes.
  setClsColor(0, 0, 0);
  cls();
  setupCustomCursor(false);
  EXPECT_EQ(mouse._v, 0);
  const auto over = mouse.loadCursor("over", quadrantImage(), 14, 6);
  mouse.setCursor("normal");
  mouse.setCursor("over");
  EXPECT_EQ(mouse.cur, over);
  mouse.draw();
  frame = harness::frame();
  for (const auto& s : samples) {
    SCOPED_TRACE(::testing::Message() << "pixel " << s.x << "," << s.y);
    EXPECT_EQ(frame.at(s.x, s.y)[0], 0);
    EXPECT_EQ(frame.at(s.x, s.y)[1], 0);
  }
  setupCustomCursor(true);
}

TEST_F(Mouse, CursorFollowsTheDesignAreaOnAWideScreen) {
  ASSERT_TRUE(harness::openTestGraphics(1920, 1080));
  setVirtualDisplay(1024, 768, 2);
  mouse.loadCursor("normal", quadrantImage(), 14, 6);
  moveTo(960, 540);
  mouse.update();
  ASSERT_EQ(mouse.x, 512);
  ASSERT_EQ(mouse.y, 384);
  mouse.draw();
  const TPixmap frame = harness::frame();
  // Scaled by 1.40625 around the pointer: red just right of and below it, green above-left.
  EXPECT_EQ(frame.at(963, 543)[0], 255);
  EXPECT_EQ(frame.at(956, 536)[1], 255);
  EXPECT_EQ(frame.at(956, 536)[0], 0);
}

// The generated pictures agree with the cursor table's hot spot (14, 6): the pointer's ink
// tip is there and nothing dark reaches above it.
TEST(CursorPictures, TipSitsOnTheHotSpot) {
  for (const char* name : {"gfx/kursor.png", "gfx/kursor2.png"}) {
    SCOPED_TRACE(name);
    TPixmap pixmap;
    bool alpha = false;
    ASSERT_TRUE(loadPixmap(harness::gameFolder() + "/" + name, pixmap, alpha));
    EXPECT_TRUE(alpha);
    EXPECT_EQ(pixmap.width, 32);
    EXPECT_EQ(pixmap.height, 32);
    const auto ink = [&](int x, int y) {
      const unsigned char* p = pixmap.at(x, y);
      return p[3] >= 128 && p[0] < 80 && p[1] < 80 && p[2] < 80;
    };
    EXPECT_TRUE(ink(14, 6));
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < pixmap.width; ++x) EXPECT_FALSE(ink(x, y)) << "at " << x << "," << y;
    EXPECT_EQ(pixmap.at(0, 0)[3], 0);
    EXPECT_EQ(pixmap.at(31, 0)[3], 0);
  }
}

}  // namespace
