// The editor's interaction state, shared by the pointer handlers, the
// commands, the selection operations, the board view and the status bar.
#pragma once

#include "cad/document/linkedList.h"

// Values of gMouseState. 1..10 are also the grip and sizeObj handle codes.
enum {
  STATE_IDLE = 0,
  STATE_MOVING = 9,
  STATE_SIZING_RADIUS = 10,
  STATE_NEW_LINE = 11,
  STATE_NEW_RECT = 12,
  STATE_NEW_CIRCLE = 13,
  STATE_NEW_DRILL = 14,
  STATE_COUNT = 15
};

extern int gMouseState;
// The selected object, or null; changed only through selectObj.
extern Link* gSelObj;
// The object under the pointer, or null; compared by identity only. It is
// cleared whenever its object is deleted or the design replaced, so it never
// names freed memory (which a new object could come to occupy).
extern Link* gHoverObj;
// Pointer's board position minus the grabbed object's (x1, y1) at the grab.
extern double gDragObjX, gDragObjY;
// Board point under the pointer when right-button panning began.
extern double gDragX, gDragY;
