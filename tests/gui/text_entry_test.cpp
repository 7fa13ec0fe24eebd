// The one-line text entry over scripted typing: characters by code point up to the maximum,
// Backspace, Enter as a click, control and forbidden characters refused, the blinking
// caret, and the tail shown when the text outgrows its field.

#include "gui/text_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/gui_test_support.h"
#include "support/harness.h"

namespace {

// One scripted input: typed text, or a key pressed and released.
using Input = std::variant<std::string, int>;

class TextEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    flushKeys();
    flushMouse();
    mouse = std::make_unique<TMouse>();
    font = getFont("incbin::font.ttf", 20);
    setImageFont(font);
  }
  void TearDown() override { flushKeys(); }

  // Feeds the inputs, then runs enough frames for every character (one per frame).
  static void type(TTextEntry& entry, const std::vector<Input>& inputs) {
    int frames = 2;
    for (const Input& in : inputs) {
      if (const auto* text = std::get_if<std::string>(&in)) {
        injectText(*text);
        frames += str::length(*text);
      } else {
        injectKey(std::get<int>(in), true);
        injectKey(std::get<int>(in), false);
        ++frames;
      }
    }
    for (int i = 0; i < frames; ++i) entry.update(0, 0);
  }

  static int lit(const TPixmap& p) {
    int n = 0;
    for (size_t i = 0; i < p.pixels.size(); i += 4) n += p.pixels[i] > 60;
    return n;
  }

  std::unique_ptr<TMouse> mouse;
  TImageFont* font = nullptr;
};

TEST_F(TextEntry, ScriptedTyping) {
  struct Case {
    const char* name;
    int max;
    std::string forbidden;
    std::vector<Input> inputs;
    std::string text;
  };
  const std::string a25(25, 'a');
  const Case cases[] = {
      {"letters append", 10, "", {std::string("Tom")}, "Tom"},
      {"the maximum counts code points, not bytes", 4, "", {std::string("Żółwie")}, "Żółw"},
      {"a 26th character is ignored", 25, "", {a25 + "b"}, a25},
      {"backspace removes one code point", 10, "", {std::string("Żó"), key::BACKSPACE}, "Ż"},
      {"backspace on an empty entry", 10, "", {key::BACKSPACE, key::BACKSPACE}, ""},
      {"tab and escape are refused", 10, "", {std::string("a"), key::TAB, key::ESCAPE,
                                              std::string("b")}, "ab"},
      {"enter adds nothing", 10, "", {std::string("a"), key::ENTER}, "a"},
      {"control and invisible characters are refused", 10, "",
       {std::string("a\x7f\xc2\x85\xe2\x80\xae\xe2\x80\x8b\xef\xbb\xbf\xe2\x80\xa8" "b")}, "ab"},
      {"forbidden characters are refused", 10, "{}\"ż", {std::string("a{b}\"cżd")}, "abcd"},
      {"refused characters do not use up the maximum", 2, "#", {std::string("#a#b")}, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTextEntry entry;
    entry._maxZnakow = c.max;
    entry.setForbidden(c.forbidden);
    type(entry, c.inputs);
    EXPECT_EQ(entry.getTxt(), c.text);
  }
}

TEST_F(TextEntry, TakesOneCharacterPerFrame) {
  TTextEntry entry;
  injectText("abc");
  entry.update(0, 0);
  EXPECT_EQ(entry._txt, "a");
  entry.update(0, 0);
  EXPECT_EQ(entry._txt, "ab");
}

TEST_F(TextEntry, EnterClicksTheEntryForOneFrame) {
  TGui gui;
  auto entry = std::make_shared<TTextEntry>();
  entry->_id = "name";
  gui.addItem(entry);
  injectText("x");
  gui.update();
  EXPECT_EQ(gui._clicked, "");
  injectKey(key::ENTER, true);
  injectKey(key::ENTER, false);
  gui.update();
  EXPECT_EQ(gui._clicked, "name");
  gui.update();
  EXPECT_EQ(gui._clicked, "");
  EXPECT_EQ(entry->_txt, "x");
}

TEST_F(TextEntry, InactiveEntryLeavesTypingToOthers) {
  TTextEntry off, on;
  off._a = 0;
  injectText("q");
  off.update(0, 0);
  EXPECT_EQ(off._txt, "");
  on.update(0, 0);
  EXPECT_EQ(on._txt, "q");
}

TEST_F(TextEntry, CaretBlinksEveryInterval) {
  setFakeClock(100000);
  TTextEntry entry;
  EXPECT_EQ(entry._trigger, 1) << "shown at creation";
  struct Step {
    long long at;
    int trigger;
  };
  // Toggles once the clock has passed the blink time, then waits a whole interval again.
  const Step steps[] = {{100200, 1}, {100300, 1}, {100301, 0}, {100450, 0},
                        {100601, 0}, {100602, 1}, {100903, 0}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.at);
    setFakeClock(s.at);
    entry.update(0, 0);
    EXPECT_EQ(entry._trigger, s.trigger);
  }
  entry.setInterwal(50);
  setFakeClock(101204);  // the next blink was due at 101203
  entry.update(0, 0);
  EXPECT_EQ(entry._czas, 101254);
}

