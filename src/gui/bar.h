#pragma once
// Menu bars: a themed bar with top-level menus that drop down boxes of lines and
// sub-menus. Clicking a line reports its command id for exactly one frame through the
// bar's `_clickedOp`, which TGui turns into its `_clicked`. Menus open on a click on their
// title, switch when the mouse moves onto another title, and close when a line is chosen
// or the left button is pressed elsewhere. Boxes and lines fade at 0.06 per frame step.

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_object.h"
#include "gui/theme.h"

class TGui;
class TImageFont;
class TBelka;
class TMenu;

// One line of a menu, or a menu's own title.
class TBarTitle {
 public:
  TMenu* _parent = nullptr;  // the menu holding it; null for a top-level menu (held by the bar)
  TBelka* _belka = nullptr;
  int checked = 0;           // drawn with a check mark
  std::string title = "NO TITLE";
  std::string id;            // command id reported when chosen (a menu: its name)
  std::shared_ptr<TDim> dim = std::make_shared<TDim>();   // text position relative to the bar
  std::shared_ptr<TDim> rect = std::make_shared<TDim>();  // highlight and mouse area, screen
  float _alpha = 0, _dAlpha = 0;
  int _over = 0, _clicked = 0;
  TImageFont* _font = nullptr;
  int _active = 1;

  virtual ~TBarTitle() = default;

  // The highlight rectangle from the text position and size.
  virtual void _createRect();
  virtual void draw();
  // Per frame: mouse over and click, the fade, and the report of a chosen line.
  virtual void update();
  // The menu this is, null for a plain line.
  virtual TMenu* asMenu() { return nullptr; }
};

using BarTitlePtr = std::shared_ptr<TBarTitle>;

// A menu: its title (the TBarTitle part) and the box of lines it drops down.
class TMenu : public TBarTitle {
 public:
  std::shared_ptr<TDim> _comRect = std::make_shared<TDim>();  // box, relative to the bar
  float _boxA = 0, _dBoxA = 0;
  int _width = 0;  // not used
  int _first = 0;  // 1 for a top-level menu
  std::vector<BarTitlePtr> _barTitles;  // lines in order; a TMenu line is a sub-menu
  int _rozwiniety = 0;  // one of its sub-menus is open

  TMenu* asMenu() override { return this; }

  // Widest line title in its own font, plus the width of "* ".
  virtual int _getMaxWidth();
  // The box rectangle; offset moves a sub-menu's box right of its parent's.
  virtual void _setRect(float offset);
  // Open: lines and box fade in.
  virtual void _rozwin();
  // Close, with its sub-menus.
  virtual void _zwin();
  // Close everything and forget the open menu.
  virtual void _zwinBezwzglednie();
  // After the title's update: opening, closing and switching, then the lines.
  virtual void updateMe();
  virtual void _drawBox();
  // The box and the lines (plain lines first, so open sub-menus cover them).
  virtual void drawMe();
  // "id" or "id:id..." into sub-menus; ids compared exactly. Null when none.
  virtual BarTitlePtr getBarTitle(const std::string& path);
  // Lays out the lines below the title (sub-menus: beside the parent's box).
  virtual void getReady(float offset);
};

using MenuPtr = std::shared_ptr<TMenu>;

class TBelka : public TGuiSelector {
 public:
  int _width = 0;          // not used: the width is dim.w
  float _widthScale = 0;   // stretch of the middle piece: dim.w minus both ends
  ThemePtr theme;
  std::vector<MenuPtr> _menusList;
  TImageFont* _font = nullptr;
  TMenu* _actualMenu = nullptr;  // the top-level menu opened last, null when all are closed
  int _activated = 0;

  TBelka();

  // "menu:line" (menu name ignoring case, then line ids exactly); null and a notice when the
  // menu is unknown.
  virtual BarTitlePtr getBarTitle(const std::string& path);
  virtual void updateMe(int px, int py);
  void updateClass(int px, int py) override;
  void draw(float px, float py) override;
  // Every top-level menu closes.
  virtual void _zwinMenusy();
  // A line was chosen: menus close and the id is reported for this frame.
  virtual void __CLICK(const std::string& id);
  virtual void __OVER(const std::string& id);
  virtual void _drawMenus();
  virtual void _updateMenus(int px, int py);
  // The middle piece's stretch from the width and the theme's end pieces.
  virtual void getReady();
  // Menu titles in a row from x = 10, 30 pixels apart, centred on the bar.
  virtual void _poukladajMenu();
  void _clean() override;

  // The BAR declaration of a GUI file: POSITION, WIDTH, FONT, TEMAT and nested menu blocks.
  static std::shared_ptr<TBelka> createFromList(const std::string& name,
                                                const TGuiEntries& entries, TGui* gui);
  // Every nested block becomes a top-level menu.
  virtual void createMenus(const TGuiEntries& entries, TGui* gui);
  // A menu from its block: TITLE, COMMAND lines and nested sub-menus.
  virtual MenuPtr getMenu(const TGuiEntries& entries, const std::string& name, int first,
                          TGui* gui);
};
