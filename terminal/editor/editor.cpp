#include "terminal/editor/editor.h"

#include <commdlg.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "terminal/editor/clipboardPaste.h"
#include "terminal/editor/editorPaint.h"
#include "terminal/editor/editorView.h"
#include "terminal/editor/findDialog.h"
#include "terminal/editor/streamPieces.h"
#include "terminal/editor/termIds.h"
#include "terminal/editor/textLimit.h"

namespace {

const int FIRST_SLOT_COUNT = 11;

COLORREF* _slot(EditorInfo* info, int slot) {
  switch (slot) {
    case 0: return &info->slot0;
    case 1: return &info->slot1;
    case 2: return &info->slot2;
    case 3: return &info->slot3;
    case 4: return &info->slot4;
    case 5: return &info->slot5;
    case 6: return &info->slot6;
    case 7: return &info->slot7;
    case 8: return &info->slot8;
    case 9: return &info->slot9;
    case 10: return &info->slot10;
    default: return nullptr;
  }
}

const COLORREF INITIAL_SLOTS[FIRST_SLOT_COUNT] = {
    RGB(0, 0, 0),       RGB(80, 80, 80),   RGB(0, 0, 0),    RGB(200, 205, 220),
    RGB(225, 235, 245), RGB(0, 0, 255),    RGB(130, 50, 200), RGB(100, 100, 110),
    RGB(230, 0, 0),     RGB(70, 25, 175),  RGB(255, 80, 50)};

RECT _formatRect(HWND editor) {
  RECT rc = {0, 0, 0, 0};
  SendMessageA(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
  return rc;
}

// Starts the text right of the gutter. Some rich edit versions ignore the
// margin message, so the formatting rectangle is set when it did not move.
void _applyGutterMargin(HWND editor, int width) {
  SendMessageA(editor, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(width, 0));
  if (_formatRect(editor).left >= width) return;
  RECT rc;
  GetClientRect(editor, &rc);
  rc.left = width;
  SendMessageA(editor, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rc));
}

void _redraw(HWND editor) {
  InvalidateRect(editor, nullptr, FALSE);
  UpdateWindow(editor);
}

// Passes a message to the control. What the control may change of its text
// there is noted at once, so the text the paint keeps never outlives it.
LRESULT _callBase(HWND editor, EditorInfo* info, UINT msg, WPARAM wParam, LPARAM lParam) {
  int change = TextChangeOf(msg, wParam, lParam);
  LONG selBefore = change == TEXT_AT_CARET ? GetEditorSelection(editor).cpMin : 0;
  LRESULT result = CallWindowProcA(info->baseProc, editor, msg, wParam, lParam);
  if (change != TEXT_KEPT) noteTextChange(info->lineCache, change, selBefore, GetEditorSelection(editor).cpMin);
  return result;
}

LRESULT OnEditorPaint(HWND editor, EditorInfo* info, WPARAM wParam, LPARAM lParam) {
  LRESULT result = _callBase(editor, info, WM_PAINT, wParam, lParam);

  // Zoom guard: whatever set a zoom, the text goes back to its own size.
  WPARAM num = 0;
  LPARAM den = 0;
  SendMessageA(editor, EM_GETZOOM, reinterpret_cast<WPARAM>(&num), reinterpret_cast<LPARAM>(&den));
  if (num != 0 || den != 0) SendMessageA(editor, EM_SETZOOM, 0, 0);

  EditorView view;
  if (GetEditorView(editor, info, &view)) {
    ColourLines(editor, info, view);
    DrawGutterView(editor, info, view);
  }
  return result;
}

// The gutter follows the caret at once. When the control is about to paint
// anyway (the key or click changed the text or scrolled), that paint draws
// it: drawing it now as well would take the text twice deep in a long text.
void _refreshGutter(HWND editor, EditorInfo* info) {
  if (!GetUpdateRect(editor, nullptr, FALSE)) DrawGutter(editor, info);
}

LRESULT OnEditorKeyDown(HWND editor, EditorInfo* info, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_OEM_PLUS && GetKeyState(VK_CONTROL) < 0) return 0;
  if (IsPasteKey(wParam)) {
    PasteClipboardText(editor);
    _refreshGutter(editor, info);
    return 0;
  }
  LRESULT result = _callBase(editor, info, WM_KEYDOWN, wParam, lParam);
  _refreshGutter(editor, info);
  return result;
}

