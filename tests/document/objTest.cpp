// Design objects: creation, order, moving, handle codes, deletion, Trim Size.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/trimBoard.h"
#include "tests/support/designFixture.h"

using Objects = DesignTest;

TEST_F(Objects, CreatorsFillTheirKindAndZeroTheRest) {
  Obj* rect = ListToObj(ObjNewRect(10, 20, 5, 6, 7, 1));
  EXPECT_EQ(rect->type, OBJ_RECT);
  EXPECT_EQ(rect->x1, 10);  // corners as given
  EXPECT_EQ(rect->x2, 5);
  EXPECT_EQ(rect->tool, 7);
  EXPECT_EQ(rect->fill, 1);
  Obj* circle = ListToObj(ObjNewCircle(8, 9, 2.5, 3, 1));
  Obj expect = {};
  expect.type = OBJ_CIRCLE; expect.x1 = 8; expect.y1 = 9; expect.radius = 2.5;
  expect.tool = 3; expect.fill = 1;
  EXPECT_EQ(memcmp(circle, &expect, sizeof(Obj)), 0);  // unused fields and padding zero
  Obj* line = ListToObj(ObjNewLine(1, 2, 3, 4, 5));
  EXPECT_EQ(line->type, OBJ_LINE);
  EXPECT_EQ(line->fill, 0);
  EXPECT_EQ(ListToObj(ObjNewDrill(11, 12, 9))->type, OBJ_DRILL);
  EXPECT_EQ(ListToObj(nullptr), nullptr);
}

TEST_F(Objects, ListKeepsCreationOrderAndCounts) {
  Link* a = ObjNewDrill(1, 0, 0);
  Link* b = ObjNewDrill(2, 0, 0);
  Link* c = ObjNewDrill(3, 0, 0);
  EXPECT_EQ(gObjList, a);
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(objCount(), 3u);
  Obj rec = *ListToObj(b);
  rec.pad1[5] = 0xAB;  // copied verbatim, padding included
  Link* d = ObjNewIndirect(&rec);
  EXPECT_EQ(c->next, d);
  EXPECT_EQ(memcmp(ListToObj(d), &rec, sizeof(Obj)), 0);
  EXPECT_EQ(deleteObj(b), 1);
  EXPECT_EQ(a->next, c);
  EXPECT_EQ(deleteObj(nullptr), 0);
  EXPECT_EQ(deleteObj(a), 1);
  EXPECT_EQ(gObjList, c);
  EXPECT_EQ(objCount(), 2u);
  resetObjs();
  EXPECT_EQ(objCount(), 0u);
  EXPECT_EQ(gObjList, nullptr);
}

typedef std::vector<double> Values;

namespace {

// x1, y1, x2, y2, radius of an object.
Values _geometry(Link* l) {
  Obj* o = ListToObj(l);
  return {o->x1, o->y1, o->x2, o->y2, o->radius};
}

}  // namespace

TEST_F(Objects, MoveKeepsTheSecondPointsOffset) {
  Link* l = ObjNewLine(1, 1, 4, 5, 0);
  moveObj(l, 10, 10);
  EXPECT_EQ(_geometry(l), (Values{10, 10, 13, 14, 0}));
  moveObj(nullptr, 1, 1);
  Link empty = {nullptr, nullptr, nullptr};
  moveObj(&empty, 1, 1);
  sizeObj(&empty, 1, 1, GRIP_X1Y1);
}

TEST_F(Objects, HandleCodesSetTheirFields) {
  struct { int grip; Values after; } cases[] = {
      {0, {0, 0, 10, 10, 0}}, {1, {3, 4, 10, 10, 0}}, {2, {0, 4, 10, 10, 0}},
      {3, {0, 4, 3, 10, 0}},  {4, {3, 0, 10, 10, 0}}, {5, {0, 0, 3, 10, 0}},
      {6, {3, 0, 10, 4, 0}},  {7, {0, 0, 10, 4, 0}},  {8, {0, 0, 3, 4, 0}},
      {9, {0, 0, 10, 10, 0}}, {11, {0, 0, 10, 10, 0}}, {-1, {0, 0, 10, 10, 0}},
      {10, {0, 0, 10, 10, 5}},  // rim: distance from (x1, y1)
  };
  for (auto& c : cases) {
    Link* l = ObjNewRect(0, 0, 10, 10, 0, 0);
    sizeObj(l, 3, 4, c.grip);
    EXPECT_EQ(_geometry(l), c.after) << c.grip;
  }
  // Corners may pass each other: the rectangle keeps swapped corners.
  Link* r = ObjNewRect(0, 0, 10, 10, 0, 0);
  sizeObj(r, -5, -5, GRIP_X2Y2);
  EXPECT_EQ(_geometry(r), (Values{0, 0, -5, -5, 0}));
}

TEST_F(Objects, RimHandleHasARadiusFloor) {
  Link* l = ObjNewCircle(0, 0, 5, 0, 0);
  Obj* o = ListToObj(l);
  sizeObj(l, 0, 0, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.1);
  sizeObj(l, 0.01, 0, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.1);
  sizeObj(l, 0, -0.011, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.011);
}

TEST_F(Objects, TrimMovesTheExtentToTheOriginAndSizesTheBoard) {
  Link* c = ObjNewCircle(20, 30, 5, 0, 0);
  trimDesign();
  EXPECT_EQ(_geometry(c), (Values{5, 5, -15, -25, 5}));  // every kind shifts x2, y2 too
  EXPECT_EQ(gV.boardWidth, 10);
  EXPECT_EQ(gV.boardHeight, 10);

  resetObjs();
  Link* line = ObjNewLine(10, 40, 30, 20, 0);
  Link* drill = ObjNewDrill(50, 60, 0);
  Link* rect = ObjNewRect(30, 25, 20, 21, 0, 0);  // corners right to left: same extent
  trimDesign();
  EXPECT_EQ(_geometry(line), (Values{0, 20, 20, 0, 0}));
  EXPECT_EQ(_geometry(drill), (Values{40, 40, -10, -20, 0}));
  EXPECT_EQ(_geometry(rect), (Values{20, 5, 10, 1, 0}));
  EXPECT_EQ(gV.boardWidth, 40);
  EXPECT_EQ(gV.boardHeight, 40);

  resetObjs();
  trimDesign();
  EXPECT_EQ(gV.boardWidth, 0);
  EXPECT_EQ(gV.boardHeight, 0);
}
