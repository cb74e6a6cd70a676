// Geometry of the editor: snapping, the hit tests of every kind of object
// and of the editing grips. Pure functions of the design and gV; board units
// unless a name says pixels. Every comparison is inclusive.
#pragma once

#include "cad/document/obj.h"

// v snapped to gV.snapSpacing: s * trunc(v / s + 0.5), the nearest multiple
// at and right of -s/2, rounding toward zero further left. A spacing of 0,
// below 0 or not a number, and a v too far out to snap, leave v as it is.
double toSnap(double v);

// Bit size of an object's tool entry, for its pen width and hit tolerance:
// 0 when the object's tool index lies outside the table (a damaged file) or
// the size is not a finite number.
double objToolSize(const Obj* obj);
// Hit tolerance of an object: 12 pixels plus its bit size, in board units.
double hitTolerance(const Obj* obj);

// Whether (x, y) lies in the rectangle, corners in either order, edges
// included.
bool isInRect(double x, double y, double left, double top, double right, double bottom);
// Intersection of the line through a and b with the line through c and d:
// 1 with the point in out, or 0 (out untouched) for parallel lines.
int GetIntersection(double* outX, double* outY, double ax, double ay, double bx, double by,
                    double cx, double cy, double dx, double dy);

// Whether board point q hits the shape with tolerance w (margin h = w / 2).
// A line whose ends coincide is hit within h of that point.
bool hitTestLine(double qx, double qy, double x1, double y1, double x2, double y2, double w);
bool hitTestRect(double qx, double qy, double x1, double y1, double x2, double y2, double w);
bool hitTestRectFilled(double qx, double qy, double x1, double y1, double x2, double y2,
                       double w);
bool hitTestCircle(double qx, double qy, double cx, double cy, double radius, double w);
bool hitTestCircleFilled(double qx, double qy, double cx, double cy, double radius, double w);
bool hitTestDrill(double qx, double qy, double x, double y, double w);
// Whether board point (x, y) hits the object with its own tolerance.
bool hitTestObj(const Obj* obj, double x, double y);
// The topmost (latest created) object hit at board point (x, y), or null.
Link* hitTestObjs(double x, double y);

// One editing grip: its board point and its code (GRIP_*, the sizeObj
// handle it drags).
struct Grip {
  double x, y;
  int code;
};
enum { MAX_GRIPS = 9 };
// The grips of an object's kind in drawing and testing order; returns how
// many (0 for a drill point, an unknown kind or null).
int objGrips(const Obj* obj, Grip grips[MAX_GRIPS]);
// The grip square of board point (x, y) in unrounded view pixels:
// gV.gripSize pixels wide, centred on the point's pixel position.
struct GripSquare {
  double left, top, right, bottom;
};
GripSquare gripSquare(double x, double y);
// Whether view pixel (px, py) lies in that square, edges included.
bool gripContains(double x, double y, double px, double py);
// Code of the first grip of the link's object whose square holds pixel
// (px, py); 0 for none or a null link.
int hitTestGrips(Link* link, double px, double py);
