// Frame timing: the frame step, the approach rule and the fades built on them.

#include <gtest/gtest.h>

#include "app/delta_time.h"
#include "app/screen.h"
#include "engine/clock.h"

namespace {

class FrameTiming : public ::testing::Test {
 protected:
  void SetUp() override {
    useFakeClock(true);
    setFakeClock(100000);
    frameTimer().Update();
    setFrameStep(1);
  }
  void TearDown() override { setFrameStep(1); }
};

TEST_F(FrameTiming, FrameStepIsElapsedTimeInSixtiethsOfASecond) {
  struct Case {
    int elapsedMs;
    float step;
  };
  const Case cases[] = {{16, 0.96f}, {50, 3.0f}, {0, 0.0f}, {1000, 60.0f}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.elapsedMs);
    advanceFakeClock(k.elapsedMs);
    frameTimerStep();
    EXPECT_NEAR(frameStep(), k.step, 1e-4);
  }
}

TEST_F(FrameTiming, FrameStepSurvivesTheClockWrap) {
  setFakeClock(0xFFFFFFFFll - 5);  // 6 ms before the 32-bit clock wraps
  frameTimer().Update();
  advanceFakeClock(20);
  frameTimerStep();
  EXPECT_NEAR(frameStep(), 1.2f, 1e-4);
}

TEST_F(FrameTiming, ApproachStopsExactlyAtTheTarget) {
  struct Case {
    float from, target, rate, step;
    float after;
  };
  const Case cases[] = {
      {0, 1, 0.3f, 1, 0.3f}, {0.9f, 1, 0.3f, 1, 1},  {1, 0, 0.25f, 2, 0.5f},
      {0.1f, 0, 0.3f, 1, 0}, {0.5f, 0.5f, 1, 1, 0.5f}, {0, 1, 0.05f, 40, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.from << " -> " << k.target);
    setFrameStep(k.step);
    float v = k.from;
    approach(v, k.target, k.rate);
    EXPECT_FLOAT_EQ(v, k.after);
  }
}

TEST_F(FrameTiming, AFadeTakesTwentyFramesAtSixtyFramesPerSecond) {
  TEkran screen;
  screen.fade = 1;
  screen.dFade = 0;
  int frames = 0;
  while (screen.fade != 0 && frames < 100) {
    advanceFakeClock(1000 / 60 + (frames % 3 == 2 ? 1 : 0));  // 16, 16, 17: 60 a second
    frameTimerStep();
    screen._updateFade();
    ++frames;
  }
  EXPECT_EQ(screen.fade, 0.0f);
  EXPECT_NEAR(frames, 20, 1);
}

TEST_F(FrameTiming, PrepareDeltaHidesLoadingTime) {
  advanceFakeClock(5000);  // a long load
  TEkran screen;
  screen._prepareDelta();
  frameTimerStep();
  EXPECT_NEAR(frameStep(), 0.0f, 1e-6);
}

TEST_F(FrameTiming, FpsCountsThePreviousWholeSecond) {
  TDeltaTime timer;
  timer.SetFPS(60);
  setFakeClock(500000);
  timer.Update();
  EXPECT_EQ(timer.FPS(), 0);
  for (int i = 0; i < 30; ++i) {
    advanceFakeClock(20);
    timer.Update();
  }
  advanceFakeClock(500);  // into the next second
  timer.Update();
  EXPECT_EQ(timer.FPS(), 30);
}

TEST_F(FrameTiming, TimersListThemselvesUntilDestroyed) {
  const size_t before = TDeltaTime::all().size();
  {
    TDeltaTime a;
    EXPECT_EQ(TDeltaTime::all().size(), before + 1);
    a.Destroy();
    EXPECT_EQ(TDeltaTime::all().size(), before);
  }
  EXPECT_EQ(TDeltaTime::all().size(), before);
}

}  // namespace
