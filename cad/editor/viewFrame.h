// The board view's frames in its graphics control. A whole frame repaints
// everything the client area shows; after a pointer event or key only the
// rectangles in which the new frame differs from the one on screen are
// repainted, with the control's back buffer clipped to them, which gives the
// same pixels in a fraction of the time.
#pragma once

#include <windows.h>

#include "cad/editor/frameChange.h"

// Paints a complete frame into `view` with the pointer at view pixel
// (px, py) (its grip is lit) and shows it. Returns 1 when an object is
// selected (the caller then gives the view the keyboard focus), else 0.
int paintWholeFrame(HWND view, int px, int py);

// The editor's state as the frame on screen saw it: take it when a pointer
// event or key begins, before the handler changes anything.
FrameSnapshot viewEventStart();

// Paints the frame after a pointer event or key that began with `start`:
// only what changed, or a whole frame when the view, the tools or the design
// were replaced, the client area changed size, or the frame on screen was
// not painted here. Returns as paintWholeFrame.
int paintFrameChanges(HWND view, const FrameSnapshot& start, int px, int py);

// How the last frame was painted.
enum FramePaint {
  PAINT_WHOLE,    // a whole frame
  PAINT_CHANGES,  // only the rectangles that changed
  PAINT_NOTHING   // nothing had changed
};
FramePaint lastFramePaint();
