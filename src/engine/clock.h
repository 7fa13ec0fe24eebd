#pragma once

// The game's millisecond clock. Real time comes from the monotonic clock, so
// changes of the wall-clock time never make it jump; tests and the headless
// harness can swap in a fake clock that moves only when told to.

// Milliseconds since system start (or the fake clock's value while it is on).
long long millis64();

// The low 32 bits of millis64(); compare two readings only through their difference.
unsigned int millisecs();

// Milliseconds from the 32-bit reading then until now, correct across the 32-bit wrap.
int millisSince(unsigned int then);

// Switches the fake clock on or off; switched on, it continues from the current reading.
void useFakeClock(bool on);

// True while the fake clock is on.
bool fakeClockOn();

// Sets the fake clock's value.
void setFakeClock(long long ms);

// Moves the fake clock forward by ms.
void advanceFakeClock(long long ms);

// Waits ms milliseconds; with the fake clock on, advances it instead of sleeping.
void delayMs(int ms);
