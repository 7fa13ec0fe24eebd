#include "engine/input.h"

#include <SDL.h>

#include <array>
#include <cstdio>
#include <deque>

#include "engine/internal.h"
#include "engine/text.h"

namespace {

struct InputState {
  std::array<bool, key::COUNT> down{};
  std::array<int, key::COUNT> hits{};
  std::deque<char32_t> chars;
  int mouseX = 0, mouseY = 0, mouseZ = 0;
  std::array<bool, 4> buttons{};
  std::array<int, 4> buttonHits{};
  bool suspended = false;
  bool terminate = false;
  bool minimized = false;
} g_input;

// Windows virtual-key number for a key, 0 for keys the game never asks about.
int virtualKey(SDL_Keycode sym) {
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return key::F1 + (sym - SDLK_F1);
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return key::NUM0 + 1 + (sym - SDLK_KP_1);
  switch (sym) {
    case SDLK_BACKSPACE: return key::BACKSPACE;
    case SDLK_TAB: return key::TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return key::ENTER;
    case SDLK_PAUSE: return 19;
    case SDLK_CAPSLOCK: return 20;
    case SDLK_ESCAPE: return key::ESCAPE;
    case SDLK_SPACE: return key::SPACE;
    case SDLK_PAGEUP: return key::PAGEUP;
    case SDLK_PAGEDOWN: return key::PAGEDOWN;
    case SDLK_END: return key::END;
    case SDLK_HOME: return key::HOME;
    case SDLK_LEFT: return key::LEFT;
    case SDLK_UP: return key::UP;
    case SDLK_RIGHT: return key::RIGHT;
    case SDLK_DOWN: return key::DOWN;
    case SDLK_PRINTSCREEN: return 44;
    case SDLK_INSERT: return key::INSERT;
    case SDLK_DELETE: return key::DEL;
    case SDLK_LGUI: return key::LWIN;
    case SDLK_RGUI: return key::RWIN;
    case SDLK_KP_0: return key::NUM0;
    case SDLK_KP_MULTIPLY: return 106;
    case SDLK_KP_PLUS: return 107;
    case SDLK_KP_MINUS: return 109;
    case SDLK_KP_PERIOD: return 110;
    case SDLK_KP_DIVIDE: return 111;
    case SDLK_NUMLOCKCLEAR: return 144;
    case SDLK_SCROLLLOCK: return 145;
    case SDLK_LSHIFT: return key::LSHIFT;
    case SDLK_RSHIFT: return key::RSHIFT;
    case SDLK_LCTRL: return key::LCONTROL;
    case SDLK_RCTRL: return key::RCONTROL;
    case SDLK_LALT: return key::LALT;
    case SDLK_RALT: return key::RALT;
    case SDLK_SEMICOLON: return 186;
    case SDLK_EQUALS: return 187;
    case SDLK_COMMA: return 188;
    case SDLK_MINUS: return 189;
    case SDLK_PERIOD: return 190;
    case SDLK_SLASH: return 191;
    case SDLK_BACKQUOTE: return 192;
    case SDLK_LEFTBRACKET: return 219;
    case SDLK_BACKSLASH: return 220;
    case SDLK_RIGHTBRACKET: return 221;
    case SDLK_QUOTE: return 222;
    default: return 0;
  }
}

// The SDL key for a virtual-key number (the reverse of the table above), for injection.
SDL_Keycode sdlKey(int code) {
  for (SDL_Keycode sym : {SDLK_BACKSPACE, SDLK_TAB, SDLK_RETURN, SDLK_PAUSE, SDLK_CAPSLOCK,
                          SDLK_ESCAPE, SDLK_SPACE, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_END,
                          SDLK_HOME, SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_PRINTSCREEN,
                          SDLK_INSERT, SDLK_DELETE, SDLK_LGUI, SDLK_RGUI, SDLK_KP_0,
                          SDLK_KP_MULTIPLY, SDLK_KP_PLUS, SDLK_KP_MINUS, SDLK_KP_PERIOD,
                          SDLK_KP_DIVIDE, SDLK_NUMLOCKCLEAR, SDLK_SCROLLLOCK, SDLK_LSHIFT,
                          SDLK_RSHIFT, SDLK_LCTRL, SDLK_RCTRL, SDLK_LALT, SDLK_RALT,
                          SDLK_SEMICOLON, SDLK_EQUALS, SDLK_COMMA, SDLK_MINUS, SDLK_PERIOD,
                          SDLK_SLASH, SDLK_BACKQUOTE, SDLK_LEFTBRACKET, SDLK_BACKSLASH,
                          SDLK_RIGHTBRACKET, SDLK_QUOTE})
    if (virtualKey(sym) == code) return sym;
  if (code >= 'A' && code <= 'Z') return SDLK_a + (code - 'A');
  if (code >= '0' && code <= '9') return SDLK_0 + (code - '0');
  if (code >= key::F1 && code <= key::F12) return SDLK_F1 + (code - key::F1);
  if (code >= key::NUM0 + 1 && code <= key::NUM0 + 9) return SDLK_KP_1 + (code - key::NUM0 - 1);
  return SDLK_UNKNOWN;
}

// The generic Windows code that a left or right modifier also counts as.
int genericKey(int code) {
  switch (code) {
    case key::LSHIFT:
    case key::RSHIFT: return key::SHIFT;
    case key::LCONTROL:
    case key::RCONTROL: return key::CONTROL;
    case key::LALT:
    case key::RALT: return key::ALT;
    default: return 0;
  }
}

void setKey(int code, bool down, bool repeat) {
  if (code <= 0 || code >= key::COUNT) return;
  if (down && !repeat) ++g_input.hits[static_cast<size_t>(code)];
  g_input.down[static_cast<size_t>(code)] = down;
}

// Keys that type a control character rather than text.
char32_t controlChar(int code) {
  switch (code) {
    case key::BACKSPACE: return 8;
    case key::TAB: return 9;
    case key::ENTER: return 13;
    case key::ESCAPE: return 27;
    default: return 0;
  }
}

int gameButton(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

Uint8 sdlButton(int button) {
  switch (button) {
    case 1: return SDL_BUTTON_LEFT;
    case 2: return SDL_BUTTON_RIGHT;
    case 3: return SDL_BUTTON_MIDDLE;
    default: return 0;
  }
}

void handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = e.type == SDL_KEYDOWN;
      const int code = virtualKey(e.key.keysym.sym);
      setKey(code, down, e.key.repeat != 0);
      setKey(genericKey(code), down, e.key.repeat != 0);
      if (down)
        if (const char32_t c = controlChar(code)) g_input.chars.push_back(c);
      break;
    }
    case SDL_TEXTINPUT:
      for (char32_t c : str::toU32(e.text.text))
        if (c >= 32) g_input.chars.push_back(c);
      break;
    case SDL_MOUSEMOTION:
      g_input.mouseX = e.motion.x;
      g_input.mouseY = e.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int button = gameButton(e.button.button);
      if (button == 0) break;
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (down) ++g_input.buttonHits[static_cast<size_t>(button)];
      g_input.buttons[static_cast<size_t>(button)] = down;
      g_input.mouseX = e.button.x;
      g_input.mouseY = e.button.y;
      break;
    }
    case SDL_MOUSEWHEEL:
      g_input.mouseZ += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST: g_input.suspended = true; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: g_input.suspended = g_input.minimized; break;
        case SDL_WINDOWEVENT_MINIMIZED: g_input.minimized = g_input.suspended = true; break;
        case SDL_WINDOWEVENT_RESTORED: g_input.minimized = false; break;
        case SDL_WINDOWEVENT_CLOSE: g_input.terminate = true; break;
        default: break;
      }
      break;
    case SDL_QUIT: g_input.terminate = true; break;
    default: break;
  }
}

