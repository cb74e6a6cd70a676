// gfx_hostile_child: makes one kind of hostile call to the graphics control
// in a process of its own, for the tests in hostileTest.cpp, and checks that
// the control is unharmed afterwards. Each call is named on standard output
// before it is made, so a crash points at its call.
//
//   gfx_hostile_child text FORMAT
//   gfx_hostile_child foreign WINDOW          (a control of another process)
//   gfx_hostile_child curve OP N... [drawn=X,Y]... [clear=X,Y]...
//   gfx_hostile_child pen WIDTH
//   gfx_hostile_child scroll SCENARIO
//
// Exit code: 0 when every check held, 1 when one failed, 2 for wrong
// arguments, 3 when an exception reached the top (a crash).
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gfx/gfxInstance.h"
#include "gfx/graphics.h"
#include "gfx/lang/processCommands.h"
#include "gfx/zugfx.h"

namespace {

int gFailures = 0;

void say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void check(bool ok, const std::string& what) {
  if (ok) return;
  say("FAIL: " + what);
  ++gFailures;
}

LONG WINAPI _crashed(EXCEPTION_POINTERS* e) {
  std::printf("exception %08lx\n", e ? e->ExceptionRecord->ExceptionCode : 0ul);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

// Ends the process at the first error exception, before Wine's own handling
// could start a debugger and leave the process hanging.
LONG CALLBACK _firstChance(EXCEPTION_POINTERS* e) {
  if (e->ExceptionRecord->ExceptionCode >= 0xC0000000u) _crashed(e);
  return EXCEPTION_CONTINUE_SEARCH;
}

constexpr COLORREF WHITE = RGB(255, 255, 255);

GfxInstance* record(HWND g) { return getGfx(g); }

// The control still draws, reads back and shows its picture.
void expectAlive(HWND g) {
  check(cmd_fill(g, 1, 2, 3) != 0, "cmd_fill after the call");
  check(COLORREF(cmd_getPixel(g, 10, 10)) == RGB(1, 2, 3), "the fill reads back");
  check(cmd_flip(g) != 0, "cmd_flip after the call");
  check(GetPixel(record(g)->frontDC, 10, 10) == RGB(1, 2, 3), "the flip reaches the front buffer");
}

// ---- text ----

int textCase(HWND g, unsigned format) {
  static const char TEXT[] = "A text long enough to need an ellipsis";  // read-only data
  cmd_fill(g, 255, 255, 255);
  say("cmd_text with a read-only text");
  cmd_text(g, 0, 0, 60, 20, int(format), TEXT);
  say("cmd_textFilled with a read-only text");
  cmd_textFilled(g, 0, 30, 60, 50, int(format), TEXT);
  const std::string copy = TEXT;
  say("cmd_text with a text on the heap");
  cmd_text(g, 0, 60, 60, 80, int(format), copy.c_str());
  check(copy == TEXT, "the text is drawn unchanged");
  char command[256];
  std::snprintf(command, sizeof command, "TEXT 0 90 60 110 %u '%s'; TEXTFILLED 0 120 60 140 %u '%s'",
                format, TEXT, format, TEXT);
  say(std::string("graphicCommand ") + command);
  graphicCommand(g, command);
  if (!(format & DT_CALCRECT)) {
    int inked = 0;
    for (int y = 0; y < 140; ++y)
      for (int x = 0; x < 60; ++x) inked += COLORREF(cmd_getPixel(g, x, y)) != WHITE;
    check(inked > 50, "the texts are drawn");
  }
  expectAlive(g);
  return 0;
}

// ---- a control of another process ----

int foreignCase(HWND foreign) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  const POINT points[] = {{0, 0}, {10, 0}, {10, 10}};
  struct Op {
    const char* name;
    std::function<long long(HWND)> call;
  };
  // Every operation that takes a window: getVersion, cmd_unloadBmp,
  // cmd_getBmpW and cmd_getBmpH take none.
  const Op OPS[] = {
      {"cmd_color", [](HWND w) { return cmd_color(w, 1, 2, 3); }},
      {"cmd_backColor", [](HWND w) { return cmd_backColor(w, 1, 2, 3); }},
      {"cmd_size", [](HWND w) { return cmd_size(w, 3); }},
      {"cmd_style", [](HWND w) { return cmd_style(w, 1); }},
      {"cmd_rule", [](HWND w) { return cmd_rule(w, R2_NOT); }},
      {"cmd_font", [](HWND w) { return cmd_font(w, "Arial", 12, 700, 1, 1, 1); }},
      {"cmd_autoSize", [](HWND w) { return cmd_autoSize(w); }},
      {"cmd_anchorX", [](HWND w) { return cmd_anchorX(w); }},
      {"cmd_anchorXY", [](HWND w) { return cmd_anchorXY(w); }},
      {"cmd_anchorY", [](HWND w) { return cmd_anchorY(w); }},
      {"cmd_autoSizeOff", [](HWND w) { return cmd_autoSizeOff(w); }},
      {"cmd_line", [](HWND w) { return cmd_line(w, 0, 0, 50, 50); }},
      {"cmd_box", [](HWND w) { return cmd_box(w, 0, 0, 50, 50); }},
      {"cmd_boxFilled", [](HWND w) { return cmd_boxFilled(w, 0, 0, 50, 50); }},
      {"cmd_circle", [](HWND w) { return cmd_circle(w, 50, 50, 20); }},
      {"cmd_circleFilled", [](HWND w) { return cmd_circleFilled(w, 50, 50, 20); }},
      {"cmd_ellipse", [](HWND w) { return cmd_ellipse(w, 0, 0, 50, 30); }},
      {"cmd_ellipseFilled", [](HWND w) { return cmd_ellipseFilled(w, 0, 0, 50, 30); }},
      {"cmd_pie", [](HWND w) { return cmd_pie(w, 0, 0, 50, 50, 0, 90); }},
      {"cmd_pieFilled", [](HWND w) { return cmd_pieFilled(w, 0, 0, 50, 50, 0, 90); }},
      {"cmd_poly", [&](HWND w) { return cmd_poly(w, points, 3); }},
      {"cmd_polyFilled", [&](HWND w) { return cmd_polyFilled(w, points, 3); }},
      {"cmd_setPixel", [](HWND w) { return cmd_setPixel(w, 1, 1, 255, 0, 0); }},
      {"cmd_getPixel", [](HWND w) { return cmd_getPixel(w, 1, 1) + 1LL; }},  // -1 expected
      {"cmd_cls", [](HWND w) { return cmd_cls(w); }},
      {"cmd_fill", [](HWND w) { return cmd_fill(w, 255, 0, 0); }},
      {"cmd_floodFill", [](HWND w) { return cmd_floodFill(w, 5, 5); }},
      {"cmd_text", [](HWND w) { return cmd_text(w, 0, 0, 50, 20, 0, "text"); }},
      {"cmd_textFilled", [](HWND w) { return cmd_textFilled(w, 0, 0, 50, 20, 0, "text"); }},
      {"cmd_getTextW", [](HWND w) { return cmd_getTextW(w, "text"); }},
      {"cmd_getTextH", [](HWND w) { return cmd_getTextH(w, "text"); }},
      {"cmd_horzScroll", [](HWND w) { return cmd_horzScroll(w, 1000); }},
      {"cmd_vertScroll", [](HWND w) { return cmd_vertScroll(w, 1000); }},
      {"cmd_horzScrollOff", [](HWND w) { return cmd_horzScrollOff(w); }},
      {"cmd_vertScrollOff", [](HWND w) { return cmd_vertScrollOff(w); }},
      {"cmd_getScrollWidth", [](HWND w) { return cmd_getScrollWidth(w); }},
      {"cmd_getScrollHeight", [](HWND w) { return cmd_getScrollHeight(w); }},
      {"cmd_getScrollXPos", [](HWND w) { return cmd_getScrollXPos(w); }},
      {"cmd_getScrollYPos", [](HWND w) { return cmd_getScrollYPos(w); }},
      {"cmd_scrollToX", [](HWND w) { return cmd_scrollToX(w, 10); }},
      {"cmd_scrollToY", [](HWND w) { return cmd_scrollToY(w, 10); }},
      {"cmd_scrollToCenterX", [](HWND w) { return cmd_scrollToCenterX(w, 10); }},
      {"cmd_scrollToCenterY", [](HWND w) { return cmd_scrollToCenterY(w, 10); }},
      {"cmd_flip", [](HWND w) { return cmd_flip(w); }},
      {"cmd_DrawStatusText", [](HWND w) { return cmd_DrawStatusText(w, 0, 0, 50, 20, "s", 0); }},
      {"cmd_wmPrint", [](HWND w) { return cmd_wmPrint(w, GetDesktopWindow(), PRF_CLIENT); }},
      {"cmd_drawFrameControl",
       [](HWND w) { return cmd_drawFrameControl(w, 0, 0, 20, 20, DFC_BUTTON, 0); }},
      {"cmd_drawEdge", [](HWND w) { return cmd_drawEdge(w, 0, 0, 20, 20, EDGE_RAISED, BF_RECT); }},
      {"cmd_getBmp", [](HWND w) { return (long long)cmd_getBmp(w, 0, 0, 10, 10); }},
      {"cmd_drawBmp", [&](HWND w) { return cmd_drawBmp(w, bitmap, 0, 0, 1); }},
      {"cmd_drawBmpStretch", [&](HWND w) { return cmd_drawBmpStretch(w, bitmap, 0, 0, 20, 20); }},
      {"cmd_transBmp", [&](HWND w) { return cmd_transBmp(w, bitmap, 0, 0, 0, 0, 0, 0); }},
      {"cmd_transStretchBmp",
       [&](HWND w) { return cmd_transStretchBmp(w, bitmap, 20, 20, 0, 0, 0, 0, 0); }},
      {"cmd_getRotatedBmp", [&](HWND w) { return (long long)cmd_getRotatedBmp(w, bitmap, 30, 0); }},
      {"cmd_brightness", [&](HWND w) { return cmd_brightness(w, bitmap, 50); }},
      {"cmd_invert", [&](HWND w) { return cmd_invert(w, bitmap); }},
      {"graphicCommand", [](HWND w) { return graphicCommand(w, "fill red; circle 5 5 5; flip"); }},
  };
  for (const Op& op : OPS) {
    say(std::string("calling ") + op.name);
    check(op.call(foreign) == 0, std::string(op.name) + " leaves the foreign control alone");
  }
  DeleteObject(bitmap);
  return 0;
}

// ---- curves ----

// Runs a curve operation on a white buffer with a black pen and a red brush,
// then checks pixels that must be drawn or left white.
int curveCase(HWND g, int argc, char** argv) {
  const std::string op = argv[0];
  std::vector<long long> n;
  std::string text;
  std::vector<POINT> drawn, clear;
  for (int i = 1; i < argc; ++i) {
    POINT p;
    if (std::sscanf(argv[i], "drawn=%ld,%ld", &p.x, &p.y) == 2)
      drawn.push_back(p);
    else if (std::sscanf(argv[i], "clear=%ld,%ld", &p.x, &p.y) == 2)
      clear.push_back(p);
    else if (op == "command")
      text = argv[i];
    else
      n.push_back(std::strtoll(argv[i], nullptr, 0));
  }
  n.resize(6, 0);
  const int a = int(n[0]), b = int(n[1]), c = int(n[2]), d = int(n[3]), e = int(n[4]),
            f = int(n[5]);
  cmd_fill(g, 255, 255, 255);
  cmd_color(g, 0, 0, 0);
  cmd_backColor(g, 255, 0, 0);
  say("calling " + op);
  int result = -1;
  if (op == "circle") result = cmd_circle(g, a, b, c);
  else if (op == "circleFilled") result = cmd_circleFilled(g, a, b, c);
  else if (op == "ellipse") result = cmd_ellipse(g, a, b, c, d);
  else if (op == "ellipseFilled") result = cmd_ellipseFilled(g, a, b, c, d);
  else if (op == "pie") result = cmd_pie(g, a, b, c, d, e, f);
  else if (op == "pieFilled") result = cmd_pieFilled(g, a, b, c, d, e, f);
  else if (op == "command") result = graphicCommand(g, text.c_str());
  else return 2;
  say("returned " + std::to_string(result));
  check(result != 0, op + " reports success");
  for (POINT p : drawn)
    check(COLORREF(cmd_getPixel(g, p.x, p.y)) != WHITE,
          "drawn at " + std::to_string(p.x) + "," + std::to_string(p.y));
  for (POINT p : clear)
    check(COLORREF(cmd_getPixel(g, p.x, p.y)) == WHITE,
          "clear at " + std::to_string(p.x) + "," + std::to_string(p.y));
  expectAlive(g);
  return 0;
}

// ---- pens ----

// A pen far wider than Wine draws in time, then a line, a box and a circle.
int penCase(HWND g, int width) {
  cmd_fill(g, 255, 255, 255);
  say("cmd_size(" + std::to_string(width) + ")");
  cmd_size(g, width);
  say("cmd_line through the buffer");
  check(cmd_line(g, 0, 600, 1600, 600) != 0, "cmd_line reports success");
  check(COLORREF(cmd_getPixel(g, 800, 0)) != WHITE && COLORREF(cmd_getPixel(g, 800, 1199)) != WHITE,
        "the wide line covers the buffer across it");
  say("cmd_box and cmd_circle");
  cmd_box(g, 100, 100, 200, 200);
  check(cmd_circle(g, 800, 600, 100) != 0, "cmd_circle reports success");
  expectAlive(g);
  return 0;
}

// ---- scroll extents ----

int scrollCase(HWND g, const std::string& scenario) {
  GfxInstance* r = record(g);
  const int bufferW = r->bufferWidth, bufferH = r->bufferHeight;
  auto bars = [&] { return int(r->horzScrollBar != nullptr) + int(r->vertScrollBar != nullptr); };
  if (scenario == "max") {
    say("cmd_horzScroll(INT_MAX), cmd_vertScroll(INT_MAX)");
    check(cmd_horzScroll(g, INT_MAX) == 0, "cmd_horzScroll(INT_MAX) is refused");
    check(cmd_vertScroll(g, INT_MAX) == 0, "cmd_vertScroll(INT_MAX) is refused");
    say("graphicCommand SCROLLXON 2147483647");
    check(graphicCommand(g, "SCROLLXON 2147483647") == 0, "SCROLLXON 2147483647 is refused");
    say("cmd_horzScroll(60000), cmd_vertScroll(60000)");
    check(cmd_horzScroll(g, 60000) == 0, "cmd_horzScroll(60000) is refused");
    check(cmd_vertScroll(g, 60000) == 0, "cmd_vertScroll(60000) is refused");
    check(bars() == 0, "no bar came");
    check(cmd_getScrollWidth(g) == 0 && cmd_getScrollHeight(g) == 0, "no extent in use");
  } else if (scenario == "refused-keeps-bar") {
    check(cmd_horzScroll(g, 5000) == 1, "cmd_horzScroll(5000) is taken");
    cmd_scrollToX(g, 1234);
    say("cmd_horzScroll(100000) over a bar of 5000");
    check(cmd_horzScroll(g, 100000) == 0, "cmd_horzScroll(100000) is refused");
    check(bars() == 1 && cmd_getScrollWidth(g) == 5000, "the bar of 5000 stays");
    check(cmd_getScrollXPos(g) == 1234, "at its position");
    check(r->bufferWidth == 5000 && r->bufferHeight == bufferH, "its buffers stay");
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    GetScrollInfo(r->horzScrollBar, SB_CTL, &si);
    check(si.nMax < 6000, "its range stays");
  } else if (scenario == "off-shrinks") {
    check(cmd_vertScroll(g, 20000) == 1, "cmd_vertScroll(20000) is taken");
    check(r->bufferHeight == 20000, "the buffers grow to the extent");
    cmd_setPixel(g, 5, 5, 0, 0, 255);
    say("cmd_vertScrollOff");
    check(cmd_vertScrollOff(g) == 1, "the bar goes");
    check(r->bufferWidth == bufferW && r->bufferHeight == bufferH, "the buffers shrink back");
    check(COLORREF(cmd_getPixel(g, 5, 5)) == RGB(0, 0, 255), "the picture is kept");
    check(cmd_horzScroll(g, 1000) == 1 && r->bufferHeight == bufferH,
          "an extent turned off sizes nothing");
  } else if (scenario == "centre") {
    cmd_horzScroll(g, 5000);
    cmd_vertScroll(g, 5000);
    say("cmd_scrollToCenterX/Y(INT_MIN)");
    cmd_scrollToCenterX(g, INT_MIN);
    cmd_scrollToCenterY(g, INT_MIN);
    check(cmd_getScrollXPos(g) == 0 && cmd_getScrollYPos(g) == 0, "INT_MIN centres at the start");
    say("cmd_scrollToCenterX/Y(INT_MAX)");
    cmd_scrollToCenterX(g, INT_MAX);
    cmd_scrollToCenterY(g, INT_MAX);
    check(cmd_getScrollXPos(g) > 4000 && cmd_getScrollYPos(g) > 4000, "INT_MAX centres at the end");
  } else {
    return 2;
  }
  expectAlive(g);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
  SetUnhandledExceptionFilter(_crashed);
  AddVectoredExceptionHandler(1, _firstChance);
  if (argc < 3 || !ZuGfxInit()) return 2;
  const std::string kind = argv[1];
  if (kind == "foreign") {
    const int rc = foreignCase(reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 0)));
    return rc ? rc : gFailures ? 1 : 0;
  }
  // Hidden, so it covers no other test's window.
  HWND top = CreateWindowExA(0, "STATIC", "hostile", WS_POPUP, 0, 0, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
  HWND g = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, top,
                           nullptr, nullptr, nullptr);
  if (!record(g)) return 2;
  int rc = 2;
  if (kind == "text")
    rc = textCase(g, unsigned(std::strtoul(argv[2], nullptr, 0)));
  else if (kind == "curve")
    rc = curveCase(g, argc - 2, argv + 2);
  else if (kind == "pen")
    rc = penCase(g, std::atoi(argv[2]));
  else if (kind == "scroll")
    rc = scrollCase(g, argv[2]);
  DestroyWindow(top);
  ZuGfxClose();
  return rc ? rc : gFailures ? 1 : 0;
}
