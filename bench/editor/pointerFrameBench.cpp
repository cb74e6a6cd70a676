// Time of one pointer move over the board view, the handler and the frame,
// for designs of 1,000 and 10,000 mixed objects (lines, rectangles, circles,
// drill points; a third of the rectangles and circles filled; pens 2 to 5
// pixels wide at the default zoom) in an 800 x 600 view. Each move is drawn
// three ways: by the program's frame after a pointer event (only what
// changed), by its whole frame (everything in the client area), and by the
// plain full redraw (every item of the board, with every colour and width
// call). Two pointer paths: hovering across the board, and dragging a
// selected filled rectangle. The main window's status bar, which the program
// rewrites after each frame, is not part of it. Last, whole frames of an
// absurd board.
// Usage: editor_pointer_bench.exe [moves painted as changes, 400] [whole and
// plain full frames, 40]
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
#include "cad/editor/pointer.h"
#include "cad/editor/selection.h"
#include "cad/editor/viewFrame.h"
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
    // Tools 0..6: 0.5 to 1.1 mm, pens of 2 to 5 pixels at zoom 5.
    const uint8_t tool = static_cast<uint8_t>(i % 7), fill = (i / 4) % 3 == 0;
    switch (i % 4) {
      case 0: ObjNewRect(x, y, x + uniform(1, 8), y + uniform(1, 8), tool, fill); break;
      case 1: ObjNewLine(x, y, x + uniform(-8, 8), y + uniform(-8, 8), tool); break;
      case 2: ObjNewCircle(x, y, uniform(0.5, 4), tool, fill); break;
      default: ObjNewDrill(x, y, tool); break;
    }
  }
}

enum Mode { CHANGES, WHOLE, PLAIN };
const char* const MODE_NAMES[] = {"changes", "whole", "plain full"};

// CPU time of this thread in milliseconds (the machine may be busy with
// other work: the wall-clock figures then include waits for a core).
double cpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

struct Figures {
  double median, p95, max;
  double cpuMean;
  int moves;
  int counts[3];  // moves painted whole, as changes, not at all
};

// One pointer move: the handler, then the frame the mode asks for.
FramePaint move(HWND view, Mode mode, unsigned buttons, int x, int y) {
  if (mode == CHANGES) {
    const FrameSnapshot start = viewEventStart();
    OnMouseMove(buttons, x, y);
    paintFrameChanges(view, start, x, y);
    return lastFramePaint();
  }
  OnMouseMove(buttons, x, y);
  if (mode == WHOLE)
    paintWholeFrame(view, x, y);
  else
    drawFrame(fullFrame(view, x, y));
  return PAINT_WHOLE;
}

template <class Position>
Figures run(HWND view, Mode mode, unsigned buttons, int moves, Position position) {
  std::vector<double> times;
  Figures f = {};
  const double cpu0 = cpuMs();
  for (int i = 0; i < moves; i++) {
    const POINT p = position(i);
    const double t0 = nowMs();
    f.counts[move(view, mode, buttons, p.x, p.y)]++;
    times.push_back(nowMs() - t0);
  }
  f.cpuMean = (cpuMs() - cpu0) / moves;
  std::sort(times.begin(), times.end());
  const size_t n = times.size();
  f.median = times[n / 2];
  f.p95 = times[std::min(n - 1, n * 95 / 100)];
  f.max = times.back();
  f.moves = moves;
  return f;
}

// Diagonals across the view, 4 pixels right and 3 down per move.
Figures hover(HWND view, int moves, Mode mode) {
  paintWholeFrame(view, 0, 0);
  return run(view, mode, 0, moves, [](int i) {
    return POINT{20 + (i * 4) % (WIDTH - 40), 20 + (i * 3) % (HEIGHT - 40)};
  });
}

// Drags a filled rectangle in the middle of the design across the view.
Figures drag(HWND view, int moves, Mode mode) {
  Link* rect = ObjNewRect(70, 50, 80, 58, 3, 1);
  selectObj(rect);
  OnLButtonDown(375, 270);
  paintWholeFrame(view, 375, 270);
  const Figures f = run(view, mode, MOUSE_LBUTTON, moves, [](int i) {
    return POINT{375 + (i * 3) % 300 - 150, 270 + (i * 2) % 200 - 100};
  });
  OnLButtonUp();
  selectObj(nullptr);
  deleteObj(rect);
  return f;
}

void print(const char* what, int objects, Mode mode, const Figures& f) {
  std::printf("%-5s %6d objects, %-10s frame: median %7.2f ms, p95 %7.2f ms, max %7.2f ms,"
              " CPU mean %7.2f ms (%d moves: %d whole, %d changes, %d unchanged)\n",
              what, objects, MODE_NAMES[mode], f.median, f.p95, f.max, f.cpuMean, f.moves,
              f.counts[PAINT_WHOLE], f.counts[PAINT_CHANGES], f.counts[PAINT_NOTHING]);
  std::fflush(stdout);
}

// Whole frames of an absurd board: 10^9 mm at zoom 50 with a 0.1 mm grid,
// 2^24 pixels each way after saturation and five pixels between grid lines;
// seen at its origin, and panned to its far end.
void absurdBoard(HWND view) {
  New();
  gV.boardWidth = gV.boardHeight = 1e9;
  gV.zoom = 50;
  gV.gridSpacing = 0.1;
  for (double at : {0.0, 1e9 - 10}) {
    gV.viewX = gV.viewY = -at;
    const double t0 = nowMs();
    paintWholeFrame(view, 0, 0);
    std::printf("whole frame of a 10^9 mm board, view at %.0f mm: %.2f ms\n", at, nowMs() - t0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int fastMoves = argc > 1 ? std::max(20, std::atoi(argv[1])) : 400;
  const int fullMoves = argc > 2 ? std::max(20, std::atoi(argv[2])) : 40;
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
    std::sort(flips.begin(), flips.end());
    std::printf("cmd_flip alone: median %.2f ms, p95 %.2f ms, max %.2f ms\n", flips[25],
                flips[47], flips[49]);
  }
  for (int objects : {1000, 10000}) {
    makeDesign(objects, 1);
    for (Mode mode : {CHANGES, WHOLE, PLAIN}) {
      const int moves = mode == CHANGES ? fastMoves : fullMoves;
      print("hover", objects, mode, hover(view, moves, mode));
      print("drag", objects, mode, drag(view, moves, mode));
    }
  }
  absurdBoard(view);
  New();
  resetObjs();
  DestroyWindow(top);
  ZuGfxClose();
  return 0;
}