// The formatting rectangle follows the new size, right of the gutter.
LRESULT OnEditorSize(HWND editor, EditorInfo* info, WPARAM wParam, LPARAM lParam) {
  LRESULT result = _callBase(editor, info, WM_SIZE, wParam, lParam);
  _applyGutterMargin(editor, info->gutterWidth);
  return result;
}

LRESULT OnEditorLButtonDown(HWND editor, EditorInfo* info, WPARAM wParam, LPARAM lParam) {
  LRESULT result = _callBase(editor, info, WM_LBUTTONDOWN, wParam, lParam);
  _refreshGutter(editor, info);
  return result;
}

void _selectAll(HWND editor) {
  CHARRANGE all = {0, -1};
  SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

LRESULT OnEditorRButtonUp(HWND editor) {
  CHARRANGE sel = GetEditorSelection(editor);
  bool empty = sel.cpMin == sel.cpMax;
  POINT pt;
  GetCursorPos(&pt);
  auto grey = [](bool greyed) { return greyed ? UINT(MF_GRAYED) : UINT(MF_ENABLED); };
  HMENU menu = CreatePopupMenu();
  if (!menu) return 0;
  AppendMenuA(menu, MF_STRING | grey(!SendMessageA(editor, EM_CANUNDO, 0, 0)), IDC_CTX_UNDO, "Undo");
  AppendMenuA(menu, MF_STRING | grey(!SendMessageA(editor, EM_CANREDO, 0, 0)), IDC_CTX_REDO, "Redo");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | grey(empty), IDC_CTX_CUT, "Cut");
  AppendMenuA(menu, MF_STRING | grey(empty), IDC_CTX_COPY, "Copy");
  AppendMenuA(menu, MF_STRING | grey(!SendMessageA(editor, EM_CANPASTE, 0, 0)), IDC_CTX_PASTE, "Paste");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDC_CTX_SELECTALL, "Select All");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDC_CTX_SETFONT, "Set font...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDC_CTX_CLEARMARKS, "Clear Highlights");
  int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_VERNEGANIMATION, pt.x, pt.y, 0, editor, nullptr);
  DestroyMenu(menu);
  switch (command) {
    case IDC_CTX_UNDO: SendMessageA(editor, EM_UNDO, 0, 0); break;
    case IDC_CTX_REDO: SendMessageA(editor, EM_REDO, 0, 0); break;
    case IDC_CTX_CUT: SendMessageA(editor, WM_CUT, 0, 0); break;
    case IDC_CTX_COPY: SendMessageA(editor, WM_COPY, 0, 0); break;
    case IDC_CTX_PASTE: SendMessageA(editor, WM_PASTE, 0, 0); break;
    case IDC_CTX_SELECTALL: _selectAll(editor); break;
    case IDC_CTX_SETFONT: ChooseEditorFont(editor); break;
    case IDC_CTX_CLEARMARKS: ClearMarks(editor); break;
    default: break;
  }
  return 0;
}

LRESULT OnEditorDestroy(HWND editor, EditorInfo* info, WPARAM wParam, LPARAM lParam) {
  if (info->findDialogOpen) {
    info->findDialogOpen = 0;
    DestroyWindow(info->findDialog);
  }
  WNDPROC base = info->baseProc;
  SetWindowLongPtrA(editor, GWLP_USERDATA, 0);
  SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
  // The control lets go of the font and the gutter before they are deleted.
  LRESULT result = CallWindowProcA(base, editor, WM_DESTROY, wParam, lParam);
  if (info->gutterDC) DeleteDC(info->gutterDC);
  if (info->gutterBitmap) DeleteObject(info->gutterBitmap);
  if (info->font) DeleteObject(info->font);
  std::free(info->marks);
  delete info->lineCache;
  std::free(info);
  return result;
}

