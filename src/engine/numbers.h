#pragma once
// Number conversions the whole game shares.

#include <climits>
#include <cmath>

// Truncates toward zero, saturating at the int range; NaN gives 0. Values the game keeps
// as floats become ints this way wherever an int field stores them.
inline int truncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT_MAX;
  if (v <= -2147483648.0) return INT_MIN;
  return static_cast<int>(v);
}

// Sine and cosine of an angle in degrees, in the game's 32-bit floats.
inline float sinDeg(float degrees) { return std::sin(degrees * 3.14159265358979f / 180.0f); }
inline float cosDeg(float degrees) { return std::cos(degrees * 3.14159265358979f / 180.0f); }
