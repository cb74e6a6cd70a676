// Helpers of the Win32 terminal tests: the real main window made in the
// test's own process, dialogs answered from a second thread, pixels.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"
#include "terminal/editor/termWindow.h"
#include "tests/support/testFiles.h"
#include "tests/support/winTest.h"

namespace termtest {

using namespace wintest;

inline std::string editorText() {
  std::string text(GetWindowTextLengthA(gEditHWnd) + 1, '\0');
  GetWindowTextA(gEditHWnd, &text[0], static_cast<int>(text.size()));
  return text.c_str();
}

inline bool modified() { return SendMessageA(gEditHWnd, EM_GETMODIFY, 0, 0) != 0; }

inline void select(int a, int b) {
  CHARRANGE range = {a, b};
  SendMessageA(gEditHWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

inline CHARRANGE selection() {
  CHARRANGE range = {0, 0};
  SendMessageA(gEditHWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

inline int lineIndex(int line) { return static_cast<int>(SendMessageA(gEditHWnd, EM_LINEINDEX, line, 0)); }

inline POINTL posFromChar(int position) {
  POINTL pt = {0, 0};
  SendMessageA(gEditHWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), position);
  return pt;
}


// The real main window with its editor, made in this process.
class TermWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int registered = TermRegisterClass(GetModuleHandleA(nullptr));
    ASSERT_TRUE(registered);
    ASSERT_TRUE(TermCreateWindow(SW_SHOWNORMAL));
    SetWindowPos(gTermHWnd, HWND_TOP, 0, 0, 800, 600, SWP_SHOWWINDOW);
    pump();
  }
  void TearDown() override {
    if (gTermHWnd) DestroyWindow(gTermHWnd);
    pump();
    std::free(gTextFileName);
    gTextFileName = nullptr;
  }
  void load(const std::string& text) {
    std::string path = tempPath("load.txt");
    ASSERT_TRUE(writeFile(path, text));
    ASSERT_EQ(OpenPath(path.c_str()), 1);
    paint();
  }
  void paint() {
    RedrawWindow(gEditHWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pump();
  }
  void command(int id) {
    SendMessageA(gTermHWnd, WM_COMMAND, id, 0);
    pump();
  }
  void type(const char* text) { SendMessageA(gEditHWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
};

// Pixels near a colour in the box of characters [a, b) of one line.
inline int pixelsOf(COLORREF colour, int a, int b) {
  POINTL p1 = posFromChar(a), p2 = posFromChar(b);
  int height = posFromChar(lineIndex(1)).y - posFromChar(0).y;
  HDC dc = GetDC(gEditHWnd);
  int count = 0;
  for (int y = p1.y; y < p1.y + height; ++y)
    for (int x = p1.x; x < p2.x; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      count += std::abs(GetRValue(c) - GetRValue(colour)) <= 40 &&
               std::abs(GetGValue(c) - GetGValue(colour)) <= 40 &&
               std::abs(GetBValue(c) - GetBValue(colour)) <= 40;
    }
  ReleaseDC(gEditHWnd, dc);
  return count;
}

}  // namespace termtest
