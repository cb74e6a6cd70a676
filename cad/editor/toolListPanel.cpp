#include "cad/editor/toolListPanel.h"

#include "cad/editor/mainWindow.h"
#include "cad/editor/toolListRows.h"
#include "cad/editor/viewGlue.h"
#include "resources/kivoIds.h"

namespace {

const UINT CELL_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void _columns(const RECT& row, RECT out[TOOL_LIST_COLUMNS]) {
  PixelRect columns[TOOL_LIST_COLUMNS];
  figureColumns(PixelRect{row.left, row.top, row.right, row.bottom}, columns);
  for (int i = 0; i < TOOL_LIST_COLUMNS; ++i)
    out[i] = RECT{columns[i].left, columns[i].top, columns[i].right, columns[i].bottom};
}

COLORREF _colour(const Rgb& c) { return RGB(c.r, c.g, c.b); }

// The list's current row and its item data: rowSelected is false without a
// selection, entry null for the header or data that cannot be read.
bool _currentRow(HWND mainWindow, const Tool** entry) {
  *entry = nullptr;
  LRESULT row = SendDlgItemMessageA(mainWindow, IDC_TOOLLIST, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return false;
  LRESULT data = SendDlgItemMessageA(mainWindow, IDC_TOOLLIST, LB_GETITEMDATA, row, 0);
  if (data != LB_ERR) *entry = reinterpret_cast<const Tool*>(data);
  return true;
}

}  // namespace

void drawToolListHeader(const DRAWITEMSTRUCT* item) {
  RECT columns[TOOL_LIST_COLUMNS];
  _columns(item->rcItem, columns);
  SetBkMode(item->hDC, TRANSPARENT);
  SetTextColor(item->hDC, RGB(0, 0, 0));
  for (int i = 0; i < TOOL_LIST_COLUMNS; ++i) {
    DrawFrameControl(item->hDC, &columns[i], DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawTextA(item->hDC, TOOL_LIST_HEADER[i], -1, &columns[i], CELL_FORMAT);
  }
}

void drawToolListItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT row = item->rcItem;
  RECT columns[TOOL_LIST_COLUMNS];
  _columns(row, columns);
  ToolRowLook look = toolRowLook(static_cast<int>(item->itemID),
                                 reinterpret_cast<const Tool*>(item->itemData),
                                 (item->itemState & ODS_SELECTED) != 0);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH brush = CreateSolidBrush(_colour(look.background));
  FillRect(dc, &row, brush);
  if (look.defaultMark) {
    HBRUSH mark = CreateSolidBrush(_colour(DEFAULT_TOOL_MARK));
    FillRect(dc, &columns[0], mark);
    DeleteObject(mark);
  }
  if (look.focusRect) DrawFocusRect(dc, &row);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (int i = 0; i < TOOL_LIST_COLUMNS; ++i)
    DrawTextA(dc, look.text[i], -1, &columns[i], CELL_FORMAT);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

LRESULT OnToolListSelChange(HWND mainWindow) {
  const Tool* entry;
  bool rowSelected = _currentRow(mainWindow, &entry);
  applyEffect(OnListBoxSelChange(rowSelected, entry));
  return 0;
}

LRESULT OnToolListDblClk(HWND mainWindow) {
  const Tool* entry;
  bool rowSelected = _currentRow(mainWindow, &entry);
  applyEffect(OnListBoxDblClk(rowSelected, entry));
  return 0;
}
