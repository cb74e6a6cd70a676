// Loads a generated G-code program of 100,000 lines into the terminal's
// editor and times the load, full paints (colouring and gutter) at the top,
// middle and end of the text, and Open and New over the loaded program. For
// comparison it then loads the same text into a bare rich edit control,
// timing apart the hand-over of the text and the control's layout of its
// lines, and a text of the same shape with letters in place of its digits
// and signs. Run under Wine; prints figures.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"
#include "terminal/editor/termWindow.h"
#include "bench/winClock.h"

namespace {

// CPU time of this thread, which the load runs on: unlike the clock, it
// does not count time other programs of a busy machine take.
double cpuMs() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
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

// Text source of EM_STREAMIN that notes when it handed over its last piece.
struct TimedSource {
  const char* data;
  size_t left;
  double lastPieceMs;
};

DWORD CALLBACK timedStreamIn(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  TimedSource* src = reinterpret_cast<TimedSource*>(cookie);
  size_t n = std::min(src->left, static_cast<size_t>(size));
  if (n > 1 && n < src->left && src->data[n - 1] == '\r') --n;  // CR LF kept whole
  std::memcpy(buffer, src->data, n);
  src->data += n;
  src->left -= n;
  *done = static_cast<LONG>(n);
  src->lastPieceMs = nowMs();
  return 0;
}

// Streams text into a bare control made like the editor (style, plain-text
// mode, font) and prints where the time went.
void bareLoad(const char* what, const std::string& text) {
  RECT rc;
  GetClientRect(gEditHWnd, &rc);
  HWND bare = CreateWindowExA(0, "RichEdit20A", "", GetWindowLongA(gEditHWnd, GWL_STYLE), 0, 0,
                              rc.right, rc.bottom, gTermHWnd, nullptr, nullptr, nullptr);
  SendMessageA(bare, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  SendMessageA(bare, EM_LIMITTEXT, static_cast<WPARAM>(-1), 0);
  SendMessageA(bare, WM_SETFONT, reinterpret_cast<WPARAM>(GetEditorInfo(gEditHWnd)->font), FALSE);
  TimedSource src = {text.data(), text.size(), 0};
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&src), 0, timedStreamIn};
  double t0 = nowMs(), c0 = cpuMs();
  SendMessageA(bare, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  double t1 = nowMs(), c1 = cpuMs();
  std::printf("bare control, %s: load %.1f ms (cpu %.0f ms): taking the text %.1f ms, "
              "laying out its lines after the last piece %.1f ms\n",
              what, t1 - t0, c1 - c0, src.lastPieceMs - t0, t1 - src.lastPieceMs);
  DestroyWindow(bare);
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

  double t0 = nowMs(), c0 = cpuMs();
  int loaded = OpenPath(path.c_str());
  double loadMs = nowMs() - t0, loadCpuMs = cpuMs() - c0;
  pump();
  std::printf("program: %d lines, %zu bytes, loaded %s\n", GetEditorLineCount(gEditHWnd),
              program.size(), loaded ? "yes" : "NO");
  std::printf("load (OpenPath): %.1f ms (cpu %.0f ms)\n", loadMs, loadCpuMs);

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

  // Open of a second program over the loaded one, then New: each first
  // drops a 100,000-line text.
  t0 = nowMs();
  loaded = OpenPath(path.c_str());
  double reopenMs = nowMs() - t0;
  pump();
  std::printf("open over %d lines (OpenPath): %.1f ms, %d lines loaded %s\n", LINES, reopenMs,
              GetEditorLineCount(gEditHWnd), loaded ? "yes" : "NO");
  t0 = nowMs();
  SendMessageA(gTermHWnd, WM_COMMAND, IDM_NEW, 0);
  double newMs = nowMs() - t0;
  pump();
  std::printf("new over %d lines: %.1f ms, %d characters left\n", LINES, newMs,
              GetWindowTextLengthA(gEditHWnd));

  // The control's own load of the same text, and of one where every digit
  // and sign is a letter: its layout cost grows with the changes between
  // letters, digits and signs in a line, not with anything the editor adds.
  bareLoad("same text", program);
  std::string letters = program;
  for (char& c : letters)
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != '\r' && c != '\n') c = 'A';
  bareLoad("digits and signs made letters", letters);

  DestroyWindow(gTermHWnd);
  std::remove(path.c_str());
  return 0;
}
