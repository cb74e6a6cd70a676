#include "cad/editor/mainWindow.h"

#include <commctrl.h>

#include <cstdio>

#include "cad/document/tools.h"
#include "cad/editor/commands.h"
#include "cad/editor/documentCommands.h"
#include "cad/editor/selection.h"
#include "cad/editor/statusText.h"
#include "cad/editor/toolListPanel.h"
#include "cad/editor/viewGlue.h"
#include "gfx/lang/processCommands.h"
#include "gfx/zugfx.h"
#include "resources/kivoIds.h"

HINSTANCE ghInstance = nullptr;
HWND gMainHWnd = nullptr;
HWND gMainToolbar = nullptr;
HWND gStatusHWnd = nullptr;
HWND gToolList = nullptr;
HWND ghGfxBox = nullptr;
HCURSOR gCursorCrosshair, gCursorMove, gCursorNS, gCursorWE, gCursorNESW, gCursorNWSE;

namespace {

const char MAIN_CLASS[] = "ORBEClass";
const int STATUS_EDGES[] = {150, 500, 700, -1};
const int PANEL_WIDTH = 200;
const int LIST_WIDTH = 198;
const int LIST_HEIGHT = 250;

int _height(HWND window) {
  RECT rc = {};
  GetWindowRect(window, &rc);
  return rc.bottom - rc.top;
}

void _createStatusBar() {
  gStatusHWnd = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                0, 0, 0, 0, gMainHWnd, nullptr, ghInstance, nullptr);
  SendMessageA(gStatusHWnd, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(STATUS_EDGES));
}

void _createToolList() {
  gToolList = CreateWindowExA(
      0, "ListBox", "Tool List",
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
          LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
      0, 0, 100, 100, gMainHWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLLIST)),
      ghInstance, nullptr);
  SendMessageA(gToolList, LB_ADDSTRING, 0, 0);  // the header row
  for (int i = 0; i < TOOL_COUNT; ++i)
    SendMessageA(gToolList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&gTools[i]));
}

void _createBoardView() {
  ghGfxBox = CreateWindowExA(0, ZUGFX_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                             0, 100, 100, gMainHWnd, nullptr, ghInstance,
                             reinterpret_cast<LPVOID>(GfxHandler));
  graphicCommand(ghGfxBox, "fill white;flip");
}

LRESULT OnMainCreate(HWND window) {
  gMainHWnd = window;
  ToolbarSetup();
  _createStatusBar();
  _createToolList();
  _createBoardView();
  resizeWindow();
  applyEffect(New());  // default design, drawn
  return 0;
}

LRESULT OnMainDrawItem(WPARAM wParam, LPARAM lParam) {
  const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (static_cast<int>(item->itemID) == -1) return 0;
  if (wParam == IDC_TOOLLIST && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
    if (item->itemData == 0)
      drawToolListHeader(item);
    else
      drawToolListItem(item);
  }
  return 1;
}

LRESULT OnMainWmCommand(HWND window, WPARAM wParam) {
  int id = LOWORD(wParam);
  int code = HIWORD(wParam);
  if (code == 0) {  // a menu item or a toolbar button
    OnMainCommand(id);
    return 0;
  }
  if (id == IDC_TOOLLIST && code == LBN_SELCHANGE) return OnToolListSelChange(window);
  if (id == IDC_TOOLLIST && code == LBN_DBLCLK) return OnToolListDblClk(window);
  return 0;
}

// The children go with the window; nothing may reach them after this.
LRESULT OnMainDestroy() {
  gMainHWnd = gMainToolbar = gStatusHWnd = gToolList = ghGfxBox = nullptr;
  PostQuitMessage(0);
  return 0;
}

}  // namespace

