// The GUI's text machinery with the real embedded font: word wrapping and the four
// alignments, the struck and outlined variants checked on pixels, the text tail, the
// static text object, and the string utilities (split with quotes, markers).

#include "gui/text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/virtual_display.h"
#include "engine/draw.h"
#include "engine/font.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/gui_object.h"
#include "gui/gui_text.h"
#include "gui/gui_test_support.h"
#include "support/harness.h"

namespace {

using Strings = std::vector<std::string>;

// Collects error notices while alive.

class TextDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(harness::openTestGraphics(1024, 768));
    setVirtualDisplay(1024, 768, 2);
    font = getFont("incbin::font.ttf", 20);
    ASSERT_NE(font, nullptr);
    setImageFont(font);
  }

  static int lit(const TPixmap& p) {
    int n = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) n += p.at(x, y)[0] > 60 || p.at(x, y)[1] > 60;
    return n;
  }

  // Both pictures equal and not empty, so the comparison cannot pass on two blank frames.
  static void expectSamePicture(const TPixmap& got, const TPixmap& want) {
    EXPECT_GT(lit(want), 0) << "reference drew nothing";
    ASSERT_EQ(got.pixels.size(), want.pixels.size());
    EXPECT_TRUE(got.pixels == want.pixels) << "pixels differ from the expected layout";
  }

  TImageFont* font = nullptr;
};

// The font is part of the layout contract: these widths are what the embedded typeface
// measures at 20 pixels, and the wrapping cases below rely on them.
TEST_F(TextDrawing, RealFontWidthsAreStable) {
  struct Case {
    const char* text;
    int width;
  };
  const Case cases[] = {
      {"alpha", 49}, {"alpha beta", 92}, {" ", 4}, {"Everything", 99}, {"Żółw", 43},
      {"..", 12}, {"* ", 13}, {"A", 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(textWidth(c.text), c.width);
  }
  EXPECT_EQ(textHeight(), 29);
  // A row is measured with its space: " x" is wider than "x" by the space's advance.
  EXPECT_EQ(textWidth(" alpha"), textWidth(" ") + textWidth("alpha"));
  // Code points, not bytes: a four-letter word of two-byte letters is four glyphs.
  EXPECT_EQ(textWidth("Żółw"),
            textWidth("Ż") + textWidth("ó") + textWidth("ł") + textWidth("w"));
}

TEST_F(TextDrawing, WrapsWordsIntoRows) {
  const float twoWords = static_cast<float>(textWidth("alpha beta"));
  const float wide = static_cast<float>(textWidth("Everything"));
  struct Case {
    const char* name;
    std::string text;
    float width;
    Strings rows;
  };
  const Case cases[] = {
      {"pinned width of two words", "alpha beta gamma", 92, {"alpha beta", "gamma"}},
      {"pinned width less one", "alpha beta gamma", 91, {"alpha", "beta", "gamma"}},
      {"box just wide enough for two words", "alpha beta gamma", twoWords,
       {"alpha beta", "gamma"}},
      {"one pixel less breaks after the first", "alpha beta gamma", twoWords - 1,
       {"alpha", "beta", "gamma"}},
      {"first word wider than the box leaves row 0 empty", "Everything fits", wide - 1,
       {"", "Everything", "fits"}},
      {"later over-wide word stands alone", "a Everything b", wide - 1,
       {"a", "Everything", "b"}},
      {"two spaces stay two spaces", "alpha  beta", 1000, {"alpha  beta"}},
      {"spaces at row ends are trimmed", "alpha   beta", twoWords - 1, {"alpha", "beta"}},
      {"empty text is one empty row", "", 100, {""}},
      {"no wrapping at the declaration default", "alpha beta gamma delta", 10000000,
       {"alpha beta gamma delta"}},
      {"multi-byte letters wrap as letters", "Żółw żółw", static_cast<float>(textWidth("Żółw")),
       {"", "Żółw", "żółw"}},  // the leading space is measured too
      {"multi-byte letters measured with the space", "Żółw żółw",
       static_cast<float>(textWidth(" Żółw")), {"Żółw", "żółw"}},
  };
  const int h = textHeight();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(textBoxRows(c.text, c.width), c.rows);
    // The height counts every row, and spacing adds to each.
    EXPECT_EQ(drawTextBox(c.text, 0, 0, c.width, "LEFT", font, 0),
              h * static_cast<int>(c.rows.size()));
    EXPECT_EQ(drawTextBox(c.text, 0, 0, c.width, "LEFT", font, 3),
              (h + 3) * static_cast<int>(c.rows.size()));
  }
}

