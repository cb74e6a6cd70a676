// Drawing operations of the graphics control: state, shapes, fills, pixels,
// text, scrolling, anchors, flip and the platform painting wrappers. All of
// them draw into the back buffer; cmd_flip shows it.
#include "gfx/graphics.h"

#include <commctrl.h>

#include <cstring>
#include <new>
#include <string>

#include "gfx/gfxCore.h"
#include "gfx/gfxInstance.h"

// GetTickCount of the last "Invalid string escape" box, shared by all callers.
static DWORD gLastEscapeMessage = 0;

namespace {

// The back buffer of a control, with its background mode set for the
// operation that follows; null when the window has no record.
HDC _backDC(HWND window, int bkMode = TRANSPARENT) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return nullptr;
  SetBkMode(gfx->backDC, bkMode);
  return gfx->backDC;
}

}  // namespace

// Expands the escapes of a text to measure. An invalid escape gives false and
// a message box, at most one per 10 seconds.
static bool getEscapedString(const char* text, std::string* out) {
  try {
    if (text && unescapeText(text, out)) return true;
  } catch (const std::bad_alloc&) {
    return false;  // no memory for the copy: nothing to measure
  }
  const DWORD now = GetTickCount();
  if (now - gLastEscapeMessage > 10000) {
    gLastEscapeMessage = now;
    MessageBoxA(nullptr, "Invalid string escape", "getEscapedString", MB_OK);
  }
  return false;
}

// ---- drawing state ----

int cmd_color(HWND window, int r, int g, int b) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const COLORREF colour = packColor(r, g, b);
  setPenColor(window, colour);
  return int(SetTextColor(gfx->backDC, colour));
}

int cmd_backColor(HWND window, int r, int g, int b) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const COLORREF colour = packColor(r, g, b);
  setBrushColor(window, colour);
  return int(SetBkColor(gfx->backDC, colour));
}

int cmd_size(HWND window, int width) { return setPenSize(window, width); }

int cmd_style(HWND window, int style) { return setPenStyle(window, style); }

int cmd_rule(HWND window, int mode) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->drawMode = mode;
  return SetROP2(gfx->backDC, mode);
}

int cmd_font(HWND window, const char* face, int points, int weight, int italic, int underline,
             int strikeout) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const int height = -MulDiv(points, GetDeviceCaps(gfx->backDC, LOGPIXELSY), 72);
  return setFont(window, CreateFontA(height, 0, 0, 0, weight, italic ? 1 : 0, underline ? 1 : 0,
                                     strikeout ? 1 : 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
}

namespace {

int _setAutosize(HWND window, int mode) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->autosizeMode = mode;
  return updateAutosize(window);
}

}  // namespace

int cmd_autoSize(HWND window) { return _setAutosize(window, 1); }
int cmd_anchorX(HWND window) { return _setAutosize(window, 2); }
int cmd_anchorXY(HWND window) { return _setAutosize(window, 3); }
int cmd_anchorY(HWND window) { return _setAutosize(window, 4); }

int cmd_autoSizeOff(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->autosizeMode = 0;
  return 1;
}

// ---- shapes ----

int cmd_line(HWND window, int x1, int y1, int x2, int y2) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  MoveToEx(dc, x1, y1, nullptr);
  return LineTo(dc, x2, y2);
}

// The outline runs on the border pixels of the area Rectangle would fill.
int cmd_box(HWND window, int x1, int y1, int x2, int y2) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2 - 1, y1);
  LineTo(dc, x2 - 1, y2 - 1);
  LineTo(dc, x1, y2 - 1);
  return LineTo(dc, x1, y1);
}

int cmd_boxFilled(HWND window, int x1, int y1, int x2, int y2) {
  HDC dc = _backDC(window);
  return dc ? Rectangle(dc, x1, y1, x2, y2) : 0;
}

int cmd_ellipse(HWND window, int x1, int y1, int x2, int y2) {
  HDC dc = _backDC(window);
  return dc ? Arc(dc, x1, y1, x2, y2, x1, y1, x1, y1) : 0;
}

int cmd_ellipseFilled(HWND window, int x1, int y1, int x2, int y2) {
  HDC dc = _backDC(window);
  return dc ? Ellipse(dc, x1, y1, x2, y2) : 0;
}

int cmd_circle(HWND window, int cx, int cy, int r) {
  return cmd_ellipse(window, cx - r, cy - r, cx + r, cy + r);
}

