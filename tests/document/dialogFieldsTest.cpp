// How dialog edits turn into numbers, and which texts leave a field alone.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>

#include "cad/document/dialogFields.h"

TEST(DialogFields, DecimalsAreTheLongestLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } CASES[] = {
      {"2.5", 2.5},        {"2.5mm", 2.5},      {"  7", 7},       {"-0.25", -0.25},
      {"+3", 3},           {".5", 0.5},         {"5.", 5},        {"1e2", 100},
      {"1.5E-1x", 0.15},   {"2e", 2},           {"2e+", 2},       {"3e-x", 3},
      {"abc", 0},          {"-", 0},            {".", 0},         {"-.e5", 0},
      {"inf", 0},          {"nan", 0},          {"0x10", 0},      {"12,5", 12},
      {"1.2.3", 1.2},      {"- 4", 0},
  };
  for (const auto& c : CASES) EXPECT_DOUBLE_EQ(parseDecimalText(c.text), c.value) << c.text;
  EXPECT_EQ(parseDecimalText(nullptr), 0);
  // Too large for a double: the largest finite value, never an infinity.
  EXPECT_EQ(parseDecimalText("1e999"), DBL_MAX);
  EXPECT_EQ(parseDecimalText("-1e999"), -DBL_MAX);
  EXPECT_EQ(parseDecimalText("1e-999"), 0);
}

TEST(DialogFields, WholeNumbersAreUnsignedBaseTen) {
  const struct {
    const char* text;
    uint32_t value;
  } CASES[] = {
      {"150", 150},   {"  42", 42},  {"+8", 8},   {"3.9", 3},   {"12abc", 12},
      {"0150", 150},  {"0x20", 0},   {"abc", 0},  {"-1", 0},    {"- 5", 0},
      {"4294967295", UINT32_MAX},    {"4294967296", UINT32_MAX},
      {"99999999999999999999999", UINT32_MAX},
  };
  for (const auto& c : CASES) EXPECT_EQ(parseWholeText(c.text), c.value) << c.text;
  EXPECT_EQ(parseWholeText(nullptr), 0u);
}

TEST(DialogFields, EmptyEditsKeepTheirFields) {
  double d = 1.25;
  readDecimalField(nullptr, &d);
  readDecimalField("", &d);
  EXPECT_EQ(d, 1.25);
  readDecimalField("x", &d);  // text without a number stores 0
  EXPECT_EQ(d, 0);
  readDecimalField("3.5 mm", &d);
  EXPECT_EQ(d, 3.5);

  uint32_t u = 7;
  readWholeField(nullptr, &u);
  readWholeField("", &u);
  EXPECT_EQ(u, 7u);
  readWholeField("none", &u);
  EXPECT_EQ(u, 0u);
  readWholeField("300", &u);
  EXPECT_EQ(u, 300u);
}
