// The pointer handlers of the board view: pure transitions of the
// interaction state (editorState.h) and the design. Each takes the pointer's
// position in view pixels (the window layer reads it with GetCursorPos and
// ScreenToClient on the board view), works out the board point with the view
// mapping, and returns what the window layer has to do.
#pragma once

#include "cad/editor/effect.h"

// Button mask of a mouse message's wParam.
enum { MOUSE_LBUTTON = 0x1, MOUSE_RBUTTON = 0x2 };

// Drags with the held buttons, or updates the hover object when no button
// is held; always redraws.
Effect OnMouseMove(unsigned flags, int px, int py);
// Selects, grabs an object or grip, or creates the armed kind of object.
Effect OnLButtonDown(int px, int py);
// One left drag step: moves or resizes the selection.
Effect OnLButtonMove(int px, int py);
// Ends any left drag: idle state, capture released, redraw.
Effect OnLButtonUp();
// Starts panning: the board point under the pointer is kept under it.
Effect OnRButtonDown(int px, int py);
// One panning step (changes the view offsets, does not redraw itself).
Effect OnRButtonMove(int px, int py);
Effect OnRButtonUp();

// The cursor of a drag state (CURSOR_KEEP for idle and armed states).
int cursorForState(int state);
