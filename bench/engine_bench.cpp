// What a busy table costs the engine: transformed card quads, glows, text, and the
// pixel-exact pointer test. Runs headless on the software renderer.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/font.h"

namespace {

struct Table {
  ImagePtr face, back, mask, point;
  FontPtr font;
};

Table& table() {
  static Table t = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    useFakeClock(true);  // no frame pacing inside the measured loop
    changeDir(TARNWICK_BUILD_GAME_DIR);
    openGraphics(1024, 768);
    Table made;
    made.face = loadImage("gfx/cards/sample-face.png", IMAGE_FILTERED | IMAGE_MIPMAPPED);
    made.back = loadImage("gfx/cards/revers-1.png", IMAGE_FILTERED | IMAGE_MIPMAPPED);
    made.mask = loadImage("gfx/cards/mask.png");
    made.point = loadImage("gfx/point.png");
    midHandleImage(made.face);
    midHandleImage(made.back);
    midHandleImage(made.mask);
    made.font = loadImageFont("incbin::font.ttf", 20, FONT_SMOOTH);
    return made;
  }();
  return t;
}

constexpr int kCards = 150;

// Submits one table frame: 150 turned cards, every tenth with an additive glow, and a
// few lines of text.
void drawTable(const Table& t, int frame) {
  setClsColor(20, 40, 36);
  cls();
  setBlend(BLEND_ALPHA);
  for (int i = 0; i < kCards; ++i) {
    const float x = 60.0f + (i % 15) * 64.0f, y = 90.0f + (i / 15) * 64.0f;
    const float angle = static_cast<float>((i * 37 + frame) % 360);
    setTransform(angle, 0.9f, 0.9f);
    setColor(255, 255, 255);
    drawImage(i % 3 ? t.face : t.back, x, y);
    if (i % 10 == 0) {
      setBlend(BLEND_LIGHT);
      setColor(255, 220, 120);
      setAlpha(0.5f);
      drawImage(t.mask, x, y);
      setAlpha(1);
      setBlend(BLEND_ALPHA);
    }
  }
  setTransform(0, 1, 1);
  setImageFont(t.font.get());
  for (int line = 0; line < 6; ++line)
    drawText("Score 12 345   Coins 67   Drive 8   Multiplier 2.5", 20, 700.0f - line * 24);
  setImageFont(nullptr);
}

// The engine's own time for a frame: state changes, transforms and queued geometry.
void BM_TableFrameSubmit(benchmark::State& state) {
  const Table& t = table();
  int frame = 0;
  for (auto _ : state) {
    drawTable(t, frame++);
    state.PauseTiming();
    flip(0);  // the renderer's rasterising happens here; measured below
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_TableFrameSubmit)->Unit(benchmark::kMillisecond);

// The whole frame including the software renderer's rasterising and present.
void BM_TableFrameWithPresent(benchmark::State& state) {
  const Table& t = table();
  int frame = 0;
  for (auto _ : state) {
    drawTable(t, frame++);
    flip(0);
  }
}
BENCHMARK(BM_TableFrameWithPresent)->Unit(benchmark::kMillisecond);

// Mouse-over for every card of a table: write the card's mask, test the pointer.
void BM_PointerTestPerCard(benchmark::State& state) {
  const Table& t = table();
  int i = 0;
  for (auto _ : state) {
    const float angle = static_cast<float>((i * 37) % 360);
    setTransform(angle, 1.1f, 1.1f);
    resetCollisions(1);
    collideImage(t.mask, 512, 384, 0, 0, 1, i);
    setTransform(0, 1, 1);
    benchmark::DoNotOptimize(collideImage(t.point, 512.0f + (i % 50), 384.0f + (i % 70), 0, 1, 0));
    ++i;
  }
}
BENCHMARK(BM_PointerTestPerCard);

// Covering test between two overlapping cards (mask against mask).
void BM_CardAgainstCard(benchmark::State& state) {
  const Table& t = table();
  for (auto _ : state) {
    resetCollisions(1);
    setTransform(15, 1, 1);
    collideImage(t.mask, 500, 380, 0, 0, 1, 1);
    setTransform(-10, 1, 1);
    benchmark::DoNotOptimize(collideImage(t.mask, 530, 400, 0, 1, 0));
    setTransform(0, 1, 1);
  }
}
BENCHMARK(BM_CardAgainstCard);

// Glyph drawing: one 50-character line.
void BM_TextLine(benchmark::State& state) {
  const Table& t = table();
  setImageFont(t.font.get());
  setBlend(BLEND_ALPHA);
  const std::string line = "The quick brown fox jumps over the lazy dog 0123";
  for (auto _ : state) {
    drawText(line, 20, 20);
    state.PauseTiming();
    flip(0);
    state.ResumeTiming();
  }
  setImageFont(nullptr);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(line.size()));
}
BENCHMARK(BM_TextLine)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
