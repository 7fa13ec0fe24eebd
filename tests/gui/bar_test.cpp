// Menu bars driven with the mouse, headless: a bar built from its declaration, menus opened
// by a click on their title, a chosen line reported through the GUI for exactly one frame,
// closing by a press elsewhere, switching between titles, sub-menus, and the drawing.

#include "gui/bar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/gui_test_support.h"
#include "support/harness.h"

namespace {

using Strings = std::vector<std::string>;

ImagePtr solid(int w, int h, int r, int g, int b, float hx = 0, float hy = 0) {
  TPixmap p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* px = p.at(x, y);
      px[0] = static_cast<unsigned char>(r);
      px[1] = static_cast<unsigned char>(g);
      px[2] = static_cast<unsigned char>(b);
      px[3] = 255;
    }
  ImagePtr image = createImage(p, 0);
  setImageHandle(image, hx, hy);
  return image;
}

std::shared_ptr<TSimpleEntry> entry(const std::string& key, const std::string& value) {
  return std::make_shared<TSimpleEntry>(key, value);
}

std::shared_ptr<TSmallObject> block(const std::string& name, TGuiEntries tokens) {
  auto b = std::make_shared<TSmallObject>();
  b->_typ = "MENU";
  b->_name = name;
  b->_tokeny = std::move(tokens);
  return b;
}

class MenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    resetGuiTestInput();
    mouse = std::make_unique<TMouse>();
    setFrameStep(1);

    // A theme of plain pieces: red bar ends, green middle, blue menu box.
    theme = std::make_shared<TTheme>();
    theme->id = "TESTTHEME";
    theme->bar[0] = solid(6, 24, 255, 0, 0);
    theme->bar[1] = solid(1, 24, 0, 255, 0);
    theme->bar[2] = solid(6, 24, 255, 0, 0);
    theme->barHeight = 24;
    for (ImagePtr& piece : theme->rect) piece = solid(4, 4, 0, 0, 200);
    theme->textRGB = makeRGB(255, 255, 255);
    theme->backRGB = makeRGB(255, 255, 0);
    gui._themes.push_back(theme);
    TRGMFont::createFromList("menuFont", {entry("URL", "menu.ttf"), entry("SIZE", "16")}, &gui);

    const TGuiEntries declaration = {
        entry("POSITION", "20 30"), entry("WIDTH", "900"), entry("FONT", "MENUFONT"),
        entry("TEMAT", "testtheme"),
        block("FILE", {entry("TITLE", "\"File\""), entry("COMMAND", "\"new|New game\""),
                       entry("COMMAND", "quit|Quit"), entry("COMMAND", "off|Disabled")}),
        block("VIEW", {entry("TITLE", "View"), entry("COMMAND", "full|Full screen"),
                       block("ZOOM", {entry("TITLE", "  Zoom"), entry("COMMAND", "z1|Small"),
                                      entry("COMMAND", "z2|Large")})}),
    };
    bar = TBelka::createFromList("bar", declaration, &gui);
    ASSERT_NE(bar, nullptr);
    gui.addItem(bar);
    file = bar->_menusList.at(0);
    view = bar->_menusList.at(1);
    zoom = std::dynamic_pointer_cast<TMenu>(view->_barTitles.at(1));
    ASSERT_NE(zoom, nullptr);
    frame();  // rectangles are screen positions after the first update
  }

  // One frame of the screen: the mouse, then the GUI.
  void frame() {
    pollSystem();
    mouse->update();
    gui.update();
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) frame();
  }
  static void moveTo(float x, float y) {
    injectMouseMove(static_cast<int>(x), static_cast<int>(y));
  }
  static void moveOnto(const BarTitlePtr& t) {
    moveTo(t->rect->x + t->rect->w / 2, t->rect->y + t->rect->h / 2);
  }
  // Presses and releases the left button where the mouse is; seen by the next frame.
  static void press() {
    injectMouseButton(1, true);
    injectMouseButton(1, false);
  }
  void clickOn(const BarTitlePtr& t) {
    moveOnto(t);
    press();
    frame();
  }
  void open(const MenuPtr& menu) {
    clickOn(menu);
    frames(20);  // fully faded in
  }
  BarTitlePtr line(const std::string& path) { return bar->getBarTitle(path); }

  std::unique_ptr<TMouse> mouse;
  TGui gui;
  ThemePtr theme;
  std::shared_ptr<TBelka> bar;
  MenuPtr file, view, zoom;
};