TEST_F(TextDrawing, AlignmentsPlaceEachRow) {
  const std::string text = "alpha beta gamma delta";
  const float width = static_cast<float>(textWidth("alpha beta gamma")) + 7.5f;
  const Strings rows = textBoxRows(text, width);
  ASSERT_EQ(rows, (Strings{"alpha beta gamma", "delta"}));
  const int x = 40, y = 50, h = textHeight();
  struct Case {
    const char* align;
    std::function<void()> expected;
  };
  const Case cases[] = {
      {"LEFT",
       [&] {
         drawText(rows[0], 40, 50);
         drawText(rows[1], 40, static_cast<float>(50 + h));
       }},
      {" right ",  // any case, blanks ignored: each row ends at x + width
       [&] {
         drawText(rows[0], x + width - static_cast<float>(textWidth(rows[0])), 50);
         drawText(rows[1], x + width - static_cast<float>(textWidth(rows[1])), 50.0f + h);
       }},
      {"Center",  // half width rounded down, position truncated
       [&] {
         for (int n = 0; n < 2; ++n)
           drawText(rows[n],
                    static_cast<float>(static_cast<int>(x + width / 2 - textWidth(rows[n]) / 2)),
                    static_cast<float>(y + h * n));
       }},
      {"JUSTIFY",  // words spread so the last one ends at x + width; last row left
       [&] {
         const Strings words = {"alpha", "beta", "gamma"};
         const float gap = (width - textWidth("alphabetagamma")) / 2;
         drawText("alpha", 40, 50);
         drawText("beta", 40 + gap + textWidth("alpha"), 50);
         drawText("gamma", 40 + 2 * gap + textWidth("alphabeta"), 50);
         drawText("delta", 40, 50.0f + h);
       }},
      {"sideways",  // unknown names are left
       [&] {
         drawText(rows[0], 40, 50);
         drawText(rows[1], 40, static_cast<float>(50 + h));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.align);
    const TPixmap want = renderOnBlack(c.expected);
    int height = 0;
    const TPixmap got = renderOnBlack([&] { height = drawTextBox(text, x, y, width, c.align, font); });
    expectSamePicture(got, want);
    EXPECT_EQ(height, 2 * h);
  }
}

TEST_F(TextDrawing, JustifiedRowsEndAtTheRightEdgeAndSingleWordsStartLeft) {
  const float width = static_cast<float>(textWidth("alpha beta")) + 30;
  // Row 0 spreads to the right edge; row 1 is one over-wide word, at x; last row left.
  const std::string text = "alpha beta Everythingelse x";
  ASSERT_EQ(textBoxRows(text, width), (Strings{"alpha beta", "Everythingelse", "x"}));
  const int h = textHeight();
  const TPixmap got = renderOnBlack([&] { drawTextBox(text, 10, 10, width, "JUSTIFY", font); });
  const TPixmap want = renderOnBlack([&] {
    drawText("alpha", 10, 10);
    drawText("beta", 10 + width - textWidth("beta"), 10);
    drawText("Everythingelse", 10, 10.0f + h);
    drawText("x", 10, 10.0f + 2 * h);
  });
  expectSamePicture(got, want);
}

TEST_F(TextDrawing, StruckLinesCrossTheMiddleOfEachRow) {
  const std::string text = "alpha beta gamma";
  const float width = static_cast<float>(textWidth("alpha beta")) + 11;
  const Strings rows = textBoxRows(text, width);
  ASSERT_EQ(rows.size(), 2u);
  const int x = 100, y = 200, h = textHeight();
  struct Case {
    const char* align;
    float progress;
    bool lines;
  };
  const Case cases[] = {{"CENTER", 1, true}, {"CENTER", 0.5f, true}, {"LEFT", 1, true},
                        {"LEFT", 0.5f, true}, {"RIGHT", 1, false}, {"JUSTIFY", 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.align) + " " + std::to_string(c.progress));
    int height = 0;
    const TPixmap shot = renderOnBlack([&] {
      height = drawStruckTextBoxProgress(text, x, y, width, c.progress, c.align, font);
    });
    EXPECT_EQ(height, 2 * h);
    if (!c.lines) {
      EXPECT_EQ(lit(shot), 0) << "no text is drawn and no line either";
      continue;
    }
    int total = 0;
    for (size_t n = 0; n < rows.size(); ++n) {
      const int tw = textWidth(rows[n]);
      const int a = std::string(c.align) == "CENTER"
                        ? static_cast<int>(x + width / 2 - tw / 2)
                        : x;
      const int yl = y + h * static_cast<int>(n) + h / 2;
      const int end = a + static_cast<int>(tw * c.progress);
      // Lit from the row's start to its (partial) end, dark beyond and off the middle.
      for (int px = a; px <= end; ++px) EXPECT_GT(shot.at(px, yl)[0], 200) << "x " << px;
      EXPECT_LT(shot.at(a - 2, yl)[0], 40);
      EXPECT_LT(shot.at(end + 2, yl)[0], 40);
      EXPECT_LT(shot.at(a + 2, yl - 2)[0], 40);
      total += end - a + 1;
    }
    EXPECT_EQ(lit(shot), total) << "only the lines are drawn";
  }
  // The plain variant strikes the whole row.
  EXPECT_EQ(lit(renderOnBlack([&] { drawStruckTextBox(text, x, y, width, "LEFT", font); })),
            lit(renderOnBlack([&] { drawStruckTextBoxProgress(text, x, y, width, 1, "LEFT", font); })));
}

