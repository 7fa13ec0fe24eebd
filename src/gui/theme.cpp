#include "gui/theme.h"

#include "data/record_file.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/text.h"

namespace {

// The folder part of a path ("" for a bare file name).
std::string folderOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Where the handle goes inside a piece.
enum class Handle { TopLeft, TopRight, BottomRight, BottomLeft, Centre, TopCentre, BottomCentre };

// The picture a theme key names, with its handle; null when the key is absent or the picture
// cannot be read (the slot then stays empty and is skipped when drawing).
ImagePtr loadPiece(const TRCMFile& file, const std::string& key, Handle handle) {
  const std::string path = file.getString(key);
  if (path.empty()) return nullptr;
  ImagePtr image = loadImage(path);
  if (!image) return nullptr;
  const float w = static_cast<float>(image->width), h = static_cast<float>(image->height);
  switch (handle) {
    case Handle::TopLeft: setImageHandle(image, 0, 0); break;
    case Handle::TopRight: setImageHandle(image, w, 0); break;
    case Handle::BottomRight: setImageHandle(image, w, h); break;
    case Handle::BottomLeft: setImageHandle(image, 0, h); break;
    case Handle::Centre: midHandleImage(image); break;
    case Handle::TopCentre: setImageHandle(image, w / 2, 0); break;
    case Handle::BottomCentre: setImageHandle(image, w / 2, h); break;
  }
  return image;
}

void readRGB(const TRCMFile& file, const std::string& key, TRGB& rgb) {
  rgb.r = truncToInt(file.getFloat(key, 0));
  rgb.g = truncToInt(file.getFloat(key, 1));
  rgb.b = truncToInt(file.getFloat(key, 2));
}

float pieceW(const ImagePtr& image) { return static_cast<float>(imageWidth(image)); }
float pieceH(const ImagePtr& image) { return static_cast<float>(imageHeight(image)); }

// How far a piece stretches to fill `span`; a missing or empty piece is never drawn, and a
// span smaller than nothing draws the stretched piece not at all rather than mirrored.
float stretch(float span, float piece) {
  if (piece <= 0 || span <= 0) return 0;
  return span / piece;
}

void drawPiece(const ImagePtr& image, float x, float y, float sx = 1, float sy = 1) {
  if (!image) return;
  setScale(sx, sy);
  drawImage(image, x, y);
}

}  // namespace

std::vector<ThemePtr>& globalThemes() {
  static std::vector<ThemePtr> themes;
  return themes;
}

ThemePtr& lastTheme() {
  static ThemePtr theme;
  return theme;
}

void TTheme::loadTheme(const std::string& path) {
  remPath = currentDir();
  TRCMFile file;
  file.Load(path);
  const std::string folder = folderOf(resolvePath(path));
  if (!folder.empty()) changeDir(folder);
  loadWindowGFX(file);
  loadBelkaGFX(file);
  changeDir(remPath);
}

void TTheme::loadWindowGFX(const TRCMFile& file) {
  oknoImg[PIECE_LEFT_UP] = loadPiece(file, "TEMAT::OKNO::leftUp", Handle::TopLeft);
  oknoImg[PIECE_UP] = loadPiece(file, "TEMAT::OKNO::Up", Handle::TopLeft);
  oknoImg[PIECE_RIGHT_UP] = loadPiece(file, "TEMAT::OKNO::rightUp", Handle::TopRight);
  oknoImg[PIECE_RIGHT] = loadPiece(file, "TEMAT::OKNO::right", Handle::TopRight);
  oknoImg[PIECE_RIGHT_DOWN] = loadPiece(file, "TEMAT::OKNO::rightdown", Handle::BottomRight);
  oknoImg[PIECE_DOWN] = loadPiece(file, "TEMAT::OKNO::down", Handle::BottomLeft);
  oknoImg[PIECE_LEFT_DOWN] = loadPiece(file, "TEMAT::OKNO::leftdown", Handle::BottomLeft);
  oknoImg[PIECE_LEFT] = loadPiece(file, "TEMAT::OKNO::left", Handle::TopLeft);
  oknoImg[PIECE_CENTRE] = loadPiece(file, "TEMAT::OKNO::srodek", Handle::TopLeft);
}

