#include "gui/bar.h"

#include <algorithm>

#include "app/delta_time.h"
#include "engine/draw.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"

namespace {

// Boxes and lines fade over about 17 frames at 60 frames per second.
constexpr float kFadeRate = 0.06f;

// Selects a font (null keeps the current one) and gives its row height.
int selectFont(TImageFont* font) {
  if (font) setImageFont(font);
  return textHeight();
}

int widthIn(TImageFont* font, const std::string& text) {
  selectFont(font);
  return textWidth(text);
}

// Splits "name:rest" at the first colon; without one, all of it is the name.
void splitPath(const std::string& path, std::string& name, std::string& rest) {
  const size_t colon = path.find(':');
  name = colon == std::string::npos ? path : path.substr(0, colon);
  rest = colon == std::string::npos ? "" : path.substr(colon + 1);
}

}  // namespace

// TBarTitle ----------------------------------------------------------------------------

void TBarTitle::_createRect() {
  const int h = selectFont(_font);
  rect = makeDim(dim->x - 1, dim->y, static_cast<float>(textWidth(title) + 2),
                 static_cast<float>(h));
}

void TBarTitle::update() {
  _clicked = 0;
  const int h = selectFont(_font);
  if (dim->w == 0) dim->w = static_cast<float>(textWidth(title));
  if (dim->h == 0) dim->h = static_cast<float>(h);
  const float bx = _belka ? _belka->dim->x : 0, by = _belka ? _belka->dim->y : 0;
  rect = makeDim(dim->x + bx - 5, dim->y + by, dim->w + 10, dim->h);
  TMouse* mouse = gMouse();
  if (_alpha != 0) {
    const bool inside = mouse && mouse->inRect(static_cast<float>(truncToInt(rect->x)),
                                               static_cast<float>(truncToInt(rect->y)),
                                               static_cast<float>(truncToInt(rect->w)),
                                               static_cast<float>(truncToInt(rect->h)));
    _over = inside ? 1 : 0;
    // A disabled line is shown greyed and must not be chosen: it leaves the press alone.
    if (inside && mouse->leftPressed && (_active || asMenu())) {
      _clicked = 1;
      mouse->leftPressed = 0;  // later objects in this frame do not see the press
    }
    if (TMenu* menu = asMenu()) menu->updateMe();
  } else {
    _over = 0;
    _clicked = 0;
  }
  approach(_alpha, _dAlpha, kFadeRate);
  if (!asMenu() && _belka && _active) {
    if (_clicked)
      _belka->__CLICK(id);
    else if (_over)
      _belka->__OVER(id);
  }
}

void TBarTitle::draw() {
  if (_alpha == 0) return;
  setAlpha(_alpha);
  selectFont(_font);
  const ThemePtr theme = _belka ? _belka->theme : nullptr;
  if (_over && _active && theme) {
    setColor(theme->backRGB->r, theme->backRGB->g, theme->backRGB->b);
    setBlend(BLEND_ALPHA);
    setAlpha(0.3f * _alpha);
    drawRect(rect->x, rect->y, rect->w, rect->h);
    setAlpha(_alpha);
  }
  if (!_active) setAlpha(0.5f * _alpha);
  if (theme) setColor(theme->textRGB->r, theme->textRGB->g, theme->textRGB->b);
  // Menu lines carry a two-space prefix; the check mark takes its place.
  const std::string shown = checked ? "* " + str::mid(title, 3) : title;
  const float bx = _belka ? _belka->dim->x : 0, by = _belka ? _belka->dim->y : 0;
  drawText(shown, dim->x + bx, dim->y + by);
  setColor(255, 255, 255);
  if (TMenu* menu = asMenu()) menu->drawMe();
}

// TMenu --------------------------------------------------------------------------------

int TMenu::_getMaxWidth() {
  int widest = 0;
  for (const BarTitlePtr& line : _barTitles)
    widest = std::max(widest, widthIn(line->_font, line->title));
  return widest + widthIn(_font, "* ");
}

void TMenu::_setRect(float offset) {
  const int maxWidth = _getMaxWidth();
  int height = selectFont(_font) / 2;
  for (const BarTitlePtr& line : _barTitles) height += selectFont(line->_font) + 1;
  const int fontHeight = selectFont(_font);
  _comRect->x = dim->x + offset;
  _comRect->y = _first ? dim->y + 1.5f * static_cast<float>(fontHeight) : dim->y;
  _comRect->w = static_cast<float>(maxWidth + 40);
  _comRect->h = static_cast<float>(height);
}

void TMenu::_rozwin() {
  for (const BarTitlePtr& line : _barTitles) line->_dAlpha = 1;
  _dBoxA = 1;
}

void TMenu::_zwin() {
  for (const BarTitlePtr& line : _barTitles) {
    line->_dAlpha = 0;
    if (TMenu* sub = line->asMenu()) sub->_zwin();
  }
  _dBoxA = 0;
}