int cmd_circleFilled(HWND window, int cx, int cy, int r) {
  return cmd_ellipseFilled(window, cx - r, cy - r, cx + r, cy + r);
}

int cmd_pie(HWND window, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  const PieGeometry p = pieGeometry(x1, y1, x2, y2, fromAngle, toAngle);
  Arc(dc, x1, y1, x2, y2, p.sx, p.sy, p.ex, p.ey);
  MoveToEx(dc, p.cx, p.cy, nullptr);
  LineTo(dc, p.sx, p.sy);
  MoveToEx(dc, p.cx, p.cy, nullptr);
  return LineTo(dc, p.ex, p.ey);
}

int cmd_pieFilled(HWND window, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  const PieGeometry p = pieGeometry(x1, y1, x2, y2, fromAngle, toAngle);
  return Pie(dc, x1, y1, x2, y2, p.sx, p.sy, p.ex, p.ey);
}

int cmd_poly(HWND window, const POINT* points, int count) {
  HDC dc = _backDC(window);
  if (!dc || !points || count <= 0) return 0;
  Polyline(dc, points, count);
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  return LineTo(dc, points[count - 1].x, points[count - 1].y);
}

int cmd_polyFilled(HWND window, const POINT* points, int count) {
  HDC dc = _backDC(window);
  if (!dc || !points || count <= 0) return 0;
  return Polygon(dc, points, count);
}

// ---- pixels and fills ----

int cmd_setPixel(HWND window, int x, int y, int r, int g, int b) {
  GfxInstance* gfx = getGfx(window);
  return gfx ? int(SetPixel(gfx->backDC, x, y, packColor(r, g, b))) : 0;
}

int cmd_getPixel(HWND window, int x, int y) {
  GfxInstance* gfx = getGfx(window);
  return gfx ? int(GetPixel(gfx->backDC, x, y)) : -1;
}

namespace {

int _fillBuffer(GfxInstance* gfx, HBRUSH brush) {
  RECT all = {0, 0, gfx->bufferWidth, gfx->bufferHeight};
  return FillRect(gfx->backDC, &all, brush);
}

}  // namespace

int cmd_cls(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  return _fillBuffer(gfx, static_cast<HBRUSH>(GetCurrentObject(gfx->backDC, OBJ_BRUSH)));
}

int cmd_fill(HWND window, int r, int g, int b) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  HBRUSH brush = CreateSolidBrush(packColor(r, g, b));
  const int result = _fillBuffer(gfx, brush);
  DeleteObject(brush);
  return result;
}

int cmd_floodFill(HWND window, int x, int y) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  return ExtFloodFill(gfx->backDC, x, y, GetPixel(gfx->backDC, x, y), FLOODFILLSURFACE);
}

// ---- text ----

namespace {

int _drawText(HWND window, int x1, int y1, int x2, int y2, int format, const char* text,
                     int bkMode) {
  HDC dc = _backDC(window, bkMode);
  if (!dc || !text) return 0;
  RECT rc = {x1, y1, x2, y2};
  return DrawTextA(dc, text, int(std::strlen(text)), &rc, UINT(format) | DT_NOPREFIX);
}

}  // namespace

int cmd_text(HWND window, int x1, int y1, int x2, int y2, int format, const char* text) {
  return _drawText(window, x1, y1, x2, y2, format, text, TRANSPARENT);
}

int cmd_textFilled(HWND window, int x1, int y1, int x2, int y2, int format, const char* text) {
  return _drawText(window, x1, y1, x2, y2, format, text, OPAQUE);
}

namespace {

// Extent of the escaped text in the current font, or an empty one.
RECT _measureText(HWND window, const char* text) {
  RECT rc = {0, 0, 0, 0};
  GfxInstance* gfx = getGfx(window);
  std::string plain;
  if (gfx && getEscapedString(text, &plain))
    DrawTextA(gfx->backDC, plain.c_str(), int(plain.size()), &rc, DT_NOPREFIX | DT_CALCRECT);
  return rc;
}

}  // namespace

int cmd_getTextW(HWND window, const char* text) { return _measureText(window, text).right; }

int cmd_getTextH(HWND window, const char* text) { return _measureText(window, text).bottom; }

// ---- scrolling ----

