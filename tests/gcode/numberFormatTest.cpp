// The shared number formatter against C's "%.2f".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "cad/gcode/numberFormat.h"

namespace {

std::string _fixed2(double v) {
  char buf[FIXED2_MAX];
  return std::string(buf, formatFixed2(buf, v));
}

}  // namespace

TEST(NumberFormat, TiesSignsAndMagnitudes) {
  EXPECT_EQ(_fixed2(0.125), "0.12");   // exact tie: to even
  EXPECT_EQ(_fixed2(0.375), "0.38");
  EXPECT_EQ(_fixed2(2.675), "2.67");   // just below the tie in binary
  EXPECT_EQ(_fixed2(0.005), "0.01");   // just above
  EXPECT_EQ(_fixed2(-0.001), "-0.00");
  EXPECT_EQ(_fixed2(-0.0), "-0.00");
  EXPECT_EQ(_fixed2(0), "0.00");
  EXPECT_EQ(_fixed2(5), "5.00");
  EXPECT_EQ(_fixed2(-0.1), "-0.10");
  EXPECT_EQ(_fixed2(12.345), "12.35");  // 12.3450000000000006...
  EXPECT_EQ(_fixed2(1e21), "1000000000000000000000.00");
  EXPECT_EQ(_fixed2(-1.7976931348623157e308).size(), 313u);
  char buf[12];
  EXPECT_EQ(std::string(buf, formatInt(buf, 150)), "150");
  EXPECT_EQ(std::string(buf, formatInt(buf, INT32_MIN)), "-2147483648");
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
  }
}
