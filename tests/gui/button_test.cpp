// Buttons of every kind over a scripted hover and click, their animation schemata and the
// frame animation objects of GUI files.

#include "gui/button.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/delta_time.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "gui/gui.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/gui_test_support.h"
#include "support/harness.h"

namespace {

// A picture of `cells` cells side by side (or stacked), cell i filled with red 50 * (i + 1).
TPixmap cellsPicture(int cells, bool stacked) {
  const int cw = 40, ch = 30;
  TPixmap p(stacked ? cw : cw * cells, stacked ? ch * cells : ch);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const int cell = stacked ? y / ch : x / cw;
      unsigned char* px = p.at(x, y);
      px[0] = static_cast<unsigned char>(50 * (cell + 1));
      px[1] = 20;
      px[2] = 20;
      px[3] = 255;
    }
  return p;
}

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    setFrameStep(1);
    resetGuiTestInput();
    mouse = std::make_unique<TMouse>();
    folder = harness::makeTempFolder("buttons");
    savePixmapPNG(cellsPicture(1, false), folder + "/one.png");
    savePixmapPNG(cellsPicture(2, false), folder + "/two.png");
    savePixmapPNG(cellsPicture(4, false), folder + "/four.png");
    savePixmapPNG(cellsPicture(4, true), folder + "/four-stacked.png");
  }

  GuiPtr gui(const std::string& text) {
    harness::writeFile(folder + "/b.gui", "FONT f { URL = x SIZE = 20 }\n" + text);
    return loadGui(folder + "/b.gui");
  }

  // One 16 ms frame with the mouse at (x, y), optionally clicking.
  void frame(TGui& g, int x, int y, bool press = false) {
    advanceFakeClock(16);
    injectMouseMove(x, y);
    if (press) {
      injectMouseButton(1, true);
      injectMouseButton(1, false);
    }
    pollSystem();
    mouse->update();
    g.update();
  }

  std::unique_ptr<TMouse> mouse;
  std::string folder;
};