int cmd_horzScrollOff(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !gfx->horzScrollOn) return 0;
  gfx->horzScrollOn = 0;
  DestroyWindow(gfx->horzScrollBar);
  gfx->horzScrollBar = nullptr;
  _scrollbarUpdate(window);
  updateBuffers(window, true);
  return 1;
}

int cmd_vertScrollOff(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !gfx->vertScrollOn) return 0;
  gfx->vertScrollOn = 0;
  DestroyWindow(gfx->vertScrollBar);
  gfx->vertScrollBar = nullptr;
  _scrollbarUpdate(window);
  updateBuffers(window, true);
  return 1;
}

int cmd_horzScroll(HWND window, int width) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  cmd_horzScrollOff(window);
  gfx->horzScrollOn = 1;
  gfx->scrollWidth = width < 1 ? 1 : width;
  gfx->horzScrollBar = _createScrollBar(window, true);
  _scrollbarUpdate(window);
  updateBuffers(window, true);
  return gfx->horzScrollBar != nullptr;
}

int cmd_vertScroll(HWND window, int height) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  cmd_vertScrollOff(window);
  gfx->vertScrollOn = 1;
  gfx->scrollHeight = height < 1 ? 1 : height;
  gfx->vertScrollBar = _createScrollBar(window, false);
  _scrollbarUpdate(window);
  updateBuffers(window, true);
  return gfx->vertScrollBar != nullptr;
}

int cmd_getScrollWidth(HWND window) {
  GfxInstance* gfx = getGfx(window);
  return gfx && gfx->horzScrollBar ? gfx->scrollWidth : 0;
}

int cmd_getScrollHeight(HWND window) {
  GfxInstance* gfx = getGfx(window);
  return gfx && gfx->vertScrollBar ? gfx->scrollHeight : 0;
}

int cmd_getScrollXPos(HWND window) {
  GfxInstance* gfx = getGfx(window);
  return gfx && gfx->horzScrollBar ? GetScrollPos(gfx->horzScrollBar, SB_CTL) : 0;
}

int cmd_getScrollYPos(HWND window) {
  GfxInstance* gfx = getGfx(window);
  return gfx && gfx->vertScrollBar ? GetScrollPos(gfx->vertScrollBar, SB_CTL) : 0;
}

int cmd_scrollToX(HWND window, int x) {
  if (!getGfx(window)) return 0;
  setScrollX(window, x);
  return 1;
}

int cmd_scrollToY(HWND window, int y) {
  if (!getGfx(window)) return 0;
  setScrollY(window, y);
  return 1;
}

// Scrolls so that surface column x sits in the middle of the visible part.
int cmd_scrollToCenterX(HWND window, int x) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {};
  GetClientRect(window, &rc);
  const int half = gfx->vertScrollBar ? _scrollbarSize(window) / 2 : 0;
  setScrollX(window, x - rc.right / 2 + half);
  return 1;
}

int cmd_scrollToCenterY(HWND window, int y) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {};
  GetClientRect(window, &rc);
  const int half = gfx->horzScrollBar ? _scrollbarSize(window) / 2 : 0;
  setScrollY(window, y - rc.bottom / 2 + half);
  return 1;
}

// ---- showing, and platform painting into the back buffer ----

int cmd_flip(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  BitBlt(gfx->frontDC, 0, 0, gfx->bufferWidth, gfx->bufferHeight, gfx->backDC, 0, 0, SRCCOPY);
  InvalidateRect(window, nullptr, FALSE);
  return UpdateWindow(window);
}

int cmd_DrawStatusText(HWND window, int x1, int y1, int x2, int y2, const char* text, int flags) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {x1, y1, x2, y2};
  DrawStatusTextA(gfx->backDC, &rc, text, UINT(flags));
  return 1;
}

int cmd_wmPrint(HWND window, HWND other, int flags) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  return int(SendMessageA(other, WM_PRINT, WPARAM(gfx->backDC), LPARAM(flags)));
}

int cmd_drawFrameControl(HWND window, int x1, int y1, int x2, int y2, int type, int state) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {x1, y1, x2, y2};
  return DrawFrameControl(gfx->backDC, &rc, UINT(type), UINT(state));
}

int cmd_drawEdge(HWND window, int x1, int y1, int x2, int y2, int edge, int flags) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {x1, y1, x2, y2};
  return DrawEdge(gfx->backDC, &rc, UINT(edge), UINT(flags));
}
