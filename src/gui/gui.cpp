#include "gui/gui.h"

#include <cstdio>
#include <exception>

#include "app/globals.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/bar.h"
#include "gui/button.h"
#include "gui/gui_text.h"
#include "gui/mouse.h"
#include "gui/text.h"
#include "gui/text_entry.h"
#include "gui/window.h"

namespace {

// The folder part of a path ("" for a bare file name).
std::string folderOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The working folder is the GUI file's own while it loads, and always comes back.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& saved) : saved_(saved) {}
  ~WorkingFolder() { changeDir(saved_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::string saved_;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A whole number or a decimal, optionally signed.
bool isNumber(const std::string& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9')
      digits = true;
    else if (text[i] == '.' && !point)
      point = true;
    else
      return false;
  }
  return digits;
}

// Keys whose values are lists of numbers, and the words some of them also allow.
bool numbersExpected(const std::string& typ, const std::string& key, const std::string& value) {
  static const char* const kNumeric[] = {"POSITION", "RGB", "ADDDIM", "OVERAD", "SIZE", "WIDTH"};
  for (const char* k : kNumeric)
    if (key == k) return true;
  if (key == "OUTLINE") return str::upper(str::trim(value)) != "NONE";
  if (key == "SHADOW") return typ == "BUTTON" || typ == "TEXT";
  return false;
}

// Every number a declaration gives must read as one: "abc" silently becoming 0 would put a
// button in the corner with no word why.
void checkNumbers(const TSmallObject& d) {
  for (const auto& t : d._tokeny) {
    const auto* e = dynamic_cast<const TSimpleEntry*>(t.get());
    if (!e) continue;
    const std::string key = str::upper(e->_typ);
    if (!numbersExpected(d._typ, key, e->_value)) continue;
    for (const std::string& part : str::split(str::trim(e->_value), " "))
      if (!part.empty() && !isNumber(part)) {
        errorNotice("Nieprawidlowa wartosc : " + e->_typ + " = " + e->_value);
        break;
      }
  }
}

}  // namespace

TGuiSounds& guiSounds() {
  static TGuiSounds sounds;
  return sounds;
}

// Parsing records ----------------------------------------------------------------------

void TSimpleEntry::wyprintuj(const std::string& indent) const {
  std::printf("%s%s = %s\n", indent.c_str(), _typ.c_str(), _value.c_str());
}

void TSmallObject::wyprintuj(const std::string& indent) const {
  std::printf("%s%s %s {\n", indent.c_str(), _typ.c_str(), _name.c_str());
  for (const auto& t : _tokeny)
    if (t) t->wyprintuj(indent + "  ");
  std::printf("%s}\n", indent.c_str());
}

std::string entryValue(const TGuiEntries& entries, const std::string& key, const std::string& def,
                       bool* found) {
  const std::string wanted = str::upper(key);
  const TSimpleEntry* last = nullptr;
  for (const auto& t : entries)
    if (const auto* e = dynamic_cast<const TSimpleEntry*>(t.get()))
      if (str::upper(e->_typ) == wanted) last = e;
  if (found) *found = last != nullptr;
  return last ? last->_value : def;
}

// TGui ---------------------------------------------------------------------------------

TGui::TGui() { clear(); }

void TGui::clear() {
  _listaObiektow.clear();
  _clicked.clear();
  _over.clear();
}

void TGui::setGuiAlpha(float a) {
  for (const auto& o : _listaObiektow) {
    o->_alpha = a;
    o->_dAlpha = a;
  }
}

GuiObjectPtr TGui::getItem(const std::string& name) const {
  for (const auto& o : _listaObiektow)
    if (str::equalsIgnoreCase(o->_id, name)) return o;
  return nullptr;
}

void TGui::addItem(const GuiObjectPtr& object) {
  if (object) _listaObiektow.push_back(object);
}

int TGui::clickedItem(const std::string& name) {
  // The click was heard in update; asking for it must not sound it again.
  return !_clicked.empty() && str::equalsIgnoreCase(_clicked, name) ? 1 : 0;
}

void TGui::update() {
  const std::string previousOver = _over;
  _clicked.clear();
  _over.clear();
  // A copy: an object's update may not pull the list from under the loop.
  const std::vector<GuiObjectPtr> objects = _listaObiektow;
  for (const auto& o : objects) {
    o->update(0, 0);
    if (auto* selector = dynamic_cast<TGuiSelector*>(o.get())) {
      if (!selector->_clickedOp.empty()) _clicked = selector->_clickedOp;
      if (!selector->_overOp.empty()) _over = selector->_overOp;
      if (!_clicked.empty()) selector->_clean();
    } else {
      if (o->_clicked) _clicked = o->_id;
      if (o->_over) _over = o->_id;
    }
  }
  if (globals().guiReload) {
    // Read every frame so a lone L pressed earlier does not fire later.
    const bool hit = keyHit(kGuiReloadKey) > 0;
    if (hit && keyDown(key::LCONTROL)) reload();
  }
  if (!_over.empty())
    if (TMouse* mouse = gMouse()) mouse->setCursor("over");
  if (!_over.empty() && _over != previousOver && guiSounds().over) guiSounds().over();
  if (!_clicked.empty() && guiSounds().click) guiSounds().click();
}

void TGui::draw() {
  for (const auto& o : _listaObiektow) {
    if (o->_v) o->draw(0, 0);
    setColor(255, 255, 255);
  }
}

void TGui::reload() { Load(_myPath); }

TGuiWords TGui::stworzListyTokenow(const std::string& text) const {
  TGuiWords tokens;
  TGuiWord word;
  bool quoted = false;
  bool tooLong = false;
  auto finish = [&] {
    word.text = str::trim(word.text);
    // "" written on purpose is an empty value, not nothing.
    if (!word.text.empty() || word.quoted) tokens.push_back(word);
    word = TGuiWord();
  };
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      word.quoted = true;
      continue;
    }
    if (!quoted && isSpace(c)) {
      finish();
      continue;
    }
    if (word.text.size() >= kMaxGuiToken) {
      tooLong = true;
      continue;
    }
    word.text += c;
  }
  finish();
  if (tooLong)
    errorNotice("Za dlugi wpis w pliku (ponad " + std::to_string(kMaxGuiToken) + " znakow) : " +
                _myPath);
  return tokens;
}

