// The record behind every "ZuGfx32" window and the control internals shared
// by the window module (zugfx) and the drawing operations (graphics, bitmaps).
#pragma once

#include <windows.h>

// The creator's input handler, passed as the window's creation parameter.
typedef LRESULT(CALLBACK* GfxInputHandler)(HWND, UINT, WPARAM, LPARAM);

struct GfxInstance {
  DWORD lastPaintTick;     // GetTickCount at the start of the last paint
  int wheelStep;           // pixels per wheel notch
  int clientWidth, clientHeight;
  int bufferWidth, bufferHeight;    // size of both buffers
  int monitorWidth, monitorHeight;  // largest monitor at creation
  int scrollWidth, scrollHeight;    // virtual surface size, at least 1
  int vertScrollOn, horzScrollOn;
  HWND vertScrollBar, horzScrollBar;
  int parentWidth, parentHeight;    // parent client size seen by autosize
  int layout[4];                    // distances kept by autosize
  int autosizeMode;                 // 0 off, 1 autosize, 2 X, 3 XY, 4 Y
  GfxInputHandler inputHandler;
  int penWidth;
  COLORREF penColor;
  int penStyle;
  int drawMode;                     // R2_* of the back buffer
  HFONT defaultFont;                // objects of a fresh back DC, never deleted
  HBRUSH defaultBrush;
  HPEN defaultPen;
  HBITMAP backBitmap, frontBitmap;
  HDC backDC, frontDC;
};

// The control's record, or null for a window that is not a live control of
// this process.
GfxInstance* getGfx(HWND window);

// Sizes the buffers for the client area, the largest monitor and the scroll
// extents in use (see gfxLimits.h), then lays out and updates the scroll
// bars. Returns 0 when the size needed is refused or cannot be made; the
// buffers then stay as they were.
int updateBuffers(HWND window, bool repaint);

// Scroll bar helpers private to the control's files.
namespace zugfx {
HWND _createScrollBar(HWND window, bool horizontal);
int _scrollbarSize(HWND window);
void _scrollbarUpdate(HWND window);
}  // namespace zugfx

void setScrollX(HWND window, int position);
void setScrollY(HWND window, int position);

int setPenSize(HWND window, int width);
int setPenColor(HWND window, COLORREF colour);
int setPenStyle(HWND window, int style);
int setBrushColor(HWND window, COLORREF colour);
int setFont(HWND window, HFONT font);

int updateAutosize(HWND window);
