// Snapping, the hit bands of every kind of object, the topmost hit and the
// grips, at the default zoom 5 with tool entry 0 (size 0.5): w = 2.9, h = 1.45.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cad/editor/functions.h"
#include "tests/editor/editorFixture.h"

using Geometry = EditorTest;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double W = 12.0 / 5 + 0.5;  // tolerance of tool entry 0 at zoom 5

struct SnapCase {
  double spacing, value, snapped;
};

struct HitCase {
  double x, y;
  bool hit;
};

}  // namespace

TEST_F(Geometry, SnapsToTheSpacingRoundingHalvesUpAndTowardZeroFarLeft) {
  const SnapCase cases[] = {
      {1, 2.5, 3},     {1, 2.49, 2},   {1, -1.7, -1},  {1, -0.5, 0},
      {0.5, 0.8, 1.0}, {2, 5.0, 6},    {1, 1e12 + 0.4, 1e12},
      // Spacings that would divide by zero or make no sense leave the value.
      {0, 2.7, 2.7},   {-1, 2.7, 2.7}, {NaN, 2.7, 2.7}, {1e-320, 3.3, 3.3},
  };
  for (const SnapCase& c : cases) {
    gV.snapSpacing = c.spacing;
    EXPECT_DOUBLE_EQ(toSnap(c.value), c.snapped) << c.spacing << " " << c.value;
  }
  gV.snapSpacing = 1;
  EXPECT_TRUE(std::isnan(toSnap(NaN)));
  EXPECT_EQ(toSnap(1e300), 1e300);
}

TEST_F(Geometry, ToleranceComesFromTheToolAndZoom) {
  Obj* obj = ListToObj(ObjNewLine(0, 0, 10, 0, 2));
  EXPECT_DOUBLE_EQ(hitTolerance(obj), 12.0 / 5 + 0.7);
  gV.zoom = 2;
  EXPECT_DOUBLE_EQ(hitTolerance(obj), 6 + 0.7);
  // A damaged tool index or size counts as a bit of no width.
  obj->tool = 200;
  EXPECT_DOUBLE_EQ(hitTolerance(obj), 6);
  obj->tool = 1;
  gTools[1].size = NaN;
  EXPECT_DOUBLE_EQ(hitTolerance(obj), 6);
}

