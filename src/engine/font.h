#pragma once
// Image fonts: a TrueType face rasterised at one pixel size into one small image per
// glyph, made when the glyph is first needed.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/image.h"

enum FontStyle : int {
  FONT_BOLD = 1,
  FONT_ITALIC = 2,
  FONT_SMOOTH = 4,  // anti-aliased, glyphs padded by one pixel, filtered
};

// One glyph of an image font; `image` is null for glyphs without pixels (space).
struct TImageGlyph {
  ImagePtr image;
  int advance = 0;
  int _x = 0, _y = 0, _w = 0, _h = 0;
};

class TImageFont {
 public:
  ~TImageFont();
  TImageFont(const TImageFont&) = delete;
  TImageFont& operator=(const TImageFont&) = delete;

  // The face's line height at this size, in whole pixels.
  int Height() const { return height_; }
  int size() const { return size_; }
  int style() const { return style_; }
  // The glyph for a code point, rendered on first use; a glyph the face lacks has no
  // image and no advance.
  const TImageGlyph* glyph(char32_t codepoint);

 private:
  friend std::shared_ptr<TImageFont> loadImageFont(const std::string&, int, int);
  TImageFont() = default;
  struct Face;
  std::shared_ptr<Face> face_;
  int size_ = 0;
  int style_ = 0;
  int height_ = 0;
  int ascender_ = 0;
  TImageGlyph latin_[256];
  bool latinDone_[256] = {};
  std::unordered_map<char32_t, std::unique_ptr<TImageGlyph>> others_;
};

using FontPtr = std::shared_ptr<TImageFont>;

// Loads a font at a pixel size. "incbin::font.ttf" names the typeface built into the
// program; other paths are TrueType files on disk. Null on failure.
FontPtr loadImageFont(const std::string& path, int size, int style = FONT_SMOOTH);
// The font used while no other is selected.
TImageFont* defaultFont();
// The embedded TrueType file.
const unsigned char* embeddedFontData(size_t& size);
