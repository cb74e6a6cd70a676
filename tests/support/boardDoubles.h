// Random doubles of the kinds a milling program prints, for comparing number
// formatters: board coordinates, depths, values at and beside the ties of two
// decimals, magnitudes from far below a hundredth to beyond 2^52, and
// arbitrary bit patterns. Header only, without GoogleTest, so benchmarks use
// it too.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

enum { BOARD_DOUBLE_KINDS = 6 };

inline constexpr const char* BOARD_DOUBLE_KIND_NAMES[BOARD_DOUBLE_KINDS] = {
    "coordinates in +-2000 mm", "depths in +-10 mm", "ties of hundredths +-2 ulp",
    "hundredths +-2 ulp", "magnitudes 1e-6 to 1e17", "any bit pattern"};

// One double of kind (0 .. BOARD_DOUBLE_KINDS - 1).
inline double boardDouble(std::mt19937_64& rng, int kind) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto nudged = [&rng](double v) {  // up to two representable neighbours away
    int steps = static_cast<int>(rng() % 5) - 2;
    for (; steps < 0; steps++) v = std::nextafter(v, -INFINITY);
    for (; steps > 0; steps--) v = std::nextafter(v, INFINITY);
    return v;
  };
  int64_t hundredths = static_cast<int64_t>(rng() % 400001) - 200000;
  switch (kind) {
    case 0: return -2000 + 4000 * unit(rng);
    case 1: return -10 + 20 * unit(rng);
    case 2: return nudged((static_cast<double>(hundredths) + 0.5) / 100);
    case 3: return nudged(static_cast<double>(hundredths) / 100);
    case 4: {
      double v = std::pow(10.0, -6 + 23 * unit(rng));
      return rng() & 1 ? -v : v;
    }
  }
  uint64_t bits = rng();
  double v;
  memcpy(&v, &bits, sizeof(v));
  return v;
}
