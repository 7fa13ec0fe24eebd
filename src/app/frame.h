#pragma once
// The frame pipeline every screen runs: the standard frame update at the start of a
// frame, the flip at its end, and the pause screen while the window is in the background.

#include <functional>

// Frame timer step, mouse, the global keys (close, Alt+F4, Windows+Q, Windows+F) and the
// sound manager. Called first in every screen's update.
void standardFrameUpdate();
// Draws the cursor, runs the pause screen when allowed and needed, masks the area
// outside the design area, presents and lets the virtual display clear.
void flipFrame(int suppressPause = 0);
// Shows the frozen frame darkened with the pause text until the window is active again.
void runPauseScreen();
// Things that must hold still while the game is in the background (sounds, story texts,
// particles) register here at start-up; they are paused and resumed in this order.
void addPauseHandler(std::function<void()> pause, std::function<void()> resume);

// Called after every presented frame: lets tests and developer tools watch or drive the
// running game one frame at a time. Empty in the game.
std::function<void()>& frameObserver();
