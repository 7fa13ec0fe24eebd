#include "app/globals.h"

#include <list>

#include "engine/files.h"
#include "engine/text.h"

namespace {

struct TMyFont {
  std::string url;
  int size = 0;
  FontPtr font;
};

std::list<TMyFont>& fontCache() {
  static std::list<TMyFont> fonts;
  return fonts;
}

}  // namespace

TGameGlobals& globals() {
  static TGameGlobals state;
  return state;
}

ImagePtr loadImageWithWarning(const std::string& path, int flags) {
  ImagePtr image = loadImage(path, flags);
  if (!image) notify("Couldn't load image file: " + path + " - program will probably crash!");
  return image;
}

TImageFont* getFont(const std::string& path, int size) {
  const std::string url = str::upper(path);
  for (const TMyFont& f : fontCache())
    if (f.url == url && f.size == size) return f.font.get();
  // Every text shares the one embedded typeface, whatever file the caller names.
  fontCache().push_back({url, size, loadImageFont("incbin::font.ttf", size, FONT_SMOOTH)});
  return fontCache().back().font.get();
}
