#include "cad/editor/functions.h"

#include <algorithm>
#include <cmath>

#include "cad/document/settings.h"
#include "cad/document/tools.h"

double toSnap(double v) {
  const double s = gV.snapSpacing;
  if (!(s > 0)) return v;
  const double n = v / s + 0.5;
  if (!std::isfinite(n)) return v;
  // The whole part of n, as a conversion to an integer would give it, but
  // without the integer's range.
  return s * std::trunc(n);
}

double objToolSize(const Obj* obj) {
  const Tool* tool = toolAt(obj->tool);
  return tool && std::isfinite(tool->size) ? tool->size : 0.0;
}

double hitTolerance(const Obj* obj) { return 12.0 / gV.zoom + objToolSize(obj); }

bool isInRect(double x, double y, double left, double top, double right, double bottom) {
  return std::min(left, right) <= x && x <= std::max(left, right) && std::min(top, bottom) <= y &&
         y <= std::max(top, bottom);
}

int GetIntersection(double* outX, double* outY, double ax, double ay, double bx, double by,
                    double cx, double cy, double dx, double dy) {
  const double den = (dy - cy) * (bx - ax) - (dx - cx) * (by - ay);
  if (den == 0) return 0;
  const double u = ((dx - cx) * (ay - cy) - (dy - cy) * (ax - cx)) / den;
  *outX = ax + (bx - ax) * u;
  *outY = ay + (by - ay) * u;
  return 1;
}

namespace {

// a - h <= q <= b + h with a and b in either order.
bool _inSpan(double q, double a, double b, double h) {
  return (a - h <= q && q <= b + h) || (b - h <= q && q <= a + h);
}

}  // namespace

bool hitTestLine(double qx, double qy, double x1, double y1, double x2, double y2, double w) {
  const double h = w * 0.5;
  if (!_inSpan(qx, x1, x2, h) || !_inSpan(qy, y1, y2, h)) return false;
  double fx, fy;
  // The foot of the perpendicular from q; a line without length has none,
  // and is hit as its one point.
  if (!GetIntersection(&fx, &fy, qx, qy, qx + (y2 - y1), qy + (x1 - x2), x1, y1, x2, y2)) {
    fx = x1;
    fy = y1;
  }
  return GetDistance(fx, fy, qx, qy) <= h;
}

bool hitTestRectFilled(double qx, double qy, double x1, double y1, double x2, double y2,
                       double w) {
  const double h = w * 0.5;
  return std::min(x1, x2) - h <= qx && qx <= std::max(x1, x2) + h &&
         std::min(y1, y2) - h <= qy && qy <= std::max(y1, y2) + h;
}

bool hitTestRect(double qx, double qy, double x1, double y1, double x2, double y2, double w) {
  if (!hitTestRectFilled(qx, qy, x1, y1, x2, y2, w)) return false;
  const double h = w * 0.5;
  const double xmin = std::min(x1, x2), xmax = std::max(x1, x2);
  const double ymin = std::min(y1, y2), ymax = std::max(y1, y2);
  // The inner box, edges included, is not hit; a rectangle at most 2h wide
  // or high has none.
  const bool hasInner = xmax - xmin > 2 * h && ymax - ymin > 2 * h;
  const bool inInner = xmin + h <= qx && qx <= xmax - h && ymin + h <= qy && qy <= ymax - h;
  return !(hasInner && inInner);
}

bool hitTestCircle(double qx, double qy, double cx, double cy, double radius, double w) {
  const double h = w * 0.5;
  const double d = GetDistance(qx, qy, cx, cy);
  return radius - h <= d && d <= radius + h;
}

bool hitTestCircleFilled(double qx, double qy, double cx, double cy, double radius, double w) {
  return GetDistance(qx, qy, cx, cy) <= radius + w * 0.5;
}

