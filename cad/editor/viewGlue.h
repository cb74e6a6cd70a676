// The board view's side of the window layer: the input handler the graphics
// control calls, the full redraw, and carrying out what the editor core's
// decisions ask (focus, dialogs and files, list highlight, capture, cursor,
// repaints).
#pragma once

#include <windows.h>

#include "cad/editor/effect.h"

// Paints one complete frame of the board view and rewrites the status bar.
void Redraw();
// The pointer position in board view pixels.
POINT viewPointer();
// Carries out an effect, in the order effect.h gives.
void applyEffect(const Effect& effect);

LRESULT CALLBACK GfxHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