TEST_F(TextDrawing, OutlinedTextDrawsFourDiagonalsThenTheText) {
  const TRGB red(255, 0, 0), green(0, 255, 0);
  const std::string text = "Outline";
  const int w = textWidth(text);
  struct Case {
    const char* align;
    float left;
  };
  const Case cases[] = {{"center", 300.0f - static_cast<float>(w / 2)},
                        {"RIGHT", 300.0f - static_cast<float>(w)},
                        {"LEFT", 300},
                        {"", 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.align);
    const TPixmap got = renderOnBlack([&] { drawOutlinedText(text, 300, 100, &red, &green, c.align); });
    const TPixmap want = renderOnBlack([&] {
      setColor(255, 0, 0);
      drawText(text, c.left - 1, 99);
      drawText(text, c.left + 1, 99);
      drawText(text, c.left - 1, 101);
      drawText(text, c.left + 1, 101);
      setColor(0, 255, 0);
      drawText(text, c.left, 100);
    });
    expectSamePicture(got, want);
  }
  // Without colours: a black outline (invisible on black) under white text.
  const TPixmap plain = renderOnBlack([&] { drawOutlinedText(text, 300, 100, nullptr, nullptr, "LEFT"); });
  const TPixmap white = renderOnBlack([&] { drawText(text, 300, 100); });
  EXPECT_EQ(lit(plain), lit(white));
}

TEST_F(TextDrawing, TextTailKeepsTheLongestEndThatFits) {
  const std::string text = "Żółwie pływają w stawie";
  const std::u32string chars = str::toU32(text);
  const int width = textWidth("..pływają w stawie") + 2;
  std::string drawn;
  const TPixmap shot = renderOnBlack([&] { drawn = drawTextTail(text, 20, 30, width); });
  EXPECT_EQ(drawn, "..pływają w stawie");
  EXPECT_LE(textWidth(drawn), width);
  // One more character would not fit.
  EXPECT_GT(textWidth(".. pływają w stawie"), width);
  expectSamePicture(shot, renderOnBlack([&] { drawText("..pływają w stawie", 20, 30); }));
  // A field too narrow even for ".." draws nothing.
  EXPECT_EQ(drawTextTail(text, 0, 0, textWidth("..") - 1), "");
  // A text that fits is still shown with its leading "..".
  EXPECT_EQ(drawTextTail("ab", 0, 0, 1000), "..ab");
}

TEST_F(TextDrawing, TextObjectDrawsItsShadowThenItselfAndStoresItsHeight) {
  TText t;
  t._txt = "alpha beta gamma";
  t.dim = makeDim(50, 60);
  t.dim->w = static_cast<float>(textWidth("alpha beta"));
  t._font = font;
  t.rgb = makeRGB(0, 255, 0);
  t._shadow = 1;
  t.shRGB = makeRGB(255, 0, 0);
  t._adW = 4.7f;  // whole part only
  const int h = font->Height() + 4;
  const TPixmap got = renderOnBlack([&] { t.draw(5, 6); });
  EXPECT_EQ(t.dim->h, static_cast<float>(2 * h));
  const TPixmap want = renderOnBlack([&] {
    setColor(255, 0, 0);
    drawTextBox("alpha beta gamma", 56, 67, t.dim->w, "LEFT", font, 4);
    setColor(0, 255, 0);
    drawTextBox("alpha beta gamma", 55, 66, t.dim->w, "LEFT", font, 4);
  });
  expectSamePicture(got, want);

  // No shadow colour: no shadow. Alpha 0 or an unknown alignment: nothing.
  t.shRGB = nullptr;
  EXPECT_EQ(lit(renderOnBlack([&] { t.draw(5, 6); })), lit(renderOnBlack([&] {
              setColor(0, 255, 0);
              drawTextBox("alpha beta gamma", 55, 66, t.dim->w, "LEFT", font, 4);
            })));
  t._align = 7;
  EXPECT_EQ(lit(renderOnBlack([&] { t.draw(0, 0); })), 0);
  t._align = 1;
  t._alpha = 0;
  EXPECT_EQ(lit(renderOnBlack([&] { t.draw(0, 0); })), 0);
  // countH lays out at the object's own position.
  t._alpha = 1;
  EXPECT_EQ(t.countH(), 2 * h);
}

