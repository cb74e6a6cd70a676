// Helpers of the tests that drive real Win32 windows under Wine: message
// pumping, window search in this or another process, dialogs and message
// boxes answered from a second thread, and programs run to their end.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

namespace wintest {

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

// Types text into a window as the keyboard does after translation: one
// posted WM_CHAR per character, taken from the window's queue.
inline void typeChars(HWND window, const std::string& text) {
  for (char c : text) PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
  pump();
}

// Presses and releases a key while the given modifier keys (VK_CONTROL,
// VK_SHIFT, VK_MENU) are held: posted key messages, with the modifiers in
// this thread's key state, which is what the receiving control reads. The
// messages are translated as a program's loop does, so a key that types a
// character also sends it.
inline void pressKey(HWND window, WPARAM key, std::initializer_list<int> held = {}) {
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE saved[256];
  std::memcpy(saved, keys, sizeof(keys));
  for (int modifier : held) keys[modifier] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    if (msg.message != WM_QUIT) DispatchMessageA(&msg);
  }
  SetKeyboardState(saved);
}

// Waits on a second thread for a popup menu of this process and chooses the
// item with the given command id as a user does with the keyboard: arrow
// down until it is highlighted, then Enter (Escape when it never is). Made
// before the command that opens the menu; seen() after it tells whether the
// item was chosen.
class MenuChoice {
 public:
  explicit MenuChoice(int id, int timeoutMs = 10000) {
    thread_ = std::thread([this, id, timeoutMs] {
      for (int waited = 0; !stop_ && waited < timeoutMs; waited += 20, Sleep(20)) {
        HWND popup = findOwnWindow("#32768", nullptr);
        HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu) continue;
        for (int step = 0; step < 2 * GetMenuItemCount(menu); ++step) {
          if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_HILITE) {
            PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            chosen_ = true;
            return;
          }
          PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
          Sleep(50);
        }
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
      }
    });
  }
  ~MenuChoice() { seen(); }
  bool seen() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return chosen_;
  }

 private:
  std::atomic<bool> stop_{false}, chosen_{false};
  std::thread thread_;
};

}  // namespace wintest

namespace wintest {

// The path of a program in this test program's folder.
inline std::string siblingProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  const std::string self(path, n);
  return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

struct ProgramRun {
  bool started = false;
  bool timedOut = false;  // ended by runProgram after the time allowed
  DWORD exitCode = 0;
  std::string output;     // standard output and standard error
};

// Runs a command line and collects its output. This thread's messages are
// dispatched meanwhile, so a program that sends messages to this process's
// windows is answered.
inline ProgramRun runProgram(std::string commandLine, DWORD timeoutMs) {
  ProgramRun run;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi = {};
  run.started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                               nullptr, &si, &pi);
  CloseHandle(writeEnd);
  auto drain = [&] {
    char buffer[4096];
    DWORD n = 0;
    while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &n, nullptr) && n > 0 &&
           ReadFile(readEnd, buffer, n < sizeof(buffer) ? n : sizeof(buffer), &n, nullptr) && n)
      run.output.append(buffer, n);
  };
  if (run.started) {
    const DWORD start = GetTickCount();
    for (;;) {
      drain();
      const DWORD waited = GetTickCount() - start;
      if (waited >= timeoutMs) {
        TerminateProcess(pi.hProcess, DWORD(-1));
        WaitForSingleObject(pi.hProcess, 5000);
        run.timedOut = true;
        break;
      }
      const DWORD slice = timeoutMs - waited < 50 ? timeoutMs - waited : 50;
      if (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, slice, QS_ALLINPUT) == WAIT_OBJECT_0)
        break;
      pump();
    }
    drain();
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(readEnd);
  return run;
}

}  // namespace wintest
