// Helpers of the Win32 tests of KIVO CAD: the real main window made in the
// test's own process, real pointer and keyboard input, what the status bar,
// tool list and board view show.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/editor/documentCommands.h"
#include "cad/editor/editorState.h"
#include "cad/editor/mainWindow.h"
#include "cad/editor/viewGlue.h"
#include "gfx/graphics.h"
#include "gfx/zugfx.h"
#include "resources/kivoIds.h"
#include "tests/support/testFiles.h"
#include "tests/support/winTest.h"

namespace cadtest {

using namespace wintest;

// Input goes through the system's input queue, as a user's would.
inline void sendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
  pump();
}

inline void moveScreen(POINT p) {
  SetCursorPos(p.x, p.y);
  sendMouse(MOUSEEVENTF_MOVE);  // a move of 0: the window under the pointer hears of it
}

inline void key(WORD vk) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = vk;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
  pump();
}

// Screen position of board point (x, y) mm in the current view.
inline POINT boardScreen(double x, double y) {
  POINT p = {static_cast<LONG>((x + gV.viewX) * gV.zoom), static_cast<LONG>((y + gV.viewY) * gV.zoom)};
  ClientToScreen(ghGfxBox, &p);
  return p;
}

inline void moveTo(double x, double y) { moveScreen(boardScreen(x, y)); }

// Left press at board point a, drag in steps to b, release there.
inline void drag(double ax, double ay, double bx, double by, DWORD down = MOUSEEVENTF_LEFTDOWN,
                 DWORD up = MOUSEEVENTF_LEFTUP) {
  moveTo(ax, ay);
  sendMouse(down);
  for (int i = 1; i <= 4; ++i) moveTo(ax + (bx - ax) * i / 4, ay + (by - ay) * i / 4);
  sendMouse(up);
}

inline void clickAt(double x, double y) {
  moveTo(x, y);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  sendMouse(MOUSEEVENTF_LEFTUP);
}

// Clicks the middle of item `item` of a child window, whose rectangle the
// message `getRect` gives (twice for a double click).
inline void clickItem(HWND window, UINT getRect, WPARAM item, bool twice = false) {
  RECT rc = {};
  SendMessageA(window, getRect, item, reinterpret_cast<LPARAM>(&rc));
  POINT p = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ClientToScreen(window, &p);
  moveScreen(p);
  for (int i = 0; i < (twice ? 2 : 1); ++i) {
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    sendMouse(MOUSEEVENTF_LEFTUP);
  }
}

// Clicks a toolbar button by its command, where it is shown.
inline void clickToolbar(int command) {
  clickItem(gMainToolbar, TB_GETITEMRECT, SendMessageA(gMainToolbar, TB_COMMANDTOINDEX, command, 0));
}

// Clicks row `row` of the tool list (twice for a double click).
inline void clickToolRow(int row, bool twice = false) { clickItem(gToolList, LB_GETITEMRECT, row, twice); }

inline void menu(int command) {
  SendMessageA(gMainHWnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  pump();
}

inline std::string statusText(int part) {
  char text[256] = "";
  SendMessageA(gStatusHWnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
  return text;
}

// Board view pixel (x, y) as the last frame left it.
inline COLORREF viewPixel(int x, int y) { return static_cast<COLORREF>(cmd_getPixel(ghGfxBox, x, y)); }

// Pixel of a window as shown on the screen.
inline COLORREF shownPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

inline Obj* objAt(int index) {
  Link* link = gObjList;
  for (int i = 0; link && i < index; ++i) link = link->next;
  return ListToObj(link);
}

// The real main window with its children, made in this process.
class CadWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int ready = ZuGfxInit() && CadRegisterClass(GetModuleHandleA(nullptr));
    ASSERT_TRUE(ready);
    ASSERT_TRUE(CadCreateWindow(SW_SHOWNORMAL));
    // 900 x 650 inside, at the top left of the screen.
    RECT frame = {0, 0, 900, 650};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(gMainHWnd, HWND_TOP, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_SHOWWINDOW);
    SetForegroundWindow(gMainHWnd);
    pump();
    moveScreen(POINT{1500, 1100});  // away from the view
  }
  void TearDown() override {
    ReleaseCapture();
    if (gMainHWnd) DestroyWindow(gMainHWnd);
    pump();
    std::free(gFileName);
    gFileName = nullptr;
    resetObjs();
  }
};

}  // namespace cadtest
