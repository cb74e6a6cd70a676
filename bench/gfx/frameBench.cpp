// Frame time of the graphics control: 10,000 mixed shapes with a colour and a
// pen width change before each, then one cmd_flip, in a 1200 x 900 control.
// A second run keeps the pen 1 pixel wide (colour changes only), since wide
// pens cost far more per shape in the platform's rasteriser.
// Usage: gfx_frame_bench.exe [frames]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gfx/graphics.h"
#include "gfx/zugfx.h"
#include "bench/winClock.h"

namespace {

constexpr int SHAPES = 10000;
constexpr int WIDTH = 1200, HEIGHT = 900;

void drawFrame(HWND g, int frame, int widths) {
  cmd_fill(g, 255, 255, 255);
  for (int i = 0; i < SHAPES; ++i) {
    const int k = i + frame;
    const int x = (k * 37) % (WIDTH - 60), y = (k * 53) % (HEIGHT - 60);
    cmd_color(g, k & 255, (k * 3) & 255, (k * 7) & 255);
    cmd_size(g, 1 + k % widths);
    switch (i % 6) {
      case 0: cmd_line(g, x, y, x + 50, y + 30); break;
      case 1: cmd_box(g, x, y, x + 40, y + 25); break;
      case 2:
        cmd_backColor(g, (k * 5) & 255, 200, 100);
        cmd_boxFilled(g, x, y, x + 30, y + 20);
        break;
      case 3: cmd_circle(g, x + 20, y + 20, 5 + k % 15); break;
      case 4: cmd_ellipseFilled(g, x, y, x + 40, y + 20); break;
      default: cmd_pie(g, x, y, x + 40, y + 40, k % 360, (k + 90) % 360); break;
    }
  }
  cmd_flip(g);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  if (!ZuGfxInit()) return 1;
  HWND top = CreateWindowExA(0, "STATIC", "gfx bench", WS_POPUP | WS_VISIBLE, 0, 0, WIDTH, HEIGHT,
                             nullptr, nullptr, nullptr, nullptr);
  HWND g = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, WIDTH, HEIGHT,
                           top, nullptr, nullptr, nullptr);
  for (int widths : {3, 1}) {
    drawFrame(g, 0, widths);  // warm-up
    std::vector<double> times;
    for (int f = 1; f <= frames; ++f) {
      const double t0 = nowMs();
      drawFrame(g, f, widths);
      times.push_back(nowMs() - t0);
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) sum += t;
    std::printf("frame of %d shapes (pen widths 1..%d) + flip, %d frames: mean %.2f ms, "
                "median %.2f ms, min %.2f ms, max %.2f ms\n",
                SHAPES, widths, frames, sum / frames, times[times.size() / 2], times.front(),
                times.back());
  }
  std::vector<double> flips;
  for (int f = 0; f < frames; ++f) {
    const double t0 = nowMs();
    cmd_flip(g);
    flips.push_back(nowMs() - t0);
  }
  std::sort(flips.begin(), flips.end());
  std::printf("cmd_flip alone: median %.2f ms (buffer %dx%d)\n", flips[flips.size() / 2],
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  DestroyWindow(top);
  ZuGfxClose();
  return 0;
}
