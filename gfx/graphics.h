// Public drawing interface of the "ZuGfx32" graphics control.
//
// Every operation except getVersion, cmd_unloadBmp, cmd_getBmpW and
// cmd_getBmpH takes the control's window first and does nothing, returning 0
// (cmd_getPixel: -1), when that window is not a live control of this process
// (a null or destroyed window, another kind of window, or a control of
// another process). Colours are three integers whose low 8 bits are used;
// coordinates are surface pixels. All drawing goes to the back buffer and is
// shown by cmd_flip.
//
// Any int argument is safe; where the platform would crash or never end, the
// control keeps its calls within what the platform survives:
// - Curves (cmd_circle, cmd_ellipse, cmd_pie and their filled forms): boxes
//   up to 262,144 pixels wide and high are drawn by the platform; larger ones
//   (a circle's box may even leave the int range) are drawn by the control
//   as polylines and polygons that follow the curve within a quarter of a
//   pixel where it crosses the buffer (largeCurves.h).
// - Pens are at most 4,096 pixels wide (gfxLimits.h).
// - Text is always drawn as given: DT_MODIFYSTRING is never passed on.
// - A scroll extent the buffers cannot take (more than 2^25 pixels with the
//   largest monitor, or 65,536 on a side) is refused: cmd_horzScroll and
//   cmd_vertScroll return 0 and change nothing (gfxLimits.h).
// - Centring positions saturate at the ends of the int range.
// Slow in Wine's own drawing code, and left to the caller to avoid: polygons
// and polylines of tens of thousands of points (30,000 take minutes), flood
// fills of long winding areas (a serpentine of nine walls did not end), and
// curves with wide pens (a 500-pixel circle takes 1.7 s with a 4,000-pixel
// pen).
//
// On Windows the handle types come from <windows.h>; elsewhere (native
// builds of code that only calls these functions) they are declared as the
// same opaque pointer types.
#pragma once

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

// The program that links the control exports these operations by name, so
// other programs can load it and draw with its controls.
#ifdef _WIN32
#define KIVO_GFX_EXPORT __declspec(dllexport)
#else
#define KIVO_GFX_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

KIVO_GFX_EXPORT int getVersion(void);

// Drawing state
KIVO_GFX_EXPORT int cmd_color(HWND window, int r, int g, int b);
KIVO_GFX_EXPORT int cmd_backColor(HWND window, int r, int g, int b);
KIVO_GFX_EXPORT int cmd_size(HWND window, int width);
KIVO_GFX_EXPORT int cmd_style(HWND window, int style);
KIVO_GFX_EXPORT int cmd_rule(HWND window, int mode);
KIVO_GFX_EXPORT int cmd_font(HWND window, const char* face, int points, int weight, int italic,
                             int underline, int strikeout);
KIVO_GFX_EXPORT int cmd_autoSize(HWND window);
KIVO_GFX_EXPORT int cmd_anchorX(HWND window);
KIVO_GFX_EXPORT int cmd_anchorXY(HWND window);
KIVO_GFX_EXPORT int cmd_anchorY(HWND window);
KIVO_GFX_EXPORT int cmd_autoSizeOff(HWND window);

