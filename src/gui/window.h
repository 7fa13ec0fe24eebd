#pragma once
// Windows: a themed nine-slice frame with child objects drawn and updated relative to it.
// TControl holds the children; TWindow adds the frame's stretches.

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_object.h"
#include "gui/theme.h"

class TGui;

// A GUI object with child objects placed relative to its position.
class TControl : public TGuiObject {
 public:
  std::vector<GuiObjectPtr> listaObiektow;
  ThemePtr theme;

  // Draws every visible child at (dim.x + px, dim.y + py).
  virtual void rysujObiekty(float px, float py);
  // Updates every child with that offset.
  virtual void updateObiekty(float px, float py);
  virtual void dodajObiekt(const GuiObjectPtr& object);
  void draw(float px, float py) override;
  virtual void updateMe(int px, int py);
  void updateClass(int px, int py) override;
};

// A window frame over `dim` (x, y, w, h); its mouse area is that rectangle. Without a theme
// it draws nothing.
class TWindow : public TControl {
 public:
  std::string title;  // not drawn
  float skala[4] = {0, 0, 0, 0};  // horizontal edge, vertical edge, centre x, centre y
  float incX = 0, decX = 0, incY = 0, decY = 0;

  TWindow();

  void draw(float px, float py) override;
  void updateMe(int px, int py) override;
  // The stretches for the current size and theme; call again after a resize.
  virtual void obliczSkale();

  // The WINDOW declaration of a GUI file.
  static std::shared_ptr<TWindow> CreateFromList(const std::string& name,
                                                 const TGuiEntries& entries, TGui* gui);
};
