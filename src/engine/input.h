#pragma once
// Polled keyboard and mouse input, kept from the window system's events. Key codes are
// the Windows virtual-key numbers the game uses.

#include <string>

namespace key {
constexpr int BACKSPACE = 8, TAB = 9, ENTER = 13, SHIFT = 16, CONTROL = 17, ALT = 18;
constexpr int ESCAPE = 27, SPACE = 32, PAGEUP = 33, PAGEDOWN = 34, END = 35, HOME = 36;
constexpr int LEFT = 37, UP = 38, RIGHT = 39, DOWN = 40, INSERT = 45, DEL = 46;
constexpr int K0 = 48, A = 65, Z = 90, LWIN = 91, RWIN = 92, NUM0 = 96;
constexpr int F1 = 112, F4 = 115, F12 = 123;
constexpr int LSHIFT = 160, RSHIFT = 161, LCONTROL = 162, RCONTROL = 163, LALT = 164, RALT = 165;
constexpr int COUNT = 256;
}  // namespace key

// Handles the events that are waiting. Every query below does this first.
void pollSystem();

bool keyDown(int code);
// Presses since the previous keyHit for this code; the count is then cleared.
int keyHit(int code);
// The next typed character (code point), 0 when none. Backspace, tab, enter and escape
// arrive as 8, 9, 13 and 27.
char32_t getChar();
void flushKeys();

// Mouse position in window pixels.
int mouseX();
int mouseY();
int mouseZ();  // wheel position
// Buttons: 1 left, 2 right, 3 middle.
bool mouseDown(int button);
int mouseHit(int button);
void flushMouse();
void showMouse();
void hideMouse();
// Whether the system pointer is shown over the window.
bool mouseShown();
// Puts the pointer at a window position, as if the player had moved it there.
void moveMouse(int x, int y);

// True while the window is in the background.
bool appSuspended();
// True once after the window was asked to close.
bool appTerminate();

// Feeding input from tests and the headless harness: these post real window-system
// events, so they take the same path as a player's input.
void injectKey(int code, bool down);
void injectText(const std::string& utf8);
void injectMouseMove(int x, int y);
void injectMouseButton(int button, bool down);
void injectWheel(int dy);
void injectFocus(bool focused);
void injectQuit();