// Installs a font the editor owns from now on.
void _installFont(HWND editor, EditorInfo* info, HFONT font) {
  HFONT previous = info->font;
  info->font = font;
  SendMessageA(editor, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (previous) DeleteObject(previous);
  SetEditorColor(editor, 0, 1, info->slot0);
}

// Memory source of EM_STREAMIN.
struct StreamSource {
  const char* data;
  size_t left;
};

DWORD CALLBACK _streamInProc(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  StreamSource* src = reinterpret_cast<StreamSource*>(cookie);
  size_t n = streamPieceSize(src->data, src->left, static_cast<size_t>(size));
  std::memcpy(buffer, src->data, n);
  src->data += n;
  src->left -= n;
  *done = static_cast<LONG>(n);
  return 0;  // a count of 0 ends the stream
}

DWORD CALLBACK _streamOutProc(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  FILE* f = reinterpret_cast<FILE*>(cookie);
  size_t written = std::fwrite(buffer, 1, static_cast<size_t>(size), f);
  *done = static_cast<LONG>(written);
  return written == static_cast<size_t>(size) ? 0 : 1;  // non-zero aborts
}

}  // namespace

EditorInfo* GetEditorInfo(HWND editor) {
  return reinterpret_cast<EditorInfo*>(GetWindowLongPtrA(editor, GWLP_USERDATA));
}

HWND CreateEditor(HWND parent, int x, int y, int width, int height) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HWND editor = CreateWindowExA(
      0, "RichEdit20A", "",
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
          ES_NOHIDESEL,
      x, y, width, height, parent, nullptr, instance, nullptr);
  if (!editor) return nullptr;
  EditorInfo* info = static_cast<EditorInfo*>(std::calloc(1, sizeof(EditorInfo)));
  if (info) info->lineCache = new (std::nothrow) LineCache;
  if (!info || !info->lineCache) {
    std::free(info);
    return editor;
  }
  info->editor = editor;
  SetWindowLongPtrA(editor, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(info));

  SetWindowTextA(editor, "");
  SendMessageA(editor, EM_SETEDITSTYLE, SES_EMULATESYSEDIT, SES_EMULATESYSEDIT);
  SendMessageA(editor, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
  RaiseTextLimit(editor);
  SendMessageA(editor, EM_SETUNDOLIMIT, 50, 0);

  for (int slot = 0; slot < FIRST_SLOT_COUNT; ++slot) SetEditorColor(editor, slot, 1, INITIAL_SLOTS[slot]);
  ClearMarks(editor);
  SetEditorFont(editor, 9, "Courier New");
  SetGutterWidth(editor, 45);
  SetEditorBackground(editor, RGB(230, 230, 240));

  info->baseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)));
  _redraw(editor);
  return editor;
}

