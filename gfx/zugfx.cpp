// The "ZuGfx32" window: class, per-window record, list of live controls,
// double buffers, painting, scroll bars, pen/brush/font ownership, autosize
// and the sizer timer.
#include "gfx/zugfx.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "gfx/gfxCore.h"
#include "gfx/gfxInstance.h"
#include "gfx/gfxLimits.h"

namespace {

// A live control of this process and its record. Records are found only
// here: the user data of a window may belong to another process or class.
struct HwndListNode {
  HwndListNode* next;
  HWND window;
  GfxInstance* record;
};

constexpr UINT SIZER_PERIOD_MS = 75;
constexpr int WHEEL_STEP = 15;

}  // namespace

// Instance for the class and the scroll bars; this program leaves it null.
static HINSTANCE ghDllHandle = nullptr;
static HwndListNode* GfxHwndList = nullptr;
static UINT_PTR gSizerTimer = 0;

LRESULT CALLBACK GfxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- list of live controls ----

static HwndListNode* newHwndList() {
  return static_cast<HwndListNode*>(std::calloc(1, sizeof(HwndListNode)));
}

static bool addHwndList(HwndListNode* head, HWND window, GfxInstance* record) {
  if (!head) return false;
  HwndListNode* node = newHwndList();
  if (!node) return false;
  node->window = window;
  node->record = record;
  while (head->next) head = head->next;
  head->next = node;
  return true;
}

static void remHwndList(HwndListNode* head, HWND window) {
  if (!head) return;
  for (HwndListNode* prev = head; prev->next; prev = prev->next) {
    if (prev->next->window == window) {
      HwndListNode* node = prev->next;
      prev->next = node->next;
      std::free(node);
      return;
    }
  }
}

// Destroying a control frees its record and removes its own node
// (destroyGfx), which needs the node to be found then; it may also destroy
// child controls further down the list. So the walk always takes the first
// node afresh from the head, and reads no node after its window is gone. A
// node whose window did not go (one of another thread) is unlinked here.
static void freeHwndList(HwndListNode* head) {
  if (!head) return;
  while (HwndListNode* node = head->next) {
    const HWND window = node->window;
    if (window) DestroyWindow(window);
    if (head->next && head->next->window == window) {
      node = head->next;
      head->next = node->next;
      std::free(node);
    }
  }
  std::free(head);
}

// ---- library ----

static int RegisterCustomControlClass() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_GLOBALCLASS | CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = GfxProc;
  wc.hInstance = ghDllHandle;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = ZUGFX_CLASS;
  if (RegisterClassExA(&wc)) return 1;
  WNDCLASSEXA found = {};
  found.cbSize = sizeof(found);
  return GetClassInfoExA(ghDllHandle, ZUGFX_CLASS, &found) ? 1 : 0;
}

static int UnregisterCustomControlClass() {
  return UnregisterClassA(ZUGFX_CLASS, ghDllHandle);
}

static void gfxSizerUpdate(HWND window);

static void CALLBACK TimerUpdate(HWND, UINT, UINT_PTR, DWORD) {
  if (!GfxHwndList) return;  // a tick left in the queue after ZuGfxClose
  // Laying a control out repaints it; take the windows first so the walk
  // never depends on nodes that a callee could free.
  std::vector<HWND> windows;
  try {
    for (HwndListNode* n = GfxHwndList->next; n; n = n->next) windows.push_back(n->window);
  } catch (const std::bad_alloc&) {
    return;  // try again at the next tick
  }
  for (HWND window : windows) gfxSizerUpdate(window);
}

int ZuGfxInit(void) {
  if (!RegisterCustomControlClass()) return 0;
  if (!GfxHwndList) GfxHwndList = newHwndList();
  if (!gSizerTimer) gSizerTimer = SetTimer(nullptr, 1, SIZER_PERIOD_MS, TimerUpdate);
  return 1;
}

int ZuGfxClose(void) {
  if (gSizerTimer) KillTimer(nullptr, gSizerTimer);
  gSizerTimer = 0;
  freeHwndList(GfxHwndList);
  GfxHwndList = nullptr;  // a tick still queued finds no list
  return UnregisterCustomControlClass();
}

