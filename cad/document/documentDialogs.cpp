#include "cad/document/documentDialogs.h"

#include <cstdio>
#include <cstdlib>

#include "cad/document/dialogFields.h"
#include "cad/document/settings.h"
#include "resources/kivoIds.h"

namespace {

const int NUMBER_TEXT_SIZE = 100;

void _setDecimal(HWND dialog, int id, const char* format, double value) {
  char text[NUMBER_TEXT_SIZE];
  std::snprintf(text, sizeof(text), format, value);
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void _setWhole(HWND dialog, int id, uint32_t value) {
  char text[NUMBER_TEXT_SIZE];
  std::snprintf(text, sizeof(text), "%u", static_cast<unsigned>(value));
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void _readDecimal(HWND dialog, int id, double* field) {
  char* text = getWinText(GetDlgItem(dialog, id));
  readDecimalField(text, field);
  std::free(text);
}

void _readWhole(HWND dialog, int id, uint32_t* field) {
  char* text = getWinText(GetDlgItem(dialog, id));
  readWholeField(text, field);
  std::free(text);
}

INT_PTR _run(HWND owner, int resource, DLGPROC proc, LPARAM param) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, proc,
                         param);
}

// The dialog's answer to a command: its store button, Enter or its cancel
// button, Escape. Anything else is not a closing command.
INT_PTR _closing(WPARAM wParam, int storeId, int cancelId) {
  int id = LOWORD(wParam);
  if (id == storeId || id == IDOK) return IDOK;
  if (id == cancelId || id == IDCANCEL) return IDCANCEL;
  return 0;
}

// ---- Modify Tool ----

void OnToolInit(HWND dialog, Tool* entry) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(entry));
  for (int i = 0; i < TOOL_COUNT; ++i) {
    char item[NUMBER_TEXT_SIZE];
    std::snprintf(item, sizeof(item), "%i", i);
    SendDlgItemMessageA(dialog, IDC_TOOL_BITID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  // A bit number above 9 (from a loaded file) selects no item.
  SendDlgItemMessageA(dialog, IDC_TOOL_BITID, CB_SETCURSEL,
                      entry->bitId < TOOL_COUNT ? entry->bitId : -1, 0);
  _setDecimal(dialog, IDC_TOOL_SIZE, "%.3f", entry->size);
  _setDecimal(dialog, IDC_TOOL_DEPTH, "%.3f", entry->depth);
  _setWhole(dialog, IDC_TOOL_SPEED, entry->millSpeed);
  _setWhole(dialog, IDC_TOOL_PASSES, entry->passes);
}

void OnToolSave(HWND dialog) {
  Tool* entry = reinterpret_cast<Tool*>(GetWindowLongPtrA(dialog, DWLP_USER));
  LRESULT bit = SendDlgItemMessageA(dialog, IDC_TOOL_BITID, CB_GETCURSEL, 0, 0);
  entry->bitId = static_cast<uint8_t>(bit == CB_ERR ? 0 : bit);
  _readDecimal(dialog, IDC_TOOL_SIZE, &entry->size);
  _readDecimal(dialog, IDC_TOOL_DEPTH, &entry->depth);
  _readWhole(dialog, IDC_TOOL_SPEED, &entry->millSpeed);
  _readWhole(dialog, IDC_TOOL_PASSES, &entry->passes);
}

// ---- Board Settings ----

void OnBoardInit(HWND dialog) {
  _setDecimal(dialog, IDC_BOARD_WIDTH, "%.3f", gV.boardWidth);
  _setDecimal(dialog, IDC_BOARD_HEIGHT, "%.3f", gV.boardHeight);
  _setDecimal(dialog, IDC_BOARD_TRAVEL, "%.3f", gV.travelHeight);
}

void OnBoardSave(HWND dialog) {
  _readDecimal(dialog, IDC_BOARD_WIDTH, &gV.boardWidth);
  _readDecimal(dialog, IDC_BOARD_HEIGHT, &gV.boardHeight);
  _readDecimal(dialog, IDC_BOARD_TRAVEL, &gV.travelHeight);
}

// ---- Grid Settings ----

void OnGridInit(HWND dialog) {
  _setDecimal(dialog, IDC_GRID_SPACING, "%.4f", gV.gridSpacing);
  _setDecimal(dialog, IDC_GRID_SNAP, "%.4f", gV.snapSpacing);
}

void OnGridSave(HWND dialog) {
  _readDecimal(dialog, IDC_GRID_SPACING, &gV.gridSpacing);
  _readDecimal(dialog, IDC_GRID_SNAP, &gV.snapSpacing);
}

// The shared shape of the three procedures: set up, store on the store
// command, close with the result on store and cancel (close box included).
INT_PTR _dialogProc(HWND dialog, UINT message, WPARAM wParam, int storeId, int cancelId,
                    void (*store)(HWND)) {
  switch (message) {
    case WM_COMMAND: {
      INT_PTR result = _closing(wParam, storeId, cancelId);
      if (result == IDOK) store(dialog);
      if (result) EndDialog(dialog, result);
      return result != 0;
    }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

char* getWinText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return nullptr;
  char* text = static_cast<char*>(std::calloc(static_cast<size_t>(length) + 1, 1));
  if (text) GetWindowTextA(window, text, length + 1);
  return text;
}

INT_PTR CALLBACK ToolProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnToolInit(dialog, reinterpret_cast<Tool*>(lParam));
    return TRUE;
  }
  return _dialogProc(dialog, message, wParam, IDC_TOOL_SAVE, IDC_TOOL_CANCEL, OnToolSave);
}

INT_PTR CALLBACK BoardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    OnBoardInit(dialog);
    return TRUE;
  }
  return _dialogProc(dialog, message, wParam, IDC_BOARD_SAVE, IDC_BOARD_CANCEL, OnBoardSave);
}

INT_PTR CALLBACK GridProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    OnGridInit(dialog);
    return TRUE;
  }
  return _dialogProc(dialog, message, wParam, IDC_GRID_OK, IDC_GRID_CANCEL, OnGridSave);
}

INT_PTR runToolDialog(HWND owner, Tool* entry) {
  if (!entry) return 0;
  return _run(owner, IDD_TOOL, ToolProc, reinterpret_cast<LPARAM>(entry));
}

INT_PTR runBoardDialog(HWND owner) { return _run(owner, IDD_BOARD, BoardProc, 0); }

INT_PTR runGridDialog(HWND owner) { return _run(owner, IDD_GRID, GridProc, 0); }

int replaceFileWin(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
