#pragma once
// The engine's show-case: a turning, breathing, tinted card and a line of text with the
// mouse position in design coordinates. Stands in for the game until start-up exists.

#include <string>

struct ShowcaseOptions {
  int frames = -1;            // stop after this many frames (-1: until Escape or close)
  std::string screenshot;     // save the last frame here when set
};

// Runs in the current folder (the installation folder); returns the process exit code.
int runShowcase(const ShowcaseOptions& options);
