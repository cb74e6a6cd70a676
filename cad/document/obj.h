// Design objects and the design's object list gObjList.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cad/document/linkedList.h"

// Object kinds (Obj::type).
enum { OBJ_LINE = 0, OBJ_RECT = 1, OBJ_CIRCLE = 2, OBJ_DRILL = 3 };

// One design object. Its 56-byte image is also its record in the design file.
struct Obj {
  int32_t type;       // OBJ_*
  uint8_t pad0[4];
  double x1, y1;      // line start, first rectangle corner, circle centre, drill point
  double x2, y2;      // line end, opposite rectangle corner; zero otherwise
  double radius;      // circle radius; zero otherwise
  uint8_t tool;       // index into gTools (not the bit number)
  uint8_t fill;       // 1 = rectangle or circle is cleared out, 0 = outline
  uint8_t pad1[6];
};
static_assert(sizeof(Obj) == 56, "Obj is the 56-byte file record");
static_assert(offsetof(Obj, x1) == 8 && offsetof(Obj, y1) == 16 &&
              offsetof(Obj, x2) == 24 && offsetof(Obj, y2) == 32 &&
              offsetof(Obj, radius) == 40 && offsetof(Obj, tool) == 48 &&
              offsetof(Obj, fill) == 49, "Obj field offsets");

// Handle codes of sizeObj (also the editor's grip codes).
enum {
  GRIP_NONE = 0, GRIP_X1Y1 = 1, GRIP_Y1 = 2, GRIP_X2Y1 = 3, GRIP_X1 = 4, GRIP_X2 = 5,
  GRIP_X1Y2 = 6, GRIP_Y2 = 7, GRIP_X2Y2 = 8, GRIP_CENTRE = 9, GRIP_RIM = 10
};

// Head of the design's object list, in creation order; null when empty.
extern Link* gObjList;

// Euclidean distance between (ax, ay) and (bx, by).
double GetDistance(double ax, double ay, double bx, double by);

Obj* ListToObj(Link* link);
// Creators append a zero-filled object at the tail and return its node, or
// null (list unchanged) when memory runs out.
Link* ObjNewLine(double x1, double y1, double x2, double y2, uint8_t tool);
Link* ObjNewRect(double x1, double y1, double x2, double y2, uint8_t tool, uint8_t fill);
Link* ObjNewCircle(double cx, double cy, double radius, uint8_t tool, uint8_t fill);
Link* ObjNewDrill(double x, double y, uint8_t tool);
// Appends a copy of the 56 bytes of record, unchecked.
Link* ObjNewIndirect(const Obj* record);
// Moves (x1, y1) to (x, y), keeping (x2, y2) at its offset from it.
void moveObj(Link* link, double x, double y);
// Moves the handle grip (GRIP_*) of the object to (x, y).
void sizeObj(Link* link, double x, double y, int grip);
// Frees the object and its node; 0 for a null link, else 1.
int deleteObj(Link* link);
unsigned objCount();
// Deletes every object; the list is empty afterwards.
void resetObjs();
// Frees every node and object of the list at *head and empties it.
void freeObjList(Link** head);
