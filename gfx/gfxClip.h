// Limits the drawing into a control's back buffer to a set of rectangles,
// for owners that repaint only the parts of a frame that changed. Internal
// to the program: not exported, not part of the cmd_* interface.
#pragma once

#include <windows.h>

// From now on drawing into the back buffer of `window` reaches only the
// union of the rectangles (buffer pixels, right and bottom exclusive; none
// given: nothing is drawn) until gfxClipOff. Returns 0 and changes nothing
// when the window is not a live control of this process or the region
// cannot be made.
int gfxClipTo(HWND window, const RECT* rects, int count);
// Lets drawing reach the whole back buffer again; 0 without a control.
int gfxClipOff(HWND window);