int getVersion(void) { return 8; }

// ---- record, monitors ----

// Only this process's own live controls have a record. The user data of a
// window is never read as one: in a control of another process it holds an
// address of that process, and in other windows it means something else.
GfxInstance* getGfx(HWND window) {
  if (!window || !GfxHwndList) return nullptr;
  for (HwndListNode* n = GfxHwndList->next; n; n = n->next)
    if (n->window == window) return n->record;
  return nullptr;
}

static BOOL CALLBACK MonitorEnumProc(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  int* pair = reinterpret_cast<int*>(data);
  pair[0] = std::max(pair[0], int(rect->right - rect->left));
  pair[1] = std::max(pair[1], int(rect->bottom - rect->top));
  return TRUE;
}

// ---- pen, brush, font: the control owns exactly one of each ----

namespace {

int _replaceObject(GfxInstance* gfx, HGDIOBJ object, HGDIOBJ defaultObject) {
  HGDIOBJ old = SelectObject(gfx->backDC, object);
  if (old && old != defaultObject) DeleteObject(old);
  return old != nullptr;
}

}  // namespace

static int UpdatePen(HWND window, HPEN pen) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !pen) return 0;
  return _replaceObject(gfx, pen, gfx->defaultPen);
}

static int UpdateBrush(HWND window, HBRUSH brush) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !brush) return 0;
  return _replaceObject(gfx, brush, gfx->defaultBrush);
}

int setFont(HWND window, HFONT font) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !font) return 0;
  return _replaceObject(gfx, font, gfx->defaultFont);
}

namespace {

int _penWasChanged(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  return UpdatePen(window, CreatePen(gfx->penStyle, gfx->penWidth, gfx->penColor));
}

}  // namespace

int setPenSize(HWND window, int width) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->penWidth = penWidthFor(width);
  return _penWasChanged(window);
}

int setPenColor(HWND window, COLORREF colour) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->penColor = colour;
  return _penWasChanged(window);
}

int setPenStyle(HWND window, int style) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  gfx->penStyle = style;
  return _penWasChanged(window);
}

int setBrushColor(HWND window, COLORREF colour) {
  if (!getGfx(window)) return 0;
  return UpdateBrush(window, CreateSolidBrush(colour));
}

// ---- scroll bars ----

namespace zugfx {

HWND _createScrollBar(HWND window, bool horizontal) {
  RECT rc;
  if (!GetClientRect(window, &rc)) return nullptr;
  const DWORD style = horizontal ? (WS_CHILD | WS_VISIBLE | SBS_BOTTOMALIGN)
                                 : (WS_CHILD | WS_VISIBLE | SBS_VERT | SBS_RIGHTALIGN);
  return CreateWindowExA(0, "SCROLLBAR", nullptr, style, 0, 0, rc.right, rc.bottom, window,
                         nullptr, ghDllHandle, nullptr);
}

int _scrollbarSize(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc;
  if (gfx->vertScrollBar && GetClientRect(gfx->vertScrollBar, &rc)) return rc.right;
  if (gfx->horzScrollBar && GetClientRect(gfx->horzScrollBar, &rc)) return rc.bottom;
  return 0;
}

void _scrollbarUpdate(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return;
  const int t = _scrollbarSize(window);
  if (gfx->vertScrollBar)
    MoveWindow(gfx->vertScrollBar, gfx->clientWidth - t, 0, t,
               gfx->horzScrollBar ? gfx->clientHeight - t : gfx->clientHeight, TRUE);
  if (gfx->horzScrollBar)
    MoveWindow(gfx->horzScrollBar, 0, gfx->clientHeight - t,
               gfx->vertScrollBar ? gfx->clientWidth - t : gfx->clientWidth, t, TRUE);
}

}  // namespace zugfx

using zugfx::_scrollbarSize;
using zugfx::_scrollbarUpdate;