// Shapes and fills
KIVO_GFX_EXPORT int cmd_line(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_box(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_boxFilled(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_circle(HWND window, int cx, int cy, int r);
KIVO_GFX_EXPORT int cmd_circleFilled(HWND window, int cx, int cy, int r);
KIVO_GFX_EXPORT int cmd_ellipse(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_ellipseFilled(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_pie(HWND window, int x1, int y1, int x2, int y2, int fromAngle,
                            int toAngle);
KIVO_GFX_EXPORT int cmd_pieFilled(HWND window, int x1, int y1, int x2, int y2, int fromAngle,
                                  int toAngle);
KIVO_GFX_EXPORT int cmd_poly(HWND window, const POINT* points, int count);
KIVO_GFX_EXPORT int cmd_polyFilled(HWND window, const POINT* points, int count);
KIVO_GFX_EXPORT int cmd_setPixel(HWND window, int x, int y, int r, int g, int b);
KIVO_GFX_EXPORT int cmd_getPixel(HWND window, int x, int y);
KIVO_GFX_EXPORT int cmd_cls(HWND window);
KIVO_GFX_EXPORT int cmd_fill(HWND window, int r, int g, int b);
KIVO_GFX_EXPORT int cmd_floodFill(HWND window, int x, int y);

// Text
KIVO_GFX_EXPORT int cmd_text(HWND window, int x1, int y1, int x2, int y2, int format,
                             const char* text);
KIVO_GFX_EXPORT int cmd_textFilled(HWND window, int x1, int y1, int x2, int y2, int format,
                                   const char* text);
KIVO_GFX_EXPORT int cmd_getTextW(HWND window, const char* text);
KIVO_GFX_EXPORT int cmd_getTextH(HWND window, const char* text);

// Scrolling
KIVO_GFX_EXPORT int cmd_horzScroll(HWND window, int width);
KIVO_GFX_EXPORT int cmd_vertScroll(HWND window, int height);
KIVO_GFX_EXPORT int cmd_horzScrollOff(HWND window);
KIVO_GFX_EXPORT int cmd_vertScrollOff(HWND window);
KIVO_GFX_EXPORT int cmd_getScrollWidth(HWND window);
KIVO_GFX_EXPORT int cmd_getScrollHeight(HWND window);
KIVO_GFX_EXPORT int cmd_getScrollXPos(HWND window);
KIVO_GFX_EXPORT int cmd_getScrollYPos(HWND window);
KIVO_GFX_EXPORT int cmd_scrollToX(HWND window, int x);
KIVO_GFX_EXPORT int cmd_scrollToY(HWND window, int y);
KIVO_GFX_EXPORT int cmd_scrollToCenterX(HWND window, int x);
KIVO_GFX_EXPORT int cmd_scrollToCenterY(HWND window, int y);

// Showing, and platform painting into the back buffer
KIVO_GFX_EXPORT int cmd_flip(HWND window);
KIVO_GFX_EXPORT int cmd_DrawStatusText(HWND window, int x1, int y1, int x2, int y2,
                                       const char* text, int flags);
KIVO_GFX_EXPORT int cmd_wmPrint(HWND window, HWND other, int flags);
KIVO_GFX_EXPORT int cmd_drawFrameControl(HWND window, int x1, int y1, int x2, int y2, int type,
                                         int state);
KIVO_GFX_EXPORT int cmd_drawEdge(HWND window, int x1, int y1, int x2, int y2, int edge,
                                 int flags);

// Bitmaps (the caller owns every bitmap returned and frees it with
// cmd_unloadBmp)
KIVO_GFX_EXPORT HBITMAP cmd_getBmp(HWND window, int x1, int y1, int x2, int y2);
KIVO_GFX_EXPORT int cmd_drawBmp(HWND window, HBITMAP bitmap, int x, int y, int centre);
KIVO_GFX_EXPORT int cmd_drawBmpStretch(HWND window, HBITMAP bitmap, int x1, int y1, int x2,
                                       int y2);
KIVO_GFX_EXPORT int cmd_transBmp(HWND window, HBITMAP bitmap, int x, int y, int r, int g, int b,
                                 int centre);
KIVO_GFX_EXPORT int cmd_transStretchBmp(HWND window, HBITMAP bitmap, int x1, int y1, int x2,
                                        int y2, int r, int g, int b);
KIVO_GFX_EXPORT int cmd_unloadBmp(HBITMAP bitmap);
KIVO_GFX_EXPORT int cmd_getBmpW(HBITMAP bitmap);
KIVO_GFX_EXPORT int cmd_getBmpH(HBITMAP bitmap);
KIVO_GFX_EXPORT HBITMAP cmd_getRotatedBmp(HWND window, HBITMAP bitmap, int degrees,
                                          unsigned int background);
KIVO_GFX_EXPORT int cmd_brightness(HWND window, HBITMAP bitmap, int percent);
KIVO_GFX_EXPORT int cmd_invert(HWND window, HBITMAP bitmap);

#ifdef __cplusplus
}
#endif
