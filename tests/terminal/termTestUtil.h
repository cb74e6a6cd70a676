// Helpers of the Win32 terminal tests: the real main window made in the
// test's own process, message boxes answered from a second thread, pixels.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "terminal/editor/editor.h"
#include "terminal/editor/termWindow.h"

namespace termtest {

inline void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // a destroyed main window posts it
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

inline std::string windowText(HWND window) {
  char buffer[4096] = "";
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

// The editor's whole text, line breaks as the control reports them.
inline std::string editorText() {
  int n = GetWindowTextLengthA(gEditHWnd);
  std::string text(n + 1, '\0');
  GetWindowTextA(gEditHWnd, &text[0], n + 1);
  text.resize(std::strlen(text.c_str()));
  return text;
}

inline bool modified() { return SendMessageA(gEditHWnd, EM_GETMODIFY, 0, 0) != 0; }

inline void select(int a, int b) {
  CHARRANGE range = {a, b};
  SendMessageA(gEditHWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

inline CHARRANGE selection(HWND editor) {
  CHARRANGE range = {0, 0};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

// A file name in the temporary folder, unique to this process.
inline std::string tempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  return std::string(dir) + "kivoterm_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline std::string readFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "<missing>";
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), f)) > 0) bytes.append(chunk, got);
  std::fclose(f);
  return bytes;
}

// A visible top-level window of this process with the given class, title
// (any for null) and, unless 0, a control of the given id.
inline HWND findOwnWindow(const char* className, const char* title, int child = 0) {
  struct Search {
    const char* className;
    const char* title;
    int child;
    HWND found;
  } search = {className, title, child, nullptr};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        Search* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(w)) return TRUE;
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof(cls));
        if (std::string(cls) != s->className) return TRUE;
        if (s->title && windowText(w) != s->title) return TRUE;
        if (s->child && !GetDlgItem(w, s->child)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits on a second thread for a message box with the given caption (any
// caption for an empty one), keeps
// its message text and presses one of its buttons. The thread ends when the
// box was answered, the time is up or the caller has seen the command that
// would show the box return (seen(), text(), the destructor).
class BoxAnswer {
 public:
  BoxAnswer(const char* caption, int button, int timeoutMs = 5000)
      : caption_(caption), button_(button) {
    thread_ = std::thread([this, timeoutMs] { run(timeoutMs); });
  }
  ~BoxAnswer() { wait(); }
  void wait() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool seen() { wait(); return seen_; }
  std::string text() { wait(); return text_; }

 private:
  void run(int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!stop_ && std::chrono::steady_clock::now() < end) {
      HWND box = findOwnWindow("#32770", caption_.empty() ? nullptr : caption_.c_str(), 0xFFFF);
      if (box) {
        char buffer[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));  // message text
        text_ = buffer;
        seen_ = true;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  std::string caption_;
  int button_;
  std::thread thread_;
  std::atomic<bool> seen_{false};
  std::atomic<bool> stop_{false};
  std::string text_;
};

// The real main window with its editor, made in this process.
class TermWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int registered = TermRegisterClass(GetModuleHandleA(nullptr));
    ASSERT_TRUE(registered);
    ASSERT_TRUE(TermCreateWindow(SW_SHOWNORMAL));
    SetWindowPos(gTermHWnd, HWND_TOP, 0, 0, 800, 600, SWP_SHOWWINDOW);
    ASSERT_TRUE(gEditHWnd);
    pump();
  }
  void TearDown() override {
    if (gTermHWnd) DestroyWindow(gTermHWnd);
    pump();
    std::free(gTextFileName);
    gTextFileName = nullptr;
  }
  // Loads text through a file, as the program does.
  void load(const std::string& text) {
    std::string path = tempPath("load.txt");
    writeFile(path, text);
    ASSERT_EQ(OpenPath(path.c_str()), 1);
    paint();
  }
  void paint() {
    RedrawWindow(gEditHWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pump();
  }
};

// Pixels of a window's client area, read after its last paint.
inline COLORREF pixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

inline POINTL posFromChar(HWND editor, int position) {
  POINTL pt = {0, 0};
  SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), position);
  return pt;
}

// Counts the pixels in the box of characters [a, b) of the editor (one line
// high) that satisfy the predicate.
template <typename Pred>
int countPixels(HWND editor, int a, int b, int lineHeight, Pred pred) {
  POINTL p1 = posFromChar(editor, a);
  POINTL p2 = posFromChar(editor, b);
  HDC dc = GetDC(editor);
  int count = 0;
  for (int y = p1.y; y < p1.y + lineHeight; ++y)
    for (int x = p1.x; x < p2.x; ++x)
      if (pred(GetPixel(dc, x, y))) ++count;
  ReleaseDC(editor, dc);
  return count;
}

}  // namespace termtest
