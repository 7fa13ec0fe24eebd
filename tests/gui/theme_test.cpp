// Themes: pieces read from a theme file relative to its folder, windows drawn from them at
// any size, themes found across GUI files, and the game's own theme.

#include "gui/theme.h"

#include <gtest/gtest.h>

#include <string>

#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "gui/gui.h"
#include "gui/text.h"
#include "gui/window.h"
#include "support/harness.h"

namespace {

struct Piece {
  const char* key;
  const char* file;
  int w, h;
  unsigned char r, g, b;
};

// Every window piece its own colour: corners 10 x 10, edges 10 thick and 4 long, centre 4.
const Piece kPieces[] = {
    {"leftUp", "lu.png", 10, 10, 255, 0, 0},     {"Up", "u.png", 4, 10, 0, 255, 0},
    {"rightUp", "ru.png", 10, 10, 0, 0, 255},    {"right", "r.png", 10, 4, 255, 255, 0},
    {"rightdown", "rd.png", 10, 10, 255, 0, 255}, {"down", "d.png", 4, 10, 0, 255, 255},
    {"leftdown", "ld.png", 10, 10, 255, 255, 255}, {"left", "l.png", 10, 4, 255, 128, 0},
    {"srodek", "c.png", 4, 4, 128, 128, 128},
};

class Themes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    folder = harness::makeTempFolder("themes");
    createFolder(folder + "/deco/pieces");
    std::string okno;
    for (const Piece& p : kPieces) {
      TPixmap pix(p.w, p.h);
      for (size_t i = 0; i < pix.pixels.size(); i += 4) {
        pix.pixels[i] = p.r;
        pix.pixels[i + 1] = p.g;
        pix.pixels[i + 2] = p.b;
        pix.pixels[i + 3] = 255;
      }
      ASSERT_TRUE(savePixmapPNG(pix, folder + "/deco/pieces/" + p.file));
      okno += std::string("\t\t") + p.key + " = \"pieces/" + p.file + "\"\n";
    }
    harness::writeFile(folder + "/deco/theme.txt",
                       "TEMAT {\n\tOKNO {\n" + okno +
                           "\t}\n\tBELKA {\n\t\tsrodek = \"pieces/c.png\"\n"
                           "\t\ttextRGB = 1, 2, 3\n\t}\n}\n");
  }

  // The colour drawn at (x, y).
  static std::string at(const TPixmap& shot, int x, int y) {
    const unsigned char* p = shot.at(x, y);
    return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
  }

  std::string folder;
};

TEST_F(Themes, WindowFrameAtTwoSizes) {
  const std::string before = currentDir();
  const ThemePtr theme = loadTheme("Deco", folder + "/deco/theme.txt");
  EXPECT_EQ(currentDir(), before) << "loading a theme leaves the working folder as it was";
  EXPECT_EQ(theme->id, "DECO");
  EXPECT_EQ(theme->barHeight, 4);
  EXPECT_EQ(theme->textRGB->g, 2);
  EXPECT_EQ(lastTheme(), theme);
  for (const ImagePtr& piece : theme->oknoImg) ASSERT_NE(piece, nullptr);

  struct Size {
    int x, y, w, h;
  };
  for (const Size s : {Size{100, 100, 60, 40}, Size{300, 200, 300, 180}}) {
    SCOPED_TRACE(std::to_string(s.w) + " x " + std::to_string(s.h));
    setClsColor(0, 0, 0);
    setBlend(BLEND_ALPHA);
    cls();
    theme->drawWindow(static_cast<float>(s.x), static_cast<float>(s.y), static_cast<float>(s.w),
                      static_cast<float>(s.h));
    const TPixmap shot = harness::frame();
    const int r = s.x + s.w, b = s.y + s.h, mx = s.x + s.w / 2, my = s.y + s.h / 2;
    EXPECT_EQ(at(shot, s.x + 2, s.y + 2), "255,0,0") << "left-up";
    EXPECT_EQ(at(shot, r - 3, s.y + 2), "0,0,255") << "right-up";
    EXPECT_EQ(at(shot, r - 3, b - 3), "255,0,255") << "right-down";
    EXPECT_EQ(at(shot, s.x + 2, b - 3), "255,255,255") << "left-down";
    EXPECT_EQ(at(shot, mx, s.y + 2), "0,255,0") << "top edge";
    EXPECT_EQ(at(shot, r - 3, my), "255,255,0") << "right edge";
    EXPECT_EQ(at(shot, mx, b - 3), "0,255,255") << "bottom edge";
    EXPECT_EQ(at(shot, s.x + 2, my), "255,128,0") << "left edge";
    EXPECT_EQ(at(shot, mx, my), "128,128,128") << "centre";
    EXPECT_EQ(at(shot, s.x + 11, s.y + 11), "128,128,128") << "centre starts past the corner";
    EXPECT_EQ(at(shot, r - 11, b - 11), "128,128,128") << "centre reaches the far corner";
    EXPECT_EQ(at(shot, s.x - 2, s.y - 2), "0,0,0") << "nothing outside";
    EXPECT_EQ(at(shot, r + 1, b + 1), "0,0,0") << "nothing outside";
  }

  // A window exactly as wide as its two corners has no top edge to stretch.
  const TWindowScales tight = theme->windowScales(20, 40);
  EXPECT_EQ(tight.skala[0], 0);
  EXPECT_FLOAT_EQ(tight.skala[1], 5);  // (40 - 20) / 4
  EXPECT_EQ(tight.incX, 10);
  EXPECT_EQ(tight.decY, 10);
}

