#include "cad/document/trimBoard.h"

#include <algorithm>

#include "cad/document/obj.h"
#include "cad/document/settings.h"

namespace {

struct Extent {
  double minX, minY, maxX, maxY;
};

Extent _objExtent(const Obj* o) {
  switch (o->type) {
    case OBJ_CIRCLE:
      return {o->x1 - o->radius, o->y1 - o->radius, o->x1 + o->radius, o->y1 + o->radius};
    case OBJ_LINE:
    case OBJ_RECT:
      return {std::min(o->x1, o->x2), std::min(o->y1, o->y2),
              std::max(o->x1, o->x2), std::max(o->y1, o->y2)};
    default:  // drill points, and anything else, as the single point (x1, y1)
      return {o->x1, o->y1, o->x1, o->y1};
  }
}

}  // namespace

void trimDesign() {
  Extent all = {0, 0, 0, 0};
  for (Link* l = gObjList; l; l = l->next) {
    Extent e = _objExtent(ListToObj(l));
    if (l == gObjList) {
      all = e;
    } else {
      all.minX = std::min(all.minX, e.minX);
      all.minY = std::min(all.minY, e.minY);
      all.maxX = std::max(all.maxX, e.maxX);
      all.maxY = std::max(all.maxY, e.maxY);
    }
  }
  for (Link* l = gObjList; l; l = l->next) {
    Obj* o = ListToObj(l);
    o->x1 -= all.minX;
    o->x2 -= all.minX;
    o->y1 -= all.minY;
    o->y2 -= all.minY;
  }
  gV.boardWidth = all.maxX - all.minX;
  gV.boardHeight = all.maxY - all.minY;
}
