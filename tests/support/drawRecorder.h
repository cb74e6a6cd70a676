// Recording stand-in for the graphics control and the command language's
// platform seam: every cmd_* operation logs its call with its arguments, the
// tick count is set by the test, and message boxes are collected.
#pragma once

#include <string>
#include <vector>

#include "gfx/graphics.h"

struct RecordedBox {
  std::string text;
  std::string caption;
};

struct DrawRecorder {
  // Calls as "cmd_box(10, 20, 30, 0)", without the window argument, which
  // is kept in `windows` at the same index. Strings are shown in single
  // quotes (null as null), point lists as {x,y x,y}.
  std::vector<std::string> calls;
  std::vector<HWND> windows;
  std::vector<RecordedBox> boxes;
  unsigned int tick = 1000000;  // what langTickCount returns
  int result = 1;               // what every operation returns
  bool logging = true;          // false: only count calls (for benchmarks)
  long long count = 0;          // calls made, logged or not
  void (*onCall)() = nullptr;   // run inside every operation, after logging
};

extern DrawRecorder gRecorder;

// Empties the logs and restores the defaults above.
void recorderReset();
