#include "engine/random.h"

#include <cstdlib>

namespace {

constexpr int kModulus = 0x7FFFFFFF;  // 2^31 - 1
constexpr int kMultiplier = 48271;
constexpr int kQuotient = 44488;  // kModulus / kMultiplier
constexpr int kRemainder = 3399;  // kModulus % kMultiplier

TRandom& sharedRandom() {
  static TRandom generator;
  return generator;
}

}  // namespace

void TRandom::seed(int value) {
  state_ = value & kModulus;
  // Either would lock the generator at 0 (2^31 - 1 is 0 modulo itself).
  if (state_ == 0 || state_ == kModulus) state_ = kDefaultState;
}

int TRandom::seed() const { return state_; }

int TRandom::nextState() {
  // Schrage's method keeps 48271 * s mod (2^31 - 1) inside 32 bits.
  state_ = kMultiplier * (state_ % kQuotient) - kRemainder * (state_ / kQuotient);
  if (state_ < 0) state_ += kModulus;
  return state_;
}

double TRandom::rndDouble() {
  constexpr double two27 = 134217728.0;
  constexpr double two29 = 536870912.0;
  const int high = nextState();
  const int low = nextState();
  return ((high & 0x1FFFFFFC) + (low & 0x1FFFFFF8) / two27) / two29;
}

float TRandom::rnd(float a, float b) {
  const float low = a < b ? a : b;
  const float high = a < b ? b : a;
  // Worked in double like the generator itself, rounded to float once at the end.
  return static_cast<float>(rndDouble() * (static_cast<double>(high) - low) + low);
}

int TRandom::rand(int min, int max) {
  const long long low = min < max ? min : max;
  const long long distance = std::llabs(static_cast<long long>(max) - min);
  // 64-bit so that a range spanning the whole int type cannot overflow.
  return static_cast<int>(low + static_cast<long long>(rndDouble() * static_cast<double>(distance + 1)));
}

void seedRnd(int seed) { sharedRandom().seed(seed); }

int rndSeed() { return sharedRandom().seed(); }

double rndDouble() { return sharedRandom().rndDouble(); }

float rnd(float a, float b) { return sharedRandom().rnd(a, b); }

int rndInt(int min, int max) { return sharedRandom().rand(min, max); }
