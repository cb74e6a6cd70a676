#include "cad/editor/viewGlue.h"

#include "cad/editor/boardView.h"
#include "cad/editor/commands.h"
#include "cad/editor/documentCommands.h"
#include "cad/editor/mainWindow.h"
#include "cad/editor/pointer.h"
#include "cad/editor/viewFrame.h"
#include "cad/editor/zoom.h"
#include "resources/kivoIds.h"

namespace {

HCURSOR _cursor(int cursor) {
  switch (cursor) {
    case CURSOR_NWSE: return gCursorNWSE;
    case CURSOR_NS: return gCursorNS;
    case CURSOR_NESW: return gCursorNESW;
    case CURSOR_WE: return gCursorWE;
    case CURSOR_MOVE: return gCursorMove;
    case CURSOR_CROSSHAIR: return gCursorCrosshair;
    default: return nullptr;
  }
}

void _highlightTool(int listTool) {
  if (!gToolList || listTool == LIST_KEEP) return;
  // Row 0 is the header; entry i is row i + 1. Setting the selection from
  // here sends no LBN_SELCHANGE.
  WPARAM row = listTool == LIST_NONE ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(listTool + 1);
  SendMessageA(gToolList, LB_SETCURSEL, row, 0);
  // The row's colour tells whether an object is selected; it must follow
  // also when the highlight stays on the same row.
  InvalidateRect(gToolList, nullptr, FALSE);
}

// Moving, the left button and keys repaint only what they changed (a move
// with the right button held pans, which frameChanges turns into a whole
// frame); the wheel and the right button's press and release repaint all.
void _onPointerOrKey(UINT message, WPARAM wParam, POINT p) {
  const FrameSnapshot start = viewEventStart();
  Effect effect;
  switch (message) {
    case WM_MOUSEMOVE: effect = OnMouseMove(static_cast<unsigned>(wParam), p.x, p.y); break;
    case WM_LBUTTONDOWN: effect = OnLButtonDown(p.x, p.y); break;
    case WM_LBUTTONUP: effect = OnLButtonUp(); break;
    default: effect = OnKeyDown(static_cast<unsigned>(wParam)); break;
  }
  applyEffect(effect, &start);
}

}  // namespace

POINT viewPointer() {
  POINT p = {0, 0};
  GetCursorPos(&p);
  if (ghGfxBox) ScreenToClient(ghGfxBox, &p);
  return p;
}

// Every frame with a selection gives the board view the keyboard focus.
void Redraw() {
  if (!ghGfxBox) return;
  POINT p = viewPointer();
  if (paintWholeFrame(ghGfxBox, p.x, p.y)) SetFocus(ghGfxBox);
  updateStatusbar();
}

void RedrawChanges(const FrameSnapshot& start) {
  if (!ghGfxBox) return;
  POINT p = viewPointer();
  if (paintFrameChanges(ghGfxBox, start, p.x, p.y)) SetFocus(ghGfxBox);
  updateStatusbar();
}

void applyEffect(const Effect& effect, const FrameSnapshot* start) {
  if (effect.focusView && ghGfxBox) SetFocus(ghGfxBox);
  if (effect.action != ACTION_NONE) runAction(effect.action, effect.actionTool);
  _highlightTool(effect.listTool);
  if (effect.capture == CAPTURE_TAKE && ghGfxBox) SetCapture(ghGfxBox);
  if (effect.capture == CAPTURE_RELEASE) ReleaseCapture();
  if (HCURSOR cursor = _cursor(effect.cursor)) SetCursor(cursor);
  if (effect.invalidateList && gToolList) InvalidateRect(gToolList, nullptr, FALSE);
  if (effect.redraw && start && effect.action == ACTION_NONE)
    RedrawChanges(*start);
  else if (effect.redraw)
    Redraw();
  else if (effect.status)
    updateStatusbar();
}

LRESULT CALLBACK GfxHandler(HWND, UINT message, WPARAM wParam, LPARAM) {
  POINT p = viewPointer();
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN: _onPointerOrKey(message, wParam, p); break;
    case WM_MOUSEWHEEL: applyEffect(OnMouseWheel(wheelNotches(wParam), p.x, p.y)); break;
    case WM_RBUTTONDOWN: applyEffect(OnRButtonDown(p.x, p.y)); break;
    case WM_RBUTTONUP: applyEffect(OnRButtonUp()); break;
    default: break;
  }
  return 0;
}

// The resource script names the commands by number; they must stay the ones
// the command table answers.
static_assert(IDM_NEW == CMD_NEW && IDM_OPEN == CMD_OPEN && IDM_SAVE == CMD_SAVE &&
                  IDM_SAVEAS == CMD_SAVE_AS && IDM_EXIT == CMD_EXIT && IDM_LINE == CMD_LINE &&
                  IDM_RECT == CMD_RECT && IDM_CIRCLE == CMD_CIRCLE && IDM_DRILL == CMD_DRILL &&
                  IDM_BOARD == CMD_SETTINGS && IDM_GCODE == CMD_GENERATE && IDM_GRID == CMD_GRID &&
                  IDM_TRIM == CMD_TRIM && IDM_FILL == CMD_FILL,
              "menu identifiers of the resources and the command table agree");
