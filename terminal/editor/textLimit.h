// Text limit of the program's rich edit controls (the editor, the run log).
// A limit of -1, "the maximum", is taken literally by some rich edit
// versions (Wine's): the control then refuses every typed character, and
// after a stream-in its limit is the length of the text streamed in.
// 0x7FFFFFFE is the largest limit every version keeps.
#pragma once

#include <windows.h>

const LRESULT TEXT_LIMIT_MAX = 0x7FFFFFFE;

// Raises the control's text limit to TEXT_LIMIT_MAX unless it holds that
// already. Call it after creating the control and after each stream-in.
void RaiseTextLimit(HWND control);
