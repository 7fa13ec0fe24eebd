#include "engine/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>

#include "engine/files.h"

extern "C" {
extern const unsigned char embedded_font_data[];
extern const unsigned long long embedded_font_size;
}

namespace {

FT_Library freetype() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
      std::fprintf(stderr, "Cannot start FreeType\n");
      return static_cast<FT_Library>(nullptr);
    }
    return lib;
  }();
  return library;
}

constexpr const char* kEmbeddedPrefix = "incbin::";

}  // namespace

// A FreeType face over bytes that live as long as the face (the file's copy, or the
// embedded data). Each font owns its face, since the face holds one size at a time.
struct TImageFont::Face {
  FT_Face face = nullptr;
  std::vector<unsigned char> bytes;
  ~Face() {
    if (face) FT_Done_Face(face);
  }
};

const unsigned char* embeddedFontData(size_t& size) {
  size = static_cast<size_t>(embedded_font_size);
  return embedded_font_data;
}

TImageFont::~TImageFont() = default;

FontPtr loadImageFont(const std::string& path, int size, int style) {
  FT_Library lib = freetype();
  if (!lib || size <= 0) return nullptr;
  auto face = std::make_shared<TImageFont::Face>();
  const unsigned char* data = nullptr;
  size_t length = 0;
  if (path.rfind(kEmbeddedPrefix, 0) == 0) {
    // The program carries one typeface; every embedded name selects it.
    data = embeddedFontData(length);
  } else {
    if (!readFileBytes(path, face->bytes) || face->bytes.empty()) {
      std::fprintf(stderr, "Couldn't load font file: %s\n", path.c_str());
      return nullptr;
    }
    data = face->bytes.data();
    length = face->bytes.size();
  }
  if (FT_New_Memory_Face(lib, data, static_cast<FT_Long>(length), 0, &face->face) != 0 ||
      FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(size)) != 0) {
    std::fprintf(stderr, "Couldn't load font file: %s\n", path.c_str());
    return nullptr;
  }
  FontPtr font(new TImageFont());
  font->face_ = std::move(face);
  font->size_ = size;
  font->style_ = style;
  const FT_Size_Metrics& metrics = font->face_->face->size->metrics;
  font->height_ = static_cast<int>(metrics.height >> 6);
  font->ascender_ = static_cast<int>(metrics.ascender >> 6);
  return font;
}

TImageFont* defaultFont() {
  static FontPtr font = loadImageFont("incbin::font.ttf", 16, FONT_SMOOTH);
  return font.get();
}

const TImageGlyph* TImageFont::glyph(char32_t codepoint) {
  if (codepoint < 256 && latinDone_[codepoint]) return &latin_[codepoint];
  if (codepoint >= 256) {
    auto it = others_.find(codepoint);
    if (it != others_.end()) return it->second.get();
  }
  FT_Face face = face_->face;
  const FT_UInt index = FT_Get_Char_Index(face, codepoint);
  const bool smooth = (style_ & FONT_SMOOTH) != 0;
  TImageGlyph result;
  bool found = index != 0 || codepoint == 0;
  if (found && FT_Load_Glyph(face, index, FT_LOAD_RENDER |
                                              (smooth ? FT_LOAD_TARGET_NORMAL
                                                      : FT_LOAD_TARGET_MONO)) == 0) {
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    result.advance = static_cast<int>(slot->advance.x >> 6);
    result._x = slot->bitmap_left;
    result._y = ascender_ - slot->bitmap_top;
    result._w = static_cast<int>(bitmap.width);
    result._h = static_cast<int>(bitmap.rows);
    if (result._w > 0 && result._h > 0) {
      const int pad = smooth ? 1 : 0;
      TPixmap pixmap(result._w + pad * 2, result._h + pad * 2);
      for (int y = 0; y < result._h; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < result._w; ++x) {
          unsigned char coverage;
          if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
            coverage = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
          else
            coverage = row[x];
          unsigned char* p = pixmap.at(x + pad, y + pad);
          p[0] = p[1] = p[2] = 255;
          p[3] = coverage;
        }
      }
      if (smooth) {
        result._x -= 1;
        result._y -= 1;
        result._w += 2;
        result._h += 2;
      }
      result.image = createImage(std::move(pixmap),
                                 smooth ? (IMAGE_FILTERED | IMAGE_MIPMAPPED) : 0, true);
    }
  } else {
    found = false;
  }
  if (!found) {
    // Characters the face lacks draw nothing and take no room.
    result = TImageGlyph();
  }
  if (codepoint < 256) {
    latin_[codepoint] = std::move(result);
    latinDone_[codepoint] = true;
    return &latin_[codepoint];
  }
  auto stored = std::make_unique<TImageGlyph>(std::move(result));
  const TImageGlyph* ptr = stored.get();
  others_.emplace(codepoint, std::move(stored));
  return ptr;
}
