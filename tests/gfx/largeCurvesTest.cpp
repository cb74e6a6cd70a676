// Curves too large for the platform, as polylines and polygons: they follow
// the curve, run the right way round, stay near the surface and stay small.
#include "gfx/largeCurves.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace {

// A circle of radius 1000 about (2000, 2000) on a surface that holds all of
// it, so that every part of the curve counts as near.
const CurveClip WIDE = {5000, 5000, 3};
CurveArc circleArc(double sx, double sy, double ex, double ey) {
  return {1000, 1000, 3001, 3001, sx, sy, ex, ey};
}
const CurveArc WHOLE = circleArc(1000, 1000, 1000, 1000);

double offCircle(double x, double y, double cx, double cy, double r) {
  return std::fabs(std::hypot(x - cx, y - cy) - r);
}

// Every vertex and every chord's midpoint lies within a pixel of the circle.
void expectOnCircle(const CurveRun& run, double cx, double cy, double r) {
  for (size_t i = 0; i < run.size(); ++i) {
    EXPECT_LE(offCircle(run[i].x, run[i].y, cx, cy, r), 1.0) << i;
    if (i == 0) continue;
    const double mx = (run[i - 1].x + run[i].x) / 2.0, my = (run[i - 1].y + run[i].y) / 2.0;
    EXPECT_LE(offCircle(mx, my, cx, cy, r), 1.0) << i;
  }
}

bool inside(const CurveRun& polygon, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const CurvePoint a = polygon[i], b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / double(b.y - a.y))
      in = !in;
  }
  return in;
}

void expectWithin(const CurveRun& points, const CurveClip& clip) {
  for (const CurvePoint& p : points) {
    EXPECT_GE(p.x, -clip.margin - 1);
    EXPECT_LE(p.x, clip.width + clip.margin + 1);
    EXPECT_GE(p.y, -clip.margin - 1);
    EXPECT_LE(p.y, clip.height + clip.margin + 1);
  }
}

TEST(LargeCurves, OnlyBoxesInThePlatformsRangeGoToIt) {
  const long long L = PLATFORM_CURVE_LIMIT;
  EXPECT_TRUE(curveFitsPlatform(-100, -100, L - 100, L - 100));
  EXPECT_FALSE(curveFitsPlatform(-100, -100, L - 99, L - 100));
  EXPECT_FALSE(curveFitsPlatform(0, 0, 10, L + 1));
  EXPECT_TRUE(curveFitsPlatform(L, L, 0, 0));  // corners in either order
  EXPECT_FALSE(curveFitsPlatform(L + 1, 0, 0, 0));
  EXPECT_TRUE(curveFitsPlatform(INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10));
  EXPECT_FALSE(curveFitsPlatform(INT_MAX - 10, 0, INT_MAX + 1LL, 10));  // a circle's box may leave int
  EXPECT_FALSE(curveFitsPlatform(INT_MIN - 1LL, 0, INT_MIN + 10LL, 10));
}

TEST(LargeCurves, AWholeEllipseIsOneClosedRunAlongTheCurve) {
  const std::vector<CurveRun> runs = arcOutline(WHOLE, WIDE);
  ASSERT_EQ(runs.size(), 1u);
  const CurveRun& run = runs[0];
  expectOnCircle(run, 2000, 2000, 1000);
  EXPECT_EQ(run.front().x, run.back().x);
  EXPECT_EQ(run.front().y, run.back().y);
  int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
  for (const CurvePoint& p : run) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  // The box's right and bottom edges lie outside the shape.
  EXPECT_EQ(minX, 1000);
  EXPECT_EQ(maxX, 3000);
  EXPECT_EQ(minY, 1000);
  EXPECT_EQ(maxY, 3000);
  // Reversed corners give the same ellipse.
  const std::vector<CurveRun> reversed =
      arcOutline({3001, 3001, 1000, 1000, 1000, 1000, 1000, 1000}, WIDE);
  ASSERT_EQ(reversed.size(), 1u);
  EXPECT_EQ(reversed[0].size(), run.size());
}