TEST(TextObject, SetAlignTakesOnlyTheFourNames) {
  struct Case {
    const char* name;
    int align;
  };
  const Case cases[] = {{"left", 1}, {"RIGHT", 0}, {"center", 2}, {"Justify", 3},
                        {"middle", 3}, {"", 3}, {"CENTRE", 3}, {" left", 3}};
  TText t;
  EXPECT_EQ(t._align, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    t.setAlign(c.name);
    EXPECT_EQ(t._align, c.align);
  }
}

TEST(TextObject, ReferencesReadALineOfATextFile) {
  const std::string folder = harness::makeTempFolder("texts");
  harness::writeFile(folder + "/menu.txt", "First line\nSecond line\nThird\n");
  EXPECT_EQ(TText::odczytajTekst("[" + folder + "/menu.txt|2]"), "Second line");
  EXPECT_EQ(declaredText("[" + folder + "/menu.txt|3]"), "Third");
  EXPECT_EQ(declaredText("plain [text]"), "plain [text]");
  EXPECT_EQ(TText::odczytajTekst("[" + folder + "/menu.txt|9]"), "(BEYOND TEXT ARRAY LENGTH!)");
}

TEST(TextObject, DeclarationSetsFieldsAndReportsUnknownFonts) {
  NoticeLog log;
  TGui gui;
  TRGMFont::createFromList("big", {std::make_shared<TSimpleEntry>("URL", "fonts/any.ttf"),
                                   std::make_shared<TSimpleEntry>("SIZE", "30")},
                           &gui);
  ASSERT_EQ(gui._fonts.size(), 1u);
  EXPECT_EQ(TRGMFont::getByID("BIG", &gui), gui._fonts[0]);
  EXPECT_EQ(gui._fonts[0]->_font, getFont("fonts/any.ttf", 30));
  EXPECT_GE(gui._fonts[0]->_font->Height(), 30);
  EXPECT_TRUE(log.texts.empty());

  const TGuiEntries entries = {std::make_shared<TSimpleEntry>("position", "10 20 300"),
                               std::make_shared<TSimpleEntry>("TXT", "Hello"),
                               std::make_shared<TSimpleEntry>("FONT", "Big"),
                               std::make_shared<TSimpleEntry>("RGB", "1 2 3"),
                               std::make_shared<TSimpleEntry>("SHADOW", "4 5 6"),
                               std::make_shared<TSimpleEntry>("ALIGN", "justify"),
                               std::make_shared<TSimpleEntry>("VISIBLE", "false")};
  const auto t = TText::createFromList("title", entries, &gui);
  EXPECT_EQ(t->_id, "title");
  EXPECT_EQ(t->_class, GUI_TEXT);
  EXPECT_EQ(t->dim->x, 10);
  EXPECT_EQ(t->dim->y, 20);
  EXPECT_EQ(t->dim->w, 300);
  EXPECT_EQ(t->_txt, "Hello");
  EXPECT_EQ(t->_font, gui._fonts[0]->_font);
  EXPECT_EQ(t->rgb->b, 3);
  EXPECT_EQ(t->_shadow, 1);
  EXPECT_EQ(t->shRGB->g, 5);
  EXPECT_EQ(t->_align, 3);
  EXPECT_EQ(t->_v, 0);
  EXPECT_EQ(t->_a, 1);

  const auto plain = TText::createFromList(
      "p", {std::make_shared<TSimpleEntry>("FONT", "nosuch"),
            std::make_shared<TSimpleEntry>("RGB", "-1 0 0")},
      &gui);
  EXPECT_EQ(plain->dim->w, 10000000) << "no width: no wrapping";
  EXPECT_EQ(plain->_font, nullptr);
  EXPECT_EQ(plain->rgb, nullptr);
  EXPECT_EQ(log.texts, Strings{" >> BLAD! << : Nie znaleziono czcionki : nosuch"});

  // A font declaration without a path makes no font.
  EXPECT_EQ(TRGMFont::createFromList("x", {}, &gui), nullptr);
  EXPECT_EQ(log.texts.back(), " >> BLAD! << : Nie podano scierzki do czcionki.");
}

