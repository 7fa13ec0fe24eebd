#include "app/showcase.h"

#include <cmath>
#include <cstdio>

#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/font.h"
#include "engine/input.h"

namespace {

constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;

// The largest of the game's window sizes that fits on the desktop with room for a frame.
void chooseWindowSize(int& width, int& height) {
  const int sizes[][2] = {{1024, 768}, {819, 614}, {640, 480}};
  for (const auto& s : sizes) {
    width = s[0];
    height = s[1];
    if (s[0] + 16 <= desktopWidth() && s[1] + 64 <= desktopHeight()) return;
  }
}

}  // namespace

int runShowcase(const ShowcaseOptions& options) {
  int width = 0, height = 0;
  chooseWindowSize(width, height);
  if (!openGraphics(width, height)) {
    notify("The game window could not be opened.", true);
    return 1;
  }
  setWindowTitle("Tarnwick");
  setVirtualResolution(kDesignWidth, kDesignHeight);

  const ImagePtr card = loadImage("gfx/cards/sample-face.png", IMAGE_FILTERED | IMAGE_MIPMAPPED);
  const ImagePtr back = loadImage("gfx/cards/revers-1.png", IMAGE_FILTERED | IMAGE_MIPMAPPED);
  const ImagePtr point = loadImage("gfx/point.png");
  midHandleImage(card);
  midHandleImage(back);
  const FontPtr title = loadImageFont("incbin::font.ttf", 42, FONT_SMOOTH);
  const FontPtr small = loadImageFont("incbin::font.ttf", 20, FONT_SMOOTH);
  const SoundPtr chime = TSound::load("sfx/good.ogg");
  const SoundPtr flick = TSound::load("sfx/card.ogg");

  const long long start = millis64();
  bool hovered = false;
  for (int frame = 0; options.frames < 0 || frame < options.frames; ++frame) {
    if (keyHit(key::ESCAPE) || appTerminate()) break;
    const float t = static_cast<float>(millis64() - start) / 1000.0f;
    const float mx = virtualMouseXRaw(), my = virtualMouseYRaw();

    setClsColor(22, 44, 40);
    cls();
    setBlend(BLEND_ALPHA);
    // A calm table: a vignette of darker bands towards the edges.
    for (int i = 0; i < 12; ++i) {
      setColor(10, 24, 30);
      setAlpha(0.06f);
      drawRect(static_cast<float>(i * 14), static_cast<float>(i * 10),
               static_cast<float>(kDesignWidth - i * 28), static_cast<float>(kDesignHeight - i * 20));
    }
    setAlpha(1);

    // The card turns and breathes; a mirrored back beside it.
    const float angle = t * 40.0f;
    const float breathe = 1.6f + 0.25f * std::sin(t * 1.7f);
    setColor(255, hovered ? 230 : 255, hovered ? 170 : 255);
    setTransform(angle, breathe, breathe * 0.9f);
    drawImage(card, 512, 400);
    resetCollisions();
    collideImage(card, 512, 400, 0, 0, 1, 1);
    setTransform(-angle * 0.5f, -1.3f, 1.3f);
    setColor(200, 220, 255);
    drawImage(back, 220, 420);
    setTransform(0, 1, 1);
    const bool over = !collideImage(point, mx, my, 0, 1, 0).empty();
    if (over && !hovered && flick) flick->play();
    hovered = over;
    if (mouseHit(1) && hovered && chime) chime->play();

    // Text: the title with a soft shadow, and the mouse in design coordinates.
    setImageFont(title.get());
    const std::string caption = "Tarnwick: the engine at work";
    const float tx = static_cast<float>(512 - textWidth(caption) / 2);
    setColor(0, 0, 0);
    setAlpha(0.6f);
    drawText(caption, tx + 2, 42);
    setAlpha(1);
    setColor(240, 210, 120);
    drawText(caption, tx, 40);
    setImageFont(small.get());
    char line[128];
    std::snprintf(line, sizeof line, "Mouse %.1f, %.1f%s   (Escape closes)", mx, my,
                  hovered ? "   over the card" : "");
    setColor(235, 230, 215);
    drawText(line, 24, static_cast<float>(kDesignHeight - 40));
    setImageFont(nullptr);

    const bool last = options.frames >= 0 && frame + 1 == options.frames;
    if (last && !options.screenshot.empty() && !saveBackBuffer(options.screenshot))
      std::fprintf(stderr, "Could not save %s\n", options.screenshot.c_str());
    flip(-1);
  }
  closeGraphics();
  closeAudio();
  return 0;
}