std::vector<TGuiWords> TGui::_odbierzDeklaracje(const TGuiWords& tokens) const {
  std::vector<TGuiWords> declarations;
  TGuiWords current;
  int depth = 0;
  bool opened = false;
  for (const TGuiWord& t : tokens) {
    current.push_back(t);
    if (t.is("{")) {
      ++depth;
      opened = true;
    } else if (t.is("}") && !opened) {
      // A stray "}" between declarations would swallow the next one.
      current.pop_back();
      errorNotice("Nieprawidlowy wpis :}");
    } else if (t.is("}")) {
      if (--depth == 0) {
        declarations.push_back(std::move(current));
        current.clear();
        opened = false;
      }
    }
  }
  if (!current.empty()) declarations.push_back(std::move(current));
  return declarations;
}

std::shared_ptr<TSmallObject> TGui::dodajObiektZlozony(const std::string& typ,
                                                       const std::string& name,
                                                       const TGuiWords& tokens, size_t& pos,
                                                       bool nestable) {
  auto block = std::make_shared<TSmallObject>();
  block->_typ = typ;
  block->_name = name;
  int state = 1;
  std::string key;
  while (pos < tokens.size()) {
    const TGuiWord& t = tokens[pos++];
    if (t.is("}")) return block;  // the block's end, whatever state it left
    switch (state) {
      case 1:
        key = t.text;
        state = 2;
        break;
      case 2:
        if (t.is("=")) {
          state = 3;
        } else if (nestable && pos < tokens.size() && tokens[pos].is("{")) {
          ++pos;
          block->_tokeny.push_back(dodajObiektZlozony(key, t.text, tokens, pos, true));
          state = 1;
        } else {
          errorNotice("Nieprawidlowy wpis :" + t.text);
          state = 3;
        }
        break;
      default:
        block->_tokeny.push_back(std::make_shared<TSimpleEntry>(key, t.text));
        state = 1;
        break;
    }
  }
  return block;
}

std::shared_ptr<TSmallObject> TGui::_createSimpleEntry(const TGuiWords& tokens) {
  if (tokens.size() < 2) return nullptr;
  const std::string typ = str::upper(tokens[0].text);
  size_t pos = 2;
  if (pos < tokens.size() && tokens[pos].is("{")) ++pos;
  return dodajObiektZlozony(typ, tokens[1].text, tokens, pos, typ == "BAR");
}

void TGui::dodajObiekt(const TSmallObject& d) {
  const std::string& typ = d._typ;
  const TGuiEntries& e = d._tokeny;
  if (typ == "BUTTON")
    addItem(TButton::CreateFromList(d._name, e, this));
  else if (typ == "TEXT")
    addItem(TText::createFromList(d._name, e, this));
  else if (typ == "WINDOW")
    addItem(TWindow::CreateFromList(d._name, e, this));
  else if (typ == "TEXTENTRY")
    addItem(TTextEntry::createFromList(d._name, e, this));
  else if (typ == "ANIM")
    addItem(TRGMAnimation::createFromList(d._name, e, this));
  else if (typ == "FONT")
    TRGMFont::createFromList(d._name, e, this);  // files itself in _fonts
  else if (typ == "THEME")
    TTheme::createFromList(d._name, e, this);  // files itself in _themes and the global list
  else if (typ == "BAR")
    addItem(TBelka::createFromList(d._name, e, this));
  // Unknown types are skipped: files may carry declarations for other versions.
}

void TGui::Load(const std::string& path) {
  remPath = currentDir();
  const std::string real = resolvePath(path);
  _myPath = absolutePath(real);
  clear();
  std::string text;
  try {
    text = loadText(real);
  } catch (const std::exception&) {
    errorNotice("Plik : " + _myPath + " nie istenieje!");
    return;
  }
  const TGuiWords tokens = stworzListyTokenow(text);
  const WorkingFolder restore(remPath);
  const std::string folder = folderOf(_myPath);
  if (!folder.empty()) changeDir(folder);
  for (const TGuiWords& declaration : _odbierzDeklaracje(tokens)) {
    try {
      if (const auto d = _createSimpleEntry(declaration)) {
        checkNumbers(*d);
        dodajObiekt(*d);
      }
    } catch (const std::exception& ex) {
      // A broken declaration costs only itself.
      errorNotice(std::string("Nieprawidlowy wpis :") + ex.what());
    }
  }
}

GuiPtr loadGui(const std::string& path) {
  auto gui = std::make_shared<TGui>();
  const std::string real = resolvePath(path);
  if (fileType(real) == 1)
    gui->Load(real);
  else
    errorNotice("Plik : " + absolutePath(path) + " nie istenieje!");
  return gui;
}
