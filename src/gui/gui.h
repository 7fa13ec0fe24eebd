#pragma once
// TGui: one screen's GUI file turned into objects. It reads the ".gui" text (declarations
// of buttons, texts, windows, text entries, animations, fonts, themes and menu bars),
// updates the objects once per frame, reports which one the mouse is over and which was
// clicked, and draws them. Screens ask for objects by name.
//
// A declaration is: type word, name, "{", entries, "}"; an entry is key "=" value, each one
// token (quote a value with spaces). Only BAR declarations nest: key, name, { ... }.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_object.h"
#include "gui/theme.h"

class TRGMFont;

// One parsed piece of a declaration: an entry or a nested block.
class TGuiToken {
 public:
  virtual ~TGuiToken() = default;
  // Prints the piece to the debug output, indented.
  virtual void wyprintuj(const std::string& indent) const = 0;
};

// One token of a GUI file. A quoted token is never a brace or "=", whatever it holds.
struct TGuiWord {
  std::string text;
  bool quoted = false;

  bool is(const char* word) const { return !quoted && text == word; }
};
using TGuiWords = std::vector<TGuiWord>;

// key = value
class TSimpleEntry : public TGuiToken {
 public:
  std::string _typ;    // the key as written
  std::string _value;  // the value, quotes removed

  TSimpleEntry() = default;
  TSimpleEntry(std::string typ, std::string value) : _typ(std::move(typ)), _value(std::move(value)) {}
  void wyprintuj(const std::string& indent) const override;
};

// A declaration or a nested block: type word, name and its children in file order.
class TSmallObject : public TGuiToken {
 public:
  TGuiEntries _tokeny;  // TSimpleEntry or TSmallObject
  std::string _typ;     // the word before the name (the declaration type, or a menu key)
  std::string _name;
  std::string _tytul;   // not filled by the loader

  void wyprintuj(const std::string& indent) const override;
};

// The value of the last entry whose key matches (ignoring case), or `def`. `found` tells
// whether there was one.
std::string entryValue(const TGuiEntries& entries, const std::string& key,
                       const std::string& def = "", bool* found = nullptr);

class TGui {
 public:
  std::vector<std::shared_ptr<TRGMFont>> _fonts;
  std::vector<ThemePtr> _themes;
  std::vector<GuiObjectPtr> _listaObiektow;  // file order: update and draw order
  std::string _clicked;  // object clicked this frame, "" none
  std::string _over;     // object under the mouse this frame, "" none
  ThemePtr _theme;       // not set by the loader
  std::string _url;      // not set by the loader
  std::string _myPath;   // absolute path of the file loaded (for reload)
  std::string remPath;   // the working folder while loading

  TGui();
  virtual ~TGui() = default;
  TGui(const TGui&) = delete;
  TGui& operator=(const TGui&) = delete;

  // No objects, nothing over or clicked.
  virtual void clear();
  // Alpha and its target for every object.
  virtual void setGuiAlpha(float a);
  // The first object of that name (ignoring case), null when none.
  virtual GuiObjectPtr getItem(const std::string& name) const;
  virtual void addItem(const GuiObjectPtr& object);
  // 1 (with the click sound) when that object was clicked in this frame.
  virtual int clickedItem(const std::string& name);
  // Per frame: every object, then over and clicked, cursor and sounds.
  virtual void update();
  virtual void draw();
  // Builds everything again from the file (development aid).
  virtual void reload();
  // Reads the file and appends its fonts, themes and objects (objects replace old ones).
  virtual void Load(const std::string& path);
  // Groups the tokens into declarations.
  virtual std::vector<TGuiWords> _odbierzDeklaracje(const TGuiWords& tokens) const;
  // One declaration's tokens into its key/value entries and nested blocks; null when it
  // has no name.
  virtual std::shared_ptr<TSmallObject> _createSimpleEntry(const TGuiWords& tokens);
  // A nested block (BAR menus) from tokens[pos], which is just past its "{"; pos ends past
  // its "}".
  virtual std::shared_ptr<TSmallObject> dodajObiektZlozony(const std::string& typ,
                                                           const std::string& name,
                                                           const TGuiWords& tokens, size_t& pos,
                                                           bool nestable);
  // Builds the object of one declaration and files it.
  virtual void dodajObiekt(const TSmallObject& declaration);
  // The file's text cut into tokens. An over-long token is cut short with a notice.
  virtual TGuiWords stworzListyTokenow(const std::string& text) const;
  virtual void init() {}

  // Typed look-up: the object of that name when it is of type T.
  template <class T>
  std::shared_ptr<T> get(const std::string& name) const {
    return std::dynamic_pointer_cast<T>(getItem(name));
  }
};

using GuiPtr = std::shared_ptr<TGui>;

// load GUI (path): a new TGui with the file loaded; a missing file gives a notice and an
// empty TGui.
GuiPtr loadGui(const std::string& path);

// The GUI's click and over sounds. The sound manager fills these in once it exists; empty
// ones stay silent, so the toolkit needs no sound device.
struct TGuiSounds {
  std::function<void()> click;
  std::function<void()> over;
};
TGuiSounds& guiSounds();

// The longest token a GUI file may hold; anything longer is content gone wrong (an
// unclosed quote swallowing the rest of the file).
constexpr size_t kMaxGuiToken = 4096;

// The key that reloads a GUI while left Control is held (when the reload flag is on).
constexpr int kGuiReloadKey = 76;  // L