void OnMainCommand(int id) { applyEffect(runCommand(id)); }

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnMainCreate(window);
    case WM_DESTROY: return OnMainDestroy();
    case WM_SIZE: resizeWindow(); return 0;
    case WM_SETFOCUS: SetFocus(ghGfxBox); return 0;
    case WM_DRAWITEM: return OnMainDrawItem(wParam, lParam);
    case WM_COMMAND: return OnMainWmCommand(window, wParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void ToolbarAddButton(HWND toolbar, int image, int commandId, BYTE state, BYTE style,
                      DWORD_PTR itemData, const char* text) {
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = commandId;
  button.fsState = state;
  button.fsStyle = style;
  button.dwData = itemData;
  button.iString = reinterpret_cast<INT_PTR>(text);
  SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
}

void ToolbarSetup() {
  gMainToolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                 WS_CHILD | WS_BORDER | TBSTYLE_FLAT | TBSTYLE_WRAPABLE |
                                     TBSTYLE_TOOLTIPS,
                                 0, 0, 0, 0, gMainHWnd, nullptr, ghInstance, nullptr);
  SendMessageA(gMainToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(gMainToolbar, TB_SETMAXTEXTROWS, 0, 0);
  HANDLE strip = LoadImageA(ghInstance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0,
                            LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS);
  SendMessageA(gMainToolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
  TBADDBITMAP bitmap = {nullptr, reinterpret_cast<UINT_PTR>(strip)};
  SendMessageA(gMainToolbar, TB_ADDBITMAP, 8, reinterpret_cast<LPARAM>(&bitmap));
  for (const ToolbarButton& b : TOOLBAR_BUTTONS) {
    if (b.command)
      ToolbarAddButton(gMainToolbar, b.image, b.command, TBSTATE_ENABLED, BTNS_BUTTON, 0, b.text);
    else
      ToolbarAddButton(gMainToolbar, 0, 0, 0, BTNS_SEP, 0, nullptr);
  }
  SendMessageA(gMainToolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(25, 25));
  SendMessageA(gMainToolbar, TB_AUTOSIZE, 0, 0);
  ShowWindow(gMainToolbar, SW_SHOWNORMAL);
}

void resizeWindow() {
  if (!gMainHWnd) return;
  RECT client = {};
  GetClientRect(gMainHWnd, &client);
  int top = gMainToolbar ? _height(gMainToolbar) : 0;
  int status = gStatusHWnd ? _height(gStatusHWnd) : 0;
  int width = client.right, height = client.bottom;
  if (ghGfxBox) {
    RECT before = {}, after = {};
    GetClientRect(ghGfxBox, &before);
    MoveWindow(ghGfxBox, 0, top, width - PANEL_WIDTH, height - top - status, TRUE);
    GetClientRect(ghGfxBox, &after);
    // A frame covers the client area only: a view that grew shows the new
    // part after a new frame.
    if (after.right != before.right || after.bottom != before.bottom) Redraw();
  }
  if (gToolList) MoveWindow(gToolList, width - PANEL_WIDTH + 1, top, LIST_WIDTH, LIST_HEIGHT, TRUE);
  if (gMainToolbar) SendMessageA(gMainToolbar, TB_AUTOSIZE, 0, 0);
  if (gStatusHWnd) SendMessageA(gStatusHWnd, WM_SIZE, 0, 0);
}

void updateStatusbar() {
  if (!gStatusHWnd) return;
  char text[100];
  SendMessageA(gStatusHWnd, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(mouseStateText(gMouseState)));
  formatSelObjText(text, sizeof(text));
  SendMessageA(gStatusHWnd, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  formatZoomText(text, sizeof(text));
  SendMessageA(gStatusHWnd, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(text));
}

int CadRegisterClass(HINSTANCE instance) {
  ghInstance = instance;
  gCursorCrosshair = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
  gCursorMove = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL));
  gCursorNS = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS));
  gCursorWE = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE));
  gCursorNESW = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENESW));
  gCursorNWSE = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENWSE));
  WNDCLASSA wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KIVO));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = MAIN_CLASS;
  return RegisterClassA(&wc) ? 1 : 0;
}

HWND CadCreateWindow(int show) {
  HWND window = CreateWindowExA(0, MAIN_CLASS, "KIVO CAD", WS_OVERLAPPEDWINDOW, 0, 0,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ghInstance,
                                nullptr);
  if (!window) return nullptr;
  ShowWindow(window, show);
  UpdateWindow(window);
  return window;
}

int CadMain(HINSTANCE instance, const char* commandLine, int show) {
  ghInstance = instance;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  if (!ZuGfxInit()) {
    MessageBoxA(nullptr, "Couldnt initiate the zugfx control", "Error", MB_ICONERROR);
    return 2;
  }
  if (!CadRegisterClass(instance)) {
    MessageBoxA(nullptr, "Couldnt register window class", "Error", MB_ICONERROR);
    ZuGfxClose();
    return 1;
  }
  if (!CadCreateWindow(show)) {
    ZuGfxClose();
    return 1;
  }
  OpenFromCommandLine(commandLine);
  MSG msg = {};
  int code = 0;
  for (;;) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      code = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) {
      code = -1;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  ZuGfxClose();
  return code;
}