TEST_F(Geometry, LineBandIsCutSquareAtTheEnds) {
  // Reversed, the same points test the band's other end.
  const HitCase cases[] = {
      {5, 1.4, true},  {5, 1.5, false}, {5, -1.45, true},
      {11.4, 0, true}, {11.5, 0, false}, {11.4, 1.4, true},
  };
  for (const HitCase& c : cases) {
    EXPECT_EQ(hitTestLine(c.x, c.y, 0, 0, 10, 0, W), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(hitTestLine(c.x, c.y, 10, 0, 0, 0, W), c.hit) << "reversed " << c.x << "," << c.y;
  }
  // A diagonal is hit by distance from the line, not from the box.
  EXPECT_TRUE(hitTestLine(5, 5, 0, 0, 10, 10, W));
  EXPECT_TRUE(hitTestLine(5 + 1.0, 5 - 1.0, 0, 0, 10, 10, W));   // 1.41 away
  EXPECT_FALSE(hitTestLine(5 + 1.1, 5 - 1.1, 0, 0, 10, 10, W));  // 1.56 away
}

TEST_F(Geometry, LineWithoutLengthIsHitAsItsPoint) {
  const HitCase cases[] = {
      {3, 4, true}, {3 + 1.44, 4, true}, {3, 4 - 1.44, true}, {3 + 1.5, 4, false},
      {3 + 1.1, 4 + 1.1, false},  // inside the square, 1.56 from the point
      {3 + 1.0, 4 + 1.0, true},
  };
  for (const HitCase& c : cases)
    EXPECT_EQ(hitTestLine(c.x, c.y, 3, 4, 3, 4, W), c.hit) << c.x << "," << c.y;
}

TEST_F(Geometry, IntersectionOfLinesAndParallels) {
  double x = 99, y = 99;
  ASSERT_EQ(GetIntersection(&x, &y, 0, 0, 10, 10, 0, 10, 10, 0), 1);
  EXPECT_DOUBLE_EQ(x, 5);
  EXPECT_DOUBLE_EQ(y, 5);
  x = y = 99;
  EXPECT_EQ(GetIntersection(&x, &y, 0, 0, 10, 0, 0, 1, 10, 1), 0);
  EXPECT_EQ(x, 99);  // untouched
  EXPECT_EQ(GetIntersection(&x, &y, 1, 1, 1, 1, 0, 0, 10, 3), 0);  // no direction
}

TEST_F(Geometry, CircleBands) {
  for (double d : {3.55, 5.0, 6.45}) {
    EXPECT_TRUE(hitTestCircle(d, 0, 0, 0, 5, W)) << d;
    EXPECT_TRUE(hitTestCircle(0, -d, 0, 0, 5, W)) << d;
  }
  for (double d : {0.0, 3.5, 6.5}) EXPECT_FALSE(hitTestCircle(d, 0, 0, 0, 5, W)) << d;
  for (double d : {0.0, 3.5, 6.45}) EXPECT_TRUE(hitTestCircleFilled(0, d, 0, 0, 5, W)) << d;
  EXPECT_FALSE(hitTestCircleFilled(6.5, 0, 0, 0, 5, W));
}

TEST_F(Geometry, RectangleOutlineFilledAndCornerOrder) {
  const HitCase outline[] = {
      {5, 5, false},   {1.5, 5, false}, {1.4, 5, true},    {1.45, 5, false},  // inner edge
      {-1.4, 5, true}, {-1.5, 5, false}, {11.4, 11.4, true}, {11.5, 5, false},
      {5, 8.6, true},  {5, 8.5, false},
  };
  for (const HitCase& c : outline) {
    EXPECT_EQ(hitTestRect(c.x, c.y, 0, 0, 10, 10, W), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(hitTestRect(c.x, c.y, 10, 10, 0, 0, W), c.hit) << "reversed " << c.x;
    EXPECT_EQ(hitTestRect(c.x, c.y, 10, 0, 0, 10, W), c.hit) << "mixed " << c.x;
  }
  EXPECT_TRUE(hitTestRectFilled(5, 5, 0, 0, 10, 10, W));
  EXPECT_TRUE(hitTestRectFilled(5, 5, 10, 10, 0, 0, W));
  EXPECT_FALSE(hitTestRectFilled(-1.5, 5, 0, 0, 10, 10, W));
  // Narrower than 2h: no inner box, hit anywhere inside.
  EXPECT_TRUE(hitTestRect(1, 5, 0, 0, 2, 10, W));
  EXPECT_TRUE(hitTestRect(5, 1, 0, 0, 10, 2, W));
  EXPECT_TRUE(hitTestRect(1.45, 5, 0, 0, 2.9, 10, W));  // exactly 2h wide
}

TEST_F(Geometry, DrillSquare) {
  const HitCase cases[] = {
      {1.45, 1.45, true}, {-1.45, -1.45, true}, {1.5, 0, false}, {0, -1.5, false},
  };
  for (const HitCase& c : cases) EXPECT_EQ(hitTestDrill(c.x, c.y, 0, 0, W), c.hit);
}

TEST_F(Geometry, InRectTakesEitherCornerOrderAndEdges) {
  EXPECT_TRUE(isInRect(0, 0, 0, 0, 10, 10));
  EXPECT_TRUE(isInRect(10, 10, 10, 10, 0, 0));
  EXPECT_TRUE(isInRect(5, 5, 10, 0, 0, 10));
  EXPECT_FALSE(isInRect(10.01, 5, 10, 0, 0, 10));
  EXPECT_FALSE(isInRect(NaN, 5, 0, 0, 10, 10));
}

TEST_F(Geometry, TopmostHitIsTheLatestObjectAndUnknownKindsAreNeverHit) {
  EXPECT_EQ(hitTestObjs(5, 5), nullptr);
  Link* filled = ObjNewRect(0, 0, 10, 10, 0, 1);
  Link* circle = ObjNewCircle(5, 5, 2, 0, 0);
  Link* drill = ObjNewDrill(20, 20, 0);
  EXPECT_EQ(hitTestObjs(5, 5), filled);  // inside the ring: the filled box below
  EXPECT_EQ(hitTestObjs(7, 5), circle);  // on the ring, above the box
  EXPECT_EQ(hitTestObjs(20.5, 19.5), drill);
  EXPECT_EQ(hitTestObjs(30, 30), nullptr);
  ListToObj(ObjNewRect(0, 0, 40, 40, 0, 1))->type = 7;  // damaged kind on top
  EXPECT_EQ(hitTestObjs(7, 5), circle);
  // A tool index past the table still hits, with the bare 12-pixel tolerance.
  ListToObj(drill)->tool = 255;
  EXPECT_EQ(hitTestObjs(21.2, 20), drill);
  EXPECT_EQ(hitTestObjs(21.3, 20), nullptr);
  ListToObj(ObjNewLine(NaN, 0, 50, 0, 0));  // NaN geometry: never hit
  EXPECT_EQ(hitTestObjs(25, 0), nullptr);
}

TEST_F(Geometry, GripsInOrderWithTheirCodes) {
  struct Expect {
    Link* link;
    std::vector<Grip> grips;
  };
  const Expect cases[] = {
      {ObjNewLine(1, 2, 3, 4, 0), {{1, 2, 1}, {3, 4, 8}}},
      {ObjNewRect(0, 0, 10, 20, 0, 0),
       {{0, 0, 1}, {10, 20, 8}, {10, 0, 3}, {0, 20, 6}, {5, 0, 2}, {5, 20, 7}, {0, 10, 4},
        {10, 10, 5}, {5, 10, 9}}},
      {ObjNewCircle(10, 10, 3, 0, 1), {{7, 10, 10}, {13, 10, 10}, {10, 13, 10}, {10, 7, 10},
                                       {10, 10, 9}}},
      {ObjNewDrill(1, 1, 0), {}},
  };
  for (const Expect& c : cases) {
    Grip grips[MAX_GRIPS];
    const int n = objGrips(ListToObj(c.link), grips);
    ASSERT_EQ(n, static_cast<int>(c.grips.size()));
    for (int i = 0; i < n; i++) {
      EXPECT_EQ(grips[i].x, c.grips[i].x) << i;
      EXPECT_EQ(grips[i].y, c.grips[i].y) << i;
      EXPECT_EQ(grips[i].code, c.grips[i].code) << i;
      // Each grip is found at its own pixel (the view shifted by 2 units).
      gV.viewX = 2;
      EXPECT_EQ(hitTestGrips(c.link, (grips[i].x + 2) * 5, grips[i].y * 5), grips[i].code);
      gV.viewX = 0;
    }
  }
  EXPECT_EQ(objGrips(nullptr, nullptr), 0);
  EXPECT_EQ(hitTestGrips(nullptr, 0, 0), 0);
}

TEST_F(Geometry, GripSquareSpansGripSizePixelsEdgesIncluded) {
  Link* line = ObjNewLine(20, 20, 60, 60, 0);  // (20, 20) is pixel (100, 100)
  for (int d = -5; d <= 5; d++) {
    EXPECT_EQ(hitTestGrips(line, 100 + d, 100), 1) << d;
    EXPECT_EQ(hitTestGrips(line, 100, 100 + d), 1) << d;
  }
  EXPECT_EQ(hitTestGrips(line, 106, 100), 0);
  EXPECT_EQ(hitTestGrips(line, 100, 94), 0);
  EXPECT_EQ(hitTestGrips(line, 300, 300), 8);
  gV.gripSize = 20;
  EXPECT_EQ(hitTestGrips(line, 110, 90), 1);
  // Where grips overlap, the earlier one in testing order wins.
  Link* tiny = ObjNewRect(0, 0, 0.4, 0.4, 0, 0);
  EXPECT_EQ(hitTestGrips(tiny, 1, 1), 1);
}
