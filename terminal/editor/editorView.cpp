#include "terminal/editor/editorView.h"

#include <richedit.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "terminal/editor/editor.h"

namespace {

POINTL _posFromChar(HWND editor, long position) {
  POINTL pt = {0, 0};
  SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), position);
  return pt;
}

long _textLength(HWND editor) {
  GETTEXTLENGTHEX how = {GTL_DEFAULT, CP_ACP};
  return static_cast<long>(SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// Line 0 stands at the top of the text whatever the scroll position, so the
// control finds it at once; measuring the rows there costs nothing.
void _measureLineHeight(HWND editor, LineCache* cache, long textTop, int lineCount) {
  if (cache->lineHeight > 0 || lineCount < 2) return;
  long second = static_cast<long>(SendMessageA(editor, EM_LINEINDEX, 1, 0));
  cache->lineHeight = static_cast<int>(_posFromChar(editor, second).y - textTop);
}

// Takes size characters from from into w; atEnd when the text ends first.
bool _fetch(HWND editor, long from, long size, LineWindow* w) {
  int got = 0;
  char* text = GetTextRange(editor, from, from + size, &got);
  if (!text) return false;
  w->start = from;
  w->text.assign(text, got);
  w->atEnd = got < size;
  std::free(text);
  return true;
}

}  // namespace

bool GetEditorView(HWND editor, EditorInfo* info, EditorView* view) {
  LineCache* cache = info->lineCache;
  SendMessageA(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view->rc));
  POINTL origin = _posFromChar(editor, 0);
  int lineCount = GetEditorLineCount(editor);
  long length = _textLength(editor);
  checkTextLength(cache, length);
  _measureLineHeight(editor, cache, origin.y, lineCount);
  view->textTop = origin.y;
  view->lineLeft = origin.x;
  view->lineHeight = cache->lineHeight;
  view->span = paintSpan(origin.y, cache->lineHeight, lineCount, view->rc.top, view->rc.bottom);
  view->window = &cache->window;
  int margin = view->span.last - view->span.first + 1;
  FetchPlan plan = planFetch(*cache, view->span, margin, length, lineCount);
  if (!plan.needed) return true;

  cache->textValid = false;
  long from = plan.askLineStart ? static_cast<long>(SendMessageA(editor, EM_LINEINDEX, plan.line, 0)) : plan.from;
  if (from < 0) return false;
  LineWindow w;
  w.firstLine = plan.line;
  // A line far longer than the average takes a second, longer fetch.
  for (long size = plan.size;; size *= 2) {
    if (!_fetch(editor, from, size, &w)) return false;
    if (w.atEnd || holdsLines(w, view->span.first, view->span.last)) break;
  }
  trimWindow(&w, view->span.first - margin);
  cache->window = std::move(w);
  cache->textValid = cache->startValid = true;
  return true;
}

int EditorFirstVisibleLine(HWND editor, EditorInfo* info) {
  RECT rc;
  SendMessageA(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
  long textTop = _posFromChar(editor, 0).y;
  int lineCount = GetEditorLineCount(editor);
  _measureLineHeight(editor, info->lineCache, textTop, lineCount);
  return firstVisibleLine(textTop, info->lineCache->lineHeight, lineCount, rc.top);
}

int TextChangeOf(UINT msg, WPARAM wParam, LPARAM) {
  bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
  switch (msg) {
    // Typing, deleting, pasting and cutting change the text from the
    // selection's start or the caret on.
    case WM_CHAR:
      // Control characters other than these may be undo or redo.
      return wParam >= 0x20 || wParam == '\r' || wParam == '\t' || wParam == '\b' ? TEXT_AT_CARET
                                                                                  : TEXT_ANYWHERE;
    case WM_KEYDOWN:
      if (ctrlOrAlt) return TEXT_ANYWHERE;  // Ctrl+Z, Ctrl+Y, Ctrl+X, Ctrl+Backspace...
      switch (wParam) {
        case VK_BACK:
        case VK_DELETE:
        case VK_RETURN:
        case VK_TAB:
        case VK_INSERT: return TEXT_AT_CARET;
        default: return TEXT_KEPT;  // the text comes with WM_CHAR
      }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_UNICHAR: return TEXT_AT_CARET;

    // Messages that leave the text alone: queries, scrolling, the selection,
    // focus, the pointer without a button, painting.
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_SETCURSOR:
    case WM_NCHITTEST:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_TIMER:
    case 0x0118:  // WM_SYSTIMER: the caret's blink
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_GETOBJECT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYUP:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_GETFONT:
    case WM_COPY:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_NCCALCSIZE:
    case WM_CAPTURECHANGED:
    case WM_MOUSEACTIVATE:
    case EM_GETSEL:
    case EM_EXGETSEL:
    case EM_SETSEL:
    case EM_EXSETSEL:
    case EM_HIDESELECTION:
    case EM_SCROLL:
    case EM_LINESCROLL:
    case EM_SCROLLCARET:
    case EM_GETSCROLLPOS:
    case EM_SETSCROLLPOS:
    case EM_GETLINE:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case EM_GETFIRSTVISIBLELINE:
    case EM_GETRECT:
    case EM_SETRECT:
    case EM_SETMARGINS:
    case EM_GETMODIFY:
    case EM_SETMODIFY:
    case EM_GETOPTIONS:
    case EM_SETOPTIONS:
    case EM_SETREADONLY:
    case EM_GETEVENTMASK:
    case EM_SETEVENTMASK:
    case EM_GETZOOM:
    case EM_CANUNDO:
    case EM_CANREDO:
    case EM_CANPASTE:
    case EM_GETLIMITTEXT:
    case EM_LIMITTEXT:
    case EM_EXLIMITTEXT:
    case EM_SETUNDOLIMIT:
    case EM_EMPTYUNDOBUFFER:
    case EM_FINDTEXT:
    case EM_FINDTEXTEX:
    case EM_GETCHARFORMAT:
    case EM_GETTEXTRANGE:
    case EM_GETTEXTLENGTHEX:
    case EM_GETSELTEXT:
    case EM_STREAMOUT:
    case EM_SETBKGNDCOLOR:
    case EM_GETTEXTMODE:
    case EM_GETEDITSTYLE: return TEXT_KEPT;
    case WM_MOUSEMOVE:
      // A drag with a button down may move text by drag and drop.
      return wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON) ? TEXT_ANYWHERE : TEXT_KEPT;

    // Everything else may change the text, or the rows' height, anywhere:
    // undo and redo, a new text, fonts, zoom, clicks that drop dragged text.
    default: return TEXT_ANYWHERE;
  }
}