namespace {

int _barPos(HWND bar) { return int(SendMessageA(bar, SBM_GETPOS, 0, 0)); }

void _setScroll(HWND window, HWND bar, int on, int extent, int position) {
  if (!on) return;
  const int p = clampScrollPos(position, _scrollbarSize(window), extent);
  SetScrollPos(bar, SB_CTL, p, TRUE);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

}  // namespace

void setScrollX(HWND window, int position) {
  GfxInstance* gfx = getGfx(window);
  if (gfx) _setScroll(window, gfx->horzScrollBar, gfx->horzScrollOn, gfx->scrollWidth, position);
}

void setScrollY(HWND window, int position) {
  GfxInstance* gfx = getGfx(window);
  if (gfx) _setScroll(window, gfx->vertScrollBar, gfx->vertScrollOn, gfx->scrollHeight, position);
}

namespace {

long long _newScrollPos(HWND bar, WPARAM code) {
  return newScrollPos(_barPos(bar), unsigned(code));
}

}  // namespace

static void GfxOnHScroll(HWND window, WPARAM code) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !gfx->horzScrollOn) return;
  const int p = clampScrollPos(_newScrollPos(gfx->horzScrollBar, code), _scrollbarSize(window),
                               gfx->scrollWidth);
  if (p != _barPos(gfx->horzScrollBar)) setScrollX(window, p);
}

static void GfxOnVScroll(HWND window, WPARAM code) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx || !gfx->vertScrollOn) return;
  const int p = clampScrollPos(_newScrollPos(gfx->vertScrollBar, code), _scrollbarSize(window),
                               gfx->scrollHeight);
  if (p != _barPos(gfx->vertScrollBar)) setScrollY(window, p);
}

namespace {

void _updateScrollRange(HWND bar, int thickness, int extent, int page) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = scrollMax(thickness, extent);
  si.nPage = UINT(std::max(page, 0));
  si.nPos = std::min(si.nMax, _barPos(bar));
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
}

}  // namespace

// ---- buffers ----

namespace {

// A memory DC of the window DC holding a new compatible bitmap; false, with
// nothing left over, when the platform cannot make them.
bool _newBuffer(HDC windowDC, BufferSize size, HDC* dc, HBITMAP* bitmap) {
  *dc = CreateCompatibleDC(windowDC);
  *bitmap = CreateCompatibleBitmap(windowDC, size.width, size.height);
  if (*dc && *bitmap && SelectObject(*dc, *bitmap)) return true;
  if (*dc) DeleteDC(*dc);
  if (*bitmap) DeleteObject(*bitmap);
  *dc = nullptr;
  *bitmap = nullptr;
  return false;
}

// Copies an old buffer into the top-left corner of its successor and
// deletes it.
void _retireBuffer(HDC dc, BufferSize size, HDC oldDC, HBITMAP oldBitmap) {
  BitBlt(dc, 0, 0, size.width, size.height, oldDC, 0, 0, SRCCOPY);
  DeleteDC(oldDC);
  DeleteObject(oldBitmap);
}

// Makes both buffers anew in the given size, keeping the picture, the user's
// pen, brush and font and the raster operation. When the platform cannot
// make them, the old buffers stay as they are.
bool _reallocateBuffers(HWND window, GfxInstance* gfx, BufferSize size) {
  HDC windowDC = GetDC(window);
  HDC frontDC, backDC;
  HBITMAP front, back;
  if (!_newBuffer(windowDC, size, &frontDC, &front)) {
    ReleaseDC(window, windowDC);
    return false;
  }
  if (!_newBuffer(windowDC, size, &backDC, &back)) {
    DeleteDC(frontDC);
    DeleteObject(front);
    ReleaseDC(window, windowDC);
    return false;
  }
  HGDIOBJ userFont, userPen, userBrush;
  if (gfx->backDC) {
    userFont = SelectObject(gfx->backDC, gfx->defaultFont);
    userPen = SelectObject(gfx->backDC, gfx->defaultPen);
    userBrush = SelectObject(gfx->backDC, gfx->defaultBrush);
    _retireBuffer(frontDC, size, gfx->frontDC, gfx->frontBitmap);
    _retireBuffer(backDC, size, gfx->backDC, gfx->backBitmap);
  } else {
    gfx->drawMode = R2_COPYPEN;
    gfx->penWidth = 1;
    gfx->penColor = 0;
    gfx->penStyle = PS_SOLID;
    userBrush = CreateSolidBrush(RGB(255, 255, 255));
    userPen = CreatePen(gfx->penStyle, gfx->penWidth, gfx->penColor);
    userFont = CreateFontA(-MulDiv(12, GetDeviceCaps(windowDC, LOGPIXELSY), 72), 0, 0, 0, 0,
                           FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Times New Roman");
  }
  gfx->frontDC = frontDC;
  gfx->frontBitmap = front;
  gfx->backDC = backDC;
  gfx->backBitmap = back;
  gfx->bufferWidth = size.width;
  gfx->bufferHeight = size.height;
  SetROP2(gfx->backDC, gfx->drawMode);
  gfx->defaultFont = static_cast<HFONT>(SelectObject(gfx->backDC, userFont));
  gfx->defaultPen = static_cast<HPEN>(SelectObject(gfx->backDC, userPen));
  gfx->defaultBrush = static_cast<HBRUSH>(SelectObject(gfx->backDC, userBrush));
  ReleaseDC(window, windowDC);
  return true;
}

}  // namespace

int updateBuffers(HWND window, bool repaint) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return 0;
  RECT rc = {};
  GetClientRect(window, &rc);
  gfx->clientWidth = rc.right;
  gfx->clientHeight = rc.bottom;
  BufferSize size;
  int result = chooseBufferSize(gfx->clientWidth, gfx->clientHeight, gfx->monitorWidth,
                                gfx->monitorHeight, gfx->horzScrollOn ? gfx->scrollWidth : 0,
                                gfx->vertScrollOn ? gfx->scrollHeight : 0, &size);
  if (result && (size.width != gfx->bufferWidth || size.height != gfx->bufferHeight)) {
    result = _reallocateBuffers(window, gfx, size);
    if (result && repaint) {
      InvalidateRect(window, nullptr, FALSE);
      UpdateWindow(window);
    }
  }
  _scrollbarUpdate(window);
  const int t = _scrollbarSize(window);
  if (gfx->horzScrollOn) _updateScrollRange(gfx->horzScrollBar, t, gfx->scrollWidth, gfx->clientWidth);
  if (gfx->vertScrollOn) _updateScrollRange(gfx->vertScrollBar, t, gfx->scrollHeight, gfx->clientHeight);
  return result;
}

