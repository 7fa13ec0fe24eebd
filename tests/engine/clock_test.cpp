// The millisecond clock: the fake clock that tests and the headless harness run
// on, 32-bit readings whose differences survive the wrap, and the real clock.

#include "engine/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// The test program may run everything on the fake clock; each test leaves the
// clock as it found it.
class ClockTest : public testing::Test {
 protected:
  void SetUp() override {
    wasFake_ = fakeClockOn();
    fakeValue_ = wasFake_ ? millis64() : 0;
  }
  void TearDown() override {
    useFakeClock(wasFake_);
    if (wasFake_) setFakeClock(fakeValue_);
  }

 private:
  bool wasFake_ = false;
  long long fakeValue_ = 0;
};

TEST_F(ClockTest, FakeClockMovesOnlyWhenTold) {
  useFakeClock(true);
  EXPECT_TRUE(fakeClockOn());
  setFakeClock(1000);
  EXPECT_EQ(millis64(), 1000);
  std::this_thread::sleep_for(std::chrono::milliseconds(15));
  EXPECT_EQ(millis64(), 1000);
  advanceFakeClock(250);
  EXPECT_EQ(millis64(), 1250);
  delayMs(40);
  EXPECT_EQ(millis64(), 1290);
  delayMs(0);
  delayMs(-5);
  EXPECT_EQ(millis64(), 1290);
}

TEST_F(ClockTest, ShortReadingIsTheLow32Bits) {
  useFakeClock(true);
  setFakeClock(0x123456789LL);
  EXPECT_EQ(millisecs(), 0x23456789u);
  EXPECT_EQ(millis64(), 0x123456789LL);
}

TEST_F(ClockTest, MillisSinceStaysRightAcrossTheWrap) {
  constexpr long long wrap = 1LL << 32;
  struct Case {
    long long start;
    long long elapsed;
  };
  const Case cases[] = {
      {wrap - 10, 25},                             // crosses the first wrap
      {wrap - 1, 1},                               // lands exactly on it
      {3 * wrap - 5000, 9000},                     // a later wrap
      {wrap + 100, 0},         {123, 2000000000},  // long waits up to the int range still read right
  };
  useFakeClock(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    setFakeClock(c.start);
    const unsigned int then = millisecs();
    advanceFakeClock(c.elapsed);
    EXPECT_EQ(millisSince(then), c.elapsed);
  }
}

TEST_F(ClockTest, SwitchingToFakeContinuesFromTheRealReading) {
  useFakeClock(false);
  const long long before = millis64();
  useFakeClock(true);
  const long long frozen = millis64();
  EXPECT_GE(frozen, before);
  EXPECT_LT(frozen, before + 1000);
  std::this_thread::sleep_for(std::chrono::milliseconds(15));
  EXPECT_EQ(millis64(), frozen);
}

TEST_F(ClockTest, RealClockAdvancesWithDelay) {
  useFakeClock(false);
  EXPECT_FALSE(fakeClockOn());
  const long long start = millis64();
  const unsigned int then = millisecs();
  delayMs(30);
  EXPECT_GE(millis64() - start, 30);
  EXPECT_GE(millisSince(then), 30);
}

}  // namespace
