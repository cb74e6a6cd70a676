// The reference the editor's costs are measured against: a bare
// "RichEdit20A" made as the editor's control is (style, plain-text mode, the
// editor's 9-point "Courier New"), loading a file as the editor's Open does
// (the file read whole, then streamed in), with nothing of the editor's own.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

#include "terminal/editor/editor.h"

inline HFONT bareFont(HWND window) {
  HDC dc = GetDC(window);
  int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  return CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Courier New");
}

inline HWND makeBareControl(HWND parent, const RECT& place, HFONT font) {
  HWND control = CreateWindowExA(0, "RichEdit20A", "",
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                     ES_MULTILINE | ES_NOHIDESEL,
                                 place.left, place.top, place.right - place.left, place.bottom - place.top,
                                 parent, nullptr, nullptr, nullptr);
  SendMessageA(control, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageA(control, EM_LIMITTEXT, 0x7FFFFFFE, 0);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Reads the file whole and streams it into the control; false when it
// cannot be read.
inline bool loadBare(HWND control, const char* path) {
  std::string bytes;
  return ReadTextFile(path, &bytes) && StreamTextIn(control, bytes);
}
