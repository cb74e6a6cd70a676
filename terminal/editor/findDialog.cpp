#include "terminal/editor/findDialog.h"

#include <richedit.h>

#include <cstdlib>

#include "terminal/editor/editor.h"
#include "terminal/editor/termIds.h"

namespace {

EditorInfo* _dialogInfo(HWND dialog) {
  return reinterpret_cast<EditorInfo*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

bool _checked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OnFind(HWND dialog, EditorInfo* info) {
  HWND editor = info->editor;
  bool forwards = _checked(dialog, IDC_FIND_FORWARDS);
  WPARAM flags = forwards ? FR_DOWN : 0;
  if (_checked(dialog, IDC_FIND_CASE)) flags |= FR_MATCHCASE;
  CHARRANGE sel = GetEditorSelection(editor);

  // Forwards starts one character after the selection's start, so a
  // selected match is passed over; backwards runs from it to the start.
  FINDTEXTEXA find;
  find.chrg.cpMin = forwards ? sel.cpMin + 1 : sel.cpMin;
  find.chrg.cpMax = forwards ? -1 : 0;
  char* text = GetWindowTextCopy(GetDlgItem(dialog, IDC_FIND_TEXT));
  if (!text) return;
  find.lpstrText = text;
  find.chrgText.cpMin = find.chrgText.cpMax = 0;
  LRESULT found = SendMessageA(editor, EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find));
  if (found == -1) {
    MessageBoxA(dialog, "Couldnt find it!", "Cant find string", MB_OK);
  } else {
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
  }
  std::free(text);
}

// A read-only editor (a program streaming to the machine) is never changed.
void OnReplaceSelection(HWND dialog, EditorInfo* info) {
  if (IsEditorReadOnly(info->editor)) return;
  char* text = GetWindowTextCopy(GetDlgItem(dialog, IDC_FIND_REPLACE_TEXT));
  if (!text) return;
  CHARRANGE sel = GetEditorSelection(info->editor);
  if (sel.cpMin != sel.cpMax)
    SendMessageA(info->editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  std::free(text);
}

INT_PTR OnFindInitDialog(HWND dialog, EditorInfo* info) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(info));
  info->findDialogOpen = 1;
  info->findDialog = dialog;
  CheckDlgButton(dialog, IDC_FIND_FORWARDS, BST_CHECKED);
  return 1;
}

INT_PTR OnFindCommand(HWND dialog, WPARAM wParam) {
  EditorInfo* info = _dialogInfo(dialog);
  if (!info) return 1;
  switch (LOWORD(wParam)) {
    case IDC_FIND_FIND: OnFind(dialog, info); break;
    case IDC_FIND_REPLACE: OnReplaceSelection(dialog, info); break;
    case IDC_FIND_CANCEL: DestroyWindow(dialog); break;
    default: break;
  }
  return 1;
}

INT_PTR OnFindDestroy(HWND dialog) {
  EditorInfo* info = _dialogInfo(dialog);
  if (info) {
    info->findDialogOpen = 0;
    info->findDialog = nullptr;
  }
  return 1;
}

}  // namespace

char* GetWindowTextCopy(HWND window) {
  int length = GetWindowTextLengthA(window);
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (!text) return nullptr;
  text[0] = '\0';
  GetWindowTextA(window, text, length + 1);
  return text;
}

void ShowFindDialog(HWND editor) {
  EditorInfo* info = GetEditorInfo(editor);
  if (!info || info->findDialogOpen) return;
  HWND owner = GetParent(editor);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(editor, GWLP_HINSTANCE));
  CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_FIND), owner, FindDlgProc,
                     reinterpret_cast<LPARAM>(info));
}

void MoveFindDialog(EditorInfo* from, EditorInfo* to) {
  if (!from->findDialogOpen) return;
  to->findDialog = from->findDialog;
  to->findDialogOpen = 1;
  from->findDialog = nullptr;
  from->findDialogOpen = 0;
  SetWindowLongPtrA(to->findDialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(to));
}

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: return OnFindInitDialog(dialog, reinterpret_cast<EditorInfo*>(lParam));
    case WM_COMMAND: return OnFindCommand(dialog, wParam);
    case WM_CLOSE: DestroyWindow(dialog); return 1;
    case WM_DESTROY: return OnFindDestroy(dialog);
    default: return 0;
  }
}
