// Drives KIVOTerminal.exe from outside, as a user would: starts it on a
// program, chooses Run, picks the port, presses the Run dialog's buttons and
// reads its log, progress bar and boxes. Used by the end-to-end tests and the
// streaming benchmark.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "terminal/editor/termIds.h"
#include "terminal/link/linkIds.h"
#include "tests/support/winTest.h"

namespace linkdrive {

// Texts of another process's windows come through WM_GETTEXT.
inline std::string remoteText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return "";
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                      10000, &got);
  text.resize(got);
  return text;
}

inline LRESULT remoteSend(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
  return static_cast<LRESULT>(result);
}

// Presses a button of a dialog (its command, as a click sends it).
inline void click(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The terminal process and its windows.
struct Terminal {
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;
};

// Waits up to timeoutMs for a visible dialog of the process with the given
// title (any for null) and control (none for 0).
inline HWND waitForDialog(const Terminal& t, const char* title, int child = 0, int timeoutMs = 20000) {
  for (int waited = 0; waited < timeoutMs; waited += 10, Sleep(10))
    if (HWND found = wintest::findWindowOf(t.process.dwProcessId, "#32770", title, child)) return found;
  return nullptr;
}

inline bool dialogGone(const Terminal& t, const char* title, int timeoutMs = 20000) {
  for (int waited = 0; waited < timeoutMs; waited += 10, Sleep(10))
    if (!wintest::findWindowOf(t.process.dwProcessId, "#32770", title)) return true;
  return false;
}

// Starts KIVOTerminal.exe (next to this program) on the program file.
inline bool startTerminal(const std::string& program, Terminal* t) {
  std::string commandLine = "\"" + wintest::siblingProgram("KIVOTerminal.exe") + "\" " + program;
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &t->process))
    return false;
  WaitForInputIdle(t->process.hProcess, 10000);
  for (int i = 0; i < 500 && !t->main; ++i, Sleep(20))
    t->main = wintest::findWindowOf(t->process.dwProcessId, "KIVOTermClass", nullptr);
  return t->main != nullptr;
}

// The editor control; Open and New replace it with a new one.
inline HWND editorOf(const Terminal& t) { return FindWindowExA(t.main, nullptr, "RichEdit20A", nullptr); }

// Chooses Run and the named port in the port dialog; the Run dialog, or null.
inline HWND openRunDialog(const Terminal& t, const std::string& port) {
  PostMessageA(t.main, WM_COMMAND, IDM_RUN, 0);
  HWND ports = waitForDialog(t, "Select COMM port", IDC_PORT_LIST);
  if (!ports) return nullptr;
  std::wstring wide(port.begin(), port.end());
  HWND list = GetDlgItem(ports, IDC_PORT_LIST);
  LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(wide.c_str()));
  if (index == CB_ERR) return nullptr;
  remoteSend(list, CB_SETCURSEL, index);
  click(ports, IDC_PORT_OK);
  return waitForDialog(t, "Run", IDC_RUN_LOG);
}

inline std::string logText(HWND run) { return remoteText(GetDlgItem(run, IDC_RUN_LOG)); }
inline int progressPosition(HWND run) {
  return static_cast<int>(remoteSend(GetDlgItem(run, IDC_RUN_PROGRESS), PBM_GETPOS));
}
inline int progressLow(HWND run) {
  return static_cast<int>(remoteSend(GetDlgItem(run, IDC_RUN_PROGRESS), PBM_GETRANGE, TRUE));
}
inline bool enabled(HWND run, int id) { return IsWindowEnabled(GetDlgItem(run, id)) != FALSE; }

// Ends the terminal: closes its dialogs and its main window; its exit code,
// or a code above 1000 when it did not end.
inline DWORD closeTerminal(Terminal* t) {
  DWORD code = 1001;
  if (!t->process.hProcess) return code;
  if (HWND run = wintest::findWindowOf(t->process.dwProcessId, "#32770", "Run"))
    PostMessageA(run, WM_CLOSE, 0, 0);
  dialogGone(*t, "Run", 10000);
  PostMessageA(t->main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(t->process.hProcess, 10000) == WAIT_OBJECT_0)
    GetExitCodeProcess(t->process.hProcess, &code);
  else
    TerminateProcess(t->process.hProcess, code);
  CloseHandle(t->process.hThread);
  CloseHandle(t->process.hProcess);
  t->process = {};
  return code;
}

}  // namespace linkdrive
