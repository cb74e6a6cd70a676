// Drawing operations of the graphics control: state, shapes, fills, pixels,
// text, scrolling, anchors, flip and the platform painting wrappers. All of
// them draw into the back buffer; cmd_flip shows it.
#include "gfx/graphics.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/gfxCore.h"
#include "gfx/gfxInstance.h"
#include "gfx/gfxLimits.h"
#include "gfx/largeCurves.h"
#include "gfx/textEscapes.h"

static_assert(DT_NOPREFIX == TEXT_FLAG_NOPREFIX && DT_MODIFYSTRING == TEXT_FLAG_MODIFYSTRING,
              "text flags as the platform defines them");

using zugfx::_createScrollBar;
using zugfx::_scrollbarSize;
using zugfx::_scrollbarUpdate;

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

// Curved shapes go to the platform only within the range it survives; larger
// ones are drawn here as polylines and polygons (see largeCurves.h). Boxes
// and points are 64-bit here, as a circle's box can leave the int range.
namespace {

CurveClip _curveClip(const GfxInstance* gfx) {
  return {gfx->bufferWidth, gfx->bufferHeight, std::abs(double(gfx->penWidth)) / 2 + 2};
}

std::vector<POINT> _points(const CurveRun& run) {
  std::vector<POINT> points;
  points.reserve(run.size());
  for (const CurvePoint& p : run) points.push_back({p.x, p.y});
  return points;
}

int _arc(HWND window, long long x1, long long y1, long long x2, long long y2, long long sx,
         long long sy, long long ex, long long ey) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  if (curveFitsPlatform(x1, y1, x2, y2))
    return Arc(dc, int(x1), int(y1), int(x2), int(y2), int(sx), int(sy), int(ex), int(ey));
  const CurveArc arc = {double(x1), double(y1), double(x2), double(y2),
                        double(sx), double(sy), double(ex), double(ey)};
  int result = 1;
  for (const CurveRun& run : arcOutline(arc, _curveClip(getGfx(window)))) {
    const std::vector<POINT> points = _points(run);
    result = Polyline(dc, points.data(), int(points.size()));
  }
  return result;
}

// The filled ellipse, or with `pie` the filled pie, of the box.
int _filledCurve(HWND window, long long x1, long long y1, long long x2, long long y2, bool pie,
                 int sx, int sy, int ex, int ey) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  if (curveFitsPlatform(x1, y1, x2, y2)) {
    if (pie) return Pie(dc, int(x1), int(y1), int(x2), int(y2), sx, sy, ex, ey);
    return Ellipse(dc, int(x1), int(y1), int(x2), int(y2));
  }
  const CurveArc arc = {double(x1), double(y1), double(x2), double(y2),
                        double(sx), double(sy), double(ex), double(ey)};
  const std::vector<POINT> points = _points(curveRegion(arc, pie, _curveClip(getGfx(window))));
  return points.empty() ? 1 : Polygon(dc, points.data(), int(points.size()));
}

}  // namespace

int cmd_ellipse(HWND window, int x1, int y1, int x2, int y2) {
  return _arc(window, x1, y1, x2, y2, x1, y1, x1, y1);
}

int cmd_ellipseFilled(HWND window, int x1, int y1, int x2, int y2) {
  return _filledCurve(window, x1, y1, x2, y2, false, 0, 0, 0, 0);
}

int cmd_circle(HWND window, int cx, int cy, int r) {
  const long long x1 = (long long)cx - r, y1 = (long long)cy - r;
  return _arc(window, x1, y1, (long long)cx + r, (long long)cy + r, x1, y1, x1, y1);
}

int cmd_circleFilled(HWND window, int cx, int cy, int r) {
  return _filledCurve(window, (long long)cx - r, (long long)cy - r, (long long)cx + r,
                      (long long)cy + r, false, 0, 0, 0, 0);
}

int cmd_pie(HWND window, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  HDC dc = _backDC(window);
  if (!dc) return 0;
  const PieGeometry p = pieGeometry(x1, y1, x2, y2, fromAngle, toAngle);
  _arc(window, x1, y1, x2, y2, p.sx, p.sy, p.ex, p.ey);
  MoveToEx(dc, p.cx, p.cy, nullptr);
  LineTo(dc, p.sx, p.sy);
  MoveToEx(dc, p.cx, p.cy, nullptr);
  return LineTo(dc, p.ex, p.ey);
}

int cmd_pieFilled(HWND window, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  if (!getGfx(window)) return 0;
  const PieGeometry p = pieGeometry(x1, y1, x2, y2, fromAngle, toAngle);
  return _filledCurve(window, x1, y1, x2, y2, true, p.sx, p.sy, p.ex, p.ey);
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
  return DrawTextA(dc, text, int(std::strlen(text)), &rc, textDrawFormat(unsigned(format)));
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

namespace {

// The fields of one scroll direction.
struct ScrollSide {
  int* on;
  int* extent;
  HWND* bar;
};

ScrollSide _side(GfxInstance* gfx, bool horizontal) {
  if (horizontal) return {&gfx->horzScrollOn, &gfx->scrollWidth, &gfx->horzScrollBar};
  return {&gfx->vertScrollOn, &gfx->scrollHeight, &gfx->vertScrollBar};
}

int _scrollOff(HWND window, bool horizontal) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const ScrollSide side = _side(gfx, horizontal);
  if (!*side.on) return 0;
  *side.on = 0;
  DestroyWindow(*side.bar);
  *side.bar = nullptr;
  _scrollbarUpdate(window);
  updateBuffers(window, true);  // the extent no longer sizes the buffers
  return 1;
}

// Turns a bar on over an extent of at least 1, replacing the bar that is on
// (one bar, never two). The buffers are sized for the extent first: an
// extent they cannot take is refused and the control stays as it was.
int _scrollOn(HWND window, bool horizontal, int extent) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  const ScrollSide side = _side(gfx, horizontal);
  const int wasOn = *side.on, oldExtent = *side.extent;
  *side.on = 1;
  *side.extent = std::max(extent, 1);
  if (!updateBuffers(window, true)) {
    *side.on = wasOn;
    *side.extent = oldExtent;
    updateBuffers(window, false);  // the old bar's range again
    return 0;
  }
  if (*side.bar) DestroyWindow(*side.bar);
  *side.bar = _createScrollBar(window, horizontal);
  _scrollbarUpdate(window);
  updateBuffers(window, true);
  return *side.bar != nullptr;
}

}  // namespace

int cmd_horzScrollOff(HWND window) { return _scrollOff(window, true); }

int cmd_vertScrollOff(HWND window) { return _scrollOff(window, false); }

int cmd_horzScroll(HWND window, int width) { return _scrollOn(window, true, width); }

int cmd_vertScroll(HWND window, int height) { return _scrollOn(window, false, height); }

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
  setScrollX(window, centredScrollPos(x, rc.right, _scrollbarSize(window),
                                      gfx->vertScrollBar != nullptr));
  return 1;
}

int cmd_scrollToCenterY(HWND window, int y) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {};
  GetClientRect(window, &rc);
  setScrollY(window, centredScrollPos(y, rc.bottom, _scrollbarSize(window),
                                      gfx->horzScrollBar != nullptr));
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
