#include "terminal/link/runDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "terminal/editor/editor.h"
#include "terminal/editor/termWindow.h"
#include "terminal/editor/textLimit.h"
#include "terminal/link/lineCache.h"
#include "terminal/link/linkIds.h"
#include "terminal/link/portDialog.h"
#include "terminal/link/runState.h"
#include "terminal/link/runView.h"
#include "terminal/link/sender.h"
#include "terminal/link/serialPort.h"

HANDLE gPortHandle = INVALID_HANDLE_VALUE;
HWND gRunHWnd = nullptr;

namespace {

// Requests of the sender thread, handled by the dialog on the user-interface
// thread, which owns the dialog's controls and the editor.
enum RunRequest {
  RUNM_CHANGED = WM_APP + 1,  // the sender asked for changes to be shown
  RUNM_SHOW,                  // show them now
  RUNM_BUTTONS,               // the same, then enable the buttons for the run state
  RUNM_FETCH                  // wParam, lParam: generation and first line of a LineRequest
};

// Showing costs the user-interface thread tens of milliseconds (the log
// grows, the editor is painted anew), time a fast run would otherwise spend
// streaming: changes are shown at once, but no sooner than this after the
// last time.
const DWORD SHOW_PERIOD_MS = 500;
const UINT_PTR SHOW_TIMER = 1;

// The open connection.
HWND gRunEditor = nullptr;
RunPort gRunPort;
LinkIo gLinkIo;
DWORD gUiThreadId = 0;
std::atomic<bool> gShowAsked{false};  // a RUNM_CHANGED is on its way
DWORD gLastShow = 0;
HANDLE gSenderThread = nullptr;
DWORD gSenderThreadId = 0;

bool _onUiThread() { return GetCurrentThreadId() == gUiThreadId; }

void _appendToLog(HWND dialog, const char* text) {
  HWND log = GetDlgItem(dialog, IDC_RUN_LOG);
  SendMessageA(log, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void _setProgress(HWND dialog, int position) {
  SendDlgItemMessageA(dialog, IDC_RUN_PROGRESS, PBM_SETPOS, position, 0);
}

// Shows what the sender thread asked for since the last time (user-interface
// thread).
void _showChanges(HWND dialog) {
  gShowAsked = false;
  gLastShow = GetTickCount();
  RunViewChanges changes = viewTakeChanges();
  if (!changes.log.empty()) _appendToLog(dialog, changes.log.c_str());
  if (changes.progress >= 0) _setProgress(dialog, changes.progress);
  for (int line : changes.marks) MarkLine(gRunEditor, line);
  if (changes.scrollLine > 0) ScrollToLine(gRunEditor, changes.scrollLine);
}

void _enableButtons(HWND dialog) {
  int run, pause, stop;
  RunButtons(gRunState.load(), &run, &pause, &stop);
  EnableWindow(GetDlgItem(dialog, IDC_RUN_RUN), run);
  EnableWindow(GetDlgItem(dialog, IDC_RUN_PAUSE), pause);
  EnableWindow(GetDlgItem(dialog, IDC_RUN_STOP), stop);
}

int _lineStart(int line) { return static_cast<int>(SendMessageA(gRunEditor, EM_LINEINDEX, line - 1, 0)); }

// Lines from..last of the editor as one text range split at its line
// breaks: finding a line's start costs the editor a walk from the top, so a
// block asks for two starts instead of one per line. Where the range does
// not split into the editor's lines, they are read one by one.
void _readLines(int from, int last, int count, std::vector<std::string>* lines) {
  int start = _lineStart(from), end;
  if (last < count) {
    end = _lineStart(last + 1);
  } else {
    end = _lineStart(last);
    end += static_cast<int>(SendMessageA(gRunEditor, EM_LINELENGTH, end, 0));
  }
  int length = 0;
  char* text = start >= 0 && end >= start ? GetTextRange(gRunEditor, start, end, &length) : nullptr;
  if (text) {
    std::string range(text, length);
    std::free(text);
    if (last == count) range += '\r';
    if (splitLines(range.data(), static_cast<int>(range.size()), last - from + 1, lines)) return;
  }
  lines->clear();
  for (int n = from; n <= last; ++n) {
    char* line = GetLineText(gRunEditor, n);
    if (!line) break;  // no memory: that line is asked for again when it is taken
    lines->emplace_back(line);
    std::free(line);
  }
}

// Fetches a block of the editor's lines for the sender (user-interface
// thread).
void _fetchLines(const LineRequest& request) {
  int count = GetEditorLineCount(gRunEditor);
  int last = std::min(count, request.from + LINE_BLOCK - 1);
  std::vector<std::string> lines;
  if (request.from <= last) _readLines(request.from, last, count, &lines);
  lineCacheStore(request, count, std::move(lines));
}

// Fetches the block for request now, on whichever thread asks; false when
// the dialog has gone.
bool _fetchNow(const LineRequest& request) {
  if (_onUiThread()) {
    _fetchLines(request);
    return true;
  }
  return SendMessageA(gRunHWnd, RUNM_FETCH, request.generation, request.from) != 0;
}

// The protocol's editor. Lines come from the block held ahead; when the
// dialog has already gone (the connection is ending) they come straight from
// the editor.
int _lineCount(void*) {
  int count = lineCacheCount();
  if (count < 0 && !_onUiThread() && _fetchNow(lineCacheRequest(std::max<int>(gRunLine, 1))))
    count = lineCacheCount();
  return count >= 0 ? count : GetEditorLineCount(gRunEditor);
}

char* _lineText(void*, int n) {
  char* text = nullptr;
  if (!lineCacheTake(n, &text)) {
    if (!_fetchNow(lineCacheRequest(n))) return GetLineText(gRunEditor, n);
    if (!lineCacheTake(n, &text)) return nullptr;  // a user command came between
  }
  LineRequest ahead;
  if (lineCacheWantsMore(n, &ahead)) PostMessageA(gRunHWnd, RUNM_FETCH, ahead.generation, ahead.from);
  return text;
}

// A change asked for: shown at once on the user-interface thread, else
// announced to it (once until it shows).
void _changed() {
  if (_onUiThread())
    _showChanges(gRunHWnd);
  else if (!gShowAsked.exchange(true))
    PostMessageA(gRunHWnd, RUNM_CHANGED, 0, 0);
}

void _markLine(void*, int n) {
  viewMarkLine(n);
  _changed();
}

void _scrollToLine(void*, int n) {
  viewScrollTo(n);
  _changed();
}

void _clearMarks(void*) {
  if (_onUiThread()) _showChanges(gRunHWnd);
  ClearMarks(gRunEditor);
}

// The protocol's dialog.
void _appendLog(void*, const char* text) {
  viewAppendLog(text);
  _changed();
}

void _setProgressRange(void*, int low, int high) {
  if (_onUiThread()) _showChanges(gRunHWnd);
  SendDlgItemMessageA(gRunHWnd, IDC_RUN_PROGRESS, PBM_SETRANGE32, low, high);
}

void _setProgressPosition(void*, int position) {
  viewSetProgress(position);
  _changed();
}

void _updateButtons(void*) { SendMessageA(gRunHWnd, RUNM_BUTTONS, 0, 0); }

// The box is owned by the main window, which the Run dialog keeps disabled,
// so Pause and Stop stay usable while it is up.
void _complete(void*) {
  SendMessageA(gRunHWnd, RUNM_SHOW, 0, 0);
  MessageBoxA(gTermHWnd, "Execution complete", "Complete!", MB_OK);
}

LinkIo _linkIo(RunPort* port) {
  LinkIo io;
  io.port = runLinkPort(port);
  io.editor = {nullptr, _lineCount, _lineText, _markLine, _scrollToLine, _clearMarks};
  io.report = {nullptr, _appendLog, _setProgressRange, _setProgressPosition, _updateButtons, _complete};
  return io;
}

LRESULT OnRunInit(HWND dialog) {
  gRunHWnd = dialog;
  RaiseTextLimit(GetDlgItem(dialog, IDC_RUN_LOG));
  _enableButtons(dialog);
  gSenderThread = CreateThread(nullptr, 0, SenderThread, nullptr, 0, &gSenderThreadId);
  if (!gSenderThread) {
    _appendToLog(dialog, "Unable to start the sender thread\r\n");
    EnableWindow(GetDlgItem(dialog, IDC_RUN_RUN), FALSE);
  }
  return 1;
}

// Run, Pause and Stop; every command makes the next run read the editor
// afresh.
void OnRunCommand(WPARAM wParam) {
  if (HIWORD(wParam) != 0) return;
  int id = LOWORD(wParam);
  if (id != IDC_RUN_RUN && id != IDC_RUN_PAUSE && id != IDC_RUN_STOP) return;  // Enter and Escape do nothing
  lineCacheReset();
  if (id == IDC_RUN_PAUSE) PauseCommand(&gLinkIo);
  if (id == IDC_RUN_STOP) StopCommand(&gLinkIo);
  if (id == IDC_RUN_RUN) {
    RunCommand(&gLinkIo);
    _fetchLines(lineCacheRequest(gRunLine));  // the first line is at hand when the controller is ready
  }
}

// The sender thread stops at its next check; the dialog then goes.
void OnRunClose(HWND dialog) {
  LinkEnd();
  KillTimer(dialog, SHOW_TIMER);
  EndDialog(dialog, 0);
}

// Shows the changes now, or once the period since the last time is over.
void OnRunChanged(HWND dialog) {
  DWORD since = GetTickCount() - gLastShow;
  if (since >= SHOW_PERIOD_MS)
    _showChanges(dialog);
  else
    SetTimer(dialog, SHOW_TIMER, SHOW_PERIOD_MS - since, nullptr);
}

void OnRunTimer(HWND dialog) {
  KillTimer(dialog, SHOW_TIMER);
  _showChanges(dialog);
}

// Dismisses the message boxes the sender thread shows.
void _dismissSenderBoxes() {
  EnumThreadWindows(
      gSenderThreadId,
      [](HWND window, LPARAM) -> BOOL {
        char cls[16] = "";
        GetClassNameA(window, cls, sizeof(cls));
        if (lstrcmpA(cls, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
      },
      0);
}

// Waits for the sender thread to end, serving the requests it sends
// meanwhile and dismissing its box. A thread still held in a port transfer
// after a second has that transfer cancelled.
void _joinSender() {
  if (!gSenderThread) return;
  for (int waited = 0;; waited += 20) {
    _dismissSenderBoxes();
    if (waited == 1000) CancelSynchronousIo(gSenderThread);
    DWORD woke = MsgWaitForMultipleObjects(1, &gSenderThread, FALSE, 20, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) break;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(gSenderThread);
  gSenderThread = nullptr;
  gSenderThreadId = 0;
}

}  // namespace

DWORD WINAPI SenderThread(LPVOID) {
  SenderLoop(&gLinkIo);
  return 0;
}

INT_PTR CALLBACK RunDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: return OnRunInit(dialog);
    case WM_COMMAND: OnRunCommand(wParam); return 1;
    case WM_CLOSE: OnRunClose(dialog); return 1;
    case WM_TIMER: OnRunTimer(dialog); return 1;
    case RUNM_CHANGED: OnRunChanged(dialog); return 1;
    case RUNM_SHOW: _showChanges(dialog); return 1;
    case RUNM_BUTTONS:
      _showChanges(dialog);
      _enableButtons(dialog);
      return 1;
    case RUNM_FETCH:
      _fetchLines(LineRequest{static_cast<unsigned>(wParam), static_cast<int>(lParam)});
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
      return 1;
    default: return 0;
  }
}

void RunProgram(HWND editor) {
  if (gRunActive.load()) return;
  if (!SelectPort()) return;
  HANDLE port = OpenPort(gPortName);
  if (port == INVALID_HANDLE_VALUE) {
    MessageBoxA(gTermHWnd, "Unable to open commport", "Commport error", MB_OK | MB_ICONWARNING);
    return;
  }
  gPortHandle = port;
  gRunEditor = editor;
  gUiThreadId = GetCurrentThreadId();
  gRunPort = newRunPort(port);
  gLinkIo = _linkIo(&gRunPort);
  lineCacheReset();
  viewTakeChanges();
  gShowAsked = false;
  LinkOpen();
  SetEditorReadOnly(editor, 1);
  DialogBoxParamA(gTermInstance, MAKEINTRESOURCEA(IDD_RUN), gTermHWnd, RunDlgProc, 0);
  LinkEnd();
  _joinSender();
  SetEditorReadOnly(editor, 0);
  CloseHandle(port);
  gPortHandle = INVALID_HANDLE_VALUE;
  gRunHWnd = nullptr;
}
