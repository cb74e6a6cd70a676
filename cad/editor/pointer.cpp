#include "cad/editor/pointer.h"

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/editorState.h"
#include "cad/editor/functions.h"
#include "cad/editor/selection.h"
#include "cad/editor/viewMap.h"

int cursorForState(int state) {
  switch (state) {
    case GRIP_X1Y1: case GRIP_X2Y2: return CURSOR_NWSE;
    case GRIP_Y1: case GRIP_Y2: return CURSOR_NS;
    case GRIP_X2Y1: case GRIP_X1Y2: return CURSOR_NESW;
    case GRIP_X1: case GRIP_X2: return CURSOR_WE;
    case STATE_MOVING: return CURSOR_MOVE;
    case STATE_SIZING_RADIUS: return CURSOR_CROSSHAIR;
    default: return CURSOR_KEEP;
  }
}

namespace {

Effect _redraw() {
  Effect effect;
  effect.redraw = true;
  return effect;
}

// Idle press: keep and grab the selection when the press is on it or on one
// of its grips; otherwise select what is under the pointer (without
// grabbing it).
void _pressIdle(Effect* effect, int px, int py, double bx, double by) {
  Link* hit = hitTestObjs(bx, by);
  bool grabbed = false;
  if (gSelObj) {
    grabbed = hit == gSelObj || hitTestGrips(gSelObj, px, py) != GRIP_NONE;
    if (!grabbed) mergeEffect(effect, selectObj(nullptr));
  }
  if (!gSelObj) mergeEffect(effect, selectObj(hit));
  if (!grabbed) return;
  const int grip = hitTestGrips(gSelObj, px, py);
  gMouseState = grip != GRIP_NONE ? grip : STATE_MOVING;
  const Obj* obj = ListToObj(gSelObj);
  gDragObjX = bx - obj->x1;
  gDragObjY = by - obj->y1;
  effect->capture = CAPTURE_TAKE;
  effect->cursor = cursorForState(gMouseState);
}

// Armed press: the new object is selected and grabbed by the handle that
// follows the pointer. Its second point is the unsnapped pointer plus one
// unit until the first drag step.
void _pressCreate(Effect* effect, double bx, double by) {
  const double sx = toSnap(bx), sy = toSnap(by);
  Link* link = nullptr;
  int next = GRIP_X2Y2;
  switch (gMouseState) {
    case STATE_NEW_LINE: link = ObjNewLine(sx, sy, bx + 1, by + 1, gDefaultTool); break;
    case STATE_NEW_RECT: link = ObjNewRect(sx, sy, bx + 1, by + 1, gDefaultTool, 0); break;
    case STATE_NEW_CIRCLE:
      link = ObjNewCircle(sx, sy, 1.0, gDefaultTool, 0);
      next = STATE_SIZING_RADIUS;
      break;
    default:
      link = ObjNewDrill(sx, sy, gDefaultTool);
      next = STATE_MOVING;
      gDragObjX = 0;
      gDragObjY = 0;
      break;
  }
  mergeEffect(effect, selectObj(link));
  gMouseState = next;
  effect->capture = CAPTURE_TAKE;
}

}  // namespace

Effect OnLButtonDown(int px, int py) {
  Effect effect = _redraw();
  effect.focusView = true;
  const double bx = pixelToBoardX(px), by = pixelToBoardY(py);
  if (gMouseState == STATE_IDLE)
    _pressIdle(&effect, px, py, bx, by);
  else if (gMouseState >= STATE_NEW_LINE && gMouseState <= STATE_NEW_DRILL)
    _pressCreate(&effect, bx, by);
  return effect;
}

Effect OnLButtonMove(int px, int py) {
  Obj* obj = ListToObj(gSelObj);
  if (!obj) return {};
  const double bx = pixelToBoardX(px), by = pixelToBoardY(py);
  if (gMouseState == STATE_MOVING) {
    moveObj(gSelObj, toSnap(bx - gDragObjX), toSnap(by - gDragObjY));
  } else {
    sizeObj(gSelObj, toSnap(bx), toSnap(by), gMouseState);
    if (obj->type == OBJ_CIRCLE) obj->radius = toSnap(obj->radius);
  }
  return {};
}

Effect OnLButtonUp() {
  gMouseState = STATE_IDLE;
  Effect effect = _redraw();
  effect.capture = CAPTURE_RELEASE;
  return effect;
}

Effect OnRButtonDown(int px, int py) {
  gDragX = pixelToBoardX(px);
  gDragY = pixelToBoardY(py);
  Effect effect = _redraw();
  effect.focusView = true;
  effect.capture = CAPTURE_TAKE;
  effect.cursor = CURSOR_MOVE;
  return effect;
}

Effect OnRButtonMove(int px, int py) {
  gV.viewX = px / gV.zoom - gDragX;
  gV.viewY = py / gV.zoom - gDragY;
  return {};
}

Effect OnRButtonUp() {
  Effect effect = _redraw();
  effect.capture = CAPTURE_RELEASE;
  return effect;
}

Effect OnMouseMove(unsigned flags, int px, int py) {
  Effect effect = _redraw();
  if (flags & MOUSE_LBUTTON) mergeEffect(&effect, OnLButtonMove(px, py));
  if (flags & MOUSE_RBUTTON) mergeEffect(&effect, OnRButtonMove(px, py));
  if (!(flags & (MOUSE_LBUTTON | MOUSE_RBUTTON)))
    gHoverObj = hitTestObjs(pixelToBoardX(px), pixelToBoardY(py));
  return effect;
}
