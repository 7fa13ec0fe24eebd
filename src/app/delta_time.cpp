#include "app/delta_time.h"

#include <algorithm>
#include <memory>

#include "engine/clock.h"
#include "engine/input.h"

namespace {
float g_frameStep = 1;
}

TDeltaTime::TDeltaTime() {
  all().push_back(this);
  listed_ = true;
}

TDeltaTime::~TDeltaTime() { Destroy(); }

void TDeltaTime::Destroy() {
  if (!listed_) return;
  all().remove(this);
  listed_ = false;
}

std::list<TDeltaTime*>& TDeltaTime::all() {
  static std::list<TDeltaTime*> timers;
  return timers;
}

TDeltaTime* TDeltaTime::Create(float fps) {
  auto* timer = new TDeltaTime();  // lives in the list of all timers until Destroy
  timer->SetFPS(fps);
  return timer;
}

void TDeltaTime::SetFPS(float fps) {
  dFps = fps;
  dDelta = 1000.0f / fps;
}

void TDeltaTime::Update() {
  CurrTime = static_cast<int>(millisecs());
  // Differences of the 32-bit clock stay right when it wraps.
  ElapsedTime = static_cast<int>(static_cast<unsigned>(CurrTime) - static_cast<unsigned>(OldTime));
  OldTime = CurrTime;
  // The second ends when the clock passes CheckTime; a CheckTime more than a second
  // ahead was never set (or is from before a wrap) and starts a new second too.
  const int untilCheck =
      static_cast<int>(static_cast<unsigned>(CheckTime) - static_cast<unsigned>(CurrTime));
  if (untilCheck < 0 || untilCheck > 1000) {
    CheckTime = static_cast<int>(static_cast<unsigned>(CurrTime) + 1000u);
    CurrFps = FPSCounter;
    FPSCounter = 0;
  } else {
    FPSCounter += 1;
  }
}

TDeltaTime& frameTimer() {
  static std::unique_ptr<TDeltaTime> timer(TDeltaTime::Create(60));
  return *timer;
}

float frameStep() { return g_frameStep; }
void setFrameStep(float step) { g_frameStep = step; }

void frameTimerStep() {
  TDeltaTime& timer = frameTimer();
  timer.Update();
  g_frameStep = timer.CurrDelta();
  pollSystem();
}

void approach(float& v, float target, float rate) {
  const float step = rate * g_frameStep;
  if (v < target) {
    v += step;
    if (v > target) v = target;
  }
  if (v > target) {
    v -= step;
    if (v < target) v = target;
  }
}
