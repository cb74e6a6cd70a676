#include "tests/support/drawRecorder.h"

#include <cstdint>

#include "gfx/lang/langPlatform.h"

DrawRecorder gRecorder;

void recorderReset() { gRecorder = DrawRecorder(); }

unsigned int langTickCount() { return gRecorder.tick; }

void langMessageBox(const char* text, const char* caption) {
  gRecorder.boxes.push_back({text, caption});
}

namespace {

void _arg(std::string& s, int v) { s += std::to_string(v); }
void _arg(std::string& s, unsigned int v) { s += std::to_string(v); }
void _arg(std::string& s, const char* text) {
  s += text ? "'" + std::string(text) + "'" : std::string("null");
}
void _arg(std::string& s, HBITMAP b) {
  s += std::to_string(reinterpret_cast<uintptr_t>(b));
}
void _arg(std::string& s, HWND w) {
  s += std::to_string(reinterpret_cast<uintptr_t>(w));
}

}  // namespace

struct Points {
  const POINT* points;
  int count;
};

namespace {

void _arg(std::string& s, Points p) {
  s += '{';
  for (int i = 0; i < p.count; i++) {
    if (i) s += ' ';
    s += std::to_string(p.points[i].x) + "," + std::to_string(p.points[i].y);
  }
  s += '}';
}

template <class... Args>
int _record(HWND window, const char* name, Args... args) {
  gRecorder.count++;
  if (gRecorder.logging) {
    std::string s = std::string(name) + "(";
    const char* separator = "";
    ((s += separator, _arg(s, args), separator = ", "), ...);
    (void)separator;  // unused by operations without arguments
    gRecorder.calls.push_back(s + ")");
    gRecorder.windows.push_back(window);
  }
  if (gRecorder.onCall) gRecorder.onCall();
  return gRecorder.result;
}

HBITMAP _bitmapResult(int result) {
  return reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(static_cast<unsigned int>(result)));
}

}  // namespace

