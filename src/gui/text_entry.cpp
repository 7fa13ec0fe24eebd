#include "gui/text_entry.h"

#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/text.h"

namespace {

constexpr char32_t kBackspace = 8, kEnter = 13;

// Characters that print nothing a player could read back: C0 and C1 controls, line and
// paragraph separators, invisible format marks (zero-width and direction overrides, which
// could make two names look alike), surrogates and values beyond Unicode.
bool printable(char32_t c) {
  if (c < 32 || (c >= 127 && c < 160)) return false;
  if (c >= 0x200B && c <= 0x200F) return false;
  if (c >= 0x2028 && c <= 0x202E) return false;
  if (c >= 0x2060 && c <= 0x2064) return false;
  if (c == 0xFEFF) return false;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c <= 0x10FFFF;
}

}  // namespace

TTextEntry::TTextEntry() {
  _class = GUI_TEXT_ENTRY;
  _trigger = 1;
  _czas = static_cast<int>(millisecs() + static_cast<unsigned>(_interwal));
}

void TTextEntry::setInterwal(int ms) { _interwal = ms; }

std::string TTextEntry::getTxt() const { return _txt; }

void TTextEntry::setTxt(const std::string& text) {
  std::u32string kept;
  for (char32_t c : str::toU32(text))
    if (printable(c)) kept += c;
  _txt = str::fromU32(kept);
}

void TTextEntry::setForbidden(const std::string& characters) {
  _forbidden = str::toU32(characters);
}

bool TTextEntry::accepts(char32_t c) const {
  return printable(c) && _forbidden.find(c) == std::u32string::npos;
}

void TTextEntry::draw(float px, float py) {
  setScale(_scale, _scale);
  setAlpha(_alpha);
  if (rgb) setColor(rgb->r, rgb->g, rgb->b);
  if (_font) setImageFont(_font);
  const float x = dim->x + px, y = dim->y + py;
  std::string shown = _txt;
  if (static_cast<float>(textWidth(_txt)) >= dim->w)
    shown = drawTextTail(_txt, truncToInt(x), truncToInt(y), truncToInt(dim->w));
  else
    drawText(_txt, x, y);
  if (_trigger && _a) drawRect(x + static_cast<float>(textWidth(shown)) + 2, y, _curWidth, _curHeight);
}

void TTextEntry::updateMe(int, int) {
  // An inactive entry leaves typed characters to the entry that is active.
  if (_a) {
    const char32_t c = getChar();
    if (c == kBackspace) {
      std::u32string chars = str::toU32(_txt);
      if (!chars.empty()) {
        chars.pop_back();
        _txt = str::fromU32(chars);
      }
    } else if (c == kEnter) {
      _clicked = 1;
    } else if (c != 0 && accepts(c) && str::length(_txt) < _maxZnakow) {
      str::appendUtf8(_txt, c);
    }
  }
  if (millisSince(static_cast<unsigned>(_czas)) > 0) {
    _czas = static_cast<int>(millisecs() + static_cast<unsigned>(_interwal));
    _trigger = _trigger ? 0 : 1;
  }
}

void TTextEntry::updateClass(int px, int py) { updateMe(px, py); }

std::shared_ptr<TTextEntry> TTextEntry::createFromList(const std::string& name,
                                                       const TGuiEntries& entries, TGui* gui) {
  auto entry = std::make_shared<TTextEntry>();
  entry->_id = name;
  bool found = false;
  const std::string font = entryValue(entries, "FONT", "", &found);
  if (found) entry->_font = declaredFont(font, gui);
  // Caret and field height come from the entry's own font.
  TImageFont* const previous = getImageFont();
  if (entry->_font) setImageFont(entry->_font);
  entry->_curWidth = static_cast<float>(textWidth("A"));
  entry->_curHeight = static_cast<float>(textHeight());
  setImageFont(previous);
  const std::vector<int> p = declaredInts(entryValue(entries, "POSITION", "0 0"));
  entry->dim = makeDim(p.size() > 0 ? static_cast<float>(p[0]) : 0,
                       p.size() > 1 ? static_cast<float>(p[1]) : 0,
                       p.size() > 2 ? static_cast<float>(p[2]) : 300, entry->_curHeight);
  entry->_maxZnakow = str::toInt(entryValue(entries, "WIDTH", "25"));
  const std::string rgb = entryValue(entries, "RGB", "", &found);
  if (found) {
    const std::vector<int> c = declaredInts(rgb);
    if (!c.empty() && c[0] == -1)
      entry->rgb = nullptr;
    else if (c.size() >= 3)
      entry->rgb = makeRGB(c[0], c[1], c[2]);
  }
  entry->_v = declaredFlag(entryValue(entries, "VISIBLE", "TRUE"));
  entry->_a = declaredFlag(entryValue(entries, "ACTIVE", "TRUE"));
  return entry;
}
