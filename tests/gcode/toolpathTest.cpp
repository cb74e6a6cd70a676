// Outline toolpaths: rectangles and circles.
#include <gtest/gtest.h>

#include "cad/gcode/generate.h"
#include "tests/support/designFixture.h"
#include "tests/support/gcodeSink.h"

using Toolpath = DesignTest;

// Both corners swapped: Faults.UnorderedFilledRectangleIsFilledFromItsOrderedCorners.
TEST_F(Toolpath, RectangleFollowsItsCornersAsGiven) {
  EXPECT_EQ(toolpath(([] { rectangle(0, 0, 10, 5, 0.1); })),
            travelAndPlunge("0.00", "0.00", "-0.10") +
                (Lines{"g1x0.00y5.00", "g1x10.00y5.00", "g1x10.00y0.00", "g1x0.00y0.00"}));
  EXPECT_EQ(toolpath(([] { rectangle(10, 0, 0, 5, 0.1); })),
            travelAndPlunge("10.00", "0.00", "-0.10") +
                (Lines{"g1x10.00y5.00", "g1x0.00y5.00", "g1x0.00y0.00", "g1x10.00y0.00"}));
}

TEST_F(Toolpath, CircleChordsAndClosingOverlap) {
  Lines c = toolpath(([] { circle(0, 0, 1, 0.2); }));
  ASSERT_EQ(c.size(), 4u + 14u);  // angles 0, 0.5, ... 6.5
  EXPECT_EQ(Lines(c.begin(), c.begin() + 4), travelAndPlunge("1.00", "0.00", "-0.20"));
  EXPECT_EQ(c[4], "g1x1.00y0.00");
  EXPECT_EQ(c[5], "g1x0.88y0.48");  // 0.5 rad, counter-clockwise
  EXPECT_EQ(c.back(), "g1x0.98y0.22");

  // Radius 0.05: one chord of a full turn, both cuts to the start point.
  EXPECT_EQ(toolpath(([] { circle(3, 4, 0.05, 0.1); })),
            travelAndPlunge("3.05", "4.00", "-0.10") + (Lines{"g1x3.05y4.00", "g1x3.05y4.00"}));
  EXPECT_EQ(toolpath(([] { circle(3, 4, 0, 0.1); })),
            travelAndPlunge("3.00", "4.00", "-0.10") + (Lines{"g1x3.00y4.00", "g1x3.00y4.00"}));
}
