// Image fonts from the embedded typeface: metrics, widths and where text lands.

#include <gtest/gtest.h>

#include "engine/draw.h"
#include "engine/font.h"
#include "support/harness.h"

namespace {

struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool empty() const { return x1 < 0; }
};

Box litBox(const TPixmap& p) {
  Box b;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.at(x, y)[0] > 60) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
      }
  return b;
}

TEST(Font, EmbeddedTypefaceLoadsAtEverySize) {
  size_t size = 0;
  ASSERT_NE(embeddedFontData(size), nullptr);
  EXPECT_GT(size, 10000u);
  int previous = 0;
  for (int px : {12, 16, 24, 36, 72}) {
    SCOPED_TRACE(px);
    const FontPtr font = loadImageFont("incbin::font.ttf", px, FONT_SMOOTH);
    ASSERT_NE(font, nullptr);
    EXPECT_GE(font->Height(), px);
    EXPECT_GT(font->Height(), previous);
    previous = font->Height();
  }
  EXPECT_EQ(loadImageFont("gfx/fonts/missing.ttf", 20), nullptr);
}

TEST(Font, SmoothGlyphsArePaddedByOnePixel) {
  const FontPtr smooth = loadImageFont("incbin::font.ttf", 30, FONT_SMOOTH);
  const FontPtr sharp = loadImageFont("incbin::font.ttf", 30, 0);
  const TImageGlyph* a = smooth->glyph(U'W');
  const TImageGlyph* b = sharp->glyph(U'W');
  ASSERT_TRUE(a && b && a->image && b->image);
  EXPECT_EQ(a->_x, b->_x - 1);
  EXPECT_EQ(a->_y, b->_y - 1);
  EXPECT_EQ(a->_w, b->_w + 2);
  EXPECT_EQ(a->_h, b->_h + 2);
  EXPECT_EQ(a->advance, b->advance);
  EXPECT_EQ(a->image->width, a->_w);
  EXPECT_EQ(smooth->glyph(U' ')->image, nullptr);
  EXPECT_GT(smooth->glyph(U' ')->advance, 0);
}

TEST(Font, TextWidthIsTheSumOfAdvances) {
  ASSERT_TRUE(harness::openTestGraphics(320, 240));
  const FontPtr font = loadImageFont("incbin::font.ttf", 24);
  setImageFont(font.get());
  EXPECT_EQ(textWidth(""), 0);
  const std::string text = "Tarn \xC3\xA9";  // includes a Latin-1 letter in UTF-8
  int sum = 0;
  for (char32_t c : {U'T', U'a', U'r', U'n', U' ', U'\u00E9'}) sum += font->glyph(c)->advance;
  EXPECT_EQ(textWidth(text), sum);
  setScale(3, 3);
  EXPECT_EQ(textWidth(text), sum) << "the scale is not applied";
  EXPECT_EQ(textHeight(), font->Height());
  setImageFont(nullptr);
  EXPECT_EQ(getImageFont(), defaultFont());
}

TEST(Font, TextLandsBelowAndRightOfItsPosition) {
  ASSERT_TRUE(harness::openTestGraphics(320, 240));
  const FontPtr font = loadImageFont("incbin::font.ttf", 32);
  setImageFont(font.get());
  setBlend(BLEND_ALPHA);
  drawText("Hello", 40, 60);
  const Box plain = litBox(harness::frame());
  ASSERT_FALSE(plain.empty());
  EXPECT_GE(plain.x0, 40 - 2);
  EXPECT_GE(plain.y0, 60);
  EXPECT_LE(plain.x1, 40 + textWidth("Hello") + 2);
  EXPECT_LE(plain.y1, 60 + font->Height());

  cls();
  setScale(2, 2);
  drawText("Hello", 40, 60);
  const Box doubled = litBox(harness::frame());
  EXPECT_NEAR(doubled.x1 - doubled.x0, 2 * (plain.x1 - plain.x0), 4);
  EXPECT_NEAR(doubled.y1 - doubled.y0, 2 * (plain.y1 - plain.y0), 4);
  EXPECT_NEAR(doubled.y0 - 60, 2 * (plain.y0 - 60), 3);
  setScale(1, 1);
  setImageFont(nullptr);
}

}  // namespace