TEST_F(MenuBar, BuiltFromItsDeclaration) {
  EXPECT_EQ(bar->_class, GUI_BAR);
  EXPECT_EQ(bar->dim->x, 20);
  EXPECT_EQ(bar->dim->y, 30);
  EXPECT_EQ(bar->dim->w, 900);
  EXPECT_EQ(bar->dim->h, 24) << "the theme's bar height";
  EXPECT_EQ(bar->_widthScale, 900 - 6 - 6);
  EXPECT_EQ(bar->theme, theme);
  EXPECT_EQ(file->id, "FILE");
  EXPECT_EQ(file->title, "File");
  EXPECT_EQ(file->_first, 1);
  EXPECT_EQ(zoom->_first, 0);
  EXPECT_EQ(zoom->_parent, view.get());
  ASSERT_EQ(file->_barTitles.size(), 3u);
  EXPECT_EQ(file->_barTitles[0]->id, "new");
  EXPECT_EQ(file->_barTitles[0]->title, "  New game");
  EXPECT_EQ(file->_barTitles[0]->_font, bar->_font);
  EXPECT_EQ(file->_barTitles[0]->_parent, file.get());

  // Titles in a row from x = 10, 30 pixels apart, centred on the bar.
  setImageFont(bar->_font);
  const int y0 = static_cast<int>(24.0f / 2 - static_cast<float>(textHeight() / 2));
  EXPECT_EQ(file->dim->x, 10);
  EXPECT_EQ(view->dim->x, static_cast<float>(10 + textWidth("File") + 30));
  EXPECT_EQ(file->dim->y, static_cast<float>(y0));
  // The box hangs below the title; lines go down it one font height plus one apart.
  EXPECT_EQ(file->_comRect->y, file->dim->y + 1.5f * static_cast<float>(textHeight()));
  EXPECT_EQ(file->_barTitles[1]->dim->y - file->_barTitles[0]->dim->y,
            static_cast<float>(textHeight() + 1));
  const int widest = textWidth("  New game") + textWidth("* ");
  EXPECT_EQ(file->_comRect->w, static_cast<float>(widest + 40));
  // The sub-menu's box opens beside its line, to the right of the parent's lines.
  EXPECT_EQ(zoom->_comRect->x, zoom->dim->x + static_cast<float>(view->_getMaxWidth()));
  EXPECT_EQ(zoom->_comRect->y, zoom->dim->y);
}

TEST_F(MenuBar, ChosenLineIsReportedForExactlyOneFrame) {
  EXPECT_EQ(file->_dBoxA, 0) << "menus start closed";
  clickOn(file);
  EXPECT_EQ(file->_dBoxA, 1);
  EXPECT_EQ(bar->_actualMenu, file.get());
  EXPECT_EQ(gui._clicked, "") << "opening a menu chooses nothing";
  frames(20);
  EXPECT_EQ(file->_boxA, 1);

  moveOnto(line("FILE:quit"));
  frame();
  EXPECT_EQ(gui._over, "quit");
  press();
  frame();
  EXPECT_EQ(gui._clicked, "quit");
  EXPECT_EQ(file->_dBoxA, 0) << "choosing closes the menus";
  for (const BarTitlePtr& l : file->_barTitles) EXPECT_EQ(l->_dAlpha, 0);
  frame();
  EXPECT_EQ(gui._clicked, "");
  frames(20);
  EXPECT_EQ(file->_boxA, 0);
  EXPECT_EQ(line("file:quit")->_alpha, 0);

  // With the menus closed, passing over a title opens nothing.
  moveOnto(view);
  frames(2);
  EXPECT_EQ(view->_dBoxA, 0);
  EXPECT_EQ(file->_dBoxA, 0);
}

TEST_F(MenuBar, PressingElsewhereClosesTheOpenMenu) {
  open(file);
  moveTo(700, 500);
  press();
  frame();
  EXPECT_EQ(file->_dBoxA, 0);
  EXPECT_EQ(bar->_actualMenu, nullptr);
  EXPECT_EQ(gui._clicked, "");
  // A press inside the box (on a line) is not "elsewhere".
  open(file);
  moveOnto(line("FILE:off"));
  line("FILE:off")->_active = 0;
  press();
  frame();
  EXPECT_EQ(gui._clicked, "") << "a disabled line cannot be chosen";
  EXPECT_EQ(file->_dBoxA, 1);
}

TEST_F(MenuBar, MovingOntoAnotherTitleSwitchesMenus) {
  open(file);
  moveOnto(view);
  frame();
  EXPECT_EQ(file->_dBoxA, 0);
  EXPECT_EQ(view->_dBoxA, 1);
  EXPECT_EQ(bar->_actualMenu, view.get());
  // Clicking a title while another menu is open leaves only one open, whatever the order.
  frames(20);
  clickOn(file);
  EXPECT_EQ(file->_dBoxA, 1);
  EXPECT_EQ(view->_dBoxA, 0);
}

