// Zooming the board view with the mouse wheel.
#pragma once

#include "cad/editor/effect.h"

// Notches of a WM_MOUSEWHEEL wParam: its signed high word / 120, truncated
// toward zero.
int wheelNotches(unsigned long long wParam);
// Zooms by n notches of 0.25 each, within ZOOM_MIN..ZOOM_MAX, keeping the
// board point under the pointer (view pixel px, py) in place; redraws.
Effect OnMouseWheel(int n, int px, int py);