TEST_F(Buttons, EveryKindOverAScriptedHoverAndClick) {
  // Frames: away, over x7, click, over, away.
  constexpr int kFrames = 11;
  const bool overs[kFrames] = {false, true, true, true, true, true, true, true, true, true, false};
  constexpr int kClickFrame = 8;
  using Probe = std::function<float(const TButton&)>;
  const Probe scale = [](const TButton& b) { return b._buttonScale; };
  struct Case {
    const char* name;
    const char* declaration;  // placed at 200 200
    Probe probe;
    std::vector<float> expected;
  };
  const std::vector<float> grow11 = {1, 1.05f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.05f, 1.1f, 1.05f};
  const std::vector<float> grow13 = {1, 1.05f, 1.1f, 1.15f, 1.2f, 1.25f, 1.3f, 1.3f, 1.05f, 1.1f, 1.05f};
  const std::vector<float> cells = {0, 1, 1, 1, 1, 1, 1, 1, 2, 1, 0};
  const Case cases[] = {
      {"SIMPLE_BUTTON", "GFX = one.png", scale, grow11},
      {"TEXT_BUTTON", "TXT = Play FONT = f", scale, grow11},
      {"TEXT_SPEC_BUTTON2", "GFX = one.png TXT = Go FONT = f", scale, grow11},
      {"TEXT_SPEC_BUTTON3", "GFX = one.png TXT = Go FONT = f", scale, grow13},
      {"TEXT_SPEC_BUTTON4", "GFX = one.png TXT = Go FONT = f", scale, grow11},
      {"TEXT_SPEC_BUTTON5", "GFX = one.png TXT = Go FONT = f", scale, grow13},
      {"TEXT_SPEC_BUTTON6", "TXT = Shop FONT = f", scale,
       {1, 1.05f, 1.1f, 1.15f, 1.2f, 1.25f, 1.3f, 1.35f, 1.05f, 1.1f, 1.05f}},
      {"TEXT_SPEC_BUTTON7", "GFX = one.png ADDGFX = two.png TXT = Undo FONT = f", scale, grow11},
      {"BLEND_BUTTON", "GFX = two.png", [](const TButton& b) { return b._buttonAlpha; },
       {0, 0.08f, 0.16f, 0.24f, 0.32f, 0.4f, 0.48f, 0.56f, 0.64f, 0.72f, 0.64f}},
      {"FSTEP_BUTTON", "GFX = four.png",
       [](const TButton& b) { return static_cast<float>(b.stateCell()); }, cells},
      {"FSTEP_BLEND_BUTTON", "GFX = four.png", [](const TButton& b) { return b._new4StepB; }, cells},
      {"FSTEP_BLEND_BUTTON", "GFX = four.png", [](const TButton& b) { return b._newAlpha; },
       {1, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.05f, 0.05f, 0.05f}},
      {"FSTEP_BLEND_BUTTON", "GFX = four.png", [](const TButton& b) { return b._old4StepB; },
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1}},
      {"ANIM_BUTTON", "GFX = four.png SCHEMAT = \"[NORMAL] 1 [OVER(80)] 2 3 [ACTIVE(40)] 4\"",
       [](const TButton& b) { return static_cast<float>(b.currentCell()); },
       {0, 1, 1, 1, 1, 1, 2, 2, 3, 3, 3}},
      {"TEXT_SPEC_BUTTON1", "TXT = Wave FONT = f", [](const TButton& b) { return b._chrN; },
       {0, 0.08f, 0.16f, 0.24f, 0.32f, 0.4f, 0.48f, 0.56f, 0.64f, 0.72f, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    NoticeLog notices;
    const GuiPtr g = gui(std::string("BUTTON k { TYP = ") + k.name + " POSITION = \"200 200\" " +
                         k.declaration + " }\n");
    EXPECT_TRUE(notices.texts.empty());
    const auto b = g->get<TButton>("k");
    ASSERT_NE(b, nullptr);
    for (int i = 0; i < kFrames; ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      // The letter wave's area has its anchor at the bottom, so aim just above it.
      frame(*g, overs[i] ? 200 : 600, overs[i] ? 196 : 600, i == kClickFrame);
      EXPECT_NEAR(k.probe(*b), k.expected[i], 1e-4);
      EXPECT_EQ(g->_over, overs[i] ? "k" : "");
      EXPECT_EQ(g->_clicked, i == kClickFrame ? "k" : "") << "reported for exactly one frame";
      g->draw();
    }
  }
}

TEST_F(Buttons, SwellingFullyLightsTheYellowCaption) {
  const GuiPtr g = gui("BUTTON k { TYP = TEXT_SPEC_BUTTON6 POSITION = \"200 200\" TXT = Shop FONT = f "
                       "RGB = \"0 0 255\" OUTLINE = NONE }\n");
  const auto b = g->get<TButton>("k");
  for (int i = 0; i < 25; ++i) frame(*g, 200, 200);
  EXPECT_FLOAT_EQ(b->_buttonScale, 2);
  setClsColor(0, 0, 0);
  setBlend(BLEND_ALPHA);
  cls();
  g->draw();
  // The caption at full swell is drawn in yellow over the blue: some pixel is pure yellow.
  const TPixmap shot = harness::frame();
  bool yellow = false;
  for (int y = 160; y < 240 && !yellow; ++y)
    for (int x = 140; x < 260 && !yellow; ++x) {
      const unsigned char* p = shot.at(x, y);
      yellow = p[0] > 240 && p[1] > 240 && p[2] < 20;
    }
  EXPECT_TRUE(yellow);
}

TEST_F(Buttons, FrameStepCellsAreDrawnByState) {
  const GuiPtr g = gui("BUTTON k { TYP = FSTEP_BUTTON POSITION = \"200 200\" GFX = four.png }\n"
                       "BUTTON s { TYP = TEXT_SPEC_BUTTON7 POSITION = \"400 200\" GFX = one.png "
                       "ADDGFX = four-stacked.png }\n");
  setClsColor(0, 0, 0);
  auto redAt = [&](int x) {
    cls();
    g->draw();
    return static_cast<int>(harness::frame().at(x, 200)[0]);
  };
  frame(*g, 600, 600);
  EXPECT_NEAR(redAt(200), 50, 2) << "normal";
  EXPECT_NEAR(redAt(390), 50, 2) << "an active TEXT_SPEC_BUTTON7 shows its picture";
  frame(*g, 200, 200);
  EXPECT_NEAR(redAt(200), 100, 2) << "over";
  frame(*g, 200, 200, true);
  EXPECT_NEAR(redAt(200), 150, 2) << "pressed";
  g->getItem("k")->_a = 0;
  g->getItem("s")->_a = 0;
  frame(*g, 600, 600);
  EXPECT_NEAR(redAt(200), 200, 2) << "inactive";
  // An inactive TEXT_SPEC_BUTTON7 shows its extra picture (its third band is red 150).
  EXPECT_NEAR(redAt(390), 150, 2);
}

TEST_F(Buttons, ObjectFadesTakeAboutThirtyThreeFrames) {
  const GuiPtr g = gui("BUTTON k { POSITION = \"200 200\" GFX = one.png }\n");
  const auto b = g->getItem("k");
  b->_alpha = 0;
  b->_dAlpha = 1;
  int frames = 0;
  while (b->_alpha < 1 && frames < 100) {
    frame(*g, 600, 600);
    ++frames;
  }
  EXPECT_EQ(frames, 34);  // 0.03 per frame: 33 steps reach 0.99, the 34th stops at 1
  b->wygasAlpha();
  frame(*g, 600, 600);
  EXPECT_NEAR(b->_alpha, 0.97f, 1e-5);
}

TEST_F(Buttons, AnimatedButtonWithOnlyNormalLoopsWhateverTheMouseDoes) {
  const GuiPtr g = gui("BUTTON k { TYP = ANIM_BUTTON POSITION = \"200 200\" GFX = four.png "
                       "SCHEMAT = \"[NORMAL] 1 2 3\" }\n");
  const auto b = g->get<TButton>("k");
  EXPECT_EQ(b->frames, 3);
  // The strip has as many cells as the highest frame, each one cell wide.
  EXPECT_EQ(b->_image->frameCount(), 3);
  EXPECT_EQ(b->_image->width, 53);
  std::vector<int> seen;
  for (int i = 0; i < 8; ++i) {
    advanceFakeClock(484);  // with the frame's 16: 500 ms per step
    frame(*g, 200, 200, i % 2 == 0);
    seen.push_back(b->currentCell());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1, 2, 0, 1, 2}));
}