extern "C" {

int getVersion(void) { return _record(nullptr, "getVersion"); }

int cmd_color(HWND w, int r, int g, int b) { return _record(w, "cmd_color", r, g, b); }
int cmd_backColor(HWND w, int r, int g, int b) {
  return _record(w, "cmd_backColor", r, g, b);
}
int cmd_size(HWND w, int width) { return _record(w, "cmd_size", width); }
int cmd_style(HWND w, int style) { return _record(w, "cmd_style", style); }
int cmd_rule(HWND w, int mode) { return _record(w, "cmd_rule", mode); }
int cmd_font(HWND w, const char* face, int points, int weight, int italic,
             int underline, int strikeout) {
  return _record(w, "cmd_font", face, points, weight, italic, underline, strikeout);
}
int cmd_autoSize(HWND w) { return _record(w, "cmd_autoSize"); }
int cmd_anchorX(HWND w) { return _record(w, "cmd_anchorX"); }
int cmd_anchorXY(HWND w) { return _record(w, "cmd_anchorXY"); }
int cmd_anchorY(HWND w) { return _record(w, "cmd_anchorY"); }
int cmd_autoSizeOff(HWND w) { return _record(w, "cmd_autoSizeOff"); }

int cmd_line(HWND w, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_line", x1, y1, x2, y2);
}
int cmd_box(HWND w, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_box", x1, y1, x2, y2);
}
int cmd_boxFilled(HWND w, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_boxFilled", x1, y1, x2, y2);
}
int cmd_circle(HWND w, int cx, int cy, int r) { return _record(w, "cmd_circle", cx, cy, r); }
int cmd_circleFilled(HWND w, int cx, int cy, int r) {
  return _record(w, "cmd_circleFilled", cx, cy, r);
}
int cmd_ellipse(HWND w, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_ellipse", x1, y1, x2, y2);
}
int cmd_ellipseFilled(HWND w, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_ellipseFilled", x1, y1, x2, y2);
}
int cmd_pie(HWND w, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  return _record(w, "cmd_pie", x1, y1, x2, y2, fromAngle, toAngle);
}
int cmd_pieFilled(HWND w, int x1, int y1, int x2, int y2, int fromAngle, int toAngle) {
  return _record(w, "cmd_pieFilled", x1, y1, x2, y2, fromAngle, toAngle);
}
int cmd_poly(HWND w, const POINT* points, int count) {
  return _record(w, "cmd_poly", Points{points, count}, count);
}
int cmd_polyFilled(HWND w, const POINT* points, int count) {
  return _record(w, "cmd_polyFilled", Points{points, count}, count);
}
int cmd_setPixel(HWND w, int x, int y, int r, int g, int b) {
  return _record(w, "cmd_setPixel", x, y, r, g, b);
}
int cmd_getPixel(HWND w, int x, int y) { return _record(w, "cmd_getPixel", x, y); }
int cmd_cls(HWND w) { return _record(w, "cmd_cls"); }
int cmd_fill(HWND w, int r, int g, int b) { return _record(w, "cmd_fill", r, g, b); }
int cmd_floodFill(HWND w, int x, int y) { return _record(w, "cmd_floodFill", x, y); }

int cmd_text(HWND w, int x1, int y1, int x2, int y2, int format, const char* text) {
  return _record(w, "cmd_text", x1, y1, x2, y2, format, text);
}
int cmd_textFilled(HWND w, int x1, int y1, int x2, int y2, int format, const char* text) {
  return _record(w, "cmd_textFilled", x1, y1, x2, y2, format, text);
}
int cmd_getTextW(HWND w, const char* text) { return _record(w, "cmd_getTextW", text); }
int cmd_getTextH(HWND w, const char* text) { return _record(w, "cmd_getTextH", text); }

int cmd_horzScroll(HWND w, int width) { return _record(w, "cmd_horzScroll", width); }
int cmd_vertScroll(HWND w, int height) { return _record(w, "cmd_vertScroll", height); }
int cmd_horzScrollOff(HWND w) { return _record(w, "cmd_horzScrollOff"); }
int cmd_vertScrollOff(HWND w) { return _record(w, "cmd_vertScrollOff"); }
int cmd_getScrollWidth(HWND w) { return _record(w, "cmd_getScrollWidth"); }
int cmd_getScrollHeight(HWND w) { return _record(w, "cmd_getScrollHeight"); }
int cmd_getScrollXPos(HWND w) { return _record(w, "cmd_getScrollXPos"); }
int cmd_getScrollYPos(HWND w) { return _record(w, "cmd_getScrollYPos"); }
int cmd_scrollToX(HWND w, int x) { return _record(w, "cmd_scrollToX", x); }
int cmd_scrollToY(HWND w, int y) { return _record(w, "cmd_scrollToY", y); }
int cmd_scrollToCenterX(HWND w, int x) { return _record(w, "cmd_scrollToCenterX", x); }
int cmd_scrollToCenterY(HWND w, int y) { return _record(w, "cmd_scrollToCenterY", y); }

int cmd_flip(HWND w) { return _record(w, "cmd_flip"); }
int cmd_DrawStatusText(HWND w, int x1, int y1, int x2, int y2, const char* text, int flags) {
  return _record(w, "cmd_DrawStatusText", x1, y1, x2, y2, text, flags);
}
int cmd_wmPrint(HWND w, HWND other, int flags) {
  return _record(w, "cmd_wmPrint", other, flags);
}
int cmd_drawFrameControl(HWND w, int x1, int y1, int x2, int y2, int type, int state) {
  return _record(w, "cmd_drawFrameControl", x1, y1, x2, y2, type, state);
}
int cmd_drawEdge(HWND w, int x1, int y1, int x2, int y2, int edge, int flags) {
  return _record(w, "cmd_drawEdge", x1, y1, x2, y2, edge, flags);
}

HBITMAP cmd_getBmp(HWND w, int x1, int y1, int x2, int y2) {
  return _bitmapResult(_record(w, "cmd_getBmp", x1, y1, x2, y2));
}
int cmd_drawBmp(HWND w, HBITMAP bitmap, int x, int y, int centre) {
  return _record(w, "cmd_drawBmp", bitmap, x, y, centre);
}
int cmd_drawBmpStretch(HWND w, HBITMAP bitmap, int x1, int y1, int x2, int y2) {
  return _record(w, "cmd_drawBmpStretch", bitmap, x1, y1, x2, y2);
}
int cmd_transBmp(HWND w, HBITMAP bitmap, int x, int y, int r, int g, int b, int centre) {
  return _record(w, "cmd_transBmp", bitmap, x, y, r, g, b, centre);
}
int cmd_transStretchBmp(HWND w, HBITMAP bitmap, int x1, int y1, int x2, int y2, int r,
                        int g, int b) {
  return _record(w, "cmd_transStretchBmp", bitmap, x1, y1, x2, y2, r, g, b);
}
int cmd_unloadBmp(HBITMAP bitmap) { return _record(nullptr, "cmd_unloadBmp", bitmap); }
int cmd_getBmpW(HBITMAP bitmap) { return _record(nullptr, "cmd_getBmpW", bitmap); }
int cmd_getBmpH(HBITMAP bitmap) { return _record(nullptr, "cmd_getBmpH", bitmap); }
HBITMAP cmd_getRotatedBmp(HWND w, HBITMAP bitmap, int degrees, unsigned int background) {
  return _bitmapResult(_record(w, "cmd_getRotatedBmp", bitmap, degrees, background));
}
int cmd_brightness(HWND w, HBITMAP bitmap, int percent) {
  return _record(w, "cmd_brightness", bitmap, percent);
}
int cmd_invert(HWND w, HBITMAP bitmap) { return _record(w, "cmd_invert", bitmap); }

}  // extern "C"
