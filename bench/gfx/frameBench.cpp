// Frame time of the graphics control: 10,000 mixed shapes with a colour and a
// pen width change before each, then one cmd_flip, in a 1200 x 900 control.
// A second run keeps the pen 1 pixel wide (colour changes only), since wide
// pens cost far more per shape in the platform's rasteriser. Then the cost of
// curves too large for the platform (drawn by the control), and of finding a
// control's record among many live controls.
// Usage: gfx_frame_bench.exe [frames]
#include <windows.h>

#include <algorithm>
#include <cmath>
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

// Milliseconds per call of `draw(i)` over n calls.
template <typename Draw>
double msPerCall(int n, Draw draw) {
  const double t0 = nowMs();
  for (int i = 0; i < n; ++i) draw(i);
  return (nowMs() - t0) / n;
}

// Circles with radii from 2 * 10^5 to 10^9 pixels whose outline crosses the
// control, against circles of 100 pixels the platform draws.
void largeCurves(HWND g) {
  const int N = 2000;
  auto radius = [](int i) { return 200000.0 * std::pow(5000.0, (i % 100) / 99.0); };
  auto huge = [&](int i, bool filled) {
    const int r = int(radius(i));
    const int cx = 600 - r + (i * 7) % 900, cy = 450;
    filled ? cmd_circleFilled(g, cx, cy, r) : cmd_circle(g, cx, cy, r);
  };
  cmd_fill(g, 255, 255, 255);
  const double outline = msPerCall(N, [&](int i) { huge(i, false); });
  const double filled = msPerCall(N, [&](int i) { huge(i, true); });
  const double small = msPerCall(N, [&](int i) { cmd_circle(g, 100 + i % 1000, 450, 100); });
  std::printf("circles of radius 2*10^5..10^9 through the control: outline %.3f ms, filled %.3f ms "
              "each; a 100-pixel circle %.3f ms\n",
              outline, filled, small);
}

// cmd_setPixel on the control made last, alone and among 1,000 live controls.
void recordLookup(HWND top, HWND g) {
  const int N = 100000;
  const double alone = msPerCall(N, [&](int i) { cmd_setPixel(g, i % 100, 5, i, 0, 0); });
  std::vector<HWND> others;
  for (int i = 0; i < 1000; ++i)
    others.push_back(CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD, 0, 0, 10, 10, top, nullptr,
                                     nullptr, nullptr));
  HWND last = others.back();
  const double among = msPerCall(N, [&](int i) { cmd_setPixel(last, i % 10, 5, i, 0, 0); });
  std::printf("cmd_setPixel: %.2f us with one control, %.2f us on the last of 1,001\n",
              alone * 1000, among * 1000);
  for (HWND w : others) DestroyWindow(w);
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
  cmd_size(g, 1);
  largeCurves(g);
  recordLookup(top, g);
  DestroyWindow(top);
  ZuGfxClose();
  return 0;
}
