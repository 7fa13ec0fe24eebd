#include "gui/window.h"

#include "engine/draw.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/text.h"

// TControl -----------------------------------------------------------------------------

void TControl::rysujObiekty(float px, float py) {
  for (const GuiObjectPtr& child : listaObiektow)
    if (child && child->_v) child->draw(dim->x + px, dim->y + py);
}

void TControl::updateObiekty(float px, float py) {
  for (const GuiObjectPtr& child : listaObiektow)
    if (child) child->update(dim->x + px, dim->y + py);
}

void TControl::dodajObiekt(const GuiObjectPtr& object) { listaObiektow.push_back(object); }

void TControl::draw(float px, float py) { rysujObiekty(px, py); }

void TControl::updateMe(int px, int py) {
  updateObiekty(static_cast<float>(px), static_cast<float>(py));
}

void TControl::updateClass(int px, int py) { updateMe(px, py); }

// TWindow ------------------------------------------------------------------------------

TWindow::TWindow() { _class = GUI_WINDOW; }

void TWindow::draw(float px, float py) {
  if (!theme) return;
  if (rgb) setColor(rgb->r, rgb->g, rgb->b);
  setAlpha(_alpha);
  TWindowScales scales;
  for (int i = 0; i < 4; ++i) scales.skala[i] = skala[i];
  scales.incX = incX;
  scales.incY = incY;
  scales.decX = decX;
  scales.decY = decY;
  theme->drawWindow(dim->x + px, dim->y + py, dim->w, dim->h, scales);
  setScale(1, 1);
  rysujObiekty(0, 0);
}

void TWindow::updateMe(int px, int py) {
  updateObiekty(static_cast<float>(px), static_cast<float>(py));
}

void TWindow::obliczSkale() {
  if (!theme) return;
  const TWindowScales scales = theme->windowScales(dim->w, dim->h);
  for (int i = 0; i < 4; ++i) skala[i] = scales.skala[i];
  incX = scales.incX;
  incY = scales.incY;
  decX = scales.decX;
  decY = scales.decY;
}

std::shared_ptr<TWindow> TWindow::CreateFromList(const std::string& name,
                                                 const TGuiEntries& entries, TGui* gui) {
  auto window = std::make_shared<TWindow>();
  window->_id = name;
  const std::vector<int> p = declaredInts(entryValue(entries, "POSITION", "0 0 0 0"));
  auto at = [&p](size_t i) { return i < p.size() ? static_cast<float>(p[i]) : 0.0f; };
  window->dim = makeDim(at(0), at(1), at(2), at(3));
  bool found = false;
  const std::string themeName = entryValue(entries, "THEME", "", &found);
  if (found) window->theme = findTheme(themeName, gui);
  if (!window->theme) window->theme = lastTheme();
  if (!window->theme) errorNotice("No theme for window object!");
  window->_v = declaredFlag(entryValue(entries, "VISIBLE", "TRUE"));
  window->_a = declaredFlag(entryValue(entries, "ACTIVE", "TRUE"));
  window->obliczSkale();
  return window;
}