TEST_F(Buttons, UnactiveSequencePlaysWhileInactive) {
  const GuiPtr g = gui("BUTTON k { TYP = ANIM_BUTTON POSITION = \"200 200\" GFX = four-stacked.png DIR = V "
                       "SCHEMAT = \"[NORMAL] 1 [UNACTIVE(100)] 4\" }\n");
  const auto b = g->get<TButton>("k");
  ASSERT_NE(b->_image, nullptr);
  EXPECT_EQ(b->_image->width, 40);  // DIR other than H: cells stacked
  b->_a = 0;
  frame(*g, 600, 600);
  EXPECT_EQ(b->currentCell(), 3);
  b->_a = 1;
  advanceFakeClock(100);
  frame(*g, 600, 600);  // the cycle completes
  frame(*g, 600, 600);
  EXPECT_EQ(b->currentCell(), 0);
}

TEST(ButtonSchema, ReadsSequencesFramesAndTimes) {
  struct Case {
    const char* schema;
    bool ok;
    std::vector<std::string> names;
    std::vector<std::vector<int>> frames;
    std::vector<int> ms;
    const char* notice;
  };
  const Case cases[] = {
      {"[NORMAL] 1 2 3", true, {"NORMAL"}, {{1, 2, 3}}, {500}, ""},
      {"[NORMAL] 1 [OVER(80)] 2 3", true, {"NORMAL", "OVER"}, {{1}, {2, 3}}, {500, 80}, ""},
      {"[NORMAL] 1 [OVER (80)] 2", true, {"NORMAL", "OVER "}, {{1}, {2}}, {500, 80}, ""},
      {"[normal] 1 [NORMAL] 2", true, {"NORMAL"}, {{1, 2}}, {500}, ""},
      {"4 [NORMAL] 3", true, {"NORMAL"}, {{3}}, {500}, ""},
      {"[NORMAL((80)] 1", true, {"NORMAL"}, {{1}}, {80},
       "BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :NORMAL((80)"},
      {"[OVER] 1", false, {"OVER"}, {{1}}, {500},
       "Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:[OVER] 1"},
      {"[NORMAL] 1 [A] 1 [B] 1 [C] 1 [D] 1 [E] 1 [F] 1 [G] 1 [H] 1 [I] 1 [J] 2",
       true,
       {"NORMAL", "A", "B", "C", "D", "E", "F", "G", "H", "I"},
       {{1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}},
       {500, 500, 500, 500, 500, 500, 500, 500, 500, 500},
       "Nie mozna dodac wiecej niz 10 animacji!"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.schema);
    NoticeLog notices;
    TButton b;
    EXPECT_EQ(b.interpretujSchemat(k.schema, 0), k.ok);
    ASSERT_EQ(b._animData.anims, static_cast<int>(k.names.size()));
    for (size_t i = 0; i < k.names.size(); ++i) {
      EXPECT_EQ(b._animData.animName[i], k.names[i]);
      EXPECT_EQ(std::vector<int>(b._animData.frameN[i], b._animData.frameN[i] + b._animData.frames[i]),
                k.frames[i]);
      EXPECT_EQ(b._animData.frameDelta[i], k.ms[i]);
    }
    if (*k.notice)
      EXPECT_TRUE(notices.has(k.notice));
    else
      EXPECT_TRUE(notices.texts.empty());
  }
  TButton flags;
  flags.interpretujSchemat("[NORMAL] 1 [OVER] 2 [ACTIVE] 3 [UNACTIVE] 4", 0);
  EXPECT_EQ(flags.frames, 4);
  EXPECT_TRUE(flags._overFlag && flags._activeFlag && flags._unactiveFlag);
  NoticeLog notices;
  flags.playAnim("nope");
  EXPECT_TRUE(notices.has("Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa : nope"));
  EXPECT_EQ(flags.aktAnim, 0);
}

