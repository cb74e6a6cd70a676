#include "cad/editor/statusText.h"

#include <cstdio>

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/editor/functions.h"

const char* const gszMouseState[STATE_COUNT] = {
    "Nothing going on.", "Sizing TL", "Sizing T",   "Sizing TR",     "Sizing L",
    "Sizing R",          "Sizing BL", "Sizing B",   "Sizing BR",     "Moving",
    "Sizing radius",     "New line",  "New rect",   "New circle",    "New drill point"};

const char* mouseStateText(int state) {
  return state >= 0 && state < STATE_COUNT ? gszMouseState[state] : "";
}

void formatSelObjText(char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  const Obj* o = ListToObj(gSelObj);
  if (!o) {
    snprintf(buffer, size, "No obj selected.");
    return;
  }
  switch (o->type) {
    case OBJ_LINE:
      snprintf(buffer, size, "X: %.1f   Y: %.1f   X2: %.1f   Y2: %.1f", o->x1, o->y1, o->x2,
               o->y2);
      break;
    case OBJ_RECT:
      snprintf(buffer, size, "X: %.1f   Y: %.1f   W: %.1f   H: %.1f", o->x1, o->y1,
               o->x2 - o->x1, o->y2 - o->y1);
      break;
    case OBJ_CIRCLE:
      snprintf(buffer, size, "X: %.1f   Y: %.1f   Radius: %.1f", o->x1, o->y1, o->radius);
      break;
    case OBJ_DRILL:
      snprintf(buffer, size, "X: %.1f   Y: %.1f   Diameter: %.1f", o->x1, o->y1,
               objToolSize(o));
      break;
    default: snprintf(buffer, size, "Undefined."); break;
  }
}

void formatZoomText(char* buffer, size_t size) {
  if (!buffer || size == 0) return;
  snprintf(buffer, size, "Zoom: %.0f%%", gV.zoom * 100);
}