bool videoReady() { return SDL_WasInit(SDL_INIT_EVENTS) != 0; }

// Where injected events put the mouse, ahead of the queue being handled.
int g_injectX = 0, g_injectY = 0;

void push(SDL_Event& e) {
  if (!videoReady()) SDL_InitSubSystem(SDL_INIT_EVENTS);
  SDL_PushEvent(&e);
}

}  // namespace

namespace {
// Queries only drain what is already queued; the frame's flip pumps the window system.
void drain() {
  if (!videoReady()) return;
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) handle(e);
}
}  // namespace

void pollSystem() {
  if (!videoReady()) return;
  SDL_PumpEvents();
  drain();
}

bool keyDown(int code) {
  drain();
  return code > 0 && code < key::COUNT && g_input.down[static_cast<size_t>(code)];
}

int keyHit(int code) {
  drain();
  if (code <= 0 || code >= key::COUNT) return 0;
  const int n = g_input.hits[static_cast<size_t>(code)];
  g_input.hits[static_cast<size_t>(code)] = 0;
  return n;
}

char32_t getChar() {
  drain();
  if (g_input.chars.empty()) return 0;
  const char32_t c = g_input.chars.front();
  g_input.chars.pop_front();
  return c;
}

void flushKeys() {
  drain();
  g_input.down.fill(false);
  g_input.hits.fill(0);
  g_input.chars.clear();
}