bool hitTestDrill(double qx, double qy, double x, double y, double w) {
  const double h = w * 0.5;
  return x - h <= qx && qx <= x - h + w && y - h <= qy && qy <= y - h + w;
}

bool hitTestObj(const Obj* obj, double x, double y) {
  const double w = hitTolerance(obj);
  switch (obj->type) {
    case OBJ_LINE: return hitTestLine(x, y, obj->x1, obj->y1, obj->x2, obj->y2, w);
    case OBJ_RECT:
      return obj->fill ? hitTestRectFilled(x, y, obj->x1, obj->y1, obj->x2, obj->y2, w)
                       : hitTestRect(x, y, obj->x1, obj->y1, obj->x2, obj->y2, w);
    case OBJ_CIRCLE:
      return obj->fill ? hitTestCircleFilled(x, y, obj->x1, obj->y1, obj->radius, w)
                       : hitTestCircle(x, y, obj->x1, obj->y1, obj->radius, w);
    case OBJ_DRILL: return hitTestDrill(x, y, obj->x1, obj->y1, w);
    default: return false;
  }
}

Link* hitTestObjs(double x, double y) {
  for (Link* link = endOfList(gObjList); link; link = link->prev)
    if (hitTestObj(ListToObj(link), x, y)) return link;
  return nullptr;
}

namespace {

Grip _between(double xa, double ya, double xb, double yb, int code) {
  return {xa + (xb - xa) * 0.5, ya + (yb - ya) * 0.5, code};
}

}  // namespace

int objGrips(const Obj* obj, Grip grips[MAX_GRIPS]) {
  if (!obj) return 0;
  const double x1 = obj->x1, y1 = obj->y1, x2 = obj->x2, y2 = obj->y2, r = obj->radius;
  int n = 0;
  switch (obj->type) {
    case OBJ_LINE:
      grips[n++] = {x1, y1, GRIP_X1Y1};
      grips[n++] = {x2, y2, GRIP_X2Y2};
      break;
    case OBJ_RECT:
      grips[n++] = {x1, y1, GRIP_X1Y1};
      grips[n++] = {x2, y2, GRIP_X2Y2};
      grips[n++] = {x2, y1, GRIP_X2Y1};
      grips[n++] = {x1, y2, GRIP_X1Y2};
      grips[n++] = _between(x1, y1, x2, y1, GRIP_Y1);
      grips[n++] = _between(x1, y2, x2, y2, GRIP_Y2);
      grips[n++] = _between(x1, y1, x1, y2, GRIP_X1);
      grips[n++] = _between(x2, y1, x2, y2, GRIP_X2);
      grips[n++] = _between(x1, y1, x2, y2, GRIP_CENTRE);
      break;
    case OBJ_CIRCLE:
      grips[n++] = {x1 - r, y1, GRIP_RIM};
      grips[n++] = {x1 + r, y1, GRIP_RIM};
      grips[n++] = {x1, y1 + r, GRIP_RIM};
      grips[n++] = {x1, y1 - r, GRIP_RIM};
      grips[n++] = {x1, y1, GRIP_CENTRE};
      break;
    default: break;  // drill points and unknown kinds have no grips
  }
  return n;
}

GripSquare gripSquare(double x, double y) {
  const double cx = (x + gV.viewX) * gV.zoom, cy = (y + gV.viewY) * gV.zoom;
  const double half = gV.gripSize * 0.5;
  return {cx - half, cy - half, cx + half, cy + half};
}

bool gripContains(double x, double y, double px, double py) {
  const GripSquare s = gripSquare(x, y);
  return isInRect(px, py, s.left, s.top, s.right, s.bottom);
}

int hitTestGrips(Link* link, double px, double py) {
  Grip grips[MAX_GRIPS];
  const int n = objGrips(ListToObj(link), grips);
  for (int i = 0; i < n; i++)
    if (gripContains(grips[i].x, grips[i].y, px, py)) return grips[i].code;
  return GRIP_NONE;
}
