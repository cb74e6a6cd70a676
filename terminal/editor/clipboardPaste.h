// Paste of the clipboard's text into a plain-text rich edit control. The
// control's own paste in plain-text mode replaces the whole text under some
// rich edit versions (Wine's); this one inserts at the caret, or over the
// selection, as one undoable step.
#pragma once

#include <windows.h>

// 1 when text was pasted; 0 when the control is read-only or the clipboard
// holds no text.
int PasteClipboardText(HWND control);

// True for the keys that paste: Ctrl+V (Shift or not) and Shift+Insert.
bool IsPasteKey(WPARAM key);