void TTheme::loadBelkaGFX(const TRCMFile& file) {
  bar[0] = loadPiece(file, "TEMAT::BELKA::lewo", Handle::TopLeft);
  bar[1] = loadPiece(file, "TEMAT::BELKA::srodek", Handle::TopLeft);
  bar[2] = loadPiece(file, "TEMAT::BELKA::prawo", Handle::TopLeft);
  barHeight = imageHeight(bar[1]);
  readRGB(file, "TEMAT::BELKA::textRGB", *textRGB);
  readRGB(file, "TEMAT::BELKA::outLineRGB", *outLineRGB);
  readRGB(file, "TEMAT::BELKA::backRGB", *backRGB);
  static const char* const kBoxKeys[9] = {"LU", "U", "RU", "R", "RD", "D", "LD", "L", "Middle"};
  for (int i = 0; i < 9; ++i)
    rect[i] = loadPiece(file, std::string("TEMAT::BELKA::") + kBoxKeys[i], Handle::TopLeft);
}

void TTheme::loadSuwakGFX(const TRCMFile& file) {
  suwakUrl[0] = file.getString("TEMAT::SUWAK::przyciskGora");
  suwakUrl[1] = file.getString("TEMAT::SUWAK::przyciskDol");
  for (int i = 0; i < 2; ++i) {
    _suwakImg[i] = nullptr;
    if (suwakUrl[i].empty()) continue;
    TPixmap strip;
    bool alpha = false;
    if (!loadPixmap(resolvePath(suwakUrl[i]), strip, alpha) || strip.width < 4) continue;
    const int cell = strip.width / 4;
    _suwakImg[i] = loadAnimImage(suwakUrl[i], cell, strip.height, 0, 4);
    midHandleImage(_suwakImg[i]);
  }
  suwak[0] = loadPiece(file, "TEMAT::SUWAK::pasekGora", Handle::TopCentre);
  suwak[1] = loadPiece(file, "TEMAT::SUWAK::pasekSrodek", Handle::TopCentre);
  suwak[2] = loadPiece(file, "TEMAT::SUWAK::pasekDol", Handle::BottomCentre);
  suwak[3] = loadPiece(file, "TEMAT::SUWAK::suwakGora", Handle::TopCentre);
  suwak[4] = loadPiece(file, "TEMAT::SUWAK::suwakSrodek", Handle::TopCentre);
  suwak[5] = loadPiece(file, "TEMAT::SUWAK::suwakDol", Handle::BottomCentre);
}

ThemePtr TTheme::createFromList(const std::string& name, const TGuiEntries& entries, TGui* gui) {
  bool found = false;
  const std::string url = entryValue(entries, "URL", "", &found);
  if (!found || url.empty()) {
    errorNotice("No path for theme file!");
    return nullptr;
  }
  return ::loadTheme(name, url, gui);
}

TWindowScales TTheme::windowScales(float w, float h) const {
  TWindowScales s;
  const float cw = pieceW(oknoImg[PIECE_LEFT_UP]) + pieceW(oknoImg[PIECE_RIGHT_UP]);
  const float ch = pieceH(oknoImg[PIECE_LEFT_UP]) + pieceH(oknoImg[PIECE_RIGHT_DOWN]);
  s.skala[0] = stretch(w - cw, pieceW(oknoImg[PIECE_UP]));
  s.skala[1] = stretch(h - ch, pieceH(oknoImg[PIECE_RIGHT]));
  s.skala[2] = stretch(w - cw, pieceW(oknoImg[PIECE_CENTRE]));
  s.skala[3] = stretch(h - ch, pieceH(oknoImg[PIECE_CENTRE]));
  s.incX = pieceW(oknoImg[PIECE_LEFT_UP]);
  s.incY = pieceH(oknoImg[PIECE_LEFT_UP]);
  s.decX = pieceW(oknoImg[PIECE_RIGHT_UP]);
  s.decY = pieceH(oknoImg[PIECE_RIGHT_UP]);
  return s;
}

void TTheme::drawWindow(float x, float y, float w, float h, const TWindowScales& s) const {
  // The corners' handles sit on their own outer corner, so each lands on the rectangle's.
  drawPiece(oknoImg[PIECE_LEFT_UP], x, y);
  drawPiece(oknoImg[PIECE_RIGHT_UP], x + w, y);
  drawPiece(oknoImg[PIECE_RIGHT_DOWN], x + w, y + h);
  drawPiece(oknoImg[PIECE_LEFT_DOWN], x, y + h);
  if (s.skala[0] > 0) {
    drawPiece(oknoImg[PIECE_UP], x + s.incX, y, s.skala[0], 1);
    drawPiece(oknoImg[PIECE_DOWN], x + s.incX, y + h, s.skala[0], 1);
  }
  if (s.skala[1] > 0) {
    drawPiece(oknoImg[PIECE_RIGHT], x + w, y + s.incY, 1, s.skala[1]);
    drawPiece(oknoImg[PIECE_LEFT], x, y + s.incY, 1, s.skala[1]);
  }
  if (s.skala[2] > 0 && s.skala[3] > 0)
    drawPiece(oknoImg[PIECE_CENTRE], x + s.incX, y + s.incY, s.skala[2], s.skala[3]);
  setScale(1, 1);
}

