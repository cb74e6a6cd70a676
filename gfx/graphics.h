// Public drawing interface of the "ZuGfx32" graphics control.
//
// Every operation except getVersion, cmd_unloadBmp, cmd_getBmpW and
// cmd_getBmpH takes the control's window first and does nothing, returning 0
// (cmd_getPixel: -1), when that window has no control record. Colours are
// three integers whose low 8 bits are used; coordinates are surface pixels.
// All drawing goes to the back buffer and is shown by cmd_flip.
//
// On Windows the handle types come from <windows.h>; elsewhere (native
// builds of code that only calls these functions) they are declared as the
// same opaque pointer types.
#ifndef KIVO_GFX_GRAPHICS_H
#define KIVO_GFX_GRAPHICS_H

#ifdef _WIN32
#include <windows.h>
#else
struct HWND__;
typedef struct HWND__* HWND;
struct HBITMAP__;
typedef struct HBITMAP__* HBITMAP;
typedef struct tagPOINT {
  int x;
  int y;
} POINT;
#endif

#ifdef __cplusplus
extern "C" {
#endif

int getVersion(void);

// Drawing state
int cmd_color(HWND window, int r, int g, int b);
int cmd_backColor(HWND window, int r, int g, int b);
int cmd_size(HWND window, int width);
int cmd_style(HWND window, int style);
int cmd_rule(HWND window, int mode);
int cmd_font(HWND window, const char* face, int points, int weight, int italic,
             int underline, int strikeout);
int cmd_autoSize(HWND window);
int cmd_anchorX(HWND window);
int cmd_anchorXY(HWND window);
int cmd_anchorY(HWND window);
int cmd_autoSizeOff(HWND window);

// Shapes and fills
int cmd_line(HWND window, int x1, int y1, int x2, int y2);
int cmd_box(HWND window, int x1, int y1, int x2, int y2);
int cmd_boxFilled(HWND window, int x1, int y1, int x2, int y2);
int cmd_circle(HWND window, int cx, int cy, int r);
int cmd_circleFilled(HWND window, int cx, int cy, int r);
int cmd_ellipse(HWND window, int x1, int y1, int x2, int y2);
int cmd_ellipseFilled(HWND window, int x1, int y1, int x2, int y2);
int cmd_pie(HWND window, int x1, int y1, int x2, int y2, int fromAngle,
            int toAngle);
int cmd_pieFilled(HWND window, int x1, int y1, int x2, int y2, int fromAngle,
                  int toAngle);
int cmd_poly(HWND window, const POINT* points, int count);
int cmd_polyFilled(HWND window, const POINT* points, int count);
int cmd_setPixel(HWND window, int x, int y, int r, int g, int b);
int cmd_getPixel(HWND window, int x, int y);
int cmd_cls(HWND window);
int cmd_fill(HWND window, int r, int g, int b);
int cmd_floodFill(HWND window, int x, int y);

// Text
int cmd_text(HWND window, int x1, int y1, int x2, int y2, int format,
             const char* text);
int cmd_textFilled(HWND window, int x1, int y1, int x2, int y2, int format,
                   const char* text);
int cmd_getTextW(HWND window, const char* text);
int cmd_getTextH(HWND window, const char* text);

// Scrolling
int cmd_horzScroll(HWND window, int width);
int cmd_vertScroll(HWND window, int height);
int cmd_horzScrollOff(HWND window);
int cmd_vertScrollOff(HWND window);
int cmd_getScrollWidth(HWND window);
int cmd_getScrollHeight(HWND window);
int cmd_getScrollXPos(HWND window);
int cmd_getScrollYPos(HWND window);
int cmd_scrollToX(HWND window, int x);
int cmd_scrollToY(HWND window, int y);
int cmd_scrollToCenterX(HWND window, int x);
int cmd_scrollToCenterY(HWND window, int y);

// Showing, and platform painting into the back buffer
int cmd_flip(HWND window);
int cmd_DrawStatusText(HWND window, int x1, int y1, int x2, int y2,
                       const char* text, int flags);
int cmd_wmPrint(HWND window, HWND other, int flags);
int cmd_drawFrameControl(HWND window, int x1, int y1, int x2, int y2, int type,
                         int state);
int cmd_drawEdge(HWND window, int x1, int y1, int x2, int y2, int edge,
                 int flags);

// Bitmaps (the caller owns every bitmap returned and frees it with
// cmd_unloadBmp)
HBITMAP cmd_getBmp(HWND window, int x1, int y1, int x2, int y2);
int cmd_drawBmp(HWND window, HBITMAP bitmap, int x, int y, int centre);
int cmd_drawBmpStretch(HWND window, HBITMAP bitmap, int x1, int y1, int x2,
                       int y2);
int cmd_transBmp(HWND window, HBITMAP bitmap, int x, int y, int r, int g, int b,
                 int centre);
int cmd_transStretchBmp(HWND window, HBITMAP bitmap, int x1, int y1, int x2,
                        int y2, int r, int g, int b);
int cmd_unloadBmp(HBITMAP bitmap);
int cmd_getBmpW(HBITMAP bitmap);
int cmd_getBmpH(HBITMAP bitmap);
HBITMAP cmd_getRotatedBmp(HWND window, HBITMAP bitmap, int degrees,
                          unsigned int background);
int cmd_brightness(HWND window, HBITMAP bitmap, int percent);
int cmd_invert(HWND window, HBITMAP bitmap);

#ifdef __cplusplus
}
#endif

#endif