int mouseX() {
  drain();
  return g_input.mouseX;
}

int mouseY() {
  drain();
  return g_input.mouseY;
}

int mouseZ() {
  drain();
  return g_input.mouseZ;
}

bool mouseDown(int button) {
  drain();
  return button >= 1 && button <= 3 && g_input.buttons[static_cast<size_t>(button)];
}

int mouseHit(int button) {
  drain();
  if (button < 1 || button > 3) return 0;
  const int n = g_input.buttonHits[static_cast<size_t>(button)];
  g_input.buttonHits[static_cast<size_t>(button)] = 0;
  return n;
}

void flushMouse() {
  drain();
  g_input.buttons.fill(false);
  g_input.buttonHits.fill(0);
}

void showMouse() {
  if (videoReady()) SDL_ShowCursor(SDL_ENABLE);
}

void hideMouse() {
  if (videoReady()) SDL_ShowCursor(SDL_DISABLE);
}

bool mouseShown() { return videoReady() && SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

void moveMouse(int x, int y) {
  drain();
  if (SDL_Window* window = engineWindow()) SDL_WarpMouseInWindow(window, x, y);
  // Some back-ends send no motion for a warp; the position holds from now on either way.
  g_input.mouseX = x;
  g_input.mouseY = y;
  g_injectX = x;
  g_injectY = y;
}

bool appSuspended() {
  drain();
  return g_input.suspended;
}

bool appTerminate() {
  drain();
  const bool t = g_input.terminate;
  g_input.terminate = false;
  return t;
}

// Injection ------------------------------------------------------------------------------

void injectKey(int code, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = sdlKey(code);
  e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
  push(e);
}

void injectText(const std::string& utf8) {
  // A text event holds a few bytes; longer texts go as one event per character.
  for (char32_t c : str::toU32(utf8)) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    const std::string one = str::chr(c);
    std::snprintf(e.text.text, sizeof e.text.text, "%s", one.c_str());
    push(e);
  }
}

void injectMouseMove(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.xrel = x - g_injectX;
  e.motion.yrel = y - g_injectY;
  g_injectX = x;
  g_injectY = y;
  push(e);
}

void injectMouseButton(int button, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = sdlButton(button);
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = g_injectX;
  e.button.y = g_injectY;
  push(e);
}

void injectWheel(int dy) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = dy;
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  push(e);
}

void injectFocus(bool focused) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
  push(e);
}

void injectQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  push(e);
}