void TTheme::drawWindow(float x, float y, float w, float h) const {
  drawWindow(x, y, w, h, windowScales(w, h));
}

void TTheme::drawMenuBox(int a, int t, int e, int b) const {
  const ImagePtr* p = rect;
  const float fa = static_cast<float>(a), ft = static_cast<float>(t);
  const float fe = static_cast<float>(e), fb = static_cast<float>(b);
  drawPiece(p[PIECE_LEFT_UP], fa, ft);
  drawPiece(p[PIECE_RIGHT_UP], fe - pieceW(p[PIECE_RIGHT_UP]), ft);
  drawPiece(p[PIECE_RIGHT_DOWN], fe - pieceW(p[PIECE_RIGHT_DOWN]), fb - pieceH(p[PIECE_RIGHT_DOWN]));
  drawPiece(p[PIECE_LEFT_DOWN], fa, fb - pieceH(p[PIECE_LEFT_DOWN]));
  const float across = fe - fa - pieceW(p[PIECE_LEFT_UP]) - pieceW(p[PIECE_RIGHT_UP]);
  const float down = fb - ft - pieceH(p[PIECE_LEFT_UP]) - pieceH(p[PIECE_LEFT_DOWN]);
  const float sU = stretch(across, pieceW(p[PIECE_UP]));
  const float sD = stretch(across, pieceW(p[PIECE_DOWN]));
  const float sL = stretch(down, pieceH(p[PIECE_LEFT]));
  const float sR = stretch(down, pieceH(p[PIECE_RIGHT]));
  if (sU > 0) drawPiece(p[PIECE_UP], fa + pieceW(p[PIECE_LEFT_UP]), ft, sU, 1);
  if (sD > 0)
    drawPiece(p[PIECE_DOWN], fa + pieceW(p[PIECE_LEFT_DOWN]), fb - pieceH(p[PIECE_DOWN]), sD, 1);
  if (sL > 0) drawPiece(p[PIECE_LEFT], fa, ft + pieceH(p[PIECE_LEFT_UP]), 1, sL);
  if (sR > 0)
    drawPiece(p[PIECE_RIGHT], fe - pieceW(p[PIECE_RIGHT]), ft + pieceH(p[PIECE_RIGHT_UP]), 1, sR);
  const float mx = stretch(across, pieceW(p[PIECE_CENTRE]));
  const float my = stretch(down, pieceH(p[PIECE_CENTRE]));
  if (mx > 0 && my > 0)
    drawPiece(p[PIECE_CENTRE], fa + pieceW(p[PIECE_LEFT_UP]), ft + pieceH(p[PIECE_LEFT_UP]), mx, my);
  setScale(1, 1);
  setColor(255, 255, 255);
}

void TTheme::drawBar(float x, float y, float width, float s) const {
  const float factor = width - pieceW(bar[0]) - pieceW(bar[2]);
  drawPiece(bar[0], x, y, s, s);
  // The middle stretches over the gap whatever its own width (the usual piece is 1 pixel).
  if (factor > 0 && bar[1]) drawPiece(bar[1], x + pieceW(bar[0]) * s, y, s * factor / pieceW(bar[1]), s);
  drawPiece(bar[2], x + pieceW(bar[0]) * s + factor, y, s, s);
  setScale(1, 1);
}

ThemePtr loadTheme(const std::string& name, const std::string& path, TGui* gui) {
  auto theme = std::make_shared<TTheme>();
  theme->loadTheme(path);
  theme->id = str::upper(name);
  if (gui) gui->_themes.push_back(theme);
  globalThemes().push_back(theme);
  lastTheme() = theme;
  return theme;
}

ThemePtr findTheme(const std::string& name, TGui* gui) {
  const std::string wanted = str::upper(name);
  const std::vector<ThemePtr>& first = gui ? gui->_themes : globalThemes();
  for (const ThemePtr& t : first)
    if (t && t->id == wanted) return t;
  for (const ThemePtr& t : globalThemes())
    if (t && t->id == wanted) return t;
  return nullptr;
}
