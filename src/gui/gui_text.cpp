#include "gui/gui_text.h"

#include "app/globals.h"
#include "data/texts.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/text.h"

namespace {

constexpr float kNoWrap = 10000000;

}  // namespace

// Declaration helpers ------------------------------------------------------------------

std::vector<int> declaredInts(const std::string& value) {
  std::vector<int> numbers;
  for (const std::string& part : splitQuoted(value, " "))
    if (!part.empty()) numbers.push_back(truncToInt(str::toDouble(part)));
  return numbers;
}

int declaredFlag(const std::string& value) { return str::upper(value) == "TRUE" ? 1 : 0; }

TImageFont* declaredFont(const std::string& name, TGui* gui) {
  const std::shared_ptr<TRGMFont> font = TRGMFont::getByID(name, gui);
  if (!font) {
    errorNotice("Nie znaleziono czcionki : " + name);
    return nullptr;
  }
  return font->_font;
}

std::string declaredText(const std::string& value) {
  const std::string t = str::trim(value);
  if (t.size() >= 2 && t.front() == '[' && t.back() == ']' && t.find('|') != std::string::npos)
    return TText::odczytajTekst(t);
  return value;
}

// TText --------------------------------------------------------------------------------

TText::TText() { _class = GUI_TEXT; }

void TText::setAlign(const std::string& name) {
  const std::string a = str::upper(name);
  if (a == "LEFT") _align = ALIGN_LEFT;
  else if (a == "RIGHT") _align = ALIGN_RIGHT;
  else if (a == "CENTER") _align = ALIGN_CENTER;
  else if (a == "JUSTIFY") _align = ALIGN_JUSTIFY;
}

int TText::countH() {
  const std::string align = alignName(_align);
  if (align.empty()) return 0;
  setScale(_scale, _scale);
  return drawTextBox(_txt, truncToInt(dim->x), truncToInt(dim->y), dim->w, align, _font,
                     truncToInt(_adW));
}

void TText::draw(float px, float py) {
  // Without a colour object the text keeps the current colour.
  if (rgb) setColor(rgb->r, rgb->g, rgb->b);
  if (_alpha == 0) return;
  const std::string align = alignName(_align);
  if (align.empty()) return;
  setAlpha(_alpha);
  setScale(_scale, _scale);
  if (_shadow && shRGB) {
    setColor(shRGB->r, shRGB->g, shRGB->b);
    drawTextBox(_txt, truncToInt(dim->x + px + 1), truncToInt(dim->y + py + 1), dim->w, align,
                _font, truncToInt(_adW));
    if (rgb) setColor(rgb->r, rgb->g, rgb->b);
  }
  dim->h = static_cast<float>(drawTextBox(_txt, truncToInt(dim->x + px), truncToInt(dim->y + py),
                                          dim->w, align, _font, truncToInt(_adW)));
}

void TText::updateMe(int, int) {}

void TText::updateClass(int px, int py) { updateMe(px, py); }

std::shared_ptr<TText> TText::createFromList(const std::string& name, const TGuiEntries& entries,
                                             TGui* gui) {
  auto text = std::make_shared<TText>();
  text->_id = name;
  const std::vector<int> pos = declaredInts(entryValue(entries, "POSITION", "0 0"));
  text->dim = makeDim(pos.size() > 0 ? static_cast<float>(pos[0]) : 0,
                      pos.size() > 1 ? static_cast<float>(pos[1]) : 0);
  text->dim->w = pos.size() > 2 ? static_cast<float>(pos[2]) : kNoWrap;
  text->_txt = declaredText(entryValue(entries, "TXT"));
  bool found = false;
  const std::string font = entryValue(entries, "FONT", "", &found);
  if (found) text->_font = declaredFont(font, gui);
  const std::string rgb = entryValue(entries, "RGB", "", &found);
  if (found) {
    const std::vector<int> c = declaredInts(rgb);
    if (!c.empty() && c[0] == -1)
      text->rgb = nullptr;
    else if (c.size() >= 3)
      text->rgb = makeRGB(c[0], c[1], c[2]);
  }
  const std::string shadow = entryValue(entries, "SHADOW", "", &found);
  if (found) {
    const std::vector<int> c = declaredInts(shadow);
    text->_shadow = 1;
    text->shRGB = c.size() >= 3 ? makeRGB(c[0], c[1], c[2]) : makeRGB(0, 0, 0);
  }
  const std::string align = entryValue(entries, "ALIGN", "", &found);
  if (found) text->setAlign(str::trim(align));
  text->_v = declaredFlag(entryValue(entries, "VISIBLE", "TRUE"));
  text->_a = declaredFlag(entryValue(entries, "ACTIVE", "TRUE"));
  return text;
}

std::string TText::odczytajTekst(const std::string& reference) {
  std::string inner = str::trim(reference);
  if (!inner.empty() && inner.front() == '[') inner.erase(0, 1);
  if (!inner.empty() && inner.back() == ']') inner.pop_back();
  const std::vector<std::string> parts = splitQuoted(inner, "|");
  const std::string path = parts.empty() ? "" : parts[0];
  const int line = parts.size() > 1 ? str::toInt(parts[1]) : 0;
  return getText(loadTextFile(path), line);
}

// TRGMFont -----------------------------------------------------------------------------

std::vector<std::shared_ptr<TRGMFont>>& globalFonts() {
  static std::vector<std::shared_ptr<TRGMFont>> fonts;
  return fonts;
}

std::shared_ptr<TRGMFont> TRGMFont::createFromList(const std::string& name,
                                                   const TGuiEntries& entries, TGui* gui) {
  bool found = false;
  const std::string url = entryValue(entries, "URL", "", &found);
  if (!found) {
    errorNotice("Nie podano scierzki do czcionki.");
    return nullptr;
  }
  const std::string size = entryValue(entries, "SIZE", "12");
  auto font = std::make_shared<TRGMFont>();
  font->_id = name;
  font->_font = getFont(url, str::toInt(size));
  if (!font->_font) errorNotice("Nie moge znalezc czcionki : " + url);
  if (gui)
    gui->_fonts.push_back(font);
  else
    globalFonts().push_back(font);
  return font;
}

std::shared_ptr<TRGMFont> TRGMFont::getByID(const std::string& name, TGui* gui) {
  const auto& fonts = gui ? gui->_fonts : globalFonts();
  for (const auto& f : fonts)
    if (f && str::equalsIgnoreCase(f->_id, name)) return f;
  return nullptr;
}
