// The board view's side of the window layer: the input handler the graphics
// control calls, the full redraw, and carrying out what the editor core's
// decisions ask (focus, dialogs and files, list highlight, capture, cursor,
// repaints).
#pragma once

#include <windows.h>

#include "cad/editor/effect.h"
#include "cad/editor/frameChange.h"

// Paints one complete frame of the board view and rewrites the status bar.
void Redraw();
// After a pointer event or key that began with `start` (viewEventStart):
// repaints only what changed in the board view, and rewrites the status bar.
void RedrawChanges(const FrameSnapshot& start);
// The pointer position in board view pixels.
POINT viewPointer();
// Carries out an effect, in the order effect.h gives. The effect of a
// pointer event or key passes the state at its start: its redraw then
// repaints only what changed (unless it also ran an action: dialogs and
// files may change anything).
void applyEffect(const Effect& effect, const FrameSnapshot* start = nullptr);

LRESULT CALLBACK GfxHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