TEST(LargeCurves, ArcsRunCounterClockwiseOnTheScreenFromStartToEnd) {
  // From the right (3 o'clock) to the top (12 o'clock): the top-right quarter.
  std::vector<CurveRun> runs = arcOutline(circleArc(3001, 2000, 2000, 1000), WIDE);
  ASSERT_EQ(runs.size(), 1u);
  expectOnCircle(runs[0], 2000, 2000, 1000);
  for (const CurvePoint& p : runs[0]) {
    EXPECT_GE(p.x, 1999);
    EXPECT_LE(p.y, 2001);
  }
  EXPECT_GE(runs[0].size(), 3u);
  // From the top to the right: the other three quarters.
  runs = arcOutline(circleArc(2000, 1000, 3001, 2000), WIDE);
  ASSERT_EQ(runs.size(), 1u);
  bool left = false, bottom = false;
  for (const CurvePoint& p : runs[0]) {
    EXPECT_FALSE(p.x > 2100 && p.y < 1900) << p.x << "," << p.y;
    left = left || p.x < 1010;
    bottom = bottom || p.y > 2990;
  }
  EXPECT_TRUE(left);
  EXPECT_TRUE(bottom);
}

TEST(LargeCurves, PiesAndEllipsesAsRegions) {
  const CurveRun pie = curveRegion(circleArc(3001, 2000, 2000, 1000), true, WIDE);
  ASSERT_GE(pie.size(), 3u);
  EXPECT_TRUE(inside(pie, 2500, 1500));
  EXPECT_TRUE(inside(pie, 2010, 1990));
  EXPECT_FALSE(inside(pie, 1500, 1500));
  EXPECT_FALSE(inside(pie, 2500, 2500));
  EXPECT_FALSE(inside(pie, 2900, 1100));  // beyond the arc
  const CurveRun ellipse = curveRegion(circleArc(3001, 2000, 2000, 1000), false, WIDE);
  for (double x : {1500, 2500})
    for (double y : {1500, 2500}) EXPECT_TRUE(inside(ellipse, x, y)) << x << "," << y;
  EXPECT_FALSE(inside(ellipse, 1100, 1100));
}

