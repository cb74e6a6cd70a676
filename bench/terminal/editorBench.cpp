// Costs of the terminal's editor with a generated program of 100,001 lines,
// each against the bare control (bareControl.h) measured in the same run:
//   - the load paths: start-up with the file on the command line, measured
//     from outside as a user sees it (process start until the title names
//     the file) against the bare program doing the same; Open into the
//     running editor; Open over the loaded text;
//   - a full paint at the end of the text, a jump deep in it with its paint,
//     a turn of the wheel there, and a character typed there and taken back.
// Rounds alternate editor and bare so a busy machine weighs on both alike;
// each figure is the median. Run under Wine; prints figures.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/terminal/bareControl.h"
#include "bench/winClock.h"
#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"
#include "terminal/editor/termWindow.h"
#include "tests/support/winTest.h"

namespace {

const int ROUNDS = 5;

// CPU time (user and kernel) this process has used so far: unlike the
// clock, it leaves out what the other programs of a busy machine take.
double cpuMs() {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string samples(const std::vector<double>& v) {
  std::string text;
  char one[32];
  for (double x : v) {
    std::snprintf(one, sizeof(one), " %.1f", x);
    text += one;
  }
  return text;
}

// The median of each, their ratio, and every sample (ms).
void report(const char* what, const std::vector<double>& editor, const std::vector<double>& bare) {
  double e = median(editor), b = median(bare);
  std::printf("%-62s editor %9.2f ms  bare %9.2f ms  ratio %.2f\n", what, e, b, b > 0 ? e / b : 0.0);
  std::printf("    editor:%s\n    bare:%s\n", samples(editor).c_str(), samples(bare).c_str());
  std::fflush(stdout);
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


// Starts a program with the file and returns the time until its title names
// it (ends with "[path]"), then closes it; -1 when that never happens.
double startUntilTitled(const std::string& program, const char* className, const std::string& file) {
  std::string commandLine = "\"" + program + "\" " + file;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  double t0 = nowMs();
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  const std::string wanted = "[" + file + "]";
  double took = -1;
  HWND window = nullptr;
  while (nowMs() - t0 < 600000) {
    if (!window) window = wintest::findWindowOf(pi.dwProcessId, className, nullptr);
    std::string title = window ? wintest::storedTitle(window) : "";
    if (title.size() >= wanted.size() && title.compare(title.size() - wanted.size(), wanted.size(), wanted) == 0) {
      took = nowMs() - t0;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 5) == WAIT_OBJECT_0) break;
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return took;
}

void startUp(const std::string& file) {
  std::vector<double> editor, bare;
  std::string terminal = wintest::siblingProgram("KIVOTerminal.exe"),
              bareEdit = wintest::siblingProgram("term_bare_edit.exe");
  for (int r = 0; r < ROUNDS; ++r) {
    // Alternating which goes first cancels a drift of the machine's load.
    for (int k = 0; k < 2; ++k) {
      if ((r + k) % 2 == 0)
        editor.push_back(startUntilTitled(terminal, "KIVOTermClass", file));
      else
        bare.push_back(startUntilTitled(bareEdit, "KIVOBareEdit", file));
    }
  }
  report("start-up with the file, until the title names it", editor, bare);
}

double timed(const std::function<void()>& step) {
  double t0 = nowMs();
  step();
  return nowMs() - t0;
}

RECT editorPlace() {
  RECT rc;
  GetWindowRect(gEditHWnd, &rc);
  MapWindowPoints(nullptr, gTermHWnd, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// Wall and CPU time of a step on this thread.
void timedBoth(const std::function<void()>& step, std::vector<double>* wall, std::vector<double>* cpu) {
  double c0 = cpuMs();
  wall->push_back(timed(step));
  cpu->push_back(cpuMs() - c0);
}

void loads(const std::string& file, HFONT font) {
  std::vector<double> open, openOver, bare, openCpu, openOverCpu, bareCpu;
  for (int r = 0; r < ROUNDS; ++r) {
    SendMessageA(gTermHWnd, WM_COMMAND, IDM_NEW, 0);
    wintest::pump();
    auto bareLoad = [&] {
      HWND control = makeBareControl(gTermHWnd, editorPlace(), font);
      timedBoth([&] { loadBare(control, file.c_str()); }, &bare, &bareCpu);
      wintest::pump();
      DestroyWindow(control);
    };
    if (r % 2 == 0) bareLoad();
    timedBoth([&] { OpenPath(file.c_str()); }, &open, &openCpu);
    wintest::pump();
    timedBoth([&] { OpenPath(file.c_str()); }, &openOver, &openOverCpu);
    wintest::pump();
    if (r % 2 == 1) bareLoad();
  }
  std::printf("(%d lines loaded)\n", GetEditorLineCount(gEditHWnd));
  report("Open into the editor", open, bare);
  report("  the same, CPU time", openCpu, bareCpu);
  report("Open over the loaded text", openOver, bare);
  report("  the same, CPU time", openOverCpu, bareCpu);
}

// The editor's control with and without the editor's own procedure.
struct Proc {
  LONG_PTR own, base;
  void bare() { SetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC, base); }
  void editor() { SetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC, own); }
};

void paint() {
  InvalidateRect(gEditHWnd, nullptr, TRUE);
  UpdateWindow(gEditHWnd);
}

int firstVisible() { return static_cast<int>(SendMessageA(gEditHWnd, EM_GETFIRSTVISIBLELINE, 0, 0)); }

// Runs step several times with the editor's procedure and with the bare
// control's, in alternating blocks.
void compare(const std::string& what, Proc& proc, const std::function<void()>& step) {
  std::vector<double> editor, bare;
  for (int block = 0; block < 6; ++block) {
    bool isBare = block % 2 == 1;
    if (isBare)
      proc.bare();
    else
      proc.editor();
    for (int i = 0; i < 5; ++i) (isBare ? bare : editor).push_back(timed(step));
  }
  proc.editor();
  report(what.c_str(), editor, bare);
}

// Paints, scrolls and typing near the end (lines - 51) and deep in the text
// (six and nine tenths in), as 99,950, 60,000 and 90,000 of 100,001 lines.
void views(int lines) {
  const int end = lines - 51, mid = lines / 10 * 6, deep = lines / 10 * 9;
  auto at = [](const char* what, int line) { return std::string(what) + " " + std::to_string(line); };
  Proc proc = {GetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC),
               reinterpret_cast<LONG_PTR>(GetEditorInfo(gEditHWnd)->baseProc)};
  auto scrollTo = [](int line) { SendMessageA(gEditHWnd, EM_LINESCROLL, 0, line - firstVisible()); };
  scrollTo(end);
  paint();
  compare(at("full paint at line", end), proc, paint);

  // Jumps between two places deep in the text, each with its paint: the
  // editor's ScrollToLine, the bare control's own scroll by as many lines.
  bool deeper = false;
  compare(at("scroll between line", mid) + " and " + std::to_string(deep) + ", with the paint", proc, [&] {
    deeper = !deeper;
    int target = deeper ? deep : mid;
    if (GetWindowLongPtrA(gEditHWnd, GWLP_WNDPROC) == proc.own) {
      ScrollToLine(gEditHWnd, target + 1);
    } else {
      SendMessageA(gEditHWnd, EM_LINESCROLL, 0, target - firstVisible());
      UpdateWindow(gEditHWnd);
    }
  });

  scrollTo(deep);
  paint();
  int turn = 1;
  compare(at("a turn of the wheel at line", deep) + ", with the paint", proc, [&] {
    turn = -turn;
    SendMessageA(gEditHWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(turn * WHEEL_DELTA)), MAKELPARAM(200, 200));
    UpdateWindow(gEditHWnd);
  });

  // A character typed at the start of a line deep in the text and taken
  // back with Backspace, each with its paint.
  long start = static_cast<long>(SendMessageA(gEditHWnd, EM_LINEINDEX, deep + 10, 0));
  CHARRANGE caret = {start, start};
  SendMessageA(gEditHWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  paint();
  compare(at("a character typed at line", deep + 10) + " and taken back, with the paints", proc, [] {
    SendMessageA(gEditHWnd, WM_CHAR, 'x', 1);
    UpdateWindow(gEditHWnd);
    SendMessageA(gEditHWnd, WM_KEYDOWN, VK_BACK, 1);
    UpdateWindow(gEditHWnd);
  });
}

}  // namespace

// term_editor_bench [LINES]: a program of LINES lines, 100,001 unless given.
int main(int argc, char** argv) {
  const int LINES = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100001;
  std::string program = makeProgram(LINES);
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  std::string path = std::string(dir) + "kivoterm_bench.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(program.data(), 1, program.size(), f) != program.size() || std::fclose(f) != 0) {
    std::printf("cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("program: %d lines, %zu bytes\n", LINES, program.size());

  startUp(path);

  if (!TermRegisterClass(GetModuleHandleA(nullptr)) || !TermCreateWindow(SW_SHOWNORMAL)) {
    std::printf("cannot make the window\n");
    return 1;
  }
  SetWindowPos(gTermHWnd, HWND_TOP, 0, 0, 1000, 800, SWP_SHOWWINDOW);
  wintest::pump();
  HFONT font = bareFont(gTermHWnd);
  loads(path, font);
  views(LINES);
  DestroyWindow(gTermHWnd);
  DeleteObject(font);
  std::remove(path.c_str());
  return 0;
}