TEST_F(Buttons, FrameAnimationObjects) {
  const GuiPtr g = gui("ANIM loop { POSITION = \"100 100\" GFX = four.png SCHEMAT = \"[NORMAL LOOP 100] 1 2 3\" }\n"
                       "ANIM once { POSITION = \"300 100\" GFX = four.png SCHEMAT = \"[NORMAL 100] 1 2 [blink 20] 3\" }\n");
  const auto loop = g->get<TRGMAnimation>("loop");
  const auto once = g->get<TRGMAnimation>("once");
  ASSERT_TRUE(loop && once);
  EXPECT_EQ(loop->allFrames, 3);
  EXPECT_EQ(loop->gfx->frameCount(), 3);
  std::vector<int> loopCells, onceCells;
  for (int i = 0; i < 6; ++i) {
    loopCells.push_back(loop->currentCell());
    onceCells.push_back(once->currentCell());
    advanceFakeClock(84);
    frame(*g, 100, 100);
  }
  // Position 0 shows nothing; a loop comes back to it, a single run stays on its last frame.
  EXPECT_EQ(loopCells, (std::vector<int>{-1, 0, 1, 2, -1, 0}));
  EXPECT_EQ(onceCells, (std::vector<int>{-1, 0, 1, 1, 1, 1}));
  EXPECT_EQ(once->_wykonano, 1);
  EXPECT_EQ(g->_over, "") << "animations never take the mouse";
  once->playAnim("BLINK");
  EXPECT_EQ(once->aktAnim->id, "BLINK");

  struct Bad {
    const char* schema;
    const char* notice;
  };
  const Bad bad[] = {
      {"NORMAL 1", "Nieprawidlowa definicja schematu : NORMAL 1"},
      {"[IDLE] 1", "Schemat :[IDLE] 1 - nie uwzglednil animacji NORMAL!"},
      {"[NORMAL] 1 ] 2", "BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :"},
  };
  for (const Bad& k : bad) {
    SCOPED_TRACE(k.schema);
    NoticeLog notices;
    TRGMAnimation a;
    a.interpretujSchemat(k.schema);
    EXPECT_TRUE(notices.has(k.notice));
    a.update(0, 0);
    a.draw(0, 0);
  }
  NoticeLog notices;
  loop->playAnim("nope");
  EXPECT_TRUE(notices.has("Animacja ktora chcesz wyswietlic, nie istnieje!"));
}

}  // namespace
