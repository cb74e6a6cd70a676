// Arithmetic of the graphics control, checked without the platform.
#include "gfx/gfxCore.h"

#include <gtest/gtest.h>

#include <climits>

TEST(GfxColor, PacksLowEightBitsOfEachComponent) {
  EXPECT_EQ(packColor(255, 255, 255), 16777215u);
  EXPECT_EQ(packColor(1, 2, 3), 0x030201u);
  EXPECT_EQ(packColor(256, 0, 0), 0u);
  EXPECT_EQ(packColor(-1, 0, 0), 255u);
  EXPECT_EQ(packColor(0, 511, -256), 0x00FF00u);
}

TEST(GfxGeometry, PieEndPointsUseTheControlsDegreeFactor) {
  PieGeometry p = pieGeometry(0, 0, 100, 100, 90, 0);
  EXPECT_EQ(p.cx, 50);
  EXPECT_EQ(p.cy, 50);
  EXPECT_EQ(p.sx, 50);
  EXPECT_EQ(p.sy, 99);  // 99.99999998 truncates
  EXPECT_EQ(p.ex, 100);
  EXPECT_EQ(p.ey, 50);
  p = pieGeometry(0, 0, 100, 100, 270, 180);
  EXPECT_EQ(p.sx, 49);
  EXPECT_EQ(p.sy, 0);
  EXPECT_EQ(p.ex, 0);
  EXPECT_EQ(p.ey, 50);
  // An odd box: the centre is truncated, not rounded.
  p = pieGeometry(0, 0, 11, 21, 0, 0);
  EXPECT_EQ(p.cx, 5);
  EXPECT_EQ(p.cy, 10);
}

// 0, 45 and 90 degrees are checked on real bitmaps under Wine.
TEST(GfxGeometry, RotatedFrameSizeIsTheTruncatedBoundingBox) {
  const RotatedFrame f = rotatedFrame(100, 50, 30);
  EXPECT_EQ(f.width, 111);  // 111.60
  EXPECT_EQ(f.height, 93);  // 93.30
  EXPECT_NEAR(f.minX, 0.0, 1e-9);
  EXPECT_NEAR(f.minY, -50.0, 1e-3);
}

// Whole-picture values are checked under Wine; here the byte rules.
TEST(GfxPixels, ZeroBytesStayZeroAndOthersSaturate) {
  unsigned char px[4] = {0, 1, 128, 255};
  brightenBytes(px, 4, 200);
  EXPECT_EQ(px[0], 0);
  EXPECT_EQ(px[1], 2);
  EXPECT_EQ(px[2], 255);
  EXPECT_EQ(px[3], 255);
  invertBytes(px, 4);
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[3], 0);
}

TEST(GfxAutosize, ModesKeepTheirDistancesAndNeverGoBelowOnePixel) {
  // Control (10,10)-(110,60) in a 200 x 100 parent.
  int layout[4];
  int x, y, w, h;
  recordLayout(1, 10, 10, 110, 60, 200, 100, layout);
  ASSERT_TRUE(placeControl(1, layout, 300, 150, &x, &y, &w, &h));
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 10);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 100);
  ASSERT_TRUE(placeControl(1, layout, 50, 30, &x, &y, &w, &h));
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
  // The anchors keep the distances to the right and/or bottom edge.
  const struct { int mode, x, y, w, h; } anchored[] = {
      {2, 110, 10, 100, 100}, {3, 110, 60, 100, 50}, {4, 10, 60, 200, 50}};
  for (const auto& a : anchored) {
    recordLayout(a.mode, 10, 10, 110, 60, 200, 100, layout);
    ASSERT_TRUE(placeControl(a.mode, layout, 300, 150, &x, &y, &w, &h)) << a.mode;
    EXPECT_EQ(x, a.x) << a.mode;
    EXPECT_EQ(y, a.y) << a.mode;
    EXPECT_EQ(w, a.w) << a.mode;
    EXPECT_EQ(h, a.h) << a.mode;
  }
  EXPECT_FALSE(placeControl(0, layout, 300, 150, &x, &y, &w, &h));
}

TEST(GfxAutosize, SizerLaysOutOnlyIdleControlsOutOfTheirParentsSight) {
  // A control at (L, T)-(R, B) in a 200 x 100 parent, last painted at 1000.
  auto due = [](int mode, unsigned now, int l, int t, int r, int b) {
    return sizerShouldLayout(mode, now, 1000, l, t, r, b, 200, 100);
  };
  EXPECT_TRUE(due(3, 1101, 200, 0, 240, 40));   // right of the parent, idle 101 ms
  EXPECT_FALSE(due(3, 1100, 200, 0, 240, 40));  // idle 100 ms: its own paint may come
  EXPECT_FALSE(due(0, 5000, 200, 0, 240, 40));  // autosize off
  EXPECT_FALSE(due(1, 5000, 199, 99, 240, 140));  // one pixel still inside
  EXPECT_TRUE(due(1, 5000, 0, 100, 50, 140));     // below
  EXPECT_TRUE(due(2, 5000, -50, 0, 0, 40));       // left
  EXPECT_TRUE(due(4, 5000, 0, -40, 50, 0));       // above
  // A tick count that wrapped, or a paint stamp from later in the same
  // period, counts by its distance either way.
  EXPECT_TRUE(sizerShouldLayout(1, 50, 0xFFFFFF00u, 300, 0, 340, 40, 200, 100));
  EXPECT_FALSE(sizerShouldLayout(1, 950, 1000, 300, 0, 340, 40, 200, 100));
  EXPECT_TRUE(sizerShouldLayout(1, 0x80000000u, 0, 300, 0, 340, 40, 200, 100));
}

TEST(GfxScroll, RequestsClampingWheelAndPointerParameters) {
  EXPECT_EQ(newScrollPos(100, 0), 95);
  EXPECT_EQ(newScrollPos(100, 1), 105);
  EXPECT_EQ(newScrollPos(100, 2), 50);
  EXPECT_EQ(newScrollPos(100, 3), 150);
  EXPECT_EQ(newScrollPos(100, (40000u << 16) | 5), 40000);  // high word unsigned
  EXPECT_EQ(newScrollPos(100, (7u << 16) | 4), 7);
  EXPECT_EQ(newScrollPos(100, 8), 100);  // SB_ENDSCROLL and others
  EXPECT_EQ(newScrollPos(100, wheelScrollCode(120, 15)), 85);
  EXPECT_EQ(newScrollPos(100, wheelScrollCode(-240, 15)), 130);
  EXPECT_EQ(newScrollPos(100, wheelScrollCode(60, 15)), 100);  // less than a notch
  EXPECT_EQ(clampScrollPos(-5, 16, 1000), 0);
  EXPECT_EQ(clampScrollPos(5000, 16, 1000), 1015);
  EXPECT_EQ(clampScrollPos(5, 0, 1), 0);
  // Extreme extents and positions neither overflow nor leave the range.
  EXPECT_EQ(scrollMax(16, INT_MAX), INT_MAX);
  EXPECT_EQ(clampScrollPos(newScrollPos(INT_MAX, 3), 16, INT_MAX), INT_MAX);
  EXPECT_EQ(clampScrollPos(newScrollPos(INT_MIN, 2), 16, 100), 0);
  EXPECT_EQ(surfacePointParam((20u << 16) | 10, 100, 0), (20u << 16) | 110);
  EXPECT_EQ(surfacePointParam((20u << 16) | 10, 0, 7), (27u << 16) | 10);
  EXPECT_EQ(surfacePointParam((1u << 16) | 0xFFFF, 1, 0), (1u << 16) | 0);  // 16 bits each
}