// String utilities ---------------------------------------------------------------------

TEST(SplitQuoted, Cases) {
  struct Case {
    std::string text, sep, open, close;
    Strings pieces;
  };
  const Case cases[] = {
      {"a::b::c", "::", "", "", {"a", "b", "c"}},
      {"a::::b", "::", "", "", {"a", "", "b"}},
      {"::a", "::", "", "", {"", "a"}},
      {"a::b::", "::", "", "", {"a", "b"}},  // an empty last piece is dropped
      {"a:", "::", "", "", {"a:"}},          // a separator cut by the end is text
      {"", "::", "", "", {}},
      {"one#ENTER#two#ENTER#", "#ENTER#", "", "", {"one", "two"}},
      {"one#ENTER##ENTER#three", "#ENTER#", "", "", {"one", "", "three"}},
      {"a  b ", " ", "", "", {"a", "", "b"}},
      {"x \"a b\" y", " ", "\"", "\"", {"x", "a b", "y"}},
      {"[NORMAL] 1 [OVER (80)] 2", " ", "[", "]", {"NORMAL", "1", "OVER (80)", "2"}},
      {"a]b c", " ", "[", "]", {"ab", "c"}},  // a stray close is dropped
      {"a]b c", " ", "", "", {"a]b", "c"}},   // without quoting it is text
      {"[a|b]|c", "|", "[", "]", {"a|b", "c"}},
      {"[unclosed a b", " ", "[", "]", {"unclosed a b"}},
      {"żółw|łoś", "|", "", "", {"żółw", "łoś"}},
      {"abc", "", "", "", {"abc"}},  // an empty separator never matches
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.text + "' by '" + c.sep + "'");
    EXPECT_EQ(splitQuoted(c.text, c.sep, c.open, c.close), c.pieces);
  }
}

TEST(Markers, ExtractAndRemoveWithQuotesAndBadNesting) {
  struct Case {
    std::string text;
    Strings markers;
    std::string rest;
    int notices;
  };
  const Case cases[] = {
      {"[NORMAL] 1 2 [OVER(80)] 3", {"NORMAL", "OVER(80)"}, " 1 2  3", 0},
      {"a \"[x]\" [y]", {"y"}, "a [x] ", 0},  // quoted brackets are plain; quotes dropped
      {"[a[b] c", {"b"}, " c", 1},            // an open inside a marker
      {"a] [b]", {"b"}, "a ", 1},             // a close without a marker
      {"[open", {}, "", 0},                   // never completed
      {"", {}, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    NoticeLog log;
    EXPECT_EQ(extractMarkers(c.text, "[", "]"), c.markers);
    EXPECT_EQ(removeMarkers(c.text, "[", "]"), c.rest);
    ASSERT_EQ(static_cast<int>(log.texts.size()), 2 * c.notices);
    for (const std::string& t : log.texts)
      EXPECT_EQ(t, " >> BLAD! << : BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej "
                   "_str$ :" + c.text);
  }
}

TEST(StringUtilities, QuotesDigitsAndEmpties) {
  EXPECT_EQ(stripQuotes("\"a\" b\"\""), "a b");
  struct Digits {
    const char* text;
    int digits;
  };
  for (const Digits& d : {Digits{"0123456789", 1}, Digits{"", 1}, Digits{"12a", 0},
                          Digits{" 1", 0}, Digits{"-1", 0}, Digits{"١", 0}}) {
    SCOPED_TRACE(d.text);
    EXPECT_EQ(isDigits(d.text), d.digits);
  }
  EXPECT_EQ(dropEmpty({"a", "", "  ", "\t", "b ", "\r"}), (Strings{"a", "b "}));
}

TEST(ErrorNotice, PrefixesTheMessageAndCarriesOn) {
  NoticeLog log;
  errorNotice("Plik : x nie istenieje!");
  EXPECT_EQ(log.texts, Strings{" >> BLAD! << : Plik : x nie istenieje!"});
}

}  // namespace