static void destroyGfx(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return;
  if (gfx->backDC) {
    DeleteObject(SelectObject(gfx->backDC, gfx->defaultFont));
    DeleteObject(SelectObject(gfx->backDC, gfx->defaultBrush));
    DeleteObject(SelectObject(gfx->backDC, gfx->defaultPen));
    DeleteDC(gfx->backDC);
    DeleteObject(gfx->backBitmap);
  }
  if (gfx->frontDC) {
    DeleteDC(gfx->frontDC);
    DeleteObject(gfx->frontBitmap);
  }
  remHwndList(GfxHwndList, window);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  std::free(gfx);
}

// ---- autosize ----

int updateAutosize(HWND window) {
  GfxInstance* gfx = getGfx(window);
  HWND parent = GetParent(window);
  if (!gfx || !parent) return 0;
  RECT rc, pc;
  GetWindowRect(window, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  GetClientRect(parent, &pc);
  gfx->parentWidth = pc.right;
  gfx->parentHeight = pc.bottom;
  recordLayout(gfx->autosizeMode, rc.left, rc.top, rc.right, rc.bottom, pc.right, pc.bottom,
               gfx->layout);
  return 1;
}

static int doAutosize(HWND window) {
  GfxInstance* gfx = getGfx(window);
  HWND parent = GetParent(window);
  if (!gfx || !parent || gfx->autosizeMode == 0) return 0;
  RECT pc;
  GetClientRect(parent, &pc);
  if (pc.right == gfx->parentWidth && pc.bottom == gfx->parentHeight) return 0;
  gfx->parentWidth = pc.right;
  gfx->parentHeight = pc.bottom;
  int x, y, w, h;
  if (!placeControl(gfx->autosizeMode, gfx->layout, pc.right, pc.bottom, &x, &y, &w, &h)) return 0;
  MoveWindow(window, x, y, w, h, FALSE);
  return 1;
}

// Lays out a control that is out of its parent's sight and so gets no paint.
static void gfxSizerUpdate(HWND window) {
  GfxInstance* gfx = getGfx(window);
  HWND parent = GetParent(window);
  if (!gfx || !parent) return;
  RECT rc, pc;
  GetWindowRect(window, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  GetClientRect(parent, &pc);
  if (!sizerShouldLayout(gfx->autosizeMode, GetTickCount(), gfx->lastPaintTick, rc.left, rc.top,
                         rc.right, rc.bottom, pc.right, pc.bottom))
    return;
  doAutosize(window);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

// ---- painting ----

static void GfxPaint(HWND window) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return;
  gfx->lastPaintTick = GetTickCount();
  if (doAutosize(window)) updateBuffers(window, false);
  RECT rc = {};
  GetClientRect(window, &rc);
  HDC dc = GetDC(window);
  const int x = gfx->horzScrollOn == 1 ? _barPos(gfx->horzScrollBar) : 0;
  const int y = gfx->vertScrollOn == 1 ? _barPos(gfx->vertScrollBar) : 0;
  BitBlt(dc, 0, 0, rc.right, rc.bottom, gfx->frontDC, x, y, SRCCOPY);
  if (gfx->horzScrollBar && gfx->vertScrollBar) {
    const int t = _scrollbarSize(window);
    RECT corner = {rc.right - t, rc.bottom - t, rc.right, rc.bottom};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &corner, face);
    DeleteObject(face);
  }
  ReleaseDC(window, dc);
  ValidateRect(window, nullptr);
}

// ---- window procedure ----

static void GfxOnCreate(HWND window, const CREATESTRUCTA* cs) {
  GfxInstance* gfx = static_cast<GfxInstance*>(std::calloc(1, sizeof(GfxInstance)));
  if (!gfx) return;
  if (!addHwndList(GfxHwndList, window, gfx)) {
    std::free(gfx);  // not findable: the window lives without a record
    return;
  }
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(gfx));
  gfx->wheelStep = WHEEL_STEP;
  gfx->inputHandler = reinterpret_cast<GfxInputHandler>(cs->lpCreateParams);
  int monitor[2] = {0, 0};
  EnumDisplayMonitors(nullptr, nullptr, MonitorEnumProc, reinterpret_cast<LPARAM>(monitor));
  gfx->monitorWidth = monitor[0];
  gfx->monitorHeight = monitor[1];
  updateBuffers(window, false);
}

