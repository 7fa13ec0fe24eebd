// GUI files: the tokeniser and declaration grouping, malformed files (each shows its
// notice and the game goes on), and the container's per-frame over and click reports,
// sounds, look-ups, reload and working folder.

#include "gui/gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/globals.h"
#include "app/screen.h"
#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "gui/button.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/gui_test_support.h"
#include "support/harness.h"

namespace {

// Declarations in one line each: TYPE name{key=value;...}, nested blocks the same way.
std::string dumpBlock(const TSmallObject& o) {
  std::string out = o._typ + " " + o._name + "{";
  bool first = true;
  for (const auto& t : o._tokeny) {
    if (!first) out += ";";
    first = false;
    if (const auto* e = dynamic_cast<const TSimpleEntry*>(t.get()))
      out += e->_typ + "=" + e->_value;
    else if (const auto* b = dynamic_cast<const TSmallObject*>(t.get()))
      out += dumpBlock(*b);
  }
  return out + "}";
}

std::string dumpGui(TGui& gui, const std::string& text) {
  std::string out;
  for (const TGuiWords& d : gui._odbierzDeklaracje(gui.stworzListyTokenow(text))) {
    const auto block = gui._createSimpleEntry(d);
    if (!block) continue;
    if (!out.empty()) out += " | ";
    out += dumpBlock(*block);
  }
  return out;
}

TEST(GuiTokens, DeclarationsFromText) {
  struct Case {
    const char* name;
    const char* text;
    const char* dump;
    const char* notice;  // "" none
  };
  const Case cases[] = {
      {"plain", "BUTTON b { TYP = SIMPLE_BUTTON POSITION = \"100 250\" }",
       "BUTTON b{TYP=SIMPLE_BUTTON;POSITION=100 250}", ""},
      {"entry over several lines", "TEXT t\n{\nTXT\n=\nhello\n}", "TEXT t{TXT=hello}", ""},
      {"tabs and CR LF", "text t {\r\n\tTXT = x\r\n}\r\n", "TEXT t{TXT=x}", ""},
      {"quoted braces do not count", "TEXT t { TXT = \"a } b {\" } TEXT u { }",
       "TEXT t{TXT=a } b {} | TEXT u{}", ""},
      {"empty quoted value is a value", "TEXT t { TXT = \"\" RGB = \"1 2 3\" }",
       "TEXT t{TXT=;RGB=1 2 3}", ""},
      {"nested bar blocks",
       "BAR b { POSITION = \"0 0\" MENU file { TITLE = File COMMAND = \"n|New\" MENU more { "
       "COMMAND = \"x|X\" } } MENU help { TITLE = Help } WIDTH = 300 }",
       "BAR b{POSITION=0 0;MENU file{TITLE=File;COMMAND=n|New;MENU more{COMMAND=x|X}};"
       "MENU help{TITLE=Help};WIDTH=300}",
       ""},
      {"last declaration without its brace", "TEXT a { TXT = x } TEXT b { TXT = y",
       "TEXT a{TXT=x} | TEXT b{TXT=y}", ""},
      {"missing = takes the next token as the value", "TEXT t { TXT hello FONT = f }",
       "TEXT t{TXT=FONT}", "Nieprawidlowy wpis :hello"},
      {"a block outside BAR is a bad entry", "TEXT t { MENU m { TXT = x } }",
       "TEXT t{MENU={;TXT=x}", "Nieprawidlowy wpis :m"},
      {"stray closing brace is dropped", "} TEXT t { TXT = x }", "TEXT t{TXT=x}",
       "Nieprawidlowy wpis :}"},
      {"nothing but a word", "TEXT", "", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    NoticeLog notices;
    TGui gui;
    EXPECT_EQ(dumpGui(gui, k.text), k.dump);
    if (*k.notice)
      EXPECT_TRUE(notices.has(k.notice)) << notices.all();
    else
      EXPECT_TRUE(notices.texts.empty()) << notices.all();
  }
}

TEST(GuiTokens, OverlongTokenIsCutWithANotice) {
  // An unclosed quote swallows the rest of the file into one token.
  const std::string text = "TEXT t { TXT = \"" + std::string(1 << 20, 'x') + " }";
  NoticeLog notices;
  TGui gui;
  const TGuiWords words = gui.stworzListyTokenow(text);
  ASSERT_EQ(words.size(), 6u);
  EXPECT_EQ(words[5].text.size(), kMaxGuiToken);
  EXPECT_TRUE(notices.has("Za dlugi wpis")) << notices.all();
}

class GuiFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    setFrameStep(1);
    resetGuiTestInput();
    mouse = std::make_unique<TMouse>();
    folder = harness::makeTempFolder("gui-files");
    // A 40 x 30 picture for image buttons.
    TPixmap pic(40, 30);
    for (size_t i = 0; i < pic.pixels.size(); i += 4) {
      pic.pixels[i] = 200;
      pic.pixels[i + 3] = 255;
    }
    createFolder(folder + "/pic");
    savePixmapPNG(pic, folder + "/pic/b.png");
    ASSERT_EQ(fileType(folder + "/pic/b.png"), 1);
    sounds = guiSounds();
    guiSounds().click = [this] { ++clicks; };
    guiSounds().over = [this] { ++overs; };
  }
  void TearDown() override {
    guiSounds() = sounds;
    globals().guiReload = 0;
  }