TEST_F(TextEntry, DrawsTextOrItsTailWithTheCaretAfterIt) {
  TTextEntry entry;
  entry._font = font;
  entry.dim = makeDim(100, 200, 120, 29);
  entry._curWidth = 13;
  entry._curHeight = 29;
  entry._trigger = 1;
  entry.rgb = makeRGB(255, 255, 255);

  entry._txt = "Tom";
  const TPixmap shortText = renderOnBlack([&] { entry.draw(5, 0); });
  const TPixmap shortWant = renderOnBlack([&] {
    drawText("Tom", 105, 200);
    drawRect(105 + static_cast<float>(textWidth("Tom")) + 2, 200, 13, 29);
  });
  EXPECT_GT(lit(shortWant), 0);
  EXPECT_TRUE(shortText.pixels == shortWant.pixels);

  // Wider than the field: ".." and the longest end that fits, caret after the shown part.
  entry._txt = "Bartholomew Żółwiński";
  ASSERT_GE(textWidth(entry._txt), 120);
  std::string shown;
  const TPixmap longWant = renderOnBlack([&] {
    shown = drawTextTail(entry._txt, 105, 200, 120);
    drawRect(105 + static_cast<float>(textWidth(shown)) + 2, 200, 13, 29);
  });
  EXPECT_EQ(shown.substr(0, 2), "..");
  EXPECT_TRUE(shown.size() > 2 && entry._txt.ends_with(shown.substr(2)));
  const TPixmap longText = renderOnBlack([&] { entry.draw(5, 0); });
  EXPECT_TRUE(longText.pixels == longWant.pixels);

  // The caret shows only while on and only on an active entry.
  entry._txt = "Tom";
  const int withCaret = lit(shortText);
  entry._trigger = 0;
  EXPECT_LT(lit(renderOnBlack([&] { entry.draw(5, 0); })), withCaret);
  entry._trigger = 1;
  entry._a = 0;
  EXPECT_EQ(lit(renderOnBlack([&] { entry.draw(5, 0); })), lit(renderOnBlack([&] { drawText("Tom", 105, 200); })));
}

TEST_F(TextEntry, SetTxtSkipsTheLengthCheckButNotTheControlCheck) {
  TTextEntry entry;
  entry._maxZnakow = 3;
  entry.setTxt("Long name\tgoes\x1b here");
  EXPECT_EQ(entry.getTxt(), "Long namegoes here");
}

TEST_F(TextEntry, DeclarationDefaults) {
  TGui gui;
  TRGMFont::createFromList("f", {std::make_shared<TSimpleEntry>("URL", "x.ttf"),
                                 std::make_shared<TSimpleEntry>("SIZE", "20")},
                           &gui);
  const auto entry = TTextEntry::createFromList(
      "who", {std::make_shared<TSimpleEntry>("POSITION", "10 20"),
              std::make_shared<TSimpleEntry>("FONT", "F")},
      &gui);
  EXPECT_EQ(entry->_class, GUI_TEXT_ENTRY);
  EXPECT_EQ(entry->_maxZnakow, 25);
  EXPECT_EQ(entry->dim->w, 300);
  EXPECT_EQ(entry->dim->h, static_cast<float>(entry->_font->Height()));
  setImageFont(entry->_font);
  EXPECT_EQ(entry->_curWidth, static_cast<float>(textWidth("A")));
  EXPECT_EQ(entry->_curHeight, static_cast<float>(textHeight()));
  EXPECT_EQ(entry->_trigger, 1);

  const auto narrow = TTextEntry::createFromList(
      "n", {std::make_shared<TSimpleEntry>("POSITION", "1 2 80"),
            std::make_shared<TSimpleEntry>("WIDTH", "8"),
            std::make_shared<TSimpleEntry>("ACTIVE", "no")},
      &gui);
  EXPECT_EQ(narrow->dim->w, 80);
  EXPECT_EQ(narrow->_maxZnakow, 8);
  EXPECT_EQ(narrow->_a, 0);
}

}  // namespace
