#include "gui/button.h"

#include <algorithm>
#include <set>

#include "app/delta_time.h"
#include "app/globals.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/font.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "gui/gui.h"
#include "gui/gui_text.h"
#include "gui/text.h"

namespace {

// Single pictures are shrunk smoothly when a screen scales them down.
constexpr int kSingleImageFlags = IMAGE_MASKED | IMAGE_FILTERED | IMAGE_MIPMAPPED;
// The button's own scale and alpha fades, per frame step.
constexpr float kButtonRate = 0.05f;
// Letter wave speed in letters per frame step.
constexpr float kWaveSpeed = 0.08f;
// Cross-fade speed of the four-state button per frame step.
constexpr float kCrossFadeRate = 0.05f;
// Sequence time when a schema gives none.
constexpr int kDefaultFrameMs = 500;

int clockNow() { return static_cast<int>(millisecs()); }

// True once the 32-bit clock has reached `when`, right across its wrap.
bool clockReached(int when) {
  return static_cast<int>(static_cast<unsigned>(clockNow()) - static_cast<unsigned>(when)) >= 0;
}

int clockAfter(int ms) {
  return static_cast<int>(static_cast<unsigned>(clockNow()) + static_cast<unsigned>(ms));
}

// The caption font is selected only while measuring; the drawing state is left as found.
class FontScope {
 public:
  explicit FontScope(TImageFont* font) : previous_(getImageFont()) { setImageFont(font); }
  ~FontScope() { setImageFont(previous_); }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  TImageFont* previous_;
};

float textW(const std::string& text) { return static_cast<float>(textWidth(text)); }
float textH() { return static_cast<float>(textHeight()); }

// A button that has no picture never has the mouse over it.
void emptyArea(TDim& dim) {
  dim.x1 = dim.x;
  dim.y1 = dim.y;
  dim.x2 = dim.x - 1;
  dim.y2 = dim.y - 1;
}

std::vector<std::string> letters(const std::string& text) {
  std::vector<std::string> out;
  for (char32_t c : str::toU32(text)) out.push_back(str::chr(c));
  return out;
}

// Pieces of a button schema: cut at spaces outside square brackets; the brackets go.
std::vector<std::string> schemaPieces(const std::string& schema) {
  std::vector<std::string> pieces;
  std::string piece;
  bool inBracket = false;
  for (char c : schema) {
    if (c == '[') {
      inBracket = true;
    } else if (c == ']') {
      inBracket = false;
    } else if (!inBracket && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
      if (!piece.empty()) pieces.push_back(piece);
      piece.clear();
    } else {
      piece += c;
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

// A sequence name with its optional "(ms)": the parenthesised parts, and the name without
// them. Parentheses between double quotes are plain text. False on a misplaced one.
bool splitTimedName(const std::string& piece, std::string& name, std::vector<std::string>& parts) {
  bool ok = true, quoted = false, open = false;
  std::string inner;
  for (char c : piece) {
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && c == '(') {
      if (open) ok = false;
      open = true;
      inner.clear();
      continue;
    }
    if (!quoted && c == ')') {
      if (!open) {
        ok = false;
      } else {
        parts.push_back(inner);
        open = false;
      }
      continue;
    }
    if (open)
      inner += c;
    else
      name += c;
  }
  if (!ok) errorNotice("BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :" + piece);
  return ok;
}

}  // namespace

int buttonTypeCode(const std::string& name) {
  static const struct {
    const char* name;
    int code;
  } kTypes[] = {
      {"SIMPLE_BUTTON", SIMPLE_BUTTON},         {"ANIM_BUTTON", ANIM_BUTTON},
      {"BLEND_BUTTON", BLEND_BUTTON},           {"FSTEP_BUTTON", FSTEP_BUTTON},
      {"FSTEP_BLEND_BUTTON", FSTEP_BLEND_BUTTON}, {"TEXT_BUTTON", TEXT_BUTTON},
      {"TEXT_SPEC_BUTTON1", TEXT_SPEC_BUTTON1}, {"TEXT_SPEC_BUTTON2", TEXT_SPEC_BUTTON2},
      {"TEXT_SPEC_BUTTON3", TEXT_SPEC_BUTTON3}, {"TEXT_SPEC_BUTTON4", TEXT_SPEC_BUTTON4},
      {"TEXT_SPEC_BUTTON5", TEXT_SPEC_BUTTON5}, {"TEXT_SPEC_BUTTON6", TEXT_SPEC_BUTTON6},
      {"TEXT_SPEC_BUTTON7", TEXT_SPEC_BUTTON7},
  };
  for (const auto& t : kTypes)
    if (name == t.name) return t.code;
  return -1;
}

// TAnimData ----------------------------------------------------------------------------

int TAnimData::getAnimByName(const std::string& name) const {
  for (int i = 0; i < anims; ++i)
    if (animName[i] == name) return i;
  return -1;
}

int TAnimData::dodajNazwe(const std::string& name) {
  if (anims >= kMaxAnims) {
    errorNotice("Nie mozna dodac wiecej niz 10 animacji!");
    return -1;
  }
  animName[anims] = name;
  frames[anims] = 0;
  maxFrames[anims] = kMaxFrames;
  frameDelta[anims] = kDefaultFrameMs;
  return anims++;
}

// TButton ------------------------------------------------------------------------------

TButton::TButton() {
  _class = GUI_BUTTON;
  std::fill(std::begin(_textScale), std::end(_textScale), 1.0f);
  std::fill(std::begin(_dTextScale), std::end(_dTextScale), 1.0f);
}

void TButton::setDeltaTime(int ms, int sequence) {
  if (sequence >= 0 && sequence < _animData.anims) _animData.frameDelta[sequence] = ms;
}

bool TButton::interpretujSchemat(const std::string& schema, int dir) {
  _dir = dir;
  _animData = TAnimData();
  int current = -1;
  for (const std::string& piece : schemaPieces(schema)) {
    if (isDigits(piece)) {
      // Frame numbers before any sequence name have nowhere to go and are dropped.
      if (current < 0 || _animData.frames[current] >= TAnimData::kMaxFrames) continue;
      const int n = str::toInt(piece);
      _animData.frameN[current][_animData.frames[current]++] = n;
      _animData.animFrames = std::max(_animData.animFrames, n);
      continue;
    }
    std::string name;
    std::vector<std::string> timed;
    splitTimedName(piece, name, timed);
    name = str::upper(name);
    current = _animData.getAnimByName(name);
    if (current < 0) current = _animData.dodajNazwe(name);
    if (current >= 0 && timed.size() == 1) _animData.frameDelta[current] = str::toInt(timed[0]);
  }
  _animNormal = _animData.getAnimByName("NORMAL");
  _animActive = _animData.getAnimByName("ACTIVE");
  _animOver = _animData.getAnimByName("OVER");
  _animUnActive = _animData.getAnimByName("UNACTIVE");
  _activeFlag = _animActive >= 0;
  _overFlag = _animOver >= 0;
  _unactiveFlag = _animUnActive >= 0;
  frames = _animData.liczbaKlatek();
  if (_animNormal < 0) {
    errorNotice("Blad! Nie okreslono znacznika animacji [NORMAL] w schemacie:" + schema);
    return false;
  }
  playAnim("NORMAL");
  return true;
}

void TButton::updateClass(int px, int py) { updateMe(px, py); }

void TButton::updateMe(int, int) {
  const bool pressed = _clicked != 0;
  const bool pressedOrHeld = _clicked != 0 || _holded != 0;
  // Targets of the button scale while over, and whether a hold also snaps it back.
  auto swell = [&](float target, bool snapOnHold) {
    _dButtonScale = _over ? target : 1.0f;
    if (snapOnHold ? pressedOrHeld : pressed) _buttonScale = 1;
  };
  switch (_typ) {
    case SIMPLE_BUTTON: swell(1.1f, false); break;
    case ANIM_BUTTON:
      sprawdzAnimacje();
      animUpdate();
      break;
    case BLEND_BUTTON:
      _dButtonAlpha = _over ? 1.0f : 0.0f;
      approach(_buttonAlpha, _dButtonAlpha, wzr);
      break;
    case FSTEP_BUTTON: break;
    case TEXT_BUTTON: swell(1.1f, true); break;
    case TEXT_SPEC_BUTTON1: {
      const std::vector<std::string> chars = letters(_txt);
      const int n = std::min(static_cast<int>(chars.size()), 200);
      std::fill(std::begin(_textScale), std::end(_textScale), 1.0f);
      if (!_over || n == 0) {
        _chrN = 0;
        break;
      }
      _chrN += kWaveSpeed * frameStep();
      if (_chrN > static_cast<float>(n)) _chrN = 0;
      if (truncToInt(_chrN) < n && chars[truncToInt(_chrN)] == " ") _chrN += 1;
      const int i = truncToInt(_chrN);
      if (i < n) {
        // A smooth swell to 1 + b/2 at the letter's middle and back to 1 as it passes.
        const float d = _chrN - static_cast<float>(i);
        _textScale[i] = d <= 0.5f ? 1 + d * _bigText : 1 + (1 - d) * _bigText;
      }
      break;
    }
    case FSTEP_BLEND_BUTTON: {
      float wanted;
      if (_over)
        wanted = pressedOrHeld ? 2.0f : 1.0f;
      else
        wanted = _a ? 0.0f : 3.0f;
      if (wanted != _new4StepB) {
        _old4StepB = _new4StepB;
        _newAlpha = 0;
        _new4StepB = wanted;
      }
      _newAlpha = std::min(1.0f, _newAlpha + kCrossFadeRate * frameStep());
      break;
    }
    case TEXT_SPEC_BUTTON2: swell(1.1f, false); break;
    case TEXT_SPEC_BUTTON3: swell(1.3f, false); break;
    case TEXT_SPEC_BUTTON4: swell(1.1f, true); break;
    case TEXT_SPEC_BUTTON5: swell(1.3f, true); break;
    case TEXT_SPEC_BUTTON6: swell(2.0f, true); break;
    case TEXT_SPEC_BUTTON7: swell(1.1f, true); break;
    default: break;
  }
  updateScaleAndAlpha();
}

void TButton::updateScaleAndAlpha() {
  approach(_buttonScale, _dButtonScale, kButtonRate);
  approach(_buttonAlpha, _dButtonAlpha, kButtonRate);
}

void TButton::sprawdzAnimacje() {
  if (_animData.anims == 0) return;
  if (_unactiveFlag && aktAnim == _animUnActive) {
    if (_wykonano) playAnim(_a ? "NORMAL" : "UNACTIVE");
    return;
  }
  if (_activeFlag && aktAnim == _animActive) {
    if (_wykonano) {
      if (!_over)
        playAnim("NORMAL");
      else if (_overFlag)
        playAnim("OVER");
    }
  } else if (_overFlag && aktAnim == _animOver) {
    if (!_over)
      playAnim("NORMAL");
    else if (_clicked && _activeFlag)
      playAnim("ACTIVE");
  } else if (aktAnim == _animNormal) {
    if (_clicked && _activeFlag) playAnim("ACTIVE");
    if (_over && _overFlag) playAnim("OVER");
  } else if (_wykonano) {
    playAnim("NORMAL");
  }
  if (!_a && _unactiveFlag) playAnim("UNACTIVE");
}

void TButton::animUpdate() {
  if (_animData.anims == 0 || aktAnim < 0 || aktAnim >= _animData.anims) return;
  if (!clockReached(_animData.animTime)) return;
  _animData.animTime = clockAfter(_animData.frameDelta[aktAnim]);
  if (++aktFrame >= _animData.frames[aktAnim]) {
    aktFrame = 0;
    _wykonano = 1;
  }
}

void TButton::playAnim(const std::string& name) {
  int index = _animData.getAnimByName(str::upper(name));
  if (index < 0) {
    errorNotice("Podanej nazwy animacji nie ma na liscie animacji obiektu! Nazwa : " + name);
    index = 0;
  }
  aktAnim = index;
  aktFrame = 0;
  _wykonano = 0;
  if (index < _animData.anims) _animData.animTime = clockAfter(_animData.frameDelta[index]);
}

int TButton::currentCell() const {
  if (aktAnim < 0 || aktAnim >= _animData.anims) return -1;
  if (aktFrame < 0 || aktFrame >= _animData.frames[aktAnim]) return -1;
  return _animData.frameN[aktAnim][aktFrame] - 1;
}

int TButton::stateCell() const {
  if (_over) return (_clicked || _holded) ? 2 : 1;
  return _a ? 0 : 3;
}

void TButton::drawMyTextSpec(const std::string& text, float x, float y) {
  const std::vector<std::string> chars = letters(text);
  for (size_t i = 0; i < chars.size(); ++i) {
    const float sc = i < 200 ? _textScale[i] : 1.0f;
    setScale(sc, sc);
    const float lw = textW(chars[i]);
    drawText(chars[i], x - lw * sc / 2, y - _textHeight * sc / 2);
    x += lw + 3;
  }
}

void TButton::drawCaption(float tx, float ty, bool spec) {
  auto put = [&](float x, float y) {
    if (spec)
      drawMyTextSpec(_txt, x, y);
    else
      drawText(_txt, x, y);
  };
  if (outLine) {
    setColor(outLine->r, outLine->g, outLine->b);
    put(tx - 1, ty - 1);
    put(tx + 1, ty - 1);
    put(tx - 1, ty + 1);
    put(tx + 1, ty + 1);
  }
  if (rgb) {
    setColor(rgb->r, rgb->g, rgb->b);
    put(tx, ty);
  }
}

void TButton::draw(float px, float py) {
  const float x = dim->x + px, y = dim->y + py;
  const float s = _scale, bs = _buttonScale;
  setAlpha(_alpha * _buttonAlpha);
  setScale(s * bs, s * bs);
  if (rgb)
    setColor(rgb->r, rgb->g, rgb->b);
  else
    setColor(0, 0, 0);

  auto image = [&](const ImagePtr& img, int cell) {
    if (img && cell >= 0 && cell < img->frameCount()) drawImage(img, x, y, cell);
  };
  switch (_typ) {
    case SIMPLE_BUTTON:
      setAlpha(_alpha);
      image(_image, 0);
      return;
    case ANIM_BUTTON:
      setAlpha(_alpha);
      setScale(s, s);
      image(_image, currentCell());
      return;
    case BLEND_BUTTON:
      setAlpha(_alpha);
      setScale(s, s);
      image(_image, 0);
      setAlpha(_alpha * _buttonAlpha);
      image(_image, 1);
      return;
    case FSTEP_BUTTON:
      setAlpha(_alpha);
      setScale(s, s);
      image(_image, stateCell());
      return;
    case FSTEP_BLEND_BUTTON:
      setScale(s, s);
      setAlpha(_alpha * _oldAlpha);
      image(_image, truncToInt(_old4StepB));
      setAlpha(_alpha * _newAlpha);
      image(_image, truncToInt(_new4StepB));
      return;
    default: break;
  }

  // Captions.
  const FontScope font(_font);
  const float tw = textW(_txt), th = textH();
  const float halfW = static_cast<float>(truncToInt(tw) / 2);
  // Top-left of a caption centred on the anchor at caption scale k.
  auto centred = [&](float k) {
    return std::pair<float, float>(static_cast<float>(truncToInt(x - halfW * k)),
                                   static_cast<float>(truncToInt(y - th / 2 * k)));
  };
  auto offsetCentred = [&](float k) {
    return std::pair<float, float>(static_cast<float>(truncToInt(x - tw * k / 2 + dimAdX)),
                                   static_cast<float>(truncToInt(y - th * k / 2 + dimAdY)));
  };
  const float startAlpha = _alpha * _buttonAlpha;
  switch (_typ) {
    case TEXT_BUTTON: {
      const auto t = centred(bs * s);
      if (shadowed) {
        setAlpha(_alpha * 0.5f);
        setColor(0, 0, 0);
        drawText(_txt, t.first + 1, t.second + 1);
        // The caption itself stays at full strength over its shadow.
        setAlpha(startAlpha);
      }
      drawCaption(t.first, t.second, false);
      break;
    }
    case TEXT_SPEC_BUTTON1: {
      const auto t = centred(bs * s);
      drawCaption(t.first, t.second, true);
      break;
    }
    case TEXT_SPEC_BUTTON2: {
      setColor(255, 255, 255);
      image(_image, 0);
      const auto t = offsetCentred(bs * s);
      drawCaption(t.first, t.second, false);
      break;
    }
    case TEXT_SPEC_BUTTON4: {
      const auto t = centred(bs * s);
      drawCaption(t.first, t.second, false);
      break;
    }
    case TEXT_SPEC_BUTTON3:
    case TEXT_SPEC_BUTTON5: {
      // Both light their picture up additively; the third kind also shows it plainly beneath.
      setColor(255, 255, 255);
      setScale(s, s);
      if (_typ == TEXT_SPEC_BUTTON3) image(_image, 0);
      setBlend(BLEND_LIGHT);
      setAlpha(_alpha * (bs - 1));
      image(_image, 0);
      setBlend(BLEND_ALPHA);
      setAlpha(_alpha);
      const auto t = offsetCentred(s);
      drawCaption(t.first, t.second, false);
      break;
    }
    case TEXT_SPEC_BUTTON6: {
      setScale(s, s);
      if (shadowed) {
        setAlpha(_alpha * 0.5f);
        setColor(0, 0, 0);
        drawText(_txt, static_cast<float>(truncToInt(x - tw / 2 * s)) + 1,
                 static_cast<float>(truncToInt(y - th / 2 * s)) + 1);
      }
      setColor(255, 255, 255);
      setAlpha(_alpha);
      const auto t = offsetCentred(s);
      drawCaption(t.first, t.second, false);
      // The yellow highlight grows with the swell.
      setColor(255, 255, 0);
      setAlpha((bs - 1) * _alpha);
      drawText(_txt, t.first, t.second);
      break;
    }
    case TEXT_SPEC_BUTTON7: {
      setColor(255, 255, 255);
      setScale(s, s);
      image(_a ? _image : _addImg, 0);
      setAlpha(_alpha);
      setScale(s * bs, s * bs);
      auto t = centred(bs * s);
      t.first += static_cast<float>(truncToInt(dimAdX));
      t.second += static_cast<float>(truncToInt(dimAdY));
      drawCaption(t.first, t.second, false);
      break;
    }
    default: break;
  }
  setScale(1, 1);
}

void TButton::imageArea() {
  // Strips use one cell; every cell of a strip has the same size and handle.
  const ImagePtr& img = _image;
  if (!img || img->width <= 0 || img->height <= 0) {
    dim->w = 0;
    dim->h = 0;
    emptyArea(*dim);
    return;
  }
  dim->w = static_cast<float>(img->width);
  dim->h = static_cast<float>(img->height);
  dim->x1 = dim->x - img->handle_x - _adOverX;
  dim->y1 = dim->y - img->handle_y - _adOverY;
  dim->x2 = dim->x1 + dim->w + 2 * _adOverX;
  dim->y2 = dim->y1 + dim->h + 2 * _adOverY;
}

void TButton::captionArea() {
  const FontScope font(_font);
  dim->w = textW(_txt) + 2 * _adOverX;
  dim->h = textH() + 2 * _adOverY;
  dim->x1 = dim->x - dim->w / 2;
  dim->y1 = dim->y - dim->h / 2;
  dim->x2 = dim->x1 + dim->w;
  dim->y2 = dim->y1 + dim->h;
}

void TButton::countDims() {
  switch (_typ) {
    case TEXT_BUTTON:
    case TEXT_SPEC_BUTTON6: captionArea(); break;
    case TEXT_SPEC_BUTTON1: countDims2(); break;
    default: imageArea(); break;
  }
}

void TButton::countDims2() {
  const FontScope font(_font);
  float w = 0;
  for (const std::string& c : letters(_txt)) w += textW(c) + 3;
  dim->w = w;
  dim->h = static_cast<float>(truncToInt(_textHeight));
  dim->x1 = dim->x - w / 2;
  dim->x2 = dim->x + w / 2;
  dim->y1 = dim->y - dim->h;
  dim->y2 = dim->y;
}

ImagePtr TButton::loadStrip(const std::string& path, int count, int dir) {
  if (path.empty() || count <= 0) return nullptr;
  ImagePtr whole = loadImageWithWarning(path);
  if (!whole || whole->pixmaps.empty()) return nullptr;
  const TPixmap& src = whole->pixmaps[0];
  const int cw = dir == 0 ? src.width / count : src.width;
  const int ch = dir == 0 ? src.height : src.height / count;
  if (cw <= 0 || ch <= 0) return nullptr;
  std::vector<TPixmap> cells;
  for (int i = 0; i < count; ++i)
    cells.push_back(dir == 0 ? src.copyRect(i * cw, 0, cw, ch) : src.copyRect(0, i * ch, cw, ch));
  // The whole picture was masked when it loaded; the cells keep that.
  ImagePtr strip = createImage(std::move(cells), whole->flags, true);
  midHandleImage(strip);
  return strip;
}

std::shared_ptr<TButton> TButton::CreateFromList(const std::string& name, const TGuiEntries& entries,
                                                 TGui* gui) {
  const std::string typ = entryValue(entries, "TYP", "SIMPLE_BUTTON");
  const int code = buttonTypeCode(typ);
  if (code < 0) {
    errorNotice("Unknown button type : '" + typ + "' !");
    return nullptr;
  }
  auto b = std::make_shared<TButton>();
  b->_id = name;
  b->_typ = code;
  const std::vector<int> pos = declaredInts(entryValue(entries, "POSITION", "0 0"));
  b->dim = makeDim(pos.size() > 0 ? static_cast<float>(pos[0]) : 0,
                   pos.size() > 1 ? static_cast<float>(pos[1]) : 0);
  const std::string gfx = entryValue(entries, "GFX");
  const std::string addGfx = entryValue(entries, "ADDGFX");
  bool found = false;
  const std::string dir = entryValue(entries, "DIR", "", &found);
  b->_dir = (!found || dir == "H") ? 0 : 1;
  b->_txt = declaredText(entryValue(entries, "TXT"));
  const std::string font = entryValue(entries, "FONT", "", &found);
  if (found) b->_font = declaredFont(font, gui);
  const std::vector<int> rgb = declaredInts(entryValue(entries, "RGB", "255 255 255"));
  if (!rgb.empty() && rgb[0] == -1)
    b->rgb = nullptr;
  else if (rgb.size() >= 3)
    b->rgb = makeRGB(rgb[0], rgb[1], rgb[2]);
  const std::string outline = entryValue(entries, "OUTLINE", "255 255 255");
  if (str::upper(str::trim(outline)) == "NONE") {
    b->outLine = nullptr;
  } else {
    const std::vector<int> o = declaredInts(outline);
    b->outLine = makeRGB(o.size() > 0 ? o[0] : 0, o.size() > 1 ? o[1] : 0, o.size() > 2 ? o[2] : 0);
  }
  b->shadowed = str::toInt(entryValue(entries, "SHADOW", "0")) != 0 ? 1 : 0;
  const std::vector<int> add = declaredInts(entryValue(entries, "ADDDIM", "0 0"));
  b->dimAdX = add.size() > 0 ? static_cast<float>(add[0]) : 0;
  b->dimAdY = add.size() > 1 ? static_cast<float>(add[1]) : 0;
  const std::vector<int> over = declaredInts(entryValue(entries, "OVERAD", "0 0"));
  b->_adOverX = over.size() > 0 ? static_cast<float>(over[0]) : 0;
  b->_adOverY = over.size() > 1 ? static_cast<float>(over[1]) : 0;
  b->_v = declaredFlag(entryValue(entries, "VISIBLE", "TRUE"));
  b->_a = declaredFlag(entryValue(entries, "ACTIVE", "TRUE"));

  {
    const FontScope scope(b->_font);
    b->_textHeight = textH();
    b->_textWidth = textW("O");
  }

  switch (code) {
    case ANIM_BUTTON: {
      const std::string schema = entryValue(entries, "SCHEMAT");
      if (str::trim(schema).empty()) {
        errorNotice("Nieprawidlowy schemat :");
        break;
      }
      if (b->interpretujSchemat(schema, b->_dir)) b->_image = loadStrip(gfx, b->frames, b->_dir);
      break;
    }
    case BLEND_BUTTON:
      b->_image = loadStrip(gfx, 2, b->_dir);
      // The lit cell starts hidden; starting lit would flash every blend button on arrival.
      b->_buttonAlpha = b->_dButtonAlpha = 0;
      break;
    case FSTEP_BUTTON:
    case FSTEP_BLEND_BUTTON: b->_image = loadStrip(gfx, 4, 0); break;
    case TEXT_BUTTON:
    case TEXT_SPEC_BUTTON1:
    case TEXT_SPEC_BUTTON6: break;
    default:
      if (!gfx.empty()) {
        b->_image = loadImageWithWarning(gfx, kSingleImageFlags);
        midHandleImage(b->_image);
      }
      if (code == TEXT_SPEC_BUTTON7 && !addGfx.empty()) {
        b->_addImg = loadImageWithWarning(addGfx, kSingleImageFlags);
        midHandleImage(b->_addImg);
      }
      if (code != SIMPLE_BUTTON) {
        b->_pomRememberX = b->dim->x;
        b->_pomRememberY = b->dim->y;
      }
      break;
  }
  // The margins are known by now, so they count from the start.
  b->countDims();
  return b;
}

// TRGMAnimation ------------------------------------------------------------------------

TRGMAnimation::TRGMAnimation() { _class = GUI_ANIMATION; }

void TRGMAnimation::updateClass(int px, int py) { updateMe(px, py); }

void TRGMAnimation::updateMe(int, int) {
  if (!aktAnim || !clockReached(_animTime)) return;
  _animTime = clockAfter(aktAnim->interwal);
  if (++_frame > _maxFrames) {
    _wykonano = 1;
    _frame = aktAnim->loop ? 0 : _maxFrames;
  }
}

int TRGMAnimation::currentCell() const {
  // Position p shows the p-th listed frame; position 0 is the blank before the first.
  if (!aktAnim || _frame <= 0 || _frame > aktAnim->maxFrames) return -1;
  return aktAnim->frame[_frame - 1] - 1;
}

void TRGMAnimation::draw(float, float) {
  const int cell = currentCell();
  if (!gfx || cell < 0 || cell >= gfx->frameCount()) return;
  setScale(_scale, _scale);
  setAlpha(_alpha);
  drawImage(gfx, dim->x, dim->y, cell);
  setScale(1, 1);
}

bool TRGMAnimation::_czyZawiera(int value, const std::vector<int>& list) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool TRGMAnimation::_pobierzDeklaracje(const std::string& schema) {
  animsList.clear();
  const std::string text = str::trim(schema);
  if (text.empty() || text[0] != '[') {
    errorNotice("Nieprawidlowa definicja schematu : " + schema);
    return false;
  }
  // One piece per "[": its header in brackets, then its frame numbers.
  std::vector<std::string> pieces;
  for (size_t start = 0; start < text.size();) {
    size_t next = text.find('[', start + 1);
    if (next == std::string::npos) next = text.size();
    pieces.push_back(text.substr(start, next - start));
    start = next;
  }
  std::vector<int> distinct;
  for (const std::string& piece : pieces) {
    const std::vector<std::string> headers = extractMarkers(piece, "[", "]");
    auto anim = std::make_shared<TRGMAnim>();
    const std::string header = headers.empty() ? "" : headers[0];
    for (const std::string& token : dropEmpty(splitQuoted(header, " "))) {
      const std::string t = str::upper(str::trim(token));
      if (t == "LOOP")
        anim->loop = 1;
      else if (isDigits(t))
        anim->interwal = str::toInt(t);
      else
        anim->id = t;
    }
    const size_t close = piece.find(']');
    const std::string rest = close == std::string::npos ? "" : piece.substr(close + 1);
    for (const std::string& token : dropEmpty(splitQuoted(rest, " "))) {
      const std::string t = str::trim(token);
      if (!isDigits(t) || anim->maxFrames >= 100) continue;
      const int n = str::toInt(t);
      anim->frame[anim->maxFrames++] = n;
      if (!_czyZawiera(n, distinct)) distinct.push_back(n);
    }
    animsList.push_back(anim);
  }
  allFrames = static_cast<int>(distinct.size());
  return true;
}

bool TRGMAnimation::interpretujSchemat(const std::string& schema) {
  if (!_pobierzDeklaracje(schema)) return false;
  for (const auto& a : animsList)
    if (a->id == "NORMAL") {
      playAnim(a);
      return true;
    }
  errorNotice("Schemat :" + schema + " - nie uwzglednil animacji NORMAL!");
  return false;
}

void TRGMAnimation::loadGFX(const std::string& path) {
  gfx = TButton::loadStrip(path, allFrames, 0);
}

void TRGMAnimation::playAnim(const std::shared_ptr<TRGMAnim>& anim) {
  if (!anim) return;
  aktAnim = anim;
  _frame = 0;
  _wykonano = 0;
  _maxFrames = anim->maxFrames;
  _animTime = clockAfter(anim->interwal);
}

void TRGMAnimation::playAnim(const std::string& name) {
  for (const auto& a : animsList)
    if (str::equalsIgnoreCase(a->id, name)) {
      playAnim(a);
      return;
    }
  errorNotice("Animacja ktora chcesz wyswietlic, nie istnieje!");
}

std::shared_ptr<TRGMAnimation> TRGMAnimation::createFromList(const std::string& name,
                                                             const TGuiEntries& entries, TGui*) {
  auto a = std::make_shared<TRGMAnimation>();
  a->_id = name;
  const std::vector<int> pos = declaredInts(entryValue(entries, "POSITION", "0 0"));
  a->dim = makeDim(pos.size() > 0 ? static_cast<float>(pos[0]) : 0,
                   pos.size() > 1 ? static_cast<float>(pos[1]) : 0);
  // Decoration: an animation never takes the mouse.
  emptyArea(*a->dim);
  a->_v = declaredFlag(entryValue(entries, "VISIBLE", "TRUE"));
  a->_a = declaredFlag(entryValue(entries, "ACTIVE", "TRUE"));
  if (a->interpretujSchemat(entryValue(entries, "SCHEMAT"))) a->loadGFX(entryValue(entries, "GFX"));
  return a;
}
