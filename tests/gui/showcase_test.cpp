// The developer showcase: one GUI file with every object kind, loaded against the built
// pictures and theme, driven for a few frames and saved as a screenshot.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "app/delta_time.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "gui/bar.h"
#include "gui/button.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/text_entry.h"
#include "gui/window.h"
#include "support/harness.h"

namespace {

namespace fs = std::filesystem;

// The showcase beside this test, copied next to a link to the built pictures, since paths
// inside a GUI file are relative to its own folder.
std::string showcaseFolder() {
  const fs::path source = fs::path(__FILE__).parent_path() / "showcase";
  const fs::path folder = harness::makeTempFolder("showcase");
  for (const char* name : {"showcase.gui", "showcase.txt"})
    fs::copy_file(source / name, folder / name, fs::copy_options::overwrite_existing);
  fs::create_directory_symlink(fs::path(harness::gameFolder()) / "gfx", folder / "gfx");
  return folder.string();
}

TEST(Showcase, EveryObjectKindLoadsAndDraws) {
  ASSERT_TRUE(harness::openTestGraphics(1024, 768));
  setVirtualDisplay(1024, 768, 2);
  setFrameStep(1);
  flushKeys();
  flushMouse();
  TMouse mouse;
  const std::string folder = showcaseFolder();

  std::vector<std::string> notices;
  const ErrorNoticeWatcher previous =
      watchErrorNotices([&](const std::string& t) { notices.push_back(t); });
  const GuiPtr gui = loadGui(folder + "/showcase.gui");
  watchErrorNotices(previous);
  for (const std::string& n : notices) ADD_FAILURE() << n;

  std::set<int> buttonTypes, classes;
  for (const auto& o : gui->_listaObiektow) {
    classes.insert(o->_class);
    if (const auto* b = dynamic_cast<const TButton*>(o.get())) {
      buttonTypes.insert(b->_typ);
      EXPECT_TRUE(b->_font || b->_image) << b->_id << " has nothing to show";
    }
  }
  EXPECT_EQ(buttonTypes.size(), 13u) << "every button kind";
  for (int c : {GUI_BUTTON, GUI_WINDOW, GUI_TEXT, GUI_ANIMATION, GUI_TEXT_ENTRY, GUI_BAR})
    EXPECT_TRUE(classes.count(c)) << "class " << c;
  const auto title = gui->get<TText>("title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->_txt, "The toolkit at a glance");

  // A few frames: the name typed, the highlight button swelling under the mouse.
  injectText("Wren");
  injectMouseMove(774, 310);
  for (int i = 0; i < 24; ++i) {
    advanceFakeClock(16);
    pollSystem();
    mouse.update();
    gui->update();
  }
  EXPECT_EQ(gui->_over, "highlight");
  EXPECT_EQ(gui->get<TTextEntry>("name")->_txt, "Wren");

  // Then the first menu opened from the bar, with the mouse on its sub-menu.
  auto frames = [&](int n, int x, int y, bool press) {
    injectMouseMove(x, y);
    if (press) {
      injectMouseButton(1, true);
      injectMouseButton(1, false);
    }
    for (int i = 0; i < n; ++i) {
      advanceFakeClock(16);
      pollSystem();
      mouse.update();
      gui->update();
    }
  };
  frames(1, 85, 36, true);
  const auto more = gui->get<TBelka>("menu")->getBarTitle("game:more");
  ASSERT_NE(more, nullptr);
  frames(30, static_cast<int>(more->rect->x + 20), static_cast<int>(more->rect->y + 6), false);
  EXPECT_EQ(gui->get<TBelka>("menu")->_menusList[0]->_dBoxA, 1) << "the menu is open";

  setClsColor(23, 53, 40);
  cls();
  setBlend(BLEND_ALPHA);
  gui->draw();
  const TPixmap shot = harness::frame();
  if (const char* keep = std::getenv("TARNWICK_KEEP_SCREENSHOTS"))
    savePixmapPNG(shot, std::string(keep) + "/showcase.png");

  // The themed window's parchment fills the page between the buttons.
  const unsigned char* page = shot.at(512, 660);
  EXPECT_GT(page[0], 200);
  EXPECT_GT(page[0], page[2] + 20);
  // Outside the window the background stays.
  EXPECT_EQ(shot.at(20, 400)[1], 53);
  // The round simple button sits where the file puts it: gold rim left of its centre.
  const unsigned char* rim = shot.at(170 - 22, 199);
  EXPECT_GT(rim[0], rim[2] + 40);
}

}  // namespace
