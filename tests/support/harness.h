#pragma once
// The headless harness: offscreen video, software renderer, null audio, a private data
// folder and the fake clock, so tests drive the real engine without a screen.

#include <string>

#include "engine/image.h"

namespace harness {

// Sets the headless environment (unless the caller already chose, e.g. an OpenGL pass)
// and points XDG_DATA_HOME and HOME at a fresh temporary folder. Safe to call again.
void setupEnvironment();
// The temporary folder made for this run; removed at exit.
const std::string& dataFolder();
// A new empty folder below the run's temporary folder.
std::string makeTempFolder(const std::string& name);
// Opens (or re-opens) the offscreen window at this size with a fresh drawing state
// and a black frame.
bool openTestGraphics(int width = 1024, int height = 768);
// The back buffer as drawn so far (call before flip).
TPixmap frame();
// The installation folder assembled by the build.
std::string gameFolder();

// A whole file's bytes ("" when it cannot be read), and writing them (folders made).
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Writes test pictures: an RGB PNG (no alpha channel) and a baseline JPEG.
bool writeRgbPng(const std::string& path, const TPixmap& pixmap);
bool writeJpeg(const std::string& path, const TPixmap& pixmap, int quality = 95);

}  // namespace harness
