#include "terminal/editor/termWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "terminal/editor/commandLine.h"
#include "terminal/editor/editor.h"
#include "terminal/editor/findDialog.h"
#include "terminal/editor/programText.h"
#include "terminal/editor/termFiles.h"
#include "terminal/editor/termIds.h"

HINSTANCE gTermInstance = nullptr;
HWND gTermHWnd = nullptr;
HWND gEditHWnd = nullptr;
char* gTextFileName = nullptr;
void (*gRunProgram)(HWND editor) = nullptr;

namespace {

const char FILE_FILTER[] = "Text\0*.txt\0GCode\0*.gcode\0";
const int FILE_NAME_SIZE = 261;  // the dialogs are told one byte less

char* _copyString(const char* text) {
  size_t n = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, text, n);
  return copy;
}

void _setFileName(char* name) {
  std::free(gTextFileName);
  gTextFileName = name;
}

void _clearModified() { SendMessageA(gEditHWnd, EM_SETMODIFY, 0, 0); }

void _fileError(const char* what, const char* path) {
  std::string text = std::string(what) + "\n" + path;
  MessageBoxA(gTermHWnd, text.c_str(), "File error", MB_OK | MB_ICONWARNING);
}

// Saves under path; a failed save keeps the modified flag, so the text is
// never shown as saved when it is not.
int _saveTo(const char* path) {
  if (!SaveTextFile(gEditHWnd, path)) {
    _fileError("Unable to write the file", path);
    return 0;
  }
  _clearModified();
  return 1;
}

// Asks before a file that does not look like a program goes into the
// editor; Cancel, the default, leaves everything as it was.
bool _openAnyway(const char* path, const ProgramTextCheck& check) {
  std::string question = nonProgramQuestion(path, check);
  return MessageBoxA(gTermHWnd, question.c_str(), "Not a G-code program",
                     MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

void _initOpenFileName(OPENFILENAMEA* ofn, char* buffer, DWORD flags) {
  std::memset(ofn, 0, sizeof(*ofn));
  ofn->lStructSize = sizeof(*ofn);
  ofn->hwndOwner = gTermHWnd;
  ofn->lpstrFilter = FILE_FILTER;
  ofn->nFilterIndex = 1;
  ofn->lpstrFile = buffer;
  ofn->nMaxFile = FILE_NAME_SIZE - 1;
  ofn->Flags = flags;
}

void OnTermCommand(WPARAM command) {
  switch (command) {
    case IDM_NEW: FileNew(); break;
    case IDM_OPEN: FileOpen(); break;
    case IDM_SAVE: FileSave(); break;
    case IDM_SAVEAS: FileSaveAs(); break;
    case IDM_EXIT:
      if (ConfirmDiscard()) DestroyWindow(gTermHWnd);
      break;
    case IDM_UNDO: SendMessageA(gEditHWnd, EM_UNDO, 0, 0); break;
    case IDM_REDO: SendMessageA(gEditHWnd, EM_REDO, 0, 0); break;
    case IDM_CUT: SendMessageA(gEditHWnd, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageA(gEditHWnd, WM_COPY, 0, 0); break;
    case IDM_PASTE: SendMessageA(gEditHWnd, WM_PASTE, 0, 0); break;
    case IDM_SELECTALL: {
      CHARRANGE all = {0, -1};
      SendMessageA(gEditHWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
      break;
    }
    case IDM_FIND: ShowFindDialog(gEditHWnd); break;
    case IDM_SETFONT: ChooseEditorFont(gEditHWnd); break;
    case IDM_RUN:
      if (gRunProgram) gRunProgram(gEditHWnd);
      break;
    default: break;
  }
}

LRESULT OnTermCreate(HWND window) {
  gTermHWnd = window;
  RECT rc;
  GetClientRect(window, &rc);
  gEditHWnd = CreateEditor(window, 0, 0, rc.right - 1, rc.bottom - 1);
  return 0;
}

LRESULT OnTermSize(LPARAM lParam) {
  if (gEditHWnd) MoveWindow(gEditHWnd, 0, 0, LOWORD(lParam) - 1, HIWORD(lParam) - 1, TRUE);
  return 0;
}

LRESULT OnTermDestroy() {
  gTermHWnd = nullptr;
  gEditHWnd = nullptr;
  PostQuitMessage(0);
  return 0;
}

}  // namespace

LRESULT CALLBACK TermWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnTermCreate(window);
    case WM_SIZE: return OnTermSize(lParam);
    case WM_COMMAND: OnTermCommand(wParam); return 0;
    // The window coming back to the front hands the keyboard to the editor,
    // so typing goes on where it left off.
    case WM_SETFOCUS:
      if (gEditHWnd) SetFocus(gEditHWnd);
      return 0;
    case WM_DESTROY: return OnTermDestroy();
    default: return DefWindowProcA(window, msg, wParam, lParam);
  }
}

int TermRegisterClass(HINSTANCE instance) {
  gTermInstance = instance;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
  InitCommonControlsEx(&icc);
  LoadLibraryA("riched20.dll");  // a missing library shows as a missing editor
  WNDCLASSEXA wc;
  std::memset(&wc, 0, sizeof(wc));
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = TermWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TERMINAL));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_TERMMENU);
  wc.lpszClassName = "KIVOTermClass";
  return RegisterClassExA(&wc) ? 1 : 0;
}

