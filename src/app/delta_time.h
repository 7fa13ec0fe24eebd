#pragma once
// Frame timing: the frame timer turns the time between frames into the frame step by
// which every per-frame rate is multiplied (1.0 at 60 frames per second).

#include <list>

class TDeltaTime {
 public:
  int OldTime = 0;
  int ElapsedTime = 0;
  float dFps = 0;
  float dDelta = 0;
  int CurrFps = 0;
  int FPSCounter = 0;
  int CurrTime = 0;
  int CheckTime = 0;

  TDeltaTime();
  ~TDeltaTime();
  TDeltaTime(const TDeltaTime&) = delete;
  TDeltaTime& operator=(const TDeltaTime&) = delete;

  // Removes the timer from the list of all timers.
  void Destroy();
  // A timer for this many frames per second.
  static TDeltaTime* Create(float fps);
  // Takes the clock: elapsed time since the last update and the frame count per second.
  void Update();
  int FPS() const { return CurrFps; }
  // The elapsed time in nominal frames.
  float CurrDelta() const { return static_cast<float>(ElapsedTime) / dDelta; }
  void SetFPS(float fps);

  // Every timer made, in order of creation.
  static std::list<TDeltaTime*>& all();

 private:
  bool listed_ = false;
};

// The game's frame timer (60 frames per second), made at start-up.
TDeltaTime& frameTimer();
// The frame step of the current frame.
float frameStep();
// Sets the frame step directly (tests, and screens that freeze time).
void setFrameStep(float step);
// Updates the frame timer, refreshes the frame step and polls input.
void frameTimerStep();

// Moves v toward target by rate times the frame step, stopping exactly at the target.
void approach(float& v, float target, float rate);
