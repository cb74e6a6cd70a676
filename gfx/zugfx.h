// Library entry points of the "ZuGfx32" graphics control.
//
// ZuGfxInit registers the window class, creates the list of live controls and
// starts the 75 ms sizer timer on the calling thread; ZuGfxClose destroys the
// remaining controls, stops the timer and unregisters the class. A control is
// made with CreateWindowExA(class "ZuGfx32", ..., lpCreateParams = the input
// handler), the handler having the window-procedure signature.
#pragma once

#include "gfx/graphics.h"

#define ZUGFX_CLASS "ZuGfx32"

#ifdef __cplusplus
extern "C" {
#endif

int ZuGfxInit(void);
int ZuGfxClose(void);

#ifdef __cplusplus
}
#endif
