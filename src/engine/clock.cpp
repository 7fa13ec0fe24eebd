#include "engine/clock.h"

#include <atomic>
#include <cerrno>
#include <ctime>

namespace {

std::atomic<bool> fakeOn{false};
std::atomic<long long> fakeNow{0};

long long monotonicMillis() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Counted from system start, like the game's millisecond timer: the start-up seed of the
// random generator differs from run to run.
long long realMillis() { return monotonicMillis(); }

}  // namespace

long long millis64() { return fakeOn.load() ? fakeNow.load() : realMillis(); }

unsigned int millisecs() { return static_cast<unsigned int>(millis64()); }

int millisSince(unsigned int then) { return static_cast<int>(millisecs() - then); }

void useFakeClock(bool on) {
  if (on && !fakeOn.load()) fakeNow.store(realMillis());
  fakeOn.store(on);
}

bool fakeClockOn() { return fakeOn.load(); }

void setFakeClock(long long ms) { fakeNow.store(ms); }

void advanceFakeClock(long long ms) { fakeNow.fetch_add(ms); }

void delayMs(int ms) {
  if (ms <= 0) return;
  if (fakeOn.load()) {
    advanceFakeClock(ms);
    return;
  }
  timespec wait{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
  // Sleep the whole time even when a signal interrupts.
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}
