// Loads a generated G-code program of 100,000 lines into the terminal's
// editor and times the load and full paints (colouring and gutter) at the
// top, middle and end of the text. Run under Wine; prints figures.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "terminal/editor/editor.h"
#include "terminal/editor/termWindow.h"

namespace {

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

std::string makeProgram(int lines) {
  std::string text = "; generated test program\r\nG21\r\nG90\r\n";
  char line[96];
  for (int i = 3; i < lines; ++i) {
    double x = (i * 37 % 20000) / 100.0, y = (i * 53 % 15000) / 100.0;
    if (i % 10 == 0)
      std::snprintf(line, sizeof(line), "G1 Z-%.2f F100 ; pass %d\r\n", (i % 5) * 0.25, i % 7);
    else
      std::snprintf(line, sizeof(line), "G1 X%.2f Y%.2f F%d\r\n", x, y, 300 + i % 200);
    text += line;
  }
  return text;
}

// Median of several full paints of the editor at its current scroll position.
double paintMs(int runs) {
  double best[16];
  for (int r = 0; r < runs; ++r) {
    double t0 = nowMs();
    InvalidateRect(gEditHWnd, nullptr, TRUE);
    UpdateWindow(gEditHWnd);
    best[r] = nowMs() - t0;
  }
  for (int i = 0; i < runs; ++i)
    for (int j = i + 1; j < runs; ++j)
      if (best[j] < best[i]) std::swap(best[i], best[j]);
  return best[runs / 2];
}

}  // namespace

int main() {
  if (!TermRegisterClass(GetModuleHandleA(nullptr)) || !TermCreateWindow(SW_SHOWNORMAL)) {
    std::printf("cannot make the window\n");
    return 1;
  }
  SetWindowPos(gTermHWnd, HWND_TOP, 0, 0, 1000, 800, SWP_SHOWWINDOW);
  pump();

  const int LINES = 100000;
  std::string program = makeProgram(LINES);
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  std::string path = std::string(dir) + "kivoterm_bench.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(program.data(), 1, program.size(), f);
  std::fclose(f);

  double t0 = nowMs();
  int loaded = OpenPath(path.c_str());
  double loadMs = nowMs() - t0;
  pump();
  std::printf("program: %d lines, %zu bytes, loaded %s\n", GetEditorLineCount(gEditHWnd),
              program.size(), loaded ? "yes" : "NO");
  std::printf("load (OpenPath): %.1f ms\n", loadMs);

  const int RUNS = 9;
  std::printf("full paint at line 1: %.2f ms (median of %d)\n", paintMs(RUNS), RUNS);
  for (int line : {50000, 99950}) {
    t0 = nowMs();
    ScrollToLine(gEditHWnd, line);
    double scrollMs = nowMs() - t0;
    std::printf("scroll to line %d (with its paint): %.2f ms; full paint there: %.2f ms (median of %d)\n",
                line, scrollMs, paintMs(RUNS), RUNS);
  }
  MarkLine(gEditHWnd, 99960);
  std::printf("full paint at the end with a mark: %.2f ms\n", paintMs(RUNS));

  // The same paint by the bare control, for comparison: what the editor
  // adds is the difference.
  EditorInfo* info = GetEditorInfo(gEditHWnd);
  LONG_PTR own = SetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(info->baseProc));
  std::printf("bare control's own paint there: %.2f ms\n", paintMs(RUNS));
  SetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC, own);

  DestroyWindow(gTermHWnd);
  std::remove(path.c_str());
  return 0;
}
