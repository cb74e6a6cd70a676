// Design objects: creation, order, moving, handle codes, deletion, Trim Size.
#include <gtest/gtest.h>

#include <cstring>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/trimBoard.h"

class Objects : public ::testing::Test {
 protected:
  void SetUp() override { newDesign(); }
  void TearDown() override { resetObjs(); }
};

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

TEST_F(Objects, MoveKeepsTheSecondPointsOffset) {
  Link* l = ObjNewLine(1, 1, 4, 5, 0);
  moveObj(l, 10, 10);
  Obj* o = ListToObj(l);
  EXPECT_DOUBLE_EQ(o->x1, 10);
  EXPECT_DOUBLE_EQ(o->y1, 10);
  EXPECT_DOUBLE_EQ(o->x2, 13);
  EXPECT_DOUBLE_EQ(o->y2, 14);
  moveObj(nullptr, 1, 1);
  Link empty = {nullptr, nullptr, nullptr};
  moveObj(&empty, 1, 1);
  sizeObj(&empty, 1, 1, GRIP_X1Y1);
}

TEST_F(Objects, HandleCodesSetTheirFields) {
  struct { int grip; double x1, y1, x2, y2; } cases[] = {
      {0, 0, 0, 10, 10},  {1, 3, 4, 10, 10}, {2, 0, 4, 10, 10}, {3, 0, 4, 3, 10},
      {4, 3, 0, 10, 10},  {5, 0, 0, 3, 10},  {6, 3, 0, 10, 4},  {7, 0, 0, 10, 4},
      {8, 0, 0, 3, 4},    {9, 0, 0, 10, 10}, {11, 0, 0, 10, 10}, {-1, 0, 0, 10, 10},
  };
  for (auto& c : cases) {
    Link* l = ObjNewRect(0, 0, 10, 10, 0, 0);
    sizeObj(l, 3, 4, c.grip);
    Obj* o = ListToObj(l);
    EXPECT_EQ(o->x1, c.x1) << c.grip;
    EXPECT_EQ(o->y1, c.y1) << c.grip;
    EXPECT_EQ(o->x2, c.x2) << c.grip;
    EXPECT_EQ(o->y2, c.y2) << c.grip;
    EXPECT_EQ(o->radius, 0) << c.grip;
  }
  // Corners may pass each other: the rectangle keeps swapped corners.
  Link* r = ObjNewRect(0, 0, 10, 10, 0, 0);
  sizeObj(r, -5, -5, GRIP_X2Y2);
  EXPECT_EQ(ListToObj(r)->x2, -5);
}

TEST_F(Objects, RimHandleSetsRadiusWithAFloor) {
  Link* l = ObjNewCircle(0, 0, 5, 0, 0);
  Obj* o = ListToObj(l);
  sizeObj(l, 3, 4, GRIP_RIM);
  EXPECT_EQ(o->radius, 5);
  EXPECT_EQ(o->x2, 0);
  sizeObj(l, 0, 0, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.1);
  sizeObj(l, 0.01, 0, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.1);
  sizeObj(l, 0, -0.011, GRIP_RIM);
  EXPECT_EQ(o->radius, 0.011);
  EXPECT_DOUBLE_EQ(GetDistance(0, 0, 3, 4), 5);
}

TEST_F(Objects, TrimMovesTheExtentToTheOriginAndSizesTheBoard) {
  ObjNewCircle(20, 30, 5, 0, 0);
  trimDesign();
  Obj* c = ListToObj(gObjList);
  EXPECT_DOUBLE_EQ(c->x1, 5);
  EXPECT_DOUBLE_EQ(c->y1, 5);
  EXPECT_DOUBLE_EQ(c->radius, 5);
  EXPECT_DOUBLE_EQ(gV.boardWidth, 10);
  EXPECT_DOUBLE_EQ(gV.boardHeight, 10);

  resetObjs();
  Obj* line = ListToObj(ObjNewLine(10, 40, 30, 20, 0));
  Obj* drill = ListToObj(ObjNewDrill(50, 60, 0));
  trimDesign();
  EXPECT_DOUBLE_EQ(line->x1, 0);
  EXPECT_DOUBLE_EQ(line->y1, 20);
  EXPECT_DOUBLE_EQ(line->x2, 20);
  EXPECT_DOUBLE_EQ(line->y2, 0);
  EXPECT_DOUBLE_EQ(drill->x1, 40);
  EXPECT_DOUBLE_EQ(drill->y1, 40);
  EXPECT_DOUBLE_EQ(drill->x2, -10);  // unused fields shift too
  EXPECT_DOUBLE_EQ(gV.boardWidth, 40);
  EXPECT_DOUBLE_EQ(gV.boardHeight, 40);

  resetObjs();
  trimDesign();
  EXPECT_EQ(gV.boardWidth, 0);
  EXPECT_EQ(gV.boardHeight, 0);
}

TEST_F(Objects, TrimTreatsUnorderedRectanglesLikeOrderedOnes) {
  Obj* r = ListToObj(ObjNewRect(30, 25, 10, 5, 0, 0));
  ObjNewDrill(40, 40, 0);
  trimDesign();
  EXPECT_DOUBLE_EQ(r->x1, 20);
  EXPECT_DOUBLE_EQ(r->y1, 20);
  EXPECT_DOUBLE_EQ(r->x2, 0);
  EXPECT_DOUBLE_EQ(r->y2, 0);
  EXPECT_DOUBLE_EQ(gV.boardWidth, 30);
  EXPECT_DOUBLE_EQ(gV.boardHeight, 35);
}