// A circle of radius 10^7 whose right-most pixel is (799, 600): on a
// 1600 x 1200 buffer it is nearly a vertical line at x = 799.
TEST(LargeCurves, AHugeCircleIsDrawnOnlyWhereItCrossesTheBuffer) {
  const double R = 1e7;
  const CurveArc arc = {800 - 2 * R, 600 - R, 800, 600 + R + 1, 0, 0, 0, 0};
  const CurveClip clip = {1600, 1200, 2.5};
  const std::vector<CurveRun> runs = arcOutline({arc.x1, arc.y1, arc.x2, arc.y2, arc.x1, arc.y1,
                                                 arc.x1, arc.y1},
                                                clip);
  ASSERT_EQ(runs.size(), 1u);
  const CurveRun& run = runs[0];
  expectWithin(run, clip);
  EXPECT_LT(run.size(), 50u);
  int minY = INT_MAX, maxY = INT_MIN;
  for (const CurvePoint& p : run) {
    EXPECT_EQ(p.x, 799);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  EXPECT_LE(minY, 0);
  EXPECT_GE(maxY, 1199);

  // Filled, it covers the buffer left of that line and nothing right of it.
  const CurveRun region = curveRegion({arc.x1, arc.y1, arc.x2, arc.y2, 0, 0, 0, 0}, false, clip);
  expectWithin(region, clip);
  EXPECT_TRUE(inside(region, 0.5, 0.5));
  EXPECT_TRUE(inside(region, 798.5, 600.5));
  EXPECT_TRUE(inside(region, 798.5, 1199.5));
  EXPECT_FALSE(inside(region, 800.5, 600.5));
  EXPECT_FALSE(inside(region, 1599.5, 0.5));
}

TEST(LargeCurves, ACurveAroundTheBufferDrawsNoOutlineAndFillsAllOfIt) {
  const CurveArc around = {800 - 1e7, 600 - 1e7, 800 + 1e7, 600 + 1e7, 0, 0, 0, 0};
  const CurveClip clip = {1600, 1200, 2};
  EXPECT_TRUE(arcOutline({around.x1, around.y1, around.x2, around.y2, around.x1, around.y1,
                          around.x1, around.y1},
                         clip)
                  .empty());
  const CurveRun region = curveRegion(around, false, clip);
  expectWithin(region, clip);
  for (double x : {0.5, 1599.5})
    for (double y : {0.5, 1199.5}) EXPECT_TRUE(inside(region, x, y));
  // Far away from the buffer there is nothing at all.
  const CurveArc away = {5e6, 5e6, 6e6, 6e6, 0, 0, 0, 0};
  EXPECT_TRUE(curveRegion(away, false, clip).empty());
  EXPECT_TRUE(curveRegion(away, true, clip).empty());
}

TEST(LargeCurves, ExtremeBoxesStayNearTheSurfaceAndSmall) {
  const CurveClip clip = {1600, 1200, 3};
  const double lo = INT_MIN, hi = INT_MAX;
  const CurveArc cases[] = {
      {lo, lo, hi, hi, lo, lo, lo, lo},                     // around everything
      {800 - 2 * hi, lo, 800, hi, 0, 0, 0, 0},              // 2^32 wide, through the buffer
      {lo, 600, hi, 600, hi, 600, lo, 600},                 // flat: a line
      {800, lo, 800, hi, 800, hi, 800, lo},                 // thin: a line
      {0, 0, 0, 0, 0, 0, 0, 0},                             // no size at all
      {-1e9, -1e9, 1e9, 1200, 1e9, 600, -1e9, -1e9},        // a pie's worth
  };
  for (const CurveArc& arc : cases) {
    size_t points = 0;
    for (const CurveRun& run : arcOutline(arc, clip)) {
      expectWithin(run, clip);
      points += run.size();
    }
    for (bool pie : {false, true}) {
      const CurveRun region = curveRegion(arc, pie, clip);
      expectWithin(region, clip);
      points += region.size();
    }
    EXPECT_LT(points, 2000u) << arc.x1 << " " << arc.y1 << " " << arc.x2 << " " << arc.y2;
  }
}

// Circles of every size from 10 to 10^10 pixels, anywhere near the buffer,
// with any start and end: the outline stays on the circle, every part stays
// near the surface, and the points stay few.
TEST(LargeCurves, RandomCirclesStayOnTheCurveNearTheSurface) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> unit(0, 1);
  const CurveClip clip = {1600, 1200, 3};
  int crossing = 0;
  for (int i = 0; i < 3000; ++i) {
    const double r = std::pow(10, 1 + 9 * unit(random));
    // Every other circle crosses the buffer; the others pass within half a
    // radius of its middle.
    const double angle = 2 * 3.141592653589793 * unit(random);
    const double reach = i % 2 ? r + 3000 * unit(random) - 1500 : r * (0.5 + unit(random));
    const double cx = 800 + reach * std::cos(angle), cy = 600 + reach * std::sin(angle);
    const double x1 = std::round(cx - r), y1 = std::round(cy - r);
    const double size = std::round(2 * r) + 1;
    const CurveArc arc = {x1, y1, x1 + size, y1 + size, x1 + size * unit(random),
                          y1 + size * unit(random), x1 + size * unit(random),
                          y1 + size * unit(random)};
    const double ccx = x1 + (size - 1) / 2, ccy = y1 + (size - 1) / 2, rr = (size - 1) / 2;
    size_t points = 0;
    for (const CurveRun& run : arcOutline(arc, clip)) {
      expectWithin(run, clip);
      expectOnCircle(run, ccx, ccy, rr);
      points += run.size();
    }
    for (bool pie : {false, true}) {
      const CurveRun region = curveRegion(arc, pie, clip);
      expectWithin(region, clip);
      points += region.size();
    }
    ASSERT_LT(points, 3000u) << "radius " << r;
    crossing += points > 0;
    if (HasFailure()) FAIL() << "radius " << r << " centre " << cx << "," << cy;
  }
  EXPECT_GT(crossing, 1000);  // the cases did reach the buffer
}

}  // namespace
