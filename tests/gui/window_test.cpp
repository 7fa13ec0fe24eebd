// Windows: the themed frame fills exactly the window's rectangle, children are drawn and
// updated relative to it, and a window without a theme draws nothing.

#include "gui/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/virtual_display.h"
#include "engine/draw.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "support/harness.h"

namespace {

ImagePtr piece(int w, int h, float hx, float hy) {
  TPixmap p(w, h);
  for (size_t i = 0; i < p.pixels.size(); i += 4) {
    p.pixels[i] = 200;
    p.pixels[i + 1] = 100;
    p.pixels[i + 2] = 50;
    p.pixels[i + 3] = 255;
  }
  ImagePtr image = createImage(p, 0);
  setImageHandle(image, hx, hy);
  return image;
}

// Corner pieces 10 x 8 with their handles on their outer corners, as a theme file sets them.
ThemePtr frameTheme() {
  auto t = std::make_shared<TTheme>();
  t->id = "FRAME";
  t->oknoImg[PIECE_LEFT_UP] = piece(10, 8, 0, 0);
  t->oknoImg[PIECE_UP] = piece(4, 8, 0, 0);
  t->oknoImg[PIECE_RIGHT_UP] = piece(10, 8, 10, 0);
  t->oknoImg[PIECE_RIGHT] = piece(10, 4, 10, 0);
  t->oknoImg[PIECE_RIGHT_DOWN] = piece(10, 8, 10, 8);
  t->oknoImg[PIECE_DOWN] = piece(4, 8, 0, 8);
  t->oknoImg[PIECE_LEFT_DOWN] = piece(10, 8, 0, 8);
  t->oknoImg[PIECE_LEFT] = piece(10, 4, 0, 0);
  t->oknoImg[PIECE_CENTRE] = piece(4, 4, 0, 0);
  return t;
}

// A child that records where it was drawn and updated.
class Probe : public TGuiObject {
 public:
  float drawnX = -1, drawnY = -1;
  int updates = 0;
  void draw(float px, float py) override {
    drawnX = px;
    drawnY = py;
  }
  void updateClass(int, int) override { ++updates; }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    gui._themes.push_back(frameTheme());
  }
  TGui gui;
};

TEST_F(WindowTest, FrameFillsTheRectangleExactly) {
  const auto w = TWindow::CreateFromList(
      "panel", {std::make_shared<TSimpleEntry>("POSITION", "100 50 200 120"),
                std::make_shared<TSimpleEntry>("THEME", "frame")},
      &gui);
  EXPECT_EQ(w->_class, GUI_WINDOW);
  EXPECT_EQ(w->theme, gui._themes[0]);
  EXPECT_EQ(w->dim->x2, 300) << "the mouse area is the rectangle";
  EXPECT_EQ(w->skala[0], (200.0f - 20) / 4);
  EXPECT_EQ(w->skala[1], (120.0f - 16) / 4);
  EXPECT_EQ(w->incX, 10);
  EXPECT_EQ(w->incY, 8);
  setClsColor(0, 0, 0);
  cls();
  w->draw(0, 0);
  const TPixmap shot = harness::frame();
  int inside = 0, outside = 0;
  for (int y = 40; y < 180; ++y)
    for (int x = 90; x < 310; ++x) {
      const bool in = x >= 100 && x < 300 && y >= 50 && y < 170;
      const bool on = shot.at(x, y)[0] > 100;
      inside += in && on;
      outside += !in && on;
    }
  EXPECT_EQ(inside, 200 * 120);
  EXPECT_EQ(outside, 0);
}

TEST_F(WindowTest, ChildrenFollowTheWindow) {
  TWindow w;
  w.dim = makeDim(40, 30, 100, 100);
  w.theme = gui._themes[0];
  w.obliczSkale();
  auto probe = std::make_shared<Probe>();
  auto hidden = std::make_shared<Probe>();
  hidden->_v = 0;
  w.dodajObiekt(probe);
  w.dodajObiekt(hidden);
  w.draw(0, 0);
  EXPECT_EQ(probe->drawnX, 40);
  EXPECT_EQ(probe->drawnY, 30);
  EXPECT_EQ(hidden->drawnX, -1) << "hidden children are not drawn";
  w.update(0, 0);
  EXPECT_EQ(probe->updates, 1);
  EXPECT_EQ(hidden->updates, 1);
}

TEST(WindowWithoutTheme, DrawsNothingAndSaysSo) {
  ASSERT_TRUE(harness::openTestGraphics(1024, 768));
  const ThemePtr saved = lastTheme();
  lastTheme() = nullptr;
  std::vector<std::string> notices;
  const ErrorNoticeWatcher previous =
      watchErrorNotices([&](const std::string& t) { notices.push_back(t); });
  TGui gui;
  const auto w = TWindow::CreateFromList(
      "w", {std::make_shared<TSimpleEntry>("POSITION", "0 0 50 50")}, &gui);
  watchErrorNotices(previous);
  lastTheme() = saved;
  EXPECT_EQ(notices, std::vector<std::string>{" >> BLAD! << : No theme for window object!"});
  auto probe = std::make_shared<Probe>();
  w->dodajObiekt(probe);
  setClsColor(0, 0, 0);
  cls();
  w->draw(0, 0);
  EXPECT_EQ(probe->drawnX, -1);
  const TPixmap shot = harness::frame();
  for (size_t i = 0; i < shot.pixels.size(); i += 4) ASSERT_EQ(shot.pixels[i], 0);
}

}  // namespace