static void GfxOnInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GfxInstance* gfx = getGfx(window);
  if (gfx && gfx->inputHandler) gfx->inputHandler(window, message, wParam, lParam);
}

// Pointer positions go to the handler in surface coordinates.
static void GfxOnMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return;
  const int dx = gfx->horzScrollOn ? _barPos(gfx->horzScrollBar) : 0;
  const int dy = gfx->vertScrollOn ? _barPos(gfx->vertScrollBar) : 0;
  GfxOnInput(window, message, wParam, LPARAM(surfacePointParam(unsigned(lParam), dx, dy)));
}

static void GfxOnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  GfxInstance* gfx = getGfx(window);
  if (!gfx) return;
  const WPARAM code = wheelScrollCode(GET_WHEEL_DELTA_WPARAM(wParam), gfx->wheelStep);
  if (gfx->vertScrollOn)
    GfxOnVScroll(window, code);
  else if (gfx->horzScrollOn)
    GfxOnHScroll(window, code);
  else
    GfxOnInput(window, WM_MOUSEWHEEL, wParam, lParam);
}

LRESULT CALLBACK GfxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      GfxOnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_DESTROY:
      destroyGfx(window);
      return 0;
    case WM_SIZE:
      updateBuffers(window, true);
      return 0;
    case WM_PAINT:
      // A window without a record still has to validate its update region.
      if (!getGfx(window)) break;
      GfxPaint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
    case WM_CHAR:
      GfxOnInput(window, message, wParam, lParam);
      return 0;
    case WM_HSCROLL:
      GfxOnHScroll(window, wParam);
      break;
    case WM_VSCROLL:
      GfxOnVScroll(window, wParam);
      break;
    case WM_MOUSEWHEEL:
      GfxOnMouseWheel(window, wParam, lParam);
      return 0;
    default:
      if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
        GfxOnMouse(window, message, wParam, lParam);
        return 0;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
