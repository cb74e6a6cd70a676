// The number formatter: known texts, the fast path against the standard
// conversion it stands in for, and both against C's "%.2f".
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cad/gcode/numberFormat.h"
#include "tests/support/boardDoubles.h"

namespace {

std::string _fixed2(double v) {
  char buf[FIXED2_MAX];
  return std::string(buf, formatFixed2(buf, v));
}

std::string _fixed2Std(double v) {
  char buf[FIXED2_MAX];
  return std::string(buf, formatFixed2Std(buf, v));
}

}  // namespace

TEST(NumberFormat, TiesSignsAndMagnitudes) {
  EXPECT_EQ(_fixed2(0.125), "0.12");   // exact tie: to even
  EXPECT_EQ(_fixed2(0.375), "0.38");
  EXPECT_EQ(_fixed2(2.675), "2.67");   // just below the tie in binary
  EXPECT_EQ(_fixed2(1.005), "1.00");   // below as well
  EXPECT_EQ(_fixed2(0.005), "0.01");   // just above
  EXPECT_EQ(_fixed2(9.995), "9.99");
  EXPECT_EQ(_fixed2(99.996), "100.00");  // carry into the whole part
  EXPECT_EQ(_fixed2(-0.001), "-0.00");
  EXPECT_EQ(_fixed2(-0.0), "-0.00");
  EXPECT_EQ(_fixed2(0), "0.00");
  EXPECT_EQ(_fixed2(5), "5.00");
  EXPECT_EQ(_fixed2(-0.1), "-0.10");
  EXPECT_EQ(_fixed2(12.345), "12.35");  // 12.3450000000000006...
  EXPECT_EQ(_fixed2(4.9e-324), "0.00");
  EXPECT_EQ(_fixed2(4503599627370495.5), "4503599627370495.50");  // largest below 2^52
  EXPECT_EQ(_fixed2(1e15), "1000000000000000.00");
  EXPECT_EQ(_fixed2(1e21), "1000000000000000000000.00");
  EXPECT_EQ(_fixed2(-1.7976931348623157e308).size(), 313u);
  char buf[12];
  EXPECT_EQ(std::string(buf, formatInt(buf, 150)), "150");
  EXPECT_EQ(std::string(buf, formatInt(buf, INT32_MIN)), "-2147483648");
}

TEST(NumberFormat, EdgeValuesAndTheirNeighboursMatchTheStandardConversion) {
  const double MAX = std::numeric_limits<double>::max();
  const double DENORM_MIN = std::numeric_limits<double>::denorm_min();
  const double NORM_MIN = std::numeric_limits<double>::min();
  std::vector<double> edges = {
      0, 0.125, 0.375, 2.675, 1.005, 0.005, 0.015, 0.025, 0.045, 0.995, 9.995, 99.995,
      999.995, 0.001, 0.0049999999999999, 0.01, 0.1, 0.5, 1, 1.5, 2.5, 12.345, 299.995,
      1e15, 1e16, 1e17, 1e300, 1e-300, DENORM_MIN, 2 * DENORM_MIN, NORM_MIN,
      NORM_MIN - DENORM_MIN, MAX, 4503599627370496.0 /* 2^52 */, 4503599627370495.5,
      9007199254740992.0 /* 2^53 */, 45035996273704.955, 0.0625 /* 2^-4 */, 0.03125,
      std::ldexp(1.0, -10) * 5, std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN()};
  for (double e : edges) {
    for (double sign : {1.0, -1.0}) {
      double v = std::copysign(e, sign);
      double around[] = {std::nextafter(std::nextafter(v, -INFINITY), -INFINITY),
                         std::nextafter(v, -INFINITY), v, std::nextafter(v, INFINITY),
                         std::nextafter(std::nextafter(v, INFINITY), INFINITY)};
      for (double a : around) ASSERT_EQ(_fixed2(a), _fixed2Std(a)) << a;
    }
  }
}

TEST(NumberFormat, RandomBoardValuesMatchTheStandardConversion) {
  std::mt19937_64 rng(20261207);
  for (int kind = 0; kind < BOARD_DOUBLE_KINDS; kind++) {
    for (int i = 0; i < 200000; i++) {
      double v = boardDouble(rng, kind);
      ASSERT_EQ(_fixed2(v), _fixed2Std(v)) << BOARD_DOUBLE_KIND_NAMES[kind] << ": " << v;
    }
  }
}

TEST(NumberFormat, AgreesWithPrintfOnManyValues) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mm(-2000.0, 2000.0);
  char expect[400];
  for (int i = 0; i < 200000; i++) {
    // Values near the ties of two decimals as well as plain random ones.
    double v = i % 2 ? mm(rng) : (static_cast<int>(mm(rng) * 100) + 0.5) / 100;
    snprintf(expect, sizeof(expect), "%.2f", v);
    ASSERT_EQ(_fixed2(v), expect) << v;
    ASSERT_EQ(_fixed2Std(v), expect) << v;
  }
}
