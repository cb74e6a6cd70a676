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

// The control's record, or null for a window that has none.
GfxInstance* getGfx(HWND window);

void updateBuffers(HWND window, bool repaint);
HWND _createScrollBar(HWND window, bool horizontal);
int _scrollbarSize(HWND window);
void _scrollbarUpdate(HWND window);
void setScrollX(HWND window, int position);
void setScrollY(HWND window, int position);

int setPenSize(HWND window, int width);
int setPenColor(HWND window, COLORREF colour);
int setPenStyle(HWND window, int style);
int setBrushColor(HWND window, COLORREF colour);
int setFont(HWND window, HFONT font);

int updateAutosize(HWND window);