void TMenu::_zwinBezwzglednie() {
  if (_belka) {
    _belka->_activated = 0;
    _belka->_actualMenu = nullptr;
  }
  if (!_first) _dAlpha = 0;
  _dBoxA = 0;
  for (const BarTitlePtr& line : _barTitles) {
    line->_dAlpha = 0;
    // An open sub-menu would otherwise come back open with its parent.
    if (TMenu* sub = line->asMenu()) sub->_zwin();
  }
}

void TMenu::updateMe() {
  TMouse* mouse = gMouse();
  const float bx = _belka ? _belka->dim->x : 0, by = _belka ? _belka->dim->y : 0;
  const bool inBox = mouse && mouse->inRect(_comRect->x + bx, _comRect->y + by, _comRect->w,
                                            _comRect->h);
  if (_first && _clicked && _belka) {
    // Only one top-level menu is open at a time, however the mouse got here.
    if (_belka->_actualMenu && _belka->_actualMenu != this) _belka->_actualMenu->_zwin();
    _belka->_actualMenu = this;
  }
  if (_first) {
    if (mouse && mouse->leftPressed && !inBox && !_clicked) _zwinBezwzglednie();
  } else if (!inBox && !_clicked && !_rozwiniety) {
    _dBoxA = 0;
    for (const BarTitlePtr& line : _barTitles) line->_dAlpha = 0;
  }
  if ((!_first && _over) || _clicked) _rozwin();
  if (_first && _over && _belka && _belka->_actualMenu && _belka->_actualMenu != this) {
    _belka->_actualMenu->_zwin();
    _rozwin();
    _belka->_actualMenu = this;
  }
  approach(_boxA, _dBoxA, kFadeRate);
  _rozwiniety = 0;
  for (const BarTitlePtr& line : _barTitles) {
    line->update();
    if (TMenu* sub = line->asMenu(); sub && sub->_dBoxA == 1) _rozwiniety = 1;
  }
}

void TMenu::_drawBox() {
  if (!_belka || !_belka->theme) return;
  const float bx = _belka->dim->x, by = _belka->dim->y;
  setAlpha(_boxA);
  _belka->theme->drawMenuBox(truncToInt(_comRect->x + bx),
                             truncToInt(_comRect->y + by - 5),
                             truncToInt(_comRect->x + _comRect->w + bx + 5),
                             truncToInt(_comRect->y + _comRect->h + by));
}

void TMenu::drawMe() {
  if (_boxA > 0) _drawBox();
  for (const BarTitlePtr& line : _barTitles)
    if (!line->asMenu()) line->draw();
  for (const BarTitlePtr& line : _barTitles)
    if (line->asMenu()) line->draw();
}

BarTitlePtr TMenu::getBarTitle(const std::string& path) {
  std::string name, rest;
  splitPath(path, name, rest);
  for (const BarTitlePtr& line : _barTitles) {
    if (line->id != name) continue;
    if (TMenu* sub = line->asMenu(); sub && !rest.empty()) return sub->getBarTitle(rest);
    return line;
  }
  return nullptr;
}

void TMenu::getReady(float offset) {
  if (!_first) _setRect(offset);
  const int maxWidth = _getMaxWidth();
  float x = static_cast<float>(truncToInt(_comRect->x + 10));
  float y = static_cast<float>(truncToInt(_comRect->y));
  for (const BarTitlePtr& line : _barTitles) {
    line->dim->x = x;
    line->dim->y = y;
    line->_createRect();
    if (TMenu* sub = line->asMenu()) {
      sub->_comRect = std::make_shared<TDim>();
      sub->getReady(static_cast<float>(maxWidth));
    }
    y += static_cast<float>(selectFont(line->_font) + 1);
  }
  for (const BarTitlePtr& line : _barTitles) {
    line->dim->w = static_cast<float>(maxWidth);
    line->rect->w = static_cast<float>(maxWidth);
  }
}

// TBelka -------------------------------------------------------------------------------

TBelka::TBelka() { _class = GUI_BAR; }

BarTitlePtr TBelka::getBarTitle(const std::string& path) {
  std::string name, rest;
  const size_t colon = path.find(':');
  name = colon == std::string::npos ? "" : path.substr(0, colon);
  rest = colon == std::string::npos ? path : path.substr(colon + 1);
  for (const MenuPtr& menu : _menusList)
    if (str::equalsIgnoreCase(menu->id, name)) return menu->getBarTitle(rest);
  errorNotice("Nie znaleziono " + name + " w belce :" + _id);
  return nullptr;
}

void TBelka::updateMe(int px, int py) {
  _clean();
  _updateMenus(px, py);
}

void TBelka::updateClass(int px, int py) { updateMe(px, py); }

void TBelka::draw(float px, float py) {
  if (theme) {
    setAlpha(_alpha);
    theme->drawBar(dim->x + px, dim->y + py, dim->w, _scale);
  }
  _drawMenus();
}

