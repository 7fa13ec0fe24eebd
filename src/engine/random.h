#pragma once

// Park-Miller "minimal standard" generator (multiplier 48271, modulus 2^31 - 1).
// The game's deals and effects must repeat exactly for a given seed, so the
// state update and the way doubles, floats and integers are drawn from it are
// fixed, not left to the standard library.
class TRandom {
 public:
  // The state a new generator starts from, and the stand-in for unusable seeds.
  static constexpr int kDefaultState = 4660;

  // Starts from the default state 4660.
  TRandom() = default;

  // Sets the state from seed AND 0x7FFFFFFF (0 and 0x7FFFFFFF fall back to 4660).
  void seed(int value);

  // The current state.
  int seed() const;

  // A double in [0, 1) made from the next two states.
  double rndDouble();

  // A float in [low, high) where low and high are a and b in order.
  float rnd(float a = 1, float b = 0);

  // An integer between min and max inclusive, in either order.
  int rand(int min, int max = 1);

 private:
  int nextState();

  int state_ = kDefaultState;
};

// Seeds the game's one shared generator.
void seedRnd(int seed);

// The shared generator's state.
int rndSeed();

// A double in [0, 1) from the shared generator.
double rndDouble();

// A float in [low, high) from the shared generator.
float rnd(float a = 1, float b = 0);

// An integer between min and max inclusive from the shared generator.
int rndInt(int min, int max = 1);