TEST_F(Themes, FoundAcrossGuiFilesIgnoringCase) {
  harness::writeFile(folder + "/deco/a.gui", "THEME sharedLook { URL = theme.txt }\n");
  harness::writeFile(folder + "/b.gui", "WINDOW w { POSITION = \"10 10 100 80\" THEME = SHAREDLOOK }\n");
  const GuiPtr a = loadGui(folder + "/deco/a.gui");
  ASSERT_EQ(a->_themes.size(), 1u);
  // Another theme loaded later must not be the one the window gets.
  loadTheme("other", folder + "/deco/theme.txt");
  const GuiPtr b = loadGui(folder + "/b.gui");
  const auto w = b->get<TWindow>("w");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->theme, a->_themes[0]);
  EXPECT_EQ(findTheme("sharedlook"), a->_themes[0]);
  EXPECT_EQ(findTheme("no such theme"), nullptr);
}

TEST_F(Themes, MissingFileAndPiecesLeaveEmptySlots) {
  harness::writeFile(folder + "/half.txt", "TEMAT {\n\tOKNO {\n\t\tleftUp = \"deco/pieces/lu.png\"\n"
                                           "\t\tUp = \"deco/pieces/gone.png\"\n\t}\n}\n");
  const ThemePtr half = loadTheme("half", folder + "/half.txt");
  EXPECT_NE(half->oknoImg[PIECE_LEFT_UP], nullptr);
  EXPECT_EQ(half->oknoImg[PIECE_UP], nullptr);
  const ThemePtr none = loadTheme("none", folder + "/nothing-here.txt");
  for (const ImagePtr& piece : none->oknoImg) EXPECT_EQ(piece, nullptr);
  // Drawing with empty slots draws what there is and nothing else.
  setClsColor(0, 0, 0);
  cls();
  half->drawWindow(50, 50, 100, 100);
  none->drawWindow(50, 50, 100, 100);
  none->drawBar(0, 0, 200, 1);
  none->drawMenuBox(0, 0, 100, 100);
  const TPixmap shot = harness::frame();
  EXPECT_EQ(at(shot, 52, 52), "255,0,0");
  EXPECT_EQ(at(shot, 100, 100), "0,0,0");
}

TEST_F(Themes, TheGameThemeLoadsEveryPiece) {
  const std::string path = harness::gameFolder() + "/gfx/gui/window/temat1.txt";
  ASSERT_EQ(fileType(path), 1);
  const ThemePtr theme = loadTheme("temat1", path);
  for (const ImagePtr& piece : theme->oknoImg) EXPECT_NE(piece, nullptr);
  for (const ImagePtr& piece : theme->bar) EXPECT_NE(piece, nullptr);
  for (const ImagePtr& piece : theme->rect) EXPECT_NE(piece, nullptr);
  EXPECT_EQ(theme->barHeight, imageHeight(theme->bar[0]));
  // The parchment body fills a window's middle at any size.
  setClsColor(0, 0, 0);
  setBlend(BLEND_ALPHA);
  cls();
  theme->drawWindow(100, 100, 400, 300);
  const TPixmap shot = harness::frame();
  const unsigned char* mid = shot.at(300, 250);
  EXPECT_GT(mid[0], 200);
  EXPECT_GT(mid[0], mid[2]) << "warm, not grey";
  EXPECT_EQ(at(shot, 50, 50), "0,0,0");
}

}  // namespace
