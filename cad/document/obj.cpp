#include "cad/document/obj.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

Link* gObjList = nullptr;

double GetDistance(double ax, double ay, double bx, double by) {
  return std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
}

Obj* ListToObj(Link* link) {
  return link ? static_cast<Obj*>(link->data) : nullptr;
}

namespace {

// Appends obj to gObjList; frees it and returns null if no node can be had.
Link* _append(Obj* obj) {
  if (!obj) return nullptr;
  Link* link = newLink(&gObjList, LINK_BACK, nullptr, obj);
  if (!link) free(obj);
  return link;
}

Obj* _newObj(int32_t type, uint8_t tool) {
  Obj* obj = static_cast<Obj*>(calloc(1, sizeof(Obj)));
  if (obj) {
    obj->type = type;
    obj->tool = tool;
  }
  return obj;
}

}  // namespace

Link* ObjNewLine(double x1, double y1, double x2, double y2, uint8_t tool) {
  Obj* obj = _newObj(OBJ_LINE, tool);
  if (obj) {
    obj->x1 = x1; obj->y1 = y1; obj->x2 = x2; obj->y2 = y2;
  }
  return _append(obj);
}

Link* ObjNewRect(double x1, double y1, double x2, double y2, uint8_t tool, uint8_t fill) {
  Obj* obj = _newObj(OBJ_RECT, tool);
  if (obj) {
    obj->x1 = x1; obj->y1 = y1; obj->x2 = x2; obj->y2 = y2;
    obj->fill = fill;
  }
  return _append(obj);
}

Link* ObjNewCircle(double cx, double cy, double radius, uint8_t tool, uint8_t fill) {
  Obj* obj = _newObj(OBJ_CIRCLE, tool);
  if (obj) {
    obj->x1 = cx; obj->y1 = cy; obj->radius = radius;
    obj->fill = fill;
  }
  return _append(obj);
}

Link* ObjNewDrill(double x, double y, uint8_t tool) {
  Obj* obj = _newObj(OBJ_DRILL, tool);
  if (obj) {
    obj->x1 = x; obj->y1 = y;
  }
  return _append(obj);
}

Link* ObjNewIndirect(const Obj* record) {
  if (!record) return nullptr;
  Obj* obj = static_cast<Obj*>(malloc(sizeof(Obj)));
  if (obj) memcpy(obj, record, sizeof(Obj));
  return _append(obj);
}

void moveObj(Link* link, double x, double y) {
  Obj* obj = ListToObj(link);
  if (!obj) return;
  obj->x2 = x + (obj->x2 - obj->x1);
  obj->y2 = y + (obj->y2 - obj->y1);
  obj->x1 = x;
  obj->y1 = y;
}

void sizeObj(Link* link, double x, double y, int grip) {
  Obj* obj = ListToObj(link);
  if (!obj) return;
  switch (grip) {
    case GRIP_X1Y1: obj->x1 = x; obj->y1 = y; break;
    case GRIP_Y1: obj->y1 = y; break;
    case GRIP_X2Y1: obj->x2 = x; obj->y1 = y; break;
    case GRIP_X1: obj->x1 = x; break;
    case GRIP_X2: obj->x2 = x; break;
    case GRIP_X1Y2: obj->x1 = x; obj->y2 = y; break;
    case GRIP_Y2: obj->y2 = y; break;
    case GRIP_X2Y2: obj->x2 = x; obj->y2 = y; break;
    case GRIP_RIM: {
      double r = GetDistance(obj->x1, obj->y1, x, y);
      obj->radius = r <= 0.01 ? 0.1 : r;
      break;
    }
    default: break;  // GRIP_NONE, GRIP_CENTRE and unknown codes
  }
}

int deleteObj(Link* link) {
  if (!link) return 0;
  free(link->data);
  return removeLink(&gObjList, link);
}

unsigned objCount() {
  unsigned n = 0;
  for (Link* l = gObjList; l; l = l->next) n++;
  return n;
}

void freeObjList(Link** head) {
  while (*head) {
    free((*head)->data);
    removeLink(head, *head);
  }
}

void resetObjs() {
  freeObjList(&gObjList);
}