  std::string write(const std::string& name, const std::string& text) {
    harness::writeFile(folder + "/" + name, text);
    return folder + "/" + name;
  }

  // One frame with the mouse at (x, y); `press` clicks the left button in it.
  void frame(TGui& gui, int x, int y, bool press = false) {
    injectMouseMove(x, y);
    if (press) {
      injectMouseButton(1, true);
      injectMouseButton(1, false);
    }
    pollSystem();
    mouse->update();
    gui.update();
  }

  std::unique_ptr<TMouse> mouse;
  std::string folder;
  TGuiSounds sounds;
  int clicks = 0, overs = 0;
};

TEST_F(GuiFiles, MalformedFilesShowTheirNoticeAndKeepWorking) {
  struct Case {
    const char* name;
    const char* text;
    const char* notice;
  };
  const Case cases[] = {
      {"unbalanced braces", "BUTTON a { TYP = SIMPLE_BUTTON GFX = pic/b.png { { POSITION = \"5 5\"",
       ""},
      {"missing =", "BUTTON a { GFX pic/b.png }", "Nieprawidlowy wpis :pic/b.png"},
      {"value that is no number", "BUTTON a { GFX = pic/b.png POSITION = \"1OO 2x\" }",
       "Nieprawidlowa wartosc : POSITION = 1OO 2x"},
      {"unknown font", "BUTTON a { TYP = TEXT_BUTTON TXT = Hi FONT = nope }",
       "Nie znaleziono czcionki : nope"},
      {"unknown button type", "BUTTON a { TYP = simple_button }",
       "Unknown button type : 'simple_button' !"},
      {"animated button without schema", "BUTTON a { TYP = ANIM_BUTTON GFX = pic/b.png }",
       "Nieprawidlowy schemat :"},
      {"schema without NORMAL", "BUTTON a { TYP = ANIM_BUTTON GFX = pic/b.png SCHEMAT = \"[OVER] 1\" }",
       "Nie okreslono znacznika animacji [NORMAL] w schemacie:[OVER] 1"},
      {"font size that is no number", "FONT f { URL = x SIZE = abc }\nBUTTON a { TYP = TEXT_BUTTON TXT = Hi FONT = f }",
       "Nieprawidlowa wartosc : SIZE = abc"},
      {"font without a path", "FONT f { SIZE = 20 }", "Nie podano scierzki do czcionki."},
      {"theme without a path", "THEME t { }", "No path for theme file!"},
      {"missing picture", "BUTTON a { GFX = pic/none.png }", ""},
      {"1 MB token", nullptr, "Za dlugi wpis"},
  };
  const std::string huge = "BUTTON a { GFX = \"" + std::string(1 << 20, 'x') + " }";
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    NoticeLog notices;
    const GuiPtr gui = loadGui(write("bad.gui", k.text ? k.text : huge));
    if (*k.notice) {
      EXPECT_TRUE(notices.has(k.notice)) << notices.all();
    }
    // Still a working GUI: a frame over everything and a draw.
    frame(*gui, 20, 20, true);
    gui->draw();
  }
  // The unbalanced file still made its button.
  NoticeLog none;
  const GuiPtr gui = loadGui(write("bad.gui", cases[0].text));
  EXPECT_NE(gui->get<TButton>("a"), nullptr);
}