HWND TermCreateWindow(int show) {
  HWND window = CreateWindowExA(0, "KIVOTermClass", "KIVO Terminal", WS_OVERLAPPEDWINDOW, 0, 0,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, gTermInstance,
                                nullptr);
  if (!window) return nullptr;
  ShowWindow(window, show);
  UpdateWindow(window);
  return window;
}

int TermMain(HINSTANCE instance, HINSTANCE, char* commandLine, int show) {
  if (!TermRegisterClass(instance)) return 1;
  if (!TermCreateWindow(show)) return 1;
  if (CleanCommandLine(commandLine)) {
    // A parameter naming no file yet names the file Save will write.
    if (FileExists(commandLine)) {
      OpenPath(commandLine);
    } else {
      _setFileName(_copyString(commandLine));
      UpdateTitle();
    }
  }
  MSG msg;
  for (;;) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) return -1;
    if (got == 0) return static_cast<int>(msg.wParam);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool FileExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void UpdateTitle() {
  size_t size = windowTitleSize(gTextFileName);
  char* title = static_cast<char*>(std::malloc(size));
  if (!title) {
    SetWindowTextA(gTermHWnd, "KIVO Terminal []");
    return;
  }
  writeWindowTitle(gTextFileName, title, size);
  SetWindowTextA(gTermHWnd, title);
  std::free(title);
}

bool ConfirmDiscard() {
  if (!SendMessageA(gEditHWnd, EM_GETMODIFY, 0, 0)) return true;
  int answer = MessageBoxA(gTermHWnd,
                           "The current text has been modified before the last save, are you "
                           "sure you want to lose all changes?",
                           "Are you sure?", MB_YESNO | MB_ICONWARNING);
  return answer != IDNO;
}

int OpenPath(const char* path) {
  // A file that cannot be read leaves editor, file name and title as they
  // were: the editor is replaced only once the new text is in hand.
  char* name = _copyString(path);
  if (!name) return 0;
  std::string bytes;
  bool read = ReadTextFile(path, &bytes) != 0;
  ProgramTextCheck check = checkProgramText(bytes.data(), bytes.size());
  if (read && check.kind != PROGRAM_TEXT && !_openAnyway(path, check)) {
    std::free(name);
    return 0;
  }
  bool loaded = false;
  if (read) {
    // The control lays out every line in one call, and the window answers
    // nothing until it is done: the wait cursor says so. The title names the
    // file once it is in.
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    gEditHWnd = RenewEditor(gEditHWnd);
    loaded = StreamTextIn(gEditHWnd, bytes) != 0;
    SetCursor(previous);
  }
  if (!loaded) {
    _fileError("Unable to read the file", path);
    std::free(name);
    return 0;
  }
  _setFileName(name);
  _clearModified();
  UpdateTitle();
  return 1;
}

void FileNew() {
  if (!ConfirmDiscard()) return;
  _setFileName(nullptr);
  gEditHWnd = RenewEditor(gEditHWnd);
  _clearModified();
  UpdateTitle();
}

void FileOpen() {
  if (!ConfirmDiscard()) return;
  char* buffer = static_cast<char*>(std::calloc(FILE_NAME_SIZE, 1));
  if (!buffer) {
    MessageBoxA(gTermHWnd, "Unable to allocate memory for open dialog.",
                "Memory Allocation Error", MB_OK | MB_ICONWARNING);
    return;
  }
  OPENFILENAMEA ofn;
  _initOpenFileName(&ofn, buffer, OFN_FILEMUSTEXIST);
  if (GetOpenFileNameA(&ofn)) OpenPath(buffer);
  std::free(buffer);
}

void FileSave() {
  if (gTextFileName)
    _saveTo(gTextFileName);
  else
    FileSaveAs();
}

void FileSaveAs() {
  char* buffer = static_cast<char*>(std::calloc(FILE_NAME_SIZE, 1));
  if (!buffer) {
    MessageBoxA(gTermHWnd, "Unable to allocate memory for save dialog.",
                "Memory Allocation Error", MB_OK | MB_ICONWARNING);
    return;
  }
  if (gTextFileName) std::strncpy(buffer, gTextFileName, FILE_NAME_SIZE - 1);
  OPENFILENAMEA ofn;
  _initOpenFileName(&ofn, buffer, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
  if (!GetSaveFileNameA(&ofn)) {
    std::free(buffer);
    return;
  }
  SaveAsTarget target = saveAsTarget(buffer, FileExists);
  std::free(buffer);
  if (target.ask && MessageBoxA(gTermHWnd, overwriteQuestion(target.path).c_str(), "Save As",
                                MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  char* name = _copyString(target.path.c_str());
  if (!name) return;
  if (_saveTo(name)) {
    _setFileName(name);
    UpdateTitle();
  } else {
    std::free(name);
  }
}
