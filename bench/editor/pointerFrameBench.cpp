// Time of one pointer move over the board view, handler and redraw, for
// designs of 1,000 and 10,000 mixed objects (a quarter of the rectangles and
// circles filled) in an 800 x 600 view: with a full frame per move, a lean
// full frame, and the partial frame (previous frame, changed rectangles
// redrawn clipped and lean, flip) wherever frameChanges allows it. Two pointer paths: hovering
// across the board, and dragging a selected object.
// Usage: editor_pointer_bench.exe [moves]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/winClock.h"
#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/editor/boardView.h"
#include "cad/editor/editorState.h"
#include "cad/editor/frameChange.h"
#include "cad/editor/pointer.h"
#include "cad/editor/selection.h"
#include "gfx/gfxInstance.h"
#include "gfx/zugfx.h"

namespace {

constexpr int WIDTH = 800, HEIGHT = 600;

void makeDesign(int count, unsigned seed) {
  New();
  gV.boardWidth = 156;
  gV.boardHeight = 116;
  std::mt19937 random(seed);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  for (int i = 0; i < count; i++) {
    const double x = uniform(2, 150), y = uniform(2, 110);
    const uint8_t tool = static_cast<uint8_t>(i % 10), fill = i % 4 == 0;
    switch (i % 4) {
      case 0: ObjNewRect(x, y, x + uniform(1, 8), y + uniform(1, 8), tool, fill); break;
      case 1: ObjNewLine(x, y, x + uniform(-8, 8), y + uniform(-8, 8), tool); break;
      case 2: ObjNewCircle(x, y, uniform(0.5, 4), tool, fill); break;
      default: ObjNewDrill(x, y, tool); break;
    }
  }
}

enum Mode { FULL, FULL_LEAN, PARTIAL };
const char* const MODE_NAMES[] = {"full", "lean full", "partial"};

void fullRedraw(HWND view, int px, int py, bool lean) {
  FrameRequest request = fullFrame(view, px, py);
  request.lean = lean;
  drawFrame(request);
}

// The partial redraw of the fast path; a full frame where it is not allowed.
// Returns whether it was partial.
bool fastRedraw(HWND view, const FrameSnapshot& before, int px, int py) {
  std::vector<PixelRect> rects;
  if (!frameChanges(before, takeFrameSnapshot(px, py), &rects)) {
    fullRedraw(view, px, py, true);
    return false;
  }
  if (!rects.empty()) {
    HDC dc = getGfx(view)->backDC;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const PixelRect& r : rects) {
      HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
    SelectClipRgn(dc, region);
    DeleteObject(region);
    FrameRequest request = fullFrame(view, px, py);
    request.clips = rects.data();
    request.clipCount = static_cast<int>(rects.size());
    request.lean = true;
    drawFrame(request);
    SelectClipRgn(dc, nullptr);
  } else {
    cmd_flip(view);
  }
  return true;
}

struct Figures {
  double median, p95, max;
  int partial;
};

Figures summary(std::vector<double> times, int partial) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[times.size() * 95 / 100], times.back(), partial};
}

// Pointer positions: rows across the view, 4 pixels per move.
std::vector<POINT> sweep(int moves) {
  std::vector<POINT> path;
  for (int i = 0; static_cast<int>(path.size()) < moves; i++) {
    const int row = 40 + (i * 4 / (WIDTH - 40)) * 37 % (HEIGHT - 80);
    path.push_back({20 + (i * 4) % (WIDTH - 40), row});
  }
  return path;
}

bool redraw(HWND view, Mode mode, const FrameSnapshot& before, int px, int py) {
  if (mode == PARTIAL) return fastRedraw(view, before, px, py);
  fullRedraw(view, px, py, mode == FULL_LEAN);
  return false;
}

Figures hover(HWND view, int moves, Mode mode) {
  std::vector<double> times;
  int partial = 0;
  fullRedraw(view, 0, 0, false);
  for (const POINT& p : sweep(moves)) {
    const double t0 = nowMs();
    const FrameSnapshot before = takeFrameSnapshot(p.x, p.y);  // pointer unchanged so far
    OnMouseMove(0, p.x, p.y);
    partial += redraw(view, mode, before, p.x, p.y);
    times.push_back(nowMs() - t0);
  }
  return summary(times, partial);
}

// Drags a filled rectangle in the middle of the design across the view.
Figures drag(HWND view, int moves, Mode mode) {
  Link* rect = ObjNewRect(70, 50, 80, 58, 3, 1);
  selectObj(rect);
  OnLButtonDown(375, 270);
  fullRedraw(view, 375, 270, false);
  std::vector<double> times;
  int partial = 0;
  for (int i = 0; i < moves; i++) {
    const int x = 375 + (i * 3) % 300 - 150, y = 270 + (i * 2) % 200 - 100;
    const double t0 = nowMs();
    const FrameSnapshot before = takeFrameSnapshot(x, y);
    OnMouseMove(MOUSE_LBUTTON, x, y);
    partial += redraw(view, mode, before, x, y);
    times.push_back(nowMs() - t0);
  }
  OnLButtonUp();
  selectObj(nullptr);
  deleteObj(rect);
  return summary(times, partial);
}

void print(const char* what, int objects, Mode mode, int moves, const Figures& f) {
  std::printf("%-6s %6d objects, %-9s frame: median %7.2f ms, p95 %7.2f ms, max %7.2f ms"
              " (%d of %d moves partial)\n",
              what, objects, MODE_NAMES[mode], f.median, f.p95, f.max, f.partial, moves);
}

}  // namespace

int main(int argc, char** argv) {
  const int moves = argc > 1 ? std::max(20, std::atoi(argv[1])) : 300;
  if (!ZuGfxInit()) return 1;
  HWND top = CreateWindowExA(0, "STATIC", "editor bench", WS_POPUP | WS_VISIBLE, 0, 0, WIDTH,
                             HEIGHT, nullptr, nullptr, nullptr, nullptr);
  HWND view = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, WIDTH,
                              HEIGHT, top, nullptr, nullptr, nullptr);
  {
    std::vector<double> flips;
    for (int i = 0; i < 50; i++) {
      const double t0 = nowMs();
      cmd_flip(view);
      flips.push_back(nowMs() - t0);
    }
    const Figures f = summary(flips, 0);
    std::printf("cmd_flip alone: median %.2f ms, p95 %.2f ms\n", f.median, f.p95);
  }
  for (int objects : {1000, 10000}) {
    makeDesign(objects, 1);
    for (Mode mode : {FULL, FULL_LEAN, PARTIAL}) {
      print("hover", objects, mode, moves, hover(view, moves, mode));
      print("drag", objects, mode, moves, drag(view, moves, mode));
    }
  }
  New();
  resetObjs();
  DestroyWindow(top);
  ZuGfxClose();
  return 0;
}
