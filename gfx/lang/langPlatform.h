// The two platform services of the graphics control's message boxes and of
// its command language. The Windows build resolves them to the system's
// message box and tick count (langPlatformWin.cpp, part of the control's
// core library); native test builds link a recording stand-in instead.
#pragma once

// Milliseconds since the system started, wrapping at 2^32.
unsigned int langTickCount();

// A modal box with an OK button and no owner window.
void langMessageBox(const char* text, const char* caption);