void TBelka::_zwinMenusy() {
  for (const MenuPtr& menu : _menusList) menu->_zwin();
}

void TBelka::__CLICK(const std::string& id) {
  _zwinMenusy();
  // Choosing ends the menu session: passing over another title must not reopen menus.
  _actualMenu = nullptr;
  _clickedOp = id;
  _overOp = id;
}

void TBelka::__OVER(const std::string& id) { _overOp = id; }

void TBelka::_drawMenus() {
  for (const MenuPtr& menu : _menusList) menu->draw();
}

void TBelka::_updateMenus(int, int) {
  for (const MenuPtr& menu : _menusList) menu->update();
}

void TBelka::getReady() {
  const float left = theme ? static_cast<float>(imageWidth(theme->bar[0])) : 0;
  const float right = theme ? static_cast<float>(imageWidth(theme->bar[2])) : 0;
  _widthScale = dim->w - left - right;
}

void TBelka::_poukladajMenu() {
  const int fontHeight = selectFont(_font);
  const float y0 = static_cast<float>(truncToInt(dim->h / 2 - static_cast<float>(fontHeight / 2)));
  float x = 10;
  for (const MenuPtr& menu : _menusList) {
    menu->dim->x = x;
    menu->dim->y = y0;
    menu->_alpha = menu->_dAlpha = 1;
    menu->_active = 1;
    menu->_setRect(0);
    menu->_parent = nullptr;
    const int t = widthIn(menu->_font, menu->title);
    menu->getReady(0);
    x += static_cast<float>(t + 30);
  }
}

void TBelka::_clean() {
  _clickedOp.clear();
  _overOp.clear();
}

std::shared_ptr<TBelka> TBelka::createFromList(const std::string& name, const TGuiEntries& entries,
                                               TGui* gui) {
  auto bar = std::make_shared<TBelka>();
  bar->_id = name;
  const std::vector<int> p = declaredInts(entryValue(entries, "POSITION", "0 0"));
  bar->dim = makeDim(p.size() > 0 ? static_cast<float>(p[0]) : 0,
                     p.size() > 1 ? static_cast<float>(p[1]) : 0);
  bar->dim->w = static_cast<float>(str::toInt(entryValue(entries, "WIDTH", "0")));
  bool found = false;
  const std::string font = entryValue(entries, "FONT", "", &found);
  if (found) bar->_font = declaredFont(font, gui);
  const std::string themeName = entryValue(entries, "TEMAT", "", &found);
  if (found) bar->theme = findTheme(themeName, gui);
  if (!bar->theme) bar->theme = lastTheme();
  if (!bar->theme) errorNotice("No theme asigned for bar object!");
  bar->dim->h = bar->theme ? static_cast<float>(bar->theme->barHeight) : 0;
  bar->dim->update();
  bar->getReady();
  bar->createMenus(entries, gui);
  bar->_poukladajMenu();
  return bar;
}

void TBelka::createMenus(const TGuiEntries& entries, TGui* gui) {
  for (const auto& token : entries)
    if (auto block = std::dynamic_pointer_cast<TSmallObject>(token))
      _menusList.push_back(getMenu(block->_tokeny, block->_name, 1, gui));
}

MenuPtr TBelka::getMenu(const TGuiEntries& entries, const std::string& name, int first, TGui* gui) {
  auto menu = std::make_shared<TMenu>();
  menu->_belka = this;
  menu->id = name;
  menu->_first = first;
  menu->_font = _font;
  for (const auto& token : entries) {
    if (auto block = std::dynamic_pointer_cast<TSmallObject>(token)) {
      MenuPtr sub = getMenu(block->_tokeny, block->_name, 0, gui);
      sub->_parent = menu.get();
      menu->_barTitles.push_back(sub);
      continue;
    }
    auto entry = std::dynamic_pointer_cast<TSimpleEntry>(token);
    if (!entry) continue;
    const std::string key = str::upper(entry->_typ);
    const std::string value = stripQuotes(entry->_value);
    if (key == "TITLE") {
      menu->title = value;
    } else if (key == "COMMAND") {
      const std::vector<std::string> parts = splitQuoted(value, "|");
      auto line = std::make_shared<TBarTitle>();
      line->id = parts.size() > 0 ? parts[0] : "";
      line->title = "  " + (parts.size() > 1 ? parts[1] : "");
      line->_font = _font;
      if (parts.size() > 2) {
        const std::shared_ptr<TRGMFont> f = TRGMFont::getByID(parts[2], gui);
        if (f)
          line->_font = f->_font;
        else
          errorNotice("Nie znaleziono czcionki : " + value);
      }
      line->_belka = this;
      line->_parent = menu.get();
      menu->_barTitles.push_back(line);
    } else if (key == "FONT") {
      if (!TRGMFont::getByID(value, gui)) errorNotice("Nie znaleziono czcionki : " + value);
    }
  }
  return menu;
}