TEST_F(GuiFiles, MissingFileGivesAnEmptyGuiAndANotice) {
  NoticeLog notices;
  const GuiPtr gui = loadGui(folder + "/none.gui");
  ASSERT_NE(gui, nullptr);
  EXPECT_TRUE(gui->_listaObiektow.empty());
  EXPECT_TRUE(notices.has(" >> BLAD! << : Plik : " + absolutePath(folder + "/none.gui") +
                          " nie istenieje!"))
      << notices.all();
}

TEST_F(GuiFiles, OverAndClickedNamesPerFrame) {
  const GuiPtr gui = loadGui(write("two.gui",
                                   "BUTTON a { GFX = pic/b.png POSITION = \"100 100\" }\n"
                                   "BUTTON b { GFX = pic/b.png POSITION = \"160 100\" }\n"
                                   "BUTTON off { GFX = pic/b.png POSITION = \"300 100\" ACTIVE = no }\n"
                                   "BUTTON a { GFX = pic/b.png POSITION = \"100 300\" }\n"));
  ASSERT_EQ(gui->_listaObiektow.size(), 4u);
  EXPECT_EQ(gui->getItem("A"), gui->_listaObiektow[0]) << "the first of two equal names";

  struct Step {
    const char* name;
    int x, y;
    bool press;
    const char* over;
    const char* clicked;
    int overs, clicks;  // sounds so far
  };
  const Step steps[] = {
      {"away", 500, 500, false, "", "", 0, 0},
      {"onto a (its edge counts)", 120, 115, false, "a", "", 1, 0},
      {"staying on a", 110, 100, false, "a", "", 1, 0},
      {"straight onto b", 160, 100, false, "b", "", 2, 0},
      {"click b", 160, 100, true, "b", "b", 2, 1},
      {"the click holds one frame", 160, 100, false, "b", "", 2, 1},
      {"inactive button", 300, 100, true, "", "", 2, 1},
      {"the second a", 100, 300, true, "a", "a", 3, 2},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    frame(*gui, s.x, s.y, s.press);
    EXPECT_EQ(gui->_over, s.over);
    EXPECT_EQ(gui->_clicked, s.clicked);
    EXPECT_EQ(overs, s.overs);
    EXPECT_EQ(clicks, s.clicks);
  }
  // Screens ask by name in the click frame.
  EXPECT_EQ(gui->clickedItem("A"), 1);
  EXPECT_EQ(gui->clickedItem("b"), 0);
  EXPECT_EQ(clicks, 2) << "asking for the click does not sound it again";
  frame(*gui, 100, 300);
  EXPECT_EQ(gui->clickedItem("a"), 0);
}

TEST_F(GuiFiles, KeyClicksOnlyActiveObjects) {
  const GuiPtr gui = loadGui(write("keys.gui",
                                   "BUTTON on { GFX = pic/b.png POSITION = \"100 100\" }\n"
                                   "BUTTON off { GFX = pic/b.png POSITION = \"300 100\" ACTIVE = FALSE }\n"));
  gui->getItem("on")->setKey(key::ENTER);
  gui->getItem("off")->setKey(key::SPACE);
  injectKey(key::SPACE, true);
  injectKey(key::SPACE, false);
  frame(*gui, 700, 700);
  EXPECT_EQ(gui->_clicked, "");
  injectKey(key::ENTER, true);
  injectKey(key::ENTER, false);
  frame(*gui, 700, 700);
  EXPECT_EQ(gui->_clicked, "on");
  EXPECT_EQ(gui->_over, "on");
}