HWND RenewEditor(HWND editor) {
  EditorInfo* old = GetEditorInfo(editor);
  HWND parent = GetParent(editor);
  RECT rc;
  GetWindowRect(editor, &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  HWND fresh = old ? CreateEditor(parent, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top) : nullptr;
  EditorInfo* info = fresh ? GetEditorInfo(fresh) : nullptr;
  if (!info) {
    if (fresh) DestroyWindow(fresh);
    SetWindowTextA(editor, "");
    return editor;
  }
  // The font passes to the new control, which deletes it in its turn.
  _installFont(fresh, info, old->font);
  old->font = nullptr;
  for (int slot = 0; slot < FIRST_SLOT_COUNT; ++slot) SetEditorColor(fresh, slot, 1, *_slot(old, slot));
  SetEditorBackground(fresh, old->background);
  SetGutterWidth(fresh, old->gutterWidth);
  SetEditorReadOnly(fresh, IsEditorReadOnly(editor));
  SendMessageA(fresh, EM_SETEVENTMASK, 0, SendMessageA(editor, EM_GETEVENTMASK, 0, 0));
  // A procedure put in front of the editor's own goes on serving it.
  LONG_PTR proc = GetWindowLongPtrA(editor, GWLP_WNDPROC);
  if (proc != reinterpret_cast<LONG_PTR>(EditorProc)) SetWindowLongPtrA(fresh, GWLP_WNDPROC, proc);
  SetWindowLongPtrA(fresh, GWLP_ID, GetWindowLongPtrA(editor, GWLP_ID));
  SetWindowPos(fresh, editor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!(GetWindowLongPtrA(editor, GWL_STYLE) & WS_VISIBLE)) ShowWindow(fresh, SW_HIDE);
  MoveFindDialog(old, info);
  if (GetFocus() == editor) SetFocus(fresh);
  DestroyWindow(editor);
  return fresh;
}

LRESULT CALLBACK EditorProc(HWND editor, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return DefWindowProcA(editor, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT: return OnEditorPaint(editor, info, wParam, lParam);
    case WM_KEYDOWN: return OnEditorKeyDown(editor, info, wParam, lParam);
    case WM_LBUTTONDOWN: return OnEditorLButtonDown(editor, info, wParam, lParam);
    case WM_RBUTTONUP: return OnEditorRButtonUp(editor);
    case WM_PASTE: PasteClipboardText(editor); return 0;
    case WM_SIZE: return OnEditorSize(editor, info, wParam, lParam);
    case WM_MOUSEWHEEL:
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) return 0;
      break;
    case WM_DESTROY: return OnEditorDestroy(editor, info, wParam, lParam);
    default: break;
  }
  return _callBase(editor, info, msg, wParam, lParam);
}

COLORREF EditorSlotColour(const EditorInfo* info, int slot) {
  COLORREF* colour = _slot(const_cast<EditorInfo*>(info), slot);
  return colour ? *colour : 0;
}

COLORREF SetEditorColor(HWND editor, int slot, int set, COLORREF value) {
  EditorInfo* info = GetEditorInfo(editor);
  COLORREF* target = info ? _slot(info, slot) : nullptr;
  if (!target) return 0;
  if (set) {
    *target = value;
    if (slot == 0) {
      CHARFORMAT2A cf;
      std::memset(&cf, 0, sizeof(cf));
      cf.cbSize = sizeof(cf);
      cf.dwMask = CFM_COLOR;
      cf.crTextColor = value;
      SendMessageA(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    }
  }
  _redraw(editor);
  return *target;
}

void SetEditorBackground(HWND editor, COLORREF colour) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return;
  info->background = colour;
  SendMessageA(editor, EM_SETBKGNDCOLOR, 0, colour);
}

void SetGutterWidth(HWND editor, int width) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return;
  info->gutterWidth = width;
  HDC dc = GetDC(editor);
  if (!info->gutterDC) info->gutterDC = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, GUTTER_HEIGHT);
  ReleaseDC(editor, dc);
  if (info->gutterDC && bitmap) {
    SelectObject(info->gutterDC, bitmap);
    if (info->gutterBitmap) DeleteObject(info->gutterBitmap);
    info->gutterBitmap = bitmap;
  }
  _applyGutterMargin(editor, width);
}

int SetEditorFont(HWND editor, int points, const char* faceName) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return 0;
  HDC dc = GetDC(editor);
  int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(editor, dc);
  HFONT font = CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, faceName);
  if (!font) return 0;
  _installFont(editor, info, font);
  return 1;
}

int SetEditorFontIndirect(HWND editor, const LOGFONTA* logFont) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return 0;
  HFONT font = CreateFontIndirectA(logFont);
  if (!font) return 0;
  _installFont(editor, info, font);
  return 1;
}

void ChooseEditorFont(HWND editor) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return;
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof(lf));
  GetObjectA(info->font, sizeof(lf), &lf);
  CHOOSEFONTA cf;
  std::memset(&cf, 0, sizeof(cf));
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = GetParent(editor);
  cf.lpLogFont = &lf;
  // CF_SCREENFONTS: without a font source the dialog has nothing to list.
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_SCREENFONTS;
  if (ChooseFontA(&cf)) SetEditorFontIndirect(editor, &lf);
}

