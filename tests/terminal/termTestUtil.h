// Helpers of the Win32 terminal tests: the real main window made in the
// test's own process, dialogs answered from a second thread, pixels.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"
#include "terminal/editor/termWindow.h"
#include "tests/tools/testFiles.h"

namespace termtest {

inline void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);  // a destroyed main window posts quit
}

inline std::string windowText(HWND window) {
  char buffer[4096] = "";
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

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


// A window's title as the system keeps it. Unlike GetWindowTextA this sends
// no message, so a helper thread never waits on the test's thread, which may
// itself be waiting for that helper to end.
inline std::string storedTitle(HWND window) {
  wchar_t buffer[256] = L"";
  int n = InternalGetWindowText(window, buffer, 256);
  return std::string(buffer, buffer + (n > 0 ? n : 0));  // the titles sought are ASCII
}

// A visible top-level window of process pid with the given class, title
// (any for null) and, unless 0, a control of the given id.
inline HWND findWindowOf(DWORD pid, const char* className, const char* title, int child = 0) {
  struct Search {
    DWORD pid;
    const char *className, *title;
    int child;
    HWND found;
  } s = {pid, className, title, child, nullptr};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        Search* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof(cls));
        if (pid != s->pid || !IsWindowVisible(w) || std::strcmp(cls, s->className) ||
            (s->title && storedTitle(w) != s->title) || (s->child && !GetDlgItem(w, s->child)))
          return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

inline HWND findOwnWindow(const char* className, const char* title, int child = 0) {
  return findWindowOf(GetCurrentProcessId(), className, title, child);
}

// Waits on a second thread for a dialog of this process with the given
// title (any for an empty one) and control, and acts on it once. The thread
// ends then, when the time is up, or when the caller asks for the outcome,
// which it does after the command that would show the dialog has returned.
class Answer {
 public:
  Answer(std::string title, int child, std::function<void(HWND)> act, int timeoutMs = 30000)
      : title_(std::move(title)), child_(child), act_(std::move(act)) {
    thread_ = std::thread([this, timeoutMs] {
      for (int waited = 0; !stop_ && waited < timeoutMs; waited += 20) {
        HWND dialog = findOwnWindow("#32770", title_.empty() ? nullptr : title_.c_str(), child_);
        if (dialog) {
          char text[1024] = "";
          GetDlgItemTextA(dialog, 0xFFFF, text, sizeof(text));  // a message box's text
          text_ = text;
          act_(dialog);
          seen_ = true;
          return;
        }
        Sleep(20);
      }
    });
  }
  ~Answer() { seen(); }
  bool seen() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }
  std::string text() { return seen() ? text_ : ""; }

 private:
  std::string title_;
  int child_;
  std::function<void(HWND)> act_;
  std::string text_;
  std::atomic<bool> stop_{false}, seen_{false};
  std::thread thread_;
};

// Presses a button of a message box.
inline std::function<void(HWND)> press(int button) {
  return [button](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
}

const int MESSAGE_TEXT = 0xFFFF;  // the static text every message box has
const int FILE_NAME_BOX = 0x47C;  // the name box of the file dialogs

// Types a name into a file dialog and confirms it; an empty name cancels.
inline std::function<void(HWND)> chooseFile(std::string name) {
  return [name](HWND dialog) {
    if (!name.empty()) SetDlgItemTextA(dialog, FILE_NAME_BOX, name.c_str());
    PostMessageA(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
  };
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