TEST_F(GuiFiles, PathsAreRelativeToTheFileAndTheFolderComesBack) {
  write("sub/deeper/pic/c.png", harness::readFile(folder + "/pic/b.png"));
  write("sub/deeper/lines.txt", "first\nsecond\n");
  const std::string path = write("sub/deeper/rel.gui",
                                 "FONT f { URL = \"x.ttf\" SIZE = 14 }\n"
                                 "BUTTON a { TYP = TEXT_SPEC_BUTTON2 GFX = pic/c.png FONT = f TXT = "
                                 "\"[lines.txt|2]\" }\n");
  const std::string before = currentDir();
  NoticeLog notices;
  const GuiPtr gui = loadGui(path);
  EXPECT_EQ(currentDir(), before);
  EXPECT_TRUE(notices.texts.empty()) << notices.all();
  const auto a = gui->get<TButton>("a");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a->_image, nullptr);
  EXPECT_EQ(a->_txt, "second");
  EXPECT_EQ(gui->_myPath, absolutePath(path));
}

TEST_F(GuiFiles, ReloadKeyRebuildsFromTheFile) {
  const std::string path = write("re.gui", "BUTTON a { GFX = pic/b.png POSITION = \"100 100\" }\n");
  const GuiPtr gui = loadGui(path);
  write("re.gui", "BUTTON a { GFX = pic/b.png POSITION = \"400 100\" }\n"
                  "BUTTON b { GFX = pic/b.png POSITION = \"400 300\" }\n");
  // Without the flag the keys do nothing.
  injectKey(key::LCONTROL, true);
  injectKey(kGuiReloadKey, true);
  injectKey(kGuiReloadKey, false);
  frame(*gui, 700, 700);
  EXPECT_EQ(gui->_listaObiektow.size(), 1u);
  globals().guiReload = 1;
  injectKey(kGuiReloadKey, true);
  injectKey(kGuiReloadKey, false);
  frame(*gui, 700, 700);
  injectKey(key::LCONTROL, false);
  pollSystem();
  ASSERT_EQ(gui->_listaObiektow.size(), 2u);
  EXPECT_EQ(gui->getItem("a")->dim->x, 400);
  // L alone does not reload.
  write("re.gui", "BUTTON c { GFX = pic/b.png }\n");
  injectKey(kGuiReloadKey, true);
  injectKey(kGuiReloadKey, false);
  frame(*gui, 700, 700);
  EXPECT_EQ(gui->_listaObiektow.size(), 2u);
}

TEST_F(GuiFiles, LoadingTwiceAddsFontsAndReplacesObjects) {
  const std::string path = write("twice.gui", "FONT f { URL = x SIZE = 14 }\nBUTTON a { GFX = pic/b.png }\n");
  TGui gui;
  gui.Load(path);
  gui.Load(path);
  EXPECT_EQ(gui._fonts.size(), 2u);
  EXPECT_EQ(gui._listaObiektow.size(), 1u);
}

TEST_F(GuiFiles, ScreenFadesAndRunsItsGui) {
  TEkran screen;
  screen.Gui = loadGui(write("screen.gui", "BUTTON a { GFX = pic/b.png POSITION = \"100 100\" }\n"
                                           "BUTTON b { GFX = pic/b.png POSITION = \"300 100\" }\n"));
  screen.alpha = 0.25f;
  injectMouseMove(100, 100);
  injectMouseButton(1, true);
  injectMouseButton(1, false);
  pollSystem();
  mouse->update();
  screen._updateGui();
  EXPECT_EQ(screen.Gui->_clicked, "a");
  for (const auto& o : screen.Gui->_listaObiektow) {
    EXPECT_EQ(o->_alpha, 0.25f);
    EXPECT_EQ(o->_dAlpha, 0.25f);
  }
  screen.Gui->setGuiAlpha(0.5f);
  EXPECT_EQ(screen.Gui->getItem("b")->_dAlpha, 0.5f);
  // Drawing the GUI puts the picture where the file says; nothing without a GUI.
  setClsColor(0, 0, 0);
  cls();
  screen._drawGui();
  EXPECT_GT(harness::frame().at(300, 100)[0], 40);
  screen.Gui = nullptr;
  screen._updateGui();
  screen._drawGui();
}

}  // namespace