void MarkLine(HWND editor, int n) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return;
  if (info->markCount == info->markCapacity) {
    int capacity = info->markCapacity == 0 ? 1 : info->markCapacity + 20;
    int* marks = static_cast<int*>(std::calloc(capacity, sizeof(int)));
    if (!marks) return;
    if (info->marks) std::memcpy(marks, info->marks, info->markCount * sizeof(int));
    std::free(info->marks);
    info->marks = marks;
    info->markCapacity = capacity;
  }
  info->marks[info->markCount++] = n - 1;
  InvalidateRgn(editor, nullptr, TRUE);
}

void ClearMarks(HWND editor) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info) return;
  std::free(info->marks);
  info->marks = nullptr;
  info->markCount = 0;
  info->markCapacity = 0;
  InvalidateRgn(editor, nullptr, TRUE);
}

void ScrollToLine(HWND editor, int n) {
  EditorInfo* info = GetEditorInfo(editor);
  int first = info ? EditorFirstVisibleLine(editor, info)
                   : static_cast<int>(SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessageA(editor, EM_LINESCROLL, 0, (n - 1) - first);
  // The scroll invalidates what it uncovers, and every paint colours all
  // visible lines: painting that is enough, where a whole second paint
  // would cost as much again deep in a long text.
  UpdateWindow(editor);
}

char* GetTextRange(HWND editor, int a, int b, int* length) {
  if (a > b) std::swap(a, b);
  int n = b - a;
  // Room for two bytes a character, in case the code page has double bytes.
  char* text = static_cast<char*>(std::malloc(2 * static_cast<size_t>(n) + 2));
  if (!text) return nullptr;
  TEXTRANGEA range;
  range.chrg.cpMin = a;
  range.chrg.cpMax = b;
  range.lpstrText = text;
  int got = static_cast<int>(SendMessageA(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  if (got < 0) got = 0;
  text[got] = '\0';
  if (length) *length = got;
  return text;
}

char* GetLineText(HWND editor, int n) {
  int start = static_cast<int>(SendMessageA(editor, EM_LINEINDEX, n - 1, 0));
  if (start < 0) return static_cast<char*>(std::calloc(1, 1));  // no such line
  int length = static_cast<int>(SendMessageA(editor, EM_LINELENGTH, start, 0));
  // EM_GETLINE takes the buffer size in its first 16-bit word.
  if (length >= 0xFFFF) return GetTextRange(editor, start, start + length, nullptr);
  char* text = static_cast<char*>(std::malloc(length + 2));
  if (!text) return nullptr;
  *reinterpret_cast<WORD*>(text) = static_cast<WORD>(length + 1);
  int got = static_cast<int>(SendMessageA(editor, EM_GETLINE, n - 1, reinterpret_cast<LPARAM>(text)));
  if (got < 0 || got > length) got = got < 0 ? 0 : length;
  text[got] = '\0';
  return text;
}

CHARRANGE GetEditorSelection(HWND editor) {
  CHARRANGE sel = {0, 0};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  return sel;
}

int GetEditorLineCount(HWND editor) {
  return static_cast<int>(SendMessageA(editor, EM_GETLINECOUNT, 0, 0));
}

void SetEditorReadOnly(HWND editor, int readOnly) {
  SendMessageA(editor, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool IsEditorReadOnly(HWND editor) {
  return (SendMessageA(editor, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0;
}

int ReadTextFile(const char* path, std::string* bytes) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 0;
  bytes->clear();
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), f)) > 0) bytes->append(chunk, got);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return failed ? 0 : 1;
}

int StreamTextIn(HWND editor, const std::string& bytes) {
  StreamSource src = {bytes.data(), bytes.size()};
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&src), 0, _streamInProc};
  SendMessageA(editor, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  RaiseTextLimit(editor);
  return es.dwError == 0 ? 1 : 0;
}

int SaveTextFile(HWND editor, const char* path) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(f), 0, _streamOutProc};
  SendMessageA(editor, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  bool ok = es.dwError == 0;
  if (std::fclose(f) != 0) ok = false;
  return ok ? 1 : 0;
}