TEST_F(MenuBar, SubMenuOpensUnderTheMouseAndClosesWhenLeft) {
  open(view);
  moveOnto(zoom);
  frame();
  EXPECT_EQ(zoom->_dBoxA, 1);
  frames(20);
  EXPECT_EQ(view->_rozwiniety, 1);
  // Into its box and onto a line: it stays open, and the line is chosen.
  moveOnto(line("view:ZOOM:z2"));
  frame();
  EXPECT_EQ(zoom->_dBoxA, 1);
  EXPECT_EQ(gui._over, "z2");
  press();
  frame();
  EXPECT_EQ(gui._clicked, "z2");
  EXPECT_EQ(view->_dBoxA, 0);
  EXPECT_EQ(zoom->_dBoxA, 0);

  // Leaving the sub-menu's box for a plain line of its parent closes only the sub-menu.
  frames(20);
  open(view);
  moveOnto(zoom);
  frames(20);
  moveOnto(line("VIEW:full"));
  frame();
  EXPECT_EQ(zoom->_dBoxA, 0);
  EXPECT_EQ(view->_dBoxA, 1);
}

TEST_F(MenuBar, FindsLinesByPath) {
  struct Case {
    const char* path;
    const char* id;  // nullptr: none
    int notices;
  };
  const Case cases[] = {
      {"file:quit", "quit", 0},   {"FILE:new", "new", 0},   {"View:ZOOM:z2", "z2", 0},
      {"view:ZOOM", "ZOOM", 0},   {"view:FULL", nullptr, 0}, {"view:zoom:nosuch", nullptr, 0},
      {"nosuch:x", nullptr, 1},   {"file", nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    NoticeLog log;
    const BarTitlePtr found = bar->getBarTitle(c.path);
    if (c.id)
      EXPECT_TRUE(found && found->id == c.id);
    else
      EXPECT_EQ(found, nullptr);
    EXPECT_EQ(static_cast<int>(log.texts.size()), c.notices);
  }
  NoticeLog log;
  bar->getBarTitle("help:about");
  EXPECT_EQ(log.texts, Strings{" >> BLAD! << : Nie znaleziono help w belce :bar"});
}

TEST_F(MenuBar, DrawsTheBarTheOpenBoxAndCheckMarks) {
  open(file);
  moveTo(700, 500);  // nothing highlighted
  frame();
  setClsColor(0, 0, 0);
  cls();
  gui.draw();
  const TPixmap shot = harness::frame();
  auto px = [&](int x, int y) {
    const unsigned char* p = shot.at(x, y);
    return std::vector<int>{p[0], p[1], p[2]};
  };
  // The bar: red ends, green middle stretched between them, 24 pixels high.
  EXPECT_EQ(px(22, 31), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(px(20 + 900 - 2, 31), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(px(600, 52), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(px(600, 54), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(px(20 + 900 + 1, 31), (std::vector<int>{0, 0, 0}));
  // The open box, blue, from its left edge to 5 pixels past its width.
  const int a = static_cast<int>(file->_comRect->x + 20);
  const int e = static_cast<int>(file->_comRect->x + file->_comRect->w + 20 + 5);
  const int b = static_cast<int>(file->_comRect->y + file->_comRect->h + 30);
  EXPECT_EQ(px(a + 1, b - 2), (std::vector<int>{0, 0, 200}));
  EXPECT_EQ(px(e - 2, b - 2), (std::vector<int>{0, 0, 200}));
  EXPECT_EQ(px(e + 2, b - 2), (std::vector<int>{0, 0, 0}));
  // VIEW is closed: no box below its title.
  EXPECT_EQ(px(static_cast<int>(view->_comRect->x + 20 + view->_comRect->w), b - 2),
            (std::vector<int>{0, 0, 0}));

  // A checked line shows "* " in place of its two-space prefix.
  const BarTitlePtr l = line("FILE:new");
  l->checked = 1;
  cls();
  l->draw();
  const TPixmap checked = harness::frame();
  cls();
  setColor(255, 255, 255);
  setAlpha(1);
  setImageFont(bar->_font);
  drawText("* New game", l->dim->x + 20, l->dim->y + 30);
  const TPixmap want = harness::frame();
  EXPECT_TRUE(checked.pixels == want.pixels);
}

TEST(MenuBarWithoutTheme, ShowsItsNoticeAndStillLaysOut) {
  const ThemePtr saved = lastTheme();
  lastTheme() = nullptr;
  NoticeLog log;
  TGui gui;
  const auto bar = TBelka::createFromList(
      "b", {entry("WIDTH", "300"), entry("TEMAT", "missing"),
            block("M", {entry("TITLE", "Menu"), entry("COMMAND", "a|A|nosuchfont")})},
      &gui);
  lastTheme() = saved;
  EXPECT_EQ(bar->theme, nullptr);
  EXPECT_EQ(bar->dim->h, 0);
  ASSERT_EQ(bar->_menusList.size(), 1u);
  EXPECT_EQ(bar->_menusList[0]->_barTitles.at(0)->title, "  A");
  EXPECT_EQ(log.texts, (Strings{" >> BLAD! << : No theme asigned for bar object!",
                                " >> BLAD! << : Nie znaleziono czcionki : a|A|nosuchfont"}));
  // Drawing without a theme draws no bar and does not fail.
  bar->draw(0, 0);
}

}  // namespace
